// The main frame's creation: command bar, rebar and its bars, status bar, task list, docked panes, timers and tray icon.
#include "app/MainFrame.h"

#include <commctrl.h>

#include <span>
#include <utility>

#include "app/MainFrameTables.h"
#include "docking/dockwins/TabDockingBox.h"
#include "document/xml/MsxmlRegistration.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "foundation/ResourceModule.h"
#include "foundation/StepTimer.h"
#include "foundation/Translator.h"
#include "resources/IconIds.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/ToolbarItems.h"
#include "winlib/UniqueMenu.h"

using dockwins::CDockingSide;

namespace {

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
// Bars placed by the rebar, not by their own parent.
constexpr DWORD kBandChildStyle = CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
constexpr DWORD kCommandBarStyle = kBarStyle | kBandChildStyle;
constexpr UINT kRebarId = 0xE800;
constexpr DWORD kRebarStyle = kBarStyle | RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_AUTOSIZE | CCS_NODIVIDER;
constexpr UINT kStatusBarId = 0xE801;
constexpr DWORD kStatusBarStyle = kBarStyle | SBARS_SIZEGRIP;
constexpr DWORD kToolbarStyle = kBarStyle | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | kBandChildStyle;
constexpr DWORD kComboStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST;
// The first band id; the rebar's state is stored by band id.
constexpr UINT kFirstBandId = 0xEB00;
// Where the File menu keeps its recent documents.
constexpr int kRecentFilesItem = 8;
constexpr DWORD kPaneStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_OVERLAPPEDWINDOW;
constexpr RECT kFloatingRect = {0, 0, 200, 400};
constexpr RECT kDockedRect = {0, 0, 200, 150};

HICON LoadSmallIcon(UINT id, int size)
{
    return static_cast<HICON>(::LoadImageW(GetResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

SIZE WindowSize(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The width of a text in the status bar's font, plus the pane's margin.
int PaneWidth(HWND statusBar, const EString& text)
{
    const CClientDC dc(statusBar);
    const CSelectObject font(dc, reinterpret_cast<HFONT>(::SendMessageW(statusBar, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx + 6;
}

EString LoadedString(UINT id)
{
    EString text;
    text.LoadString(id);
    return text;
}

} // namespace

WindowClass CMainFrame::GetWindowClass()
{
    WindowClass info = Base::GetWindowClass();
    info.name = kMainWindowClassName;
    info.icon = LoadAppIcon(IDI_QUORVANE);
    info.smallIcon = LoadSmallIcon(IDI_QUORVANE, ::GetSystemMetrics(SM_CXSMICON));
    return info;
}

bool CMainFrame::CreateMainWindow()
{
    EString title;
    if (!title.LoadString(IDR_MAINFRAME))
        title = L"Quorvane";
    UniqueMenu menu(::LoadMenuW(GetResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    const bool created = Create(nullptr, RECT{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}, title.c_str(), 0, 0, menu);
    // The menu is the window's, or the command bar's once the bar has taken
    // it; a window that failed in WM_CREATE destroyed its menu with it. It is
    // still this function's only when no window was made.
    if (created || !::IsMenu(menu) || m_commandBar.GetMenu() == menu)
        menu.Release();
    if (!created)
        return false;
    LoadAccelerators(IDR_MAINFRAME);
    return true;
}

LRESULT CMainFrame::OnCreate(UINT, WPARAM, LPARAM, bool&)
{
    const StepTimer timing(L"frame-create");
    SetMainWindow(m_hWnd);
    // The start-up open is posted below: until it has run, nothing works on the plan.
    m_doc.HoldUntilStartupOpen();
    Resource::LoadUiLanguageFile();
    Text::LoadReportLanguageFile();
    EnsureMsxmlRegistered();

    if (!CreateCommandBar() || !CreateRebar() || !CreateButtonToolbars() || !CreateSelectorBars())
        return -1;
    AddBands();
    if (!CreateStatusBar())
        return -1;
    m_view.SetDialogs(&m_taskListDialogs);
    m_view.SetLinks(&m_viewLinks);
    // The calendar is handed its plan at once; the other views take theirs from the first notice.
    m_calendarView.SetDocument(&GetDocument());
    m_calendarView.SetLinks(&m_viewLinks);
    m_view.SetRowSelectedHandler([this](int row) {
        const TaskCard* task = m_view.GetRowTask(row);
        m_calendarView.SelectTask(task ? task->GetId() : 0);
    });
    GetDocument().SetDialogs(&m_documentDialogs);
    m_reportServices.SetDocument(&GetDocument());
    GetDocument().SetReportServices(&m_reportServices);
    GetDocument().SetFindServices(&m_search, &m_planEntryFinder, &m_findDialog);
    m_hWndClient = m_view.Create(m_hWnd);
    if (!m_hWndClient)
        return -1;
    m_commandBar.UpdateRebarBands();
    for (size_t bar = StandardBar; bar <= ItemBar; ++bar)
        m_commandStates.AddToolBar(m_bars[bar]);
    if (CMessageLoop* loop = CMessageLoop::Registered()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }
    InitializeDockingFrame(0);
    AttachView(m_view);
    CreatePanes();
    StartAutoSaveTimer();
    UpdateClock();
    m_trayHint.Create(m_hWnd);
    PostMessage(WM_MAINFRAME_STARTUP, 0, 0);
    PostMessage(WM_MAINFRAME_INSTALL_TRAY_ICON, 0, 0);
    return 0;
}

bool CMainFrame::CreateCommandBar()
{
    if (!m_commandBar.Create(m_hWnd, kCommandBarStyle))
        return false;
    const HMENU menu = ::GetMenu(m_hWnd);
    if (!menu)
        return false;
    m_recentFilesMenu = ::GetSubMenu(::GetSubMenu(menu, 0), kRecentFilesItem);
    Translator::TranslateMenu(menu);
    m_commandBar.AttachMenu(menu);
    // From now on the command bar is the menu.
    ::SetMenu(m_hWnd, nullptr);
    return true;
}

LRESULT CMainFrame::OnInitMenuPopup(UINT, WPARAM, LPARAM, bool& handled)
{
    // The command bar takes the items over once the frame has seen the popup.
    LoadMenuIcons();
    handled = false;
    return 0;
}

void CMainFrame::LoadMenuIcons()
{
    // Some 35 icons made at start-up would keep the window from showing for
    // a tenth of a second under Wine; no menu is open before the user opens one.
    if (std::exchange(m_menuIconsLoaded, true))
        return;
    const int iconSize = ::GetSystemMetrics(SM_CXSMICON);
    for (const auto& [icon, command] : MainFrameTables::kMenuIcons) {
        if (const HICON loaded = LoadSmallIcon(icon, iconSize)) {
            m_commandBar.AddIcon(loaded, command);
            ::DestroyIcon(loaded);
        }
    }
}

bool CMainFrame::CreateRebar()
{
    m_hWndToolBar = ::CreateWindowExW(0, REBARCLASSNAMEW, nullptr, kRebarStyle, 0, 0, 0, 0, m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRebarId)),
                                      ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWndToolBar)
        return false;
    ::SendMessageW(m_hWndToolBar, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    return true;
}

HWND CMainFrame::MakeToolbar(int width, int height)
{
    const HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, kToolbarStyle, 0, 0, width, height,
                                           m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (toolbar)
        ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return toolbar;
}

bool CMainFrame::CreateButtonToolbars()
{
    static_assert(std::size(MainFrameTables::kToolbars) == ItemBar - StandardBar + 1);
    for (size_t bar = StandardBar; bar <= ItemBar; ++bar) {
        m_bars[bar] = MakeToolbar(100, 100);
        if (!m_bars[bar])
            return false;
        const std::span<const ToolbarItem> items = MainFrameTables::kToolbars[bar - StandardBar];
        ToolbarBuildFromItems(m_bars[bar], items.data(), static_cast<int>(items.size()));
        m_commandBar.AddXPToolbar(m_bars[bar]);
    }
    return true;
}

HWND CMainFrame::MakeFilterCombo(HWND bar, UINT id)
{
    const HWND combo =
        ::CreateWindowExW(0, WC_COMBOBOXW, nullptr, kComboStyle, 0, 0, 200, 100, bar,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (combo)
        ::SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    return combo;
}

bool CMainFrame::CreateSelectorBars()
{
    m_bars[MoodBar] = MakeToolbar(90, 24);
    m_bars[StatusFilterBar] = MakeToolbar(200, 24);
    m_bars[DateFilterBar] = MakeToolbar(200, 24);
    m_bars[PriorityFilterBar] = MakeToolbar(200, 24);
    for (size_t bar = MoodBar; bar < BarCount; ++bar)
        if (!m_bars[bar])
            return false;
    if (!m_moodButton.Create(m_bars[MoodBar], RECT{0, 0, 90, 22}, kMoodButtonId))
        return false;
    m_statusFilter = MakeFilterCombo(m_bars[StatusFilterBar], kStatusFilterId);
    m_dateFilter = MakeFilterCombo(m_bars[DateFilterBar], kDateFilterId);
    m_priorityFilter = MakeFilterCombo(m_bars[PriorityFilterBar], kPriorityFilterId);
    if (!m_statusFilter || !m_dateFilter || !m_priorityFilter)
        return false;
    FillFilterCombos();
    return true;
}

void CMainFrame::FillFilterCombos()
{
    struct Filter {
        HWND combo;
        void (*names)(std::vector<EString>&);
        int chosen;
    };
    // The document's choices, which it keeps among the filters' items.
    const Filter filters[] = {
        {m_statusFilter, &TaskCard::GetStatusFilterKeys, m_doc.GetStatusFilter()},
        {m_dateFilter, &TaskCard::GetDateFilterKeys, m_doc.GetDeadlineFilter()},
        {m_priorityFilter, &TaskCard::GetPriorityFilterKeys, m_doc.GetPriorityFilter()},
    };
    for (const Filter& filter : filters) {
        std::vector<EString> names;
        filter.names(names);
        for (const EString& name : names)
            ::SendMessageW(filter.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::SendMessageW(filter.combo, CB_SETCURSEL, static_cast<WPARAM>(filter.chosen), 0);
    }
}

void CMainFrame::AddBands()
{
    struct Band {
        HWND child;
        const wchar_t* titleKey;
        bool newRow;
    };
    const Band bands[] = {
        {m_commandBar.m_hWnd, nullptr, false},
        {m_bars[StandardBar], nullptr, true},
        {m_bars[ViewBar], nullptr, false},
        {m_bars[SearchBar], nullptr, false},
        {m_bars[ItemBar], nullptr, false},
        {m_bars[MoodBar], L"Mood", false},
        {m_bars[StatusFilterBar], L"StatusFilter", true},
        {m_bars[DateFilterBar], L"DateFilter", false},
        {m_bars[PriorityFilterBar], L"PriorityFilter", false},
    };
    UINT id = kFirstBandId;
    for (const Band& band : bands) {
        EString title = band.titleKey ? Resource::Translate(band.titleKey) : EString();
        // A bar of buttons is as large as its buttons; a selector bar keeps its own size.
        SIZE size = WindowSize(band.child);
        SIZE buttons = {};
        if (::SendMessageW(band.child, TB_BUTTONCOUNT, 0, 0) > 0 &&
            ::SendMessageW(band.child, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&buttons)) && buttons.cx > 0) {
            size = buttons;
            ::SetWindowPos(band.child, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        REBARBANDINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_ID | RBBIM_SIZE | RBBIM_IDEALSIZE |
                     (title.IsEmpty() ? 0 : RBBIM_TEXT);
        info.fStyle = RBBS_CHILDEDGE | (band.newRow ? RBBS_BREAK : 0);
        info.hwndChild = band.child;
        info.wID = id++;
        info.cxMinChild = static_cast<UINT>(size.cx);
        info.cyMinChild = static_cast<UINT>(size.cy);
        info.cx = static_cast<UINT>(size.cx);
        info.cxIdeal = static_cast<UINT>(size.cx);
        info.lpText = title.IsEmpty() ? nullptr : title.data();
        ::SendMessageW(m_hWndToolBar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
    }
}

bool CMainFrame::CreateStatusBar()
{
    EString ready = Resource::Translate(LoadedString(IDS_IDLE_MESSAGE));
    if (ready.IsEmpty())
        ready = LoadedString(IDS_IDLE_MESSAGE);
    m_hWndStatusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, ready.c_str(), kStatusBarStyle, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kStatusBarId)),
                                        ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWndStatusBar)
        return false;
    m_summaryPaneWidth = PaneWidth(m_hWndStatusBar, LoadedString(ID_PANE_TASK_SUMMARY));
    m_clockPaneWidth = PaneWidth(m_hWndStatusBar, LoadedString(ID_PANE_CLOCK));
    m_commandStates.SetStatusBar(m_hWndStatusBar);
    LayoutStatusPanes();
    return true;
}

void CMainFrame::LayoutStatusPanes()
{
    if (!m_hWndStatusBar)
        return;
    // The bar spans the frame's client: measured on the frame, since the bar itself
    // takes the frame's new width only after the frame's WM_SIZE has come here.
    const int right = GetClientRect().right - ::GetSystemMetrics(SM_CXVSCROLL);
    int edges[3] = {right - m_summaryPaneWidth - m_clockPaneWidth, right - m_clockPaneWidth, -1};
    if (edges[0] < 0)
        edges[0] = 0;
    if (edges[1] < edges[0])
        edges[1] = edges[0];
    ::SendMessageW(m_hWndStatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

void CMainFrame::AttachView(IObserver& view)
{
    view.OnAttach(&m_tabOrder);
    m_doc.Attach(&view);
}

void CMainFrame::CreatePanes()
{
    struct PaneSpec {
        const wchar_t* captionKey;
        ICreatableWindow* view;
        CDockingSide side;
        bool pinned;
    };
    const PaneSpec panes[] = {
        {L"DeadlinesCalendar", &m_calendarView, CDockingSide::Top, true},
        {L"Categories", &m_categoryTree, CDockingSide::Left, false},
        {L"DailyPlan", &m_dailyPlanView, CDockingSide::Bottom, false},
        {L"People", &m_peopleTree, CDockingSide::Right, false},
    };
    for (const PaneSpec& pane : panes)
        CreateDockingPane(*pane.view, Resource::Translate(pane.captionKey), kFloatingRect, kDockedRect, pane.side,
                          pane.pinned);
    // The moods start as a second tab beside the people. Straight in: a row
    // of their own taken away again would leave the people's row narrowed.
    const HWND people = m_panes.size() == PeoplePane + 1 ? HWND(*m_panes[PeoplePane]) : nullptr;
    if (CreateDockingPane(m_moodList, Resource::Translate(L"Moods"), kFloatingRect, kDockedRect, CDockingSide::Right,
                          false, people) &&
        m_panes.size() == PaneCount) {
        // The people show first; the moods are a click on their tab away.
        if (dockwins::CTabDockingBox* box = dockwins::CTabDockingBox::FromHandle(m_panes[MoodsPane]->GetParent()))
            box->Tabs().SetCurSel(box->IndexOfWindow(*m_panes[PeoplePane]));
    }
    AttachView(m_categoryTree);
    AttachView(m_dailyPlanView);
    AttachView(m_calendarView);
    AttachView(m_peopleTree);
    AttachView(m_moodList);
}

HWND CMainFrame::CreateDockingPane(ICreatableWindow& view, const EString& caption, const RECT& floatingRect,
                                   const RECT& dockedRect, CDockingSide side, bool pinned, HWND besidePane)
{
    CTabbedAutoHideDockingWindow* pane = CTabbedAutoHideDockingWindow::CreateInstance();
    if (!pane)
        return nullptr;
    if (!pane->Create(m_hWnd, floatingRect, caption.c_str(), kPaneStyle, 0)) {
        delete pane;
        return nullptr;
    }
    if (!besidePane || !pane->DockInto(besidePane, 1))
        DockPaneAtSide(*pane, side, dockedRect);
    const HWND viewWindow = view.Create(*pane);
    m_panes.push_back(pane);
    pane->SetReflectNotifications(true);
    if (viewWindow)
        pane->SetClient(viewWindow);
    if (pinned)
        pane->PinUp(side, dockedRect.right - dockedRect.left, false);
    return *pane;
}

void CMainFrame::DockPaneAtSide(CTabbedAutoHideDockingWindow& pane, CDockingSide side, const RECT& dockedRect)
{
    // A docked pane leaves its place first (DockAtPosition undocks it).
    DockingPosition position = DockingPosition::RowOfItsOwn(side, dockedRect);
    pane.DockAtPosition(position);
}

LRESULT CMainFrame::OnInstallTrayIcon(UINT, WPARAM, LPARAM, bool&)
{
    InstallTrayIcon();
    return 0;
}

void CMainFrame::InstallTrayIcon()
{
    const StepTimer timing(L"tray-icon");
    const HICON icon = LoadSmallIcon(IDI_QUORVANE, ::GetSystemMetrics(SM_CXSMICON));
    InstallIcon(L"Quorvane", icon, IDR_TRAY_MENU);
}

void CMainFrame::BuildStateTree()
{
    for (CTabbedAutoHideDockingWindow* pane : m_panes)
        m_paneStates.Add(m_paneAdapters
                             .emplace_back(std::make_unique<sstate::CDockingWindowStateAdapter<CTabbedAutoHideDockingWindow>>(
                                 *pane, SW_SHOWNOACTIVATE))
                             ->GetState());
    m_stateMgr.Initialize(m_doc.GetRegistryKey().c_str(), m_hWnd, SW_SHOWDEFAULT);
    m_rebarState = std::make_unique<sstate::CRebarStateAdapter>(m_hWndToolBar, 0);
    m_statusBarState = std::make_unique<sstate::CToggleWindowAdapter>(m_hWndStatusBar, SW_SHOWNOACTIVATE);
    m_stateMgr.Add(m_rebarState->GetState());
    m_stateMgr.Add(m_statusBarState->GetState());
    m_stateMgr.Add(m_paneStates.GetState());
}

LRESULT CMainFrame::OnStartup(UINT, WPARAM, LPARAM, bool&)
{
    const StepTimer timing(L"deferred-startup");
    {
        const StepTimer restore(L"layout-restore");
        BuildStateTree();
        m_stateBuilt = true;
        m_stateMgr.Restore();
        UpdateLayout(true);
    }
    // After the tray icon and what the restore has posted: they take their
    // time while the plan is still being read ahead.
    PostMessage(WM_PELQUORN_START_OPEN, reinterpret_cast<WPARAM>(m_recentFilesMenu), 0);
    // After the start-up open: the window shows its plan first.
    if (Options::GetShowTipOnSturtup())
        PostMessage(WM_MAINFRAME_SHOW_TIP);
    ::SetFocus(m_hWndClient);
    ::PostMessageW(m_hWndClient, WM_VIEW_ACTIVATE, 0, 0);
    return 0;
}
