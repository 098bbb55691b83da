#include "views/common/TabOrderProvider.h"

#include "foundation/AppWindow.h"

namespace {

// The focus is in the window itself or, below the main window, in one of its
// descendants (a pane's inner control). Without a main window there is no
// bound for the climb, so only the window itself counts.
bool HoldsFocus(HWND window)
{
    const HWND focus = ::GetFocus();
    if (!focus)
        return false;
    if (focus == window)
        return true;
    const HWND main = GetMainWindow();
    if (!main)
        return false;
    for (HWND ancestor = ::GetParent(focus); ancestor && ancestor != main; ancestor = ::GetParent(ancestor)) {
        if (ancestor == window)
            return true;
    }
    return false;
}

} // namespace

TabOrderProvider::~TabOrderProvider()
{
    for (ITabOrderTarget* target : m_targets)
        target->Release();
}

bool TabOrderProvider::AddTextEdit(HWND edit)
{
    return AddTarget(new TextEditTarget(edit));
}

bool TabOrderProvider::AddActiveX(HWND host)
{
    return AddTarget(new ActiveXTarget(host));
}

bool TabOrderProvider::AddWindow(HWND window)
{
    return AddTarget(new WindowTarget(window));
}

bool TabOrderProvider::AddTarget(ITabOrderTarget* target)
{
    if (!target)
        return false;
    for (const ITabOrderTarget* entered : m_targets) {
        if (entered->GetWindow() == target->GetWindow()) {
            target->Release();
            return false;
        }
    }
    m_targets.push_back(target);
    return true;
}

size_t TabOrderProvider::FocusedIndex() const
{
    for (size_t i = 0; i < m_targets.size(); ++i) {
        if (HoldsFocus(m_targets[i]->GetWindow()))
            return i;
    }
    return m_targets.size();
}

bool TabOrderProvider::OnEditCommand(UINT commandId)
{
    const size_t focused = FocusedIndex();
    return focused < m_targets.size() && m_targets[focused]->DoEditCommand(commandId);
}

bool TabOrderProvider::NextTarget()
{
    const size_t count = m_targets.size();
    const size_t start = FocusedIndex();
    // Each target once, the starting one last; from outside the list the walk
    // begins at the first.
    for (size_t step = 1; step <= count; ++step) {
        const size_t position = start < count ? (start + step) % count : step - 1;
        const HWND window = m_targets[position]->GetWindow();
        if (::IsWindowVisible(window)) {
            ::SetFocus(window);
            return true;
        }
    }
    return false;
}
