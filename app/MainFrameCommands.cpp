// The main frame's commands: pre-translation, bars and panes shown or hidden, filters, mood, help, tool tips and menu help, command states.
#include "app/MainFrame.h"

#include <commctrl.h>

#include <algorithm>

#include "app/CommandTexts.h"
#include "dialogs/OptionsSheet.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/TipDialog.h"
#include "foundation/FileSystem.h"
#include "foundation/HtmlHelp.h"
#include "foundation/Options.h"
#include "foundation/StepTimer.h"

namespace {

constexpr UINT kHtmlHelpDisplayTopic = 0;

// The product's pages on the web: home, its mirror and the blog.
const wchar_t* WebPageOf(UINT command)
{
    switch (command) {
    case ID_HOME_PAGE:
        return L"https://quorvane.org/";
    case ID_HOME_PAGE_MIRROR:
        return L"https://mirror.quorvane.org/";
    default:
        return L"https://quorvane.org/blog/";
    }
}

EString HelpFilePath()
{
    return FileSystem::GetProgramFolderPath(L"Quorvane.chm");
}

bool IsKeyboardMessage(UINT message)
{
    return message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR;
}

std::vector<RECT> BandRects(HWND rebar)
{
    std::vector<RECT> rects(static_cast<size_t>(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0)));
    for (size_t band = 0; band < rects.size(); ++band)
        ::SendMessageW(rebar, RB_GETRECT, band, reinterpret_cast<LPARAM>(&rects[band]));
    return rects;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const RECT& x, const RECT& y) { return ::EqualRect(&x, &y) != FALSE; });
}

bool HoldsFocus(HWND window)
{
    const HWND focus = ::GetFocus();
    return window && focus && (focus == window || ::IsChild(window, focus));
}

} // namespace

bool CMainFrame::PreTranslateMessage(MSG* message)
{
    const bool toFrame = message->hwnd == m_hWnd;
    if (toFrame && TranslateAccelerator(message))
        return true;
    // The modeless windows, made after the frame, come before it among the loop's filters: they have
    // taken the keys of their focus, which no accelerator here may take from their controls.
    if (IsKeyboardMessage(message->message)) {
        for (CTabbedAutoHideDockingWindow* pane : m_panes)
            if (pane && HoldsFocus(*pane) && pane->PreTranslateMessage(message))
                return true;
        if (HoldsFocus(m_view.GetHwnd()) && m_view.PreTranslateMessage(message))
            return true;
    }
    return !toFrame && TranslateAccelerator(message);
}

int CMainFrame::OnIdle(int)
{
    if (!m_idleSinceStart) {
        m_idleSinceStart = true;
        StepTimer::LogSinceProcessStart(L"first-idle");
    }
    for (size_t index = 0; index < m_panes.size(); ++index) {
        if (!m_panes[index] || !m_panes[index]->IsWindow())
            continue;
        const UINT command = static_cast<UINT>(ID_VIEW_PANE_FIRST + index);
        m_commandStates.Enable(command, true);
        m_commandStates.SetCheck(command, m_panes[index]->IsVisible());
    }
    m_commandStates.UpdateToolBars();
    m_commandStates.UpdateStatusBar();
    return 0;
}

void CMainFrame::UpdateCommandUI(bool enable)
{
    struct FrameCommand {
        UINT id;
        bool checked;
        bool enabled;
    };
    // The daily plan's commands follow the pane's rules once it exists.
    const FrameCommand commands[] = {
        {ID_VIEW_STANDARD_BUTTONS, IsBarVisible(m_bars[StandardBar]), true},
        {ID_VIEW_STATUS_BAR, IsBarVisible(m_hWndStatusBar), true},
        {ID_VIEW_STATUS_FILTER, IsBarVisible(m_bars[StatusFilterBar]), true},
        {ID_VIEW_DATE_FILTER, IsBarVisible(m_bars[DateFilterBar]), true},
        {ID_VIEW_PRIORITY_FILTER, IsBarVisible(m_bars[PriorityFilterBar]), true},
        {ID_VIEW_VIEW_BUTTONS, IsBarVisible(m_bars[ViewBar]), true},
        {ID_VIEW_SEARCH_BUTTONS, IsBarVisible(m_bars[SearchBar]), true},
        {ID_VIEW_MOOD_BAR, IsBarVisible(m_bars[MoodBar]), true},
        {ID_RECURRING_TASKS, false, true},
        {ID_RESCHEDULE_TOMORROW, false, true},
        {ID_DAY_HOLIDAY, false, true},
        {ID_DAY_SHOW_LIST, false, true},
        {ID_DAY_SHOW_CALENDAR, false, true},
        {ID_DAY_ZOOM_OUT, false, false},
        {ID_DAY_ZOOM_IN, false, false},
        {ID_TRACK_NOW_NAME_LATER, false, true},
        // The user's folders can be customized whatever the plan holds.
        {ID_CUSTOMIZE_REPORTS, false, true},
        {ID_CUSTOMIZE_TEMPLATES, false, true},
        {ID_CUSTOMIZE_EXPORTS, false, true},
        {ID_CUSTOMIZE_IMPORTS, false, true},
    };
    for (const FrameCommand& command : commands) {
        CommandUiState state = {command.checked ? 1 : 0, command.enabled ? 1 : 0, static_cast<int>(command.id)};
        if (GetDailyPlanView())
            m_dailyPlanView.FillCommandState(state);
        if (!enable)
            state.checked = state.enabled = 0;
        ApplyCommandState(state);
    }
}

bool CMainFrame::IsBarVisible(HWND bar)
{
    return bar && ::IsWindowVisible(bar);
}

LRESULT CMainFrame::OnToolTipTextA(int, NMHDR* header, bool&)
{
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->szText[0] = '\0';
    info->lpszText = info->szText;
    const UINT_PTR id = header->idFrom;
    if (id == 0 || (info->uFlags & TTF_IDISHWND))
        return 0;
    const EString tip = CommandToolTip(CommandText(static_cast<UINT>(id)));
    ::WideCharToMultiByte(CP_ACP, 0, tip.c_str(), -1, info->szText, static_cast<int>(std::size(info->szText)), nullptr,
                          nullptr);
    info->szText[std::size(info->szText) - 1] = '\0';
    info->uFlags |= TTF_DI_SETITEM;
    return 0;
}

LRESULT CMainFrame::OnToolTipTextW(int, NMHDR* header, bool&)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->szText[0] = L'\0';
    info->lpszText = info->szText;
    const UINT_PTR id = header->idFrom;
    if (id == 0 || (info->uFlags & TTF_IDISHWND))
        return 0;
    const EString tip = CommandToolTip(CommandText(static_cast<UINT>(id)));
    ::lstrcpynW(info->szText, tip.c_str(), static_cast<int>(std::size(info->szText)));
    info->uFlags |= TTF_DI_SETITEM;
    return 0;
}

LRESULT CMainFrame::OnMenuSelect(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = false;
    if (!m_hWndStatusBar)
        return 0;
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {
        ::SendMessageW(m_hWndStatusBar, SB_SIMPLE, FALSE, 0);
        return 0;
    }
    EString help;
    if (!(flags & MF_POPUP))
        help = CommandStatusHelp(CommandText(MenuHelpStringId(LOWORD(wParam))));
    ::SendMessageW(m_hWndStatusBar, SB_SIMPLE, TRUE, 0);
    ::SendMessageW(m_hWndStatusBar, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(help.c_str()));
    return 0;
}

LRESULT CMainFrame::OnTrackMenu(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    const auto* point = reinterpret_cast<const POINT*>(lParam);
    const auto popup = reinterpret_cast<HMENU>(wParam);
    if (!point || !popup)
        return 0;
    const UINT command = m_commandBar.TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_VERTICAL | TPM_RETURNCMD,
                                                     point->x, point->y);
    if (command != 0)
        SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return 0;
}

LRESULT CMainFrame::OnSize(UINT, WPARAM, LPARAM, bool& handled)
{
    PostMessage(WM_MAINFRAME_MAXIMIZE_BANDS, 0, 0);
    LayoutStatusPanes();
    handled = false;
    return 0;
}

LRESULT CMainFrame::OnMaximizeBands(UINT, WPARAM, LPARAM, bool&)
{
    if (!m_hWndToolBar)
        return 0;
    // Every resize asks for this. Where the bands still lie as the last
    // maximizing left them (the show after the start-up's restore, a change
    // of height) it would change nothing, and under Wine each band maximized
    // moves the bars of its row again.
    const std::vector<RECT> before = BandRects(m_hWndToolBar);
    if (SameRects(before, m_maximizedBands))
        return 0;
    for (UINT band = 0; band < before.size(); ++band)
        ::SendMessageW(m_hWndToolBar, RB_MAXIMIZEBAND, band, FALSE);
    m_maximizedBands = BandRects(m_hWndToolBar);
    return 0;
}

LRESULT CMainFrame::OnAddToolbar(UINT, WPARAM wParam, LPARAM, bool&)
{
    if (const auto toolbar = reinterpret_cast<HWND>(wParam); toolbar && ::IsWindow(toolbar))
        m_commandStates.AddToolBar(toolbar);
    return 0;
}

LRESULT CMainFrame::OnToggleBar(WORD, WORD id, HWND, bool&)
{
    Bar bar = StandardBar;
    switch (id) {
    case ID_VIEW_MOOD_BAR: bar = MoodBar; break;
    case ID_VIEW_STATUS_FILTER: bar = StatusFilterBar; break;
    case ID_VIEW_DATE_FILTER: bar = DateFilterBar; break;
    case ID_VIEW_PRIORITY_FILTER: bar = PriorityFilterBar; break;
    case ID_VIEW_VIEW_BUTTONS: bar = ViewBar; break;
    case ID_VIEW_SEARCH_BUTTONS: bar = SearchBar; break;
    default: break;
    }
    const HWND child = m_bars[bar];
    const auto count = static_cast<UINT>(::SendMessageW(m_hWndToolBar, RB_GETBANDCOUNT, 0, 0));
    for (UINT band = 0; band < count; ++band) {
        REBARBANDINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = RBBIM_CHILD;
        if (::SendMessageW(m_hWndToolBar, RB_GETBANDINFOW, band, reinterpret_cast<LPARAM>(&info)) &&
            info.hwndChild == child) {
            ::SendMessageW(m_hWndToolBar, RB_SHOWBAND, band, !::IsWindowVisible(child));
            break;
        }
    }
    UpdateLayout(true);
    return 0;
}

LRESULT CMainFrame::OnToggleStatusBar(WORD, WORD, HWND, bool&)
{
    ::ShowWindow(m_hWndStatusBar, ::IsWindowVisible(m_hWndStatusBar) ? SW_HIDE : SW_SHOWNOACTIVATE);
    UpdateLayout(true);
    return 0;
}

LRESULT CMainFrame::OnWebPage(WORD, WORD id, HWND, bool&)
{
    FileSystem::OpenWithShell(WebPageOf(id), EString(), false);
    return 0;
}

LRESULT CMainFrame::OnHelpPage(WORD, WORD id, HWND, bool&)
{
    const EString page = HelpFilePath() + (id == ID_HINTS_AND_TIPS ? L"::/HintsAndTips.htm" : L"::/zemtutorial/index.htm");
    CallHtmlHelp(m_hWnd, page.c_str(), kHtmlHelpDisplayTopic, 0);
    return 0;
}

LRESULT CMainFrame::OnHelpTopics(WORD, WORD, HWND, bool&)
{
    CallHtmlHelp(nullptr, HelpFilePath().c_str(), kHtmlHelpDisplayTopic, 0);
    return 0;
}

LRESULT CMainFrame::OnOptions(WORD, WORD, HWND, bool&)
{
    {
        COptionsSheet sheet;
        sheet.DoModal(m_hWnd);
    }
    m_doc.Notify(nullptr, NotifyCode::kTasksChanged);
    // Saving turned off stops the running period too: no copy after the user said none.
    KillTimer(kAutoSaveTimer);
    StartAutoSaveTimer();
    return 0;
}

LRESULT CMainFrame::OnTipOfTheDay(WORD, WORD, HWND, bool&)
{
    ShowTipOfTheDay();
    return 0;
}

void CMainFrame::ShowTipOfTheDay()
{
    ::ShowTipOfTheDay();
}

// A new plan's goals come first: a tip posted meanwhile waits until the frame
// is enabled again, so the two never stand over each other.
LRESULT CMainFrame::OnShowTip(UINT, WPARAM, LPARAM, bool&)
{
    if (!IsWindowEnabled()) {
        m_tipWaiting = true;
        return 0;
    }
    ShowTipOfTheDay();
    return 0;
}

LRESULT CMainFrame::OnEnable(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam && m_tipWaiting) {
        m_tipWaiting = false;
        PostMessage(WM_MAINFRAME_SHOW_TIP);
    }
    handled = false;
    return 0;
}

LRESULT CMainFrame::OnAbout(WORD, WORD, HWND, bool&)
{
    CAboutDlg about;
    about.DoModal();
    return 0;
}

HWND CMainFrame::GetFilterCombo(UINT id) const
{
    switch (id) {
    case kStatusFilterId: return m_statusFilter;
    case kDateFilterId: return m_dateFilter;
    case kPriorityFilterId: return m_priorityFilter;
    default: return nullptr;
    }
}

void CMainFrame::OnFilterChange(HWND combo, int itemCount, void (CPelquornDoc::*apply)(int), void (*store)(DWORD))
{
    const auto index = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    // Nothing selected (-1) changes nothing.
    if (index < 0 || index >= itemCount)
        return;
    (m_doc.*apply)(index);
    store(static_cast<DWORD>(index));
}

LRESULT CMainFrame::OnStatusFilterChange(WORD, WORD, HWND, bool&)
{
    OnFilterChange(m_statusFilter, TaskCard::kStatusFilterCount, &CPelquornDoc::SetStatusFilter,
                   &Options::SetFilterField);
    return 0;
}

LRESULT CMainFrame::OnDateFilterChange(WORD, WORD, HWND, bool&)
{
    OnFilterChange(m_dateFilter, TaskCard::kDeadlineFilterCount, &CPelquornDoc::SetDeadlineFilter,
                   &Options::SetDeadlineFilterField);
    return 0;
}

LRESULT CMainFrame::OnPriorityFilterChange(WORD, WORD, HWND, bool&)
{
    OnFilterChange(m_priorityFilter, TaskCard::kPriorityFilterCount, &CPelquornDoc::SetPriorityFilter,
                   &Options::SetPriorityFilterField);
    return 0;
}

LRESULT CMainFrame::OnEnableFilters(UINT, WPARAM wParam, LPARAM, bool&)
{
    ::EnableWindow(m_dateFilter, wParam != 0);
    ::EnableWindow(m_priorityFilter, wParam != 0);
    return 0;
}

LRESULT CMainFrame::OnMoodsChanged(UINT, WPARAM, LPARAM, bool&)
{
    std::vector<MoodItem> moods;
    m_doc.GetMoods(moods);
    m_moodButton.ClearColors();
    for (const MoodItem& mood : moods)
        m_moodButton.AddColor(mood.GetName().c_str(), mood.GetColor(), mood.GetId());
    m_moodButton.SetCurrent(m_doc.GetCurrentMoodId());
    return 0;
}

LRESULT CMainFrame::OnMoodSelected(WORD, WORD, HWND, bool&)
{
    m_doc.SetCurrentMood(static_cast<int>(m_moodButton.GetCurrent()));
    return 0;
}

HWND CMainFrame::GetDailyPlanView() const
{
    const HWND view = m_dailyPlanView.GetHwnd();
    return view && ::IsWindow(view) ? view : nullptr;
}

HWND CMainFrame::GetTaskView() const
{
    return m_view.GetHwnd();
}

LRESULT CMainFrame::OnDailyPlanCommand(WORD code, WORD id, HWND control, bool&)
{
    if (const HWND view = GetDailyPlanView())
        ::SendMessageW(view, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    return 0;
}

LRESULT CMainFrame::OnHolidayCommand(WORD code, WORD id, HWND control, bool& handled)
{
    const HWND calendar = m_calendarView.GetHwnd();
    if (calendar && m_doc.GetDocumentWindow() == calendar) {
        ::SendMessageW(calendar, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        return 0;
    }
    return OnDailyPlanCommand(code, id, control, handled);
}

LRESULT CMainFrame::OnTaskViewCommand(WORD code, WORD id, HWND control, bool&)
{
    if (const HWND view = GetTaskView())
        ::SendMessageW(view, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    return 0;
}

LRESULT CMainFrame::OnTogglePane(WORD, WORD id, HWND, bool&)
{
    const size_t index = id - ID_VIEW_PANE_FIRST;
    if (index < m_panes.size() && m_panes[index] && m_panes[index]->IsWindow())
        m_panes[index]->Toggle();
    return 0;
}

CTabbedAutoHideDockingWindow* CMainFrame::GetPane(size_t index) const
{
    return index < m_panes.size() ? m_panes[index] : nullptr;
}

// The category tree's root: every category's tasks.
LRESULT CMainFrame::OnBackToAllTasks(WORD, WORD, HWND, bool&)
{
    m_categoryTree.SelectCategory(0);
    return 0;
}

void CMainFrame::ViewLinks::SelectTask(int taskId)
{
    CPelquornView& list = m_frame.m_view;
    if (!list.IsWindow())
        return;
    ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED);
    if (taskId != 0)
        list.SelectRow(list.FindRow(taskId));
}

void CMainFrame::ViewLinks::OpenTask(int taskId)
{
    if (m_frame.m_view.IsWindow())
        m_frame.m_view.OpenTask(taskId);
}

bool CMainFrame::ViewLinks::SelectCategory(int categoryId)
{
    return m_frame.m_categoryTree.SelectCategory(categoryId);
}
