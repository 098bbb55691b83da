#include "docking/sstate/RebarStateAdapter.h"

#include <algorithm>
#include <string>

#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/RebarBandRecord.h"
#include "docking/sstate/ScreenFit.h"

namespace sstate {

namespace {

constexpr const wchar_t* VersionValue = L"version";

std::wstring BandValueName(int index)
{
    return L"band" + std::to_wstring(index);
}

int BandCount(HWND rebar)
{
    return static_cast<int>(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
}

} // namespace

bool CRebarStateAdapter::CImpl::Store(IMainState*, HKEY key)
{
    BorrowedKey values(key);
    values.SetDword(VersionValue, static_cast<DWORD>(m_version));
    const int count = BandCount(m_rebar);
    for (int i = 0; i < count; ++i) {
        if (const std::optional<RebarBandRecord> band = RebarBandRecord::FromRebar(m_rebar, i)) {
            const auto bytes = band->Store();
            values.SetBinary(BandValueName(i).c_str(), bytes.data(), static_cast<DWORD>(bytes.size()));
        }
    }
    return true;
}

bool CRebarStateAdapter::CImpl::Restore(IMainState*, HKEY key)
{
    BorrowedKey values(key);
    DWORD version = 0;
    if (!values.QueryDword(VersionValue, version) || static_cast<std::int32_t>(version) != m_version)
        return false;
    const RECT screen = VirtualScreen();
    const LONG maxExtent = std::max(screen.right - screen.left, screen.bottom - screen.top);
    const int count = BandCount(m_rebar);
    for (int i = 0; i < count; ++i) {
        std::string bytes;
        if (!values.QueryBinary(BandValueName(i).c_str(), bytes))
            continue;
        const std::optional<RebarBandRecord> band =
            RebarBandRecord::Load(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size(), maxExtent);
        if (!band)
            continue;
        const int from = static_cast<int>(::SendMessageW(m_rebar, RB_IDTOINDEX, band->id, 0));
        if (from < 0)
            continue;
        if (from != i)
            ::SendMessageW(m_rebar, RB_MOVEBAND, static_cast<WPARAM>(from), static_cast<LPARAM>(i));
        REBARBANDINFOW info = band->BandInfo();
        ::SendMessageW(m_rebar, RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
    return true;
}

} // namespace sstate
