#include "docking/sstate/ToggleWindowAdapter.h"

#include "docking/sstate/BorrowedKey.h"

namespace sstate {

namespace {

constexpr const wchar_t* VisibleValue = L"visible";

} // namespace

bool CToggleWindowAdapter::CImpl::Store(IMainState*, HKEY key)
{
    return BorrowedKey(key).SetDword(VisibleValue, ::IsWindowVisible(m_window) ? 1 : 0);
}

bool CToggleWindowAdapter::CImpl::Restore(IMainState*, HKEY key)
{
    DWORD visible = 0;
    if (!BorrowedKey(key).QueryDword(VisibleValue, visible))
        return RestoreDefault();
    ::ShowWindow(m_window, visible != 0 ? SW_SHOWNA : SW_HIDE);
    return true;
}

bool CToggleWindowAdapter::CImpl::RestoreDefault()
{
    ::ShowWindow(m_window, m_defaultShowCommand);
    return true;
}

} // namespace sstate
