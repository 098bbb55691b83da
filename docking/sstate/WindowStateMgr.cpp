#include "docking/sstate/WindowStateMgr.h"

#include <string>

#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/MainState.h"
#include "docking/sstate/ScreenFit.h"
#include "docking/sstate/StoredPlacement.h"

namespace sstate {

namespace {

constexpr const wchar_t* MainWindowKey = L"Main Window";
constexpr const wchar_t* PlacementValue = L"placement";

} // namespace

bool CWindowStateMgr::CImpl::Store(IMainState* mainState, HKEY key)
{
    if (const std::optional<WINDOWPLACEMENT> placement = PlacementToStore(m_window))
        BorrowedKey(key).SetBinary(PlacementValue, &*placement, sizeof(*placement));
    return CContainerImpl::Store(mainState, key);
}

bool CWindowStateMgr::CImpl::Restore(IMainState* mainState, HKEY key)
{
    std::string bytes;
    std::optional<WINDOWPLACEMENT> placement;
    if (BorrowedKey(key).QueryBinary(PlacementValue, bytes))
        placement = LoadPlacement(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size(), VirtualScreen());
    // Without a usable placement the window would never be shown.
    if (!placement)
        return RestoreDefault();
    ::SetWindowPlacement(m_window, &*placement);
    const bool restored = CContainerImpl::Restore(mainState, key);
    ::ShowWindow(m_window, static_cast<int>(placement->showCmd));
    return restored;
}

bool CWindowStateMgr::CImpl::RestoreDefault()
{
    const bool restored = CContainerImpl::RestoreDefault();
    ::ShowWindow(m_window, m_defaultShowCommand);
    return restored;
}

CWindowStateMgr::CWindowStateMgr() : m_root(new CImpl) {}

CWindowStateMgr::CWindowStateMgr(HWND mainWindow, int defaultShowCommand) : m_root(new CImpl)
{
    m_root->SetWindow(mainWindow, defaultShowCommand);
}

CWindowStateMgr::~CWindowStateMgr()
{
    m_root->Release();
}

void CWindowStateMgr::Initialize(std::wstring keyPath, HWND mainWindow, int defaultShowCommand)
{
    m_keyPath = std::move(keyPath);
    m_root->SetWindow(mainWindow, defaultShowCommand);
}

bool CWindowStateMgr::Store()
{
    CMainState mainState(m_keyPath);
    if (!mainState.OpenForStore())
        return false;
    RegistryKey mainWindowKey;
    if (!mainWindowKey.Create(mainState.MainKey(), MainWindowKey))
        return false;
    return m_root->Store(&mainState, mainWindowKey);
}

bool CWindowStateMgr::Restore()
{
    CMainState mainState(m_keyPath);
    RegistryKey mainWindowKey;
    if (mainState.OpenForRestore() && mainWindowKey.Open(mainState.MainKey(), MainWindowKey))
        return m_root->Restore(&mainState, mainWindowKey);
    return m_root->RestoreDefault();
}

} // namespace sstate
