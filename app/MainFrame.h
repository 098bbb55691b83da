// CMainFrame: the program's one top-level window: the command bar, toolbars, filters, status bar, the task list and the docked panes around it.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "resources/AppCommandIds.h"
#include "app/MainWindowClass.h"
#include "app/SdiFrame.h"
#include "app/DocumentDialogs.h"
#include "app/TaskListDialogs.h"
#include "app/TrayIconImpl.h"
#include "dialogs/DocumentPrompts.h"
#include "dialogs/FindDialog.h"
#include "docking/commandbar/CommandBarXPCtrl.h"
#include "docking/dockwins/TabbedAutoHideDockingWindow.h"
#include "docking/sstate/DockWndMgr.h"
#include "docking/sstate/DockingWindowStateAdapter.h"
#include "docking/sstate/RebarStateAdapter.h"
#include "docking/sstate/ToggleWindowAdapter.h"
#include "docking/sstate/WindowStateMgr.h"
#include "document/IStatusBarSink.h"
#include "document/PelquornDoc.h"
#include "foundation/ModalScope.h"
#include "foundation/PrivateMessages.h"
#include "online/RpcSession.h"
#include "reports/PlanEntryFinder.h"
#include "reports/ReportServices.h"
#include "reports/SearchResults.h"
#include "views/calendar/CalendarView.h"
#include "views/calendar/DailyPlanView.h"
#include "views/tasks/CategoryTree.h"
#include "views/tasks/PelquornView.h"
#include "views/tasks/MoodListCtrl.h"
#include "views/tasks/PeopleTreeView.h"
#include "views/common/PsyColorButton.h"
#include "views/common/YellowTip.h"

// Frame timers: one-shot, re-armed by their handlers.
enum MainFrameTimer : UINT_PTR { kAutoSaveTimer = 3, kClockTimer = 4, kTrayHoverTimer = 5 };

class CMainFrame : public CSdiFrame<CMainFrame, CPelquornDoc>,
                   public CTrayIconImpl<CMainFrame>,
                   public IStatusBarSink {
    using Base = CSdiFrame<CMainFrame, CPelquornDoc>;

public:
    // The panes in creation order; index i of the first four answers the
    // show-pane command ID_VIEW_PANE_FIRST + i. The moods share the people's tab box.
    enum Pane : size_t { CalendarPane, CategoriesPane, DailyPlanPane, PeoplePane, MoodsPane, PaneCount };
    // The filter combos' control ids.
    static constexpr UINT kStatusFilterId = 1026;
    static constexpr UINT kDateFilterId = 1195;
    static constexpr UINT kPriorityFilterId = 1196;
    static constexpr UINT kMoodButtonId = 1211;
    // The status bar's panes after the menu help: the task summary and the clock.
    static constexpr UINT kSummaryPane = 1;
    static constexpr UINT kClockPane = 2;

    CMainFrame();
    ~CMainFrame() override;

    static WindowClass GetWindowClass();
    // The window with its title and menu (resource 128), then its keyboard
    // table; false when the window could not be made.
    bool CreateMainWindow();

    // IStatusBarSink: the document's task summary (pane 1).
    void SetPaneText(int pane, const EString& text) override;

    bool PreTranslateMessage(MSG* message) override;
    int OnIdle(int idleCount) override;
    // Sends the frame's own command states to itself, enabled or all disabled.
    void UpdateCommandUI(bool enable);

    // The one timer period of the automatic copy; nothing while "AutoSave" is 0.
    void StartAutoSaveTimer();
    // The period the automatic copy's timer was last armed with, in ms; 0 while it is off.
    UINT GetAutoSavePeriod() const { return m_autoSavePeriod; }
    void UpdateClock();
    // The tip dialog, modal over the active window.
    void ShowTipOfTheDay();

    // What the tests and the views reach.
    CTabbedAutoHideDockingWindow* GetPane(size_t index) const;
    size_t GetPaneCount() const { return m_panes.size(); }
    HWND GetRebar() const { return m_hWndToolBar; }
    HWND GetStatusBar() const { return m_hWndStatusBar; }
    HWND GetFilterCombo(UINT id) const;
    CPsyColorButton& GetMoodButton() { return m_moodButton; }
    CCommandBarXPCtrl& GetCommandBar() { return m_commandBar; }
    HWND GetBar(size_t index) const { return m_bars[index]; }
    // The daily plan view and the task list, when they exist (forwarded commands).
    HWND GetDailyPlanView() const;
    HWND GetTaskView() const;
    CPelquornView& GetTaskList() { return m_view; }
    CFindDialog& GetFindDialog() { return m_findDialog; }
    CCalendarView& GetCalendar() { return m_calendarView; }
    CCategoryTree& GetCategoryTree() { return m_categoryTree; }
    CDailyPlanView& GetDailyPlan() { return m_dailyPlanView; }

    BEGIN_MESSAGE_MAP(CMainFrame)
        ON_MESSAGE(WM_COMMAND, OnCommandWhileModal)
        ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
        ON_MESSAGE(WM_MODAL_WORK_ENDED, OnModalWorkEnded)
        ON_NOTIFY_CODE(TTN_GETDISPINFOA, OnToolTipTextA)
        ON_NOTIFY_CODE(TTN_GETDISPINFOW, OnToolTipTextW)
        ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
        ON_MESSAGE(WM_PELQUORN_TRACK_MENU, OnTrackMenu)
        ON_MESSAGE(WM_MAINFRAME_STARTUP, OnStartup)
        ON_MESSAGE(WM_MAINFRAME_INSTALL_TRAY_ICON, OnInstallTrayIcon)
        ON_MESSAGE(WM_MAINFRAME_SHOW_TIP, OnShowTip)
        ON_MESSAGE(WM_ENABLE, OnEnable)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_ACTIVATE, OnActivate)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_MAINFRAME_MAXIMIZE_BANDS, OnMaximizeBands)
        ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
        ON_MESSAGE(WM_MAINFRAME_MOODS_CHANGED, OnMoodsChanged)
        ON_MESSAGE(WM_PELQUORN_ADD_TOOLBAR, OnAddToolbar)
        ON_COMMAND(ID_APP_EXIT, OnExit)
        ON_COMMAND(ID_VIEW_MOOD_BAR, OnToggleBar)
        ON_COMMAND(ID_VIEW_STATUS_FILTER, OnToggleBar)
        ON_COMMAND(ID_VIEW_DATE_FILTER, OnToggleBar)
        ON_COMMAND(ID_VIEW_PRIORITY_FILTER, OnToggleBar)
        ON_COMMAND(ID_VIEW_VIEW_BUTTONS, OnToggleBar)
        ON_COMMAND(ID_VIEW_SEARCH_BUTTONS, OnToggleBar)
        ON_COMMAND(ID_VIEW_STANDARD_BUTTONS, OnToggleBar)
        ON_COMMAND(ID_VIEW_STATUS_BAR, OnToggleStatusBar)
        ON_COMMAND(ID_HOME_PAGE, OnWebPage)
        ON_COMMAND(ID_HOME_PAGE_MIRROR, OnWebPage)
        ON_COMMAND(ID_BLOG, OnWebPage)
        ON_MESSAGE(WM_COPYDATA, OnCopyData)
        ON_MESSAGE(WM_MAINFRAME_OPEN_HANDED_OVER, OnOpenHandedOver)
        ON_COMMAND(ID_HINTS_AND_TIPS, OnHelpPage)
        ON_COMMAND(ID_TUTORIAL, OnHelpPage)
        ON_COMMAND(ID_HELP_TOPICS, OnHelpTopics)
        ON_COMMAND(ID_OPTIONS, OnOptions)
        ON_COMMAND(ID_TIP_OF_THE_DAY, OnTipOfTheDay)
        ON_COMMAND(ID_APP_ABOUT, OnAbout)
        ON_COMMAND(ID_BACK_TO_ALL_TASKS, OnBackToAllTasks)
        ON_COMMAND_CODE(kStatusFilterId, CBN_SELENDOK, OnStatusFilterChange)
        ON_COMMAND_CODE(kDateFilterId, CBN_SELENDOK, OnDateFilterChange)
        ON_COMMAND_CODE(kPriorityFilterId, CBN_SELENDOK, OnPriorityFilterChange)
        ON_COMMAND_CODE(kMoodButtonId, CBN_SELENDOK, OnMoodSelected)
        ON_MESSAGE(WM_MAINFRAME_ENABLE_FILTERS, OnEnableFilters)
        ON_MESSAGE(GetCallbackMessage(), OnTrayNotify)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnSetTrayHint)
        ON_COMMAND(ID_TRAY_EXIT, OnExit)
        ON_COMMAND(ID_APP_RESTORE, OnRestore)
        ON_MESSAGE(WM_MAINFRAME_EXIT, OnExitRequest)
        ON_MESSAGE(WM_CLOSE, OnClose)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_COMMAND(ID_RECURRING_TASKS, OnDailyPlanCommand)
        ON_COMMAND(ID_RESCHEDULE_TOMORROW, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_SHOW_LIST, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_SHOW_CALENDAR, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_HOLIDAY, OnHolidayCommand)
        ON_COMMAND(ID_DAY_ZOOM_IN, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_ZOOM_OUT, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_PREVIOUS, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_TODAY, OnDailyPlanCommand)
        ON_COMMAND(ID_DAY_NEXT, OnDailyPlanCommand)
        ON_COMMAND(ID_TRACK_NOW_NAME_LATER, OnTaskViewCommand)
        ON_COMMAND(ID_CUSTOMIZE_REPORTS, OnCustomizeReports)
        ON_COMMAND(ID_CUSTOMIZE_TEMPLATES, OnCustomizeTemplates)
        ON_COMMAND(ID_CUSTOMIZE_EXPORTS, OnCustomizeExports)
        ON_COMMAND(ID_CUSTOMIZE_IMPORTS, OnCustomizeImports)
        ON_COMMAND_RANGE(ID_VIEW_PANE_FIRST, ID_VIEW_PANE_LAST, OnTogglePane)
        if (message == WM_COMMAND && LOWORD(wParam) == kMoodButtonId)
            CHAIN_MESSAGE_MAP_MEMBER(m_moodButton)
        CHAIN_MESSAGE_MAP(Base)
        CHAIN_MESSAGE_MAP(CTrayIconImpl<CMainFrame>)
        REFLECT_NOTIFICATIONS()
    END_MESSAGE_MAP()

private:
    // The eight bars of the rebar, in band order after the command bar.
    enum Bar : size_t { StandardBar, ViewBar, SearchBar, ItemBar, MoodBar, StatusFilterBar, DateFilterBar,
                        PriorityFilterBar, BarCount };

    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnInitMenuPopup(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnStartup(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnInstallTrayIcon(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnShowTip(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEnable(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnToolTipTextA(int, NMHDR* header, bool&);
    LRESULT OnToolTipTextW(int, NMHDR* header, bool&);
    LRESULT OnMenuSelect(UINT, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnTrackMenu(UINT, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnActivate(UINT, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnMaximizeBands(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnQueryEndSession(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnMoodsChanged(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnAddToolbar(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnExit(WORD, WORD, HWND, bool&);
    LRESULT OnToggleBar(WORD, WORD id, HWND, bool&);
    LRESULT OnToggleStatusBar(WORD, WORD, HWND, bool&);
    LRESULT OnWebPage(WORD, WORD id, HWND, bool&);
    LRESULT OnCopyData(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnOpenHandedOver(UINT, WPARAM, LPARAM, bool&);
    // New, Open and the recent files wait while modal work holds the plan;
    // while a plan is being opened, every command that may touch it waits.
    LRESULT OnCommandWhileModal(UINT, WPARAM wParam, LPARAM lParam, bool& handled);
    static bool IsHeldWhileOpening(WPARAM wParam, LPARAM lParam);
    // A dialog, a message box, a script's wait or an open holds the plan.
    bool IsPlanInHand() const;
    LRESULT OnModalWorkEnded(UINT, WPARAM, LPARAM, bool&);
    // Kept for the end of the modal work: a close, Exit above the close box's;
    // and, apart from it, the last request to replace the plan.
    void DeferClose(WPARAM wParam);
    void DeferReplacement(UINT message, WPARAM wParam);
    void CarryOutHeldCommands();
    // The close box's close with the tray icon: the window only hides.
    bool CloseOnlyHides(WPARAM wParam) const;
    LRESULT OnHelpPage(WORD, WORD id, HWND, bool&);
    LRESULT OnHelpTopics(WORD, WORD, HWND, bool&);
    // The options sheet; whatever closed it, the views refresh and the automatic copy follows "AutoSave".
    LRESULT OnOptions(WORD, WORD, HWND, bool&);
    LRESULT OnTipOfTheDay(WORD, WORD, HWND, bool&);
    LRESULT OnAbout(WORD, WORD, HWND, bool&);
    LRESULT OnBackToAllTasks(WORD, WORD, HWND, bool&);
    LRESULT OnStatusFilterChange(WORD, WORD, HWND, bool&);
    LRESULT OnDateFilterChange(WORD, WORD, HWND, bool&);
    LRESULT OnPriorityFilterChange(WORD, WORD, HWND, bool&);
    LRESULT OnMoodSelected(WORD, WORD, HWND, bool&);
    LRESULT OnEnableFilters(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSetTrayHint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnRestore(WORD, WORD, HWND, bool&);
    LRESULT OnExitRequest(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClose(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnDailyPlanCommand(WORD code, WORD id, HWND control, bool&);
    // The day chosen on the deadlines calendar when it is the active view, else the daily plan's day.
    LRESULT OnHolidayCommand(WORD code, WORD id, HWND control, bool&);
    LRESULT OnTaskViewCommand(WORD code, WORD id, HWND control, bool&);
    LRESULT OnTogglePane(WORD, WORD id, HWND, bool&);
    // MainFrameCustomize.cpp: one modal dialog per kind of the user's files.
    LRESULT OnCustomizeReports(WORD, WORD, HWND, bool&);
    LRESULT OnCustomizeTemplates(WORD, WORD, HWND, bool&);
    LRESULT OnCustomizeExports(WORD, WORD, HWND, bool&);
    LRESULT OnCustomizeImports(WORD, WORD, HWND, bool&);

    // Creation steps.
    bool CreateCommandBar();
    // The pictures of the menus' items, made when a menu first opens.
    void LoadMenuIcons();
    bool CreateRebar();
    bool CreateButtonToolbars();
    bool CreateSelectorBars();
    void AddBands();
    bool CreateStatusBar();
    void FillFilterCombos();
    // The summary and clock panes keep their widths at the right end.
    void LayoutStatusPanes();
    void CreatePanes();
    // Docked at the side, or as a tab of `besidePane` when it has one.
    HWND CreateDockingPane(ICreatableWindow& view, const EString& caption, const RECT& floatingRect,
                           const RECT& dockedRect, dockwins::CDockingSide side, bool pinned,
                           HWND besidePane = nullptr);
    void DockPaneAtSide(CTabbedAutoHideDockingWindow& pane, dockwins::CDockingSide side, const RECT& dockedRect);
    void AttachView(IObserver& view);
    void InstallTrayIcon();
    void BuildStateTree();

    HWND MakeToolbar(int width, int height);
    HWND MakeFilterCombo(HWND bar, UINT id);
    void OnFilterChange(HWND combo, int itemCount, void (CPelquornDoc::*apply)(int), void (*store)(DWORD));
    static bool IsBarVisible(HWND bar);

    // What each view reaches of this frame's others: its views never reach another frame's.
    class ViewLinks : public IViewLinks {
    public:
        explicit ViewLinks(CMainFrame& frame) : m_frame(frame) {}
        void SelectTask(int taskId) override;
        void OpenTask(int taskId) override;
        bool SelectCategory(int categoryId) override;

    private:
        CMainFrame& m_frame;
    };

    // Before the views, which borrow them.
    ViewLinks m_viewLinks{*this};
    TaskListDialogs m_taskListDialogs;
    DocumentDialogs m_documentDialogs;
    ReportServices m_reportServices;
    // Made on the first Find, owned by the window.
    CFindDialog m_findDialog;
    // The document's find and plan-entry search.
    SearchResults m_search;
    PlanEntryFinder m_planEntryFinder;
    // The document's session, given in the constructor and taken back in the destructor.
    CRpcSession m_onlineSession;
    // The document's questions as message boxes and file dialogs.
    DocumentPrompts m_prompts;
    CPelquornView m_view;
    CCategoryTree m_categoryTree;
    CDailyPlanView m_dailyPlanView;
    CCalendarView m_calendarView;
    CPeopleTreeView m_peopleTree;
    CMoodListCtrl m_moodList;

    CCommandBarXPCtrl m_commandBar;
    std::array<HWND, BarCount> m_bars = {};
    HWND m_statusFilter = nullptr;
    HWND m_dateFilter = nullptr;
    HWND m_priorityFilter = nullptr;
    CPsyColorButton m_moodButton;
    // Over the notification area: screen points, shown above the pointer.
    CYellowTip m_trayHint{YellowTipOptions{.autoHide = true, .above = true, .screenCoordinates = true}};
    POINT m_lastTrayPoint = {0, 0};
    HMENU m_recentFilesMenu = nullptr;
    bool m_menuIconsLoaded = false;
    // The bands' rectangles as the last maximizing left them: from the same
    // rectangles, maximizing again would only move the bars where they are.
    std::vector<RECT> m_maximizedBands;
    int m_summaryPaneWidth = 0;
    int m_clockPaneWidth = 0;
    UINT m_autoSavePeriod = 0;
    // The start-up tip waits here while a modal window disables the frame.
    bool m_tipWaiting = false;
    // The handed-over path waits here for its open request; the last one
    // handed over is the one opened.
    EString m_handedOverPath;
    // Requests that came in while a dialog, a message box, a menu, a drag or
    // a script held the plan (message 0: none).
    struct DeferredRequest {
        UINT message = 0;
        WPARAM wParam = 0;
    };
    DeferredRequest m_deferredClose;
    DeferredRequest m_deferredReplacement;
    // The commands (their WPARAMs) that came while a plan was being opened.
    std::vector<WPARAM> m_heldCommands;
    // The automatic copy's tick came while the plan was being opened or
    // replaced: the copy is written once that is over.
    bool m_autoCopyDue = false;

    sstate::CWindowStateMgr m_stateMgr{nullptr, SW_SHOWNOACTIVATE};
    // Set by the deferred start-up: a close before it stores nothing.
    bool m_stateBuilt = false;
    // The first idle moment is logged: the start-up has then done its work.
    bool m_idleSinceStart = false;
    sstate::CDockWndMgr m_paneStates;
    std::vector<std::unique_ptr<sstate::CDockingWindowStateAdapter<CTabbedAutoHideDockingWindow>>> m_paneAdapters;
    std::unique_ptr<sstate::CRebarStateAdapter> m_rebarState;
    std::unique_ptr<sstate::CToggleWindowAdapter> m_statusBarState;

    std::vector<CTabbedAutoHideDockingWindow*> m_panes;
};
