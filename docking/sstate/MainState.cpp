#include "docking/sstate/MainState.h"

namespace sstate {

namespace {

constexpr const wchar_t* GeneralKey = L"General";
constexpr const wchar_t* ScreenWidthValue = L"SM_CXSCREEN";
constexpr const wchar_t* ScreenHeightValue = L"SM_CYSCREEN";
// Beyond any display: such a stored size is garbage, not a screen.
constexpr DWORD MaxScreenSize = 0xFFFF;

std::optional<DWORD> ReadDword(const RegistryKey& key, const wchar_t* name)
{
    DWORD value = 0;
    if (!key.QueryDword(name, value))
        return std::nullopt;
    return value;
}

} // namespace

float ScreenRatio(int current, std::optional<DWORD> stored)
{
    if (!stored || *stored == 0 || *stored > MaxScreenSize || current <= 0)
        return 1.0f;
    return static_cast<float>(current) / static_cast<float>(*stored);
}

bool CMainState::OpenForStore()
{
    if (!m_mainKey.Create(HKEY_CURRENT_USER, m_keyPath.c_str()))
        return false;
    RegistryKey general;
    if (!general.Create(m_mainKey, GeneralKey))
        return false;
    general.SetDword(ScreenWidthValue, static_cast<DWORD>(::GetSystemMetrics(SM_CXSCREEN)));
    general.SetDword(ScreenHeightValue, static_cast<DWORD>(::GetSystemMetrics(SM_CYSCREEN)));
    return true;
}

bool CMainState::OpenForRestore()
{
    if (!m_mainKey.Open(HKEY_CURRENT_USER, m_keyPath.c_str()))
        return false;
    RegistryKey general;
    if (!general.Open(m_mainKey, GeneralKey))
        return false;
    m_xRatio = ScreenRatio(::GetSystemMetrics(SM_CXSCREEN), ReadDword(general, ScreenWidthValue));
    m_yRatio = ScreenRatio(::GetSystemMetrics(SM_CYSCREEN), ReadDword(general, ScreenHeightValue));
    return true;
}

} // namespace sstate
