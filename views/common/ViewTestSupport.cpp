#include "views/common/ViewTestSupport.h"

#include <commctrl.h>

#include "foundation/AppWindow.h"

RecordingFrame::RecordingFrame()
{
    Create({.title = L"View base", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
            .rect = {40, 40, 440, 300}});
    SetMainWindow(m_hWnd);
}

RecordingFrame::~RecordingFrame()
{
    SetMainWindow(nullptr);
}

void RecordingFrame::Clear()
{
    messages.clear();
    states.clear();
    preparedMenus.clear();
    trackedMenus.clear();
    listKeys.clear();
}

LRESULT RecordingFrame::OnCommandState(UINT message, WPARAM, LPARAM lParam, bool&)
{
    messages.push_back(message);
    states.push_back(*reinterpret_cast<const CommandUiState*>(lParam));
    return 0;
}

LRESULT RecordingFrame::OnPlainMessage(UINT message, WPARAM, LPARAM, bool&)
{
    messages.push_back(message);
    return 0;
}

LRESULT RecordingFrame::OnPrepareMenu(UINT message, WPARAM wParam, LPARAM, bool&)
{
    messages.push_back(message);
    preparedMenus.push_back(reinterpret_cast<HMENU>(wParam));
    return 0;
}

LRESULT RecordingFrame::OnTrackMenu(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    messages.push_back(message);
    TrackedMenu tracked = {reinterpret_cast<HMENU>(wParam), *reinterpret_cast<const POINT*>(lParam), {}};
    const int count = ::GetMenuItemCount(tracked.popup);
    for (int position = 0; position < count; ++position)
        tracked.commandIds.push_back(::GetMenuItemID(tracked.popup, position));
    trackedMenus.push_back(tracked);
    return 0;
}

LRESULT RecordingFrame::OnListKeyDown(int, NMHDR* header, bool&)
{
    listKeys.push_back(reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey);
    return 0;
}

bool operator==(const CommandUiState& left, const CommandUiState& right)
{
    return left.checked == right.checked && left.enabled == right.enabled && left.commandId == right.commandId;
}

void PrintTo(const CommandUiState& state, std::ostream* out)
{
    *out << "{checked " << state.checked << ", enabled " << state.enabled << ", id " << state.commandId << "}";
}
