#include "views/calendar/DailyPlanView.h"

#include <commctrl.h>
#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "dialogs/DeadlinePicker.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/PrivateMessages.h"
#include "foundation/StepTimer.h"
#include "views/calendar/DailyPlanToolbars.h"

namespace {

constexpr int kPickerLeft = 2;
constexpr int kPickerMinWidth = 198;
constexpr int kPickerHeight = 24;
// Between the picker and the bars.
constexpr int kBarsGap = 10;
constexpr int kBarTop = 1;
constexpr int kBarHeight = 23;
constexpr int kComboWidth = 80;
constexpr int kComboDropHeight = 160;
constexpr int kLabelOffset = 88;
constexpr int kAlignComboOffset = 156;
constexpr int kLabelWidth = 60;
constexpr int kLabelHeight = 20;
constexpr int kLabelTop = 4;
constexpr int kDefaultLayoutDays = 5;
constexpr int kAlignMinutes[] = {1, 5, 10, 15, 30};

constexpr DWORD kNavigationBarStyle =
    WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE;
// The view buttons show their texts beside their pictures.
constexpr DWORD kViewBarStyle = kNavigationBarStyle | TBSTYLE_LIST;

HWND MakeChild(const wchar_t* className, const wchar_t* text, DWORD style, UINT id, HWND parent, const RECT& rect)
{
    const HWND child = ::CreateWindowExW(0, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                         rect.bottom - rect.top, parent,
                                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                         ::GetModuleHandleW(nullptr), nullptr);
    if (child)
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

int ToolbarWidth(HWND toolbar)
{
    int width = 0;
    const auto count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT button = {};
        if (::SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)))
            width += button.right - button.left;
    }
    return width;
}

void AddComboItem(HWND combo, const EString& text, int data)
{
    const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0)
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int SelectedItemData(HWND combo)
{
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index < 0 ? 0 : static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

} // namespace

CDailyPlanView::CDailyPlanView() : m_contents(*this) {}

CDailyPlanView::~CDailyPlanView() = default;

WindowClass CDailyPlanView::GetWindowClass()
{
    return {.name = L"QuorvaneDailyPlanView", .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
}

HWND CDailyPlanView::Create(HWND parent)
{
    // The docking pane sizes it.
    return CWindowImpl<CDailyPlanView>::Create({
        .parent = parent,
        .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        .rect = {0, 0, 0, 0},
    });
}

LRESULT CDailyPlanView::OnCreate(UINT, WPARAM, LPARAM, bool&)
{
    CreateBand();
    if (const HWND mainWindow = GetMainWindow()) {
        ::PostMessageW(mainWindow, WM_PELQUORN_ADD_TOOLBAR, reinterpret_cast<WPARAM>(m_navigationBar), 0);
        ::PostMessageW(mainWindow, WM_PELQUORN_ADD_TOOLBAR, reinterpret_cast<WPARAM>(m_viewBar), 0);
    }
    CreateContents();
    FillDaysCombo();
    FillAlignCombo();
    ShowMode(Options::GetShowAsLayoutDays() == 0, false);
    return 0;
}

// Made when first opened: most sessions never open it, and the start-up need not wait for it.
CPlanDialog& CDailyPlanView::OpenablePlanDialog()
{
    if (!m_planDialog.IsWindow() && m_planDialog.Create(m_hWnd))
        m_planDialog.SetNotifyWindow(m_hWnd);
    return m_planDialog;
}

void CDailyPlanView::CreateBand()
{
    m_dayPicker = MakeChild(DATETIMEPICK_CLASSW, L"DayPicker", WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT,
                            kDayPickerId, m_hWnd, {kPickerLeft, 0, kPickerLeft + kPickerMinWidth, kPickerHeight});
    // The long date shows whole, the year too.
    ::SetWindowPos(m_dayPicker, nullptr, 0, 0, std::max(kPickerMinWidth, DatePickerWidth(m_dayPicker)), kPickerHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The picker would start on the system's day; the plan's today is the program's clock.
    SetDate(Clock::Today(), false);
    m_navigationBar = MakeChild(TOOLBARCLASSNAMEW, nullptr, kNavigationBarStyle, kNavigationBarId, m_hWnd,
                                {0, kBarTop, 100, kBarTop + kBarHeight});
    FillNavigationBar(m_navigationBar);
    m_viewBar = MakeChild(TOOLBARCLASSNAMEW, nullptr, kViewBarStyle, 0, m_hWnd, {0, kBarTop, 100, kBarTop + kBarHeight});
    FillViewBar(m_viewBar);
    const DWORD comboStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    m_daysCombo = MakeChild(WC_COMBOBOXW, nullptr, comboStyle, kDaysComboId, m_hWnd, {0, 0, kComboWidth, kComboDropHeight});
    m_alignLabel = MakeChild(WC_STATICW, TranslatedOrKey(L"Align").c_str(), WS_CHILD | WS_VISIBLE, 0xFFFF, m_hWnd,
                             {0, kLabelTop, kLabelWidth, kLabelTop + kLabelHeight});
    m_alignCombo = MakeChild(WC_COMBOBOXW, nullptr, comboStyle, kAlignComboId, m_hWnd, {0, 0, kComboWidth, kComboDropHeight});
    LayoutBand();
}

// The bars follow the picker and take the widths of their buttons; the combos and the label follow them.
void CDailyPlanView::LayoutBand()
{
    const RECT picker = CWindow(m_dayPicker).GetWindowRect();
    const int barsLeft = kPickerLeft + static_cast<int>(picker.right - picker.left) + kBarsGap;
    const int navigationWidth = ToolbarWidth(m_navigationBar);
    const int viewLeft = barsLeft + navigationWidth;
    const int viewWidth = ToolbarWidth(m_viewBar) + 8;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(m_navigationBar, nullptr, barsLeft, kBarTop, navigationWidth, kBarHeight, flags);
    ::SetWindowPos(m_viewBar, nullptr, viewLeft, kBarTop, viewWidth, kBarHeight, flags);
    const int combosLeft = viewLeft + viewWidth;
    ::SetWindowPos(m_daysCombo, nullptr, combosLeft, 0, kComboWidth, kComboDropHeight, flags);
    ::SetWindowPos(m_alignLabel, nullptr, combosLeft + kLabelOffset, kLabelTop, kLabelWidth, kLabelHeight, flags);
    ::SetWindowPos(m_alignCombo, nullptr, combosLeft + kAlignComboOffset, 0, kComboWidth, kComboDropHeight, flags);
}

void CDailyPlanView::CreateContents()
{
    const RECT client = GetClientRect();
    const RECT rect = {0, kBandHeight, client.right, std::max(client.bottom, static_cast<LONG>(kBandHeight))};
    m_contents.Create(*this, rect);
}

void CDailyPlanView::FillDaysCombo()
{
    for (int days = 1; days <= 7; ++days)
        AddComboItem(m_daysCombo, TranslatedOrKey(EString::Formatted(L"%dDAY", days).c_str()), days);
    auto layoutDays = static_cast<int>(Options::GetLayoutDays());
    if (layoutDays < 1 || layoutDays > 7)
        layoutDays = kDefaultLayoutDays;
    ::SendMessageW(m_daysCombo, CB_SETCURSEL, static_cast<WPARAM>(layoutDays - 1), 0);
    m_contents.SetLayoutDays(layoutDays);
}

void CDailyPlanView::FillAlignCombo()
{
    for (int minutes : kAlignMinutes)
        AddComboItem(m_alignCombo, TranslatedOrKey(EString::Formatted(L"%dMIN", minutes).c_str()), minutes);
    int stored = static_cast<int>(Options::GetAlignToGridMinutes());
    if (stored <= 0)
        stored = 1;
    // A value no item has shows the first item; the grid still aligns to it.
    int selected = 0;
    for (int i = 0; i < static_cast<int>(std::size(kAlignMinutes)); ++i)
        if (kAlignMinutes[i] == stored)
            selected = i;
    ::SendMessageW(m_alignCombo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    m_contents.SetAlignMinutes(stored);
}

LRESULT CDailyPlanView::OnDaysChanged(WORD, WORD, HWND, bool&)
{
    const int days = SelectedItemData(m_daysCombo);
    if (days <= 0)
        return 0;
    Options::SetLayoutDays(static_cast<DWORD>(days));
    m_contents.SetLayoutDays(days);
    ReloadDay();
    return 0;
}

LRESULT CDailyPlanView::OnAlignChanged(WORD, WORD, HWND, bool&)
{
    const int minutes = SelectedItemData(m_alignCombo);
    if (minutes <= 0)
        return 0;
    Options::SetAlignToGridMinutes(static_cast<DWORD>(minutes));
    m_contents.SetAlignMinutes(minutes);
    return 0;
}

LRESULT CDailyPlanView::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_planDialog.IsWindow())
        m_planDialog.DestroyWindow();
    handled = false;
    return 0;
}

LRESULT CDailyPlanView::OnSize(UINT, WPARAM, LPARAM lParam, bool&)
{
    const RECT rect = {0, kBandHeight, LOWORD(lParam), std::max<LONG>(HIWORD(lParam), kBandHeight)};
    m_contents.Resize(rect);
    return 0;
}

bool CDailyPlanView::PreTranslateMessage(MSG* message)
{
    const bool isKey = message->message >= WM_KEYDOWN && message->message <= WM_SYSDEADCHAR;
    const HWND content = GetContent().GetContentWindow();
    const bool inDay =
        message->hwnd == m_hWnd || (content && (message->hwnd == content || ::IsChild(content, message->hwnd)));
    if (isKey && !inDay)
        return false;
    return ViewBase::PreTranslateMessage(message);
}

LRESULT CDailyPlanView::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    if (const HWND content = GetContent().GetContentWindow())
        ::SetFocus(content);
    handled = false;
    return 0;
}

LRESULT CDailyPlanView::OnTimer(UINT, WPARAM wParam, LPARAM, bool&)
{
    // The shown content's navigation step or refresh; each re-arms its timer.
    if (!GetContent().OnOwnerTimer(wParam))
        KillTimer(wParam);
    return 0;
}

LRESULT CDailyPlanView::OnPickerChanged(int, NMHDR*, bool&)
{
    ShowDayNames(m_dayPicker);
    GetContent().OnDateChanged();
    ReloadDay();
    return 0;
}

LRESULT CDailyPlanView::OnPickerDropDown(int, NMHDR*, bool&)
{
    if (const auto calendar = reinterpret_cast<HWND>(::SendMessageW(m_dayPicker, DTM_GETMONTHCAL, 0, 0)))
        ::SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, Locale::GetMonthCalFirstDay());
    return 0;
}

// The main window knows the tool tips of every command.
LRESULT CDailyPlanView::OnToolTipText(int id, NMHDR* header, bool&)
{
    if (const HWND mainWindow = GetMainWindow())
        return ::SendMessageW(mainWindow, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(header));
    return 0;
}

LRESULT CDailyPlanView::OnExtraButtonUp(UINT, WPARAM wParam, LPARAM, bool&)
{
    MoveDays(GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? -1 : 1);
    return TRUE;
}

double CDailyPlanView::GetDate()
{
    SYSTEMTIME time = {};
    double date = 0;
    if (::SendMessageW(m_dayPicker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID ||
        !::SystemTimeToVariantTime(&time, &date))
        return std::floor(Clock::Now());
    return std::floor(date);
}

void CDailyPlanView::SetDate(double date, bool reload)
{
    SYSTEMTIME time = {};
    if (::VariantTimeToSystemTime(date, &time))
        ::SendMessageW(m_dayPicker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    ShowDayNames(m_dayPicker);
    if (reload)
        ReloadDay();
}

void CDailyPlanView::ReloadDay()
{
    const StepTimer timing(L"daily-plan-day", StepTimer::kWhenSlow);
    CDayManagerBase& content = GetContent();
    content.ReloadHolidays();
    content.ForgetDaySummary();
    content.LoadEntries();
    if (IDailyPlanDocument* document = GetDocument(); document && !content.HasToldDaySummary())
        document->UpdateDaySummary(GetDate());
}

void CDailyPlanView::MoveDays(int days)
{
    const double base = days != 0 ? GetDate() : Clock::Now();
    SetDate(base + days, false);
    GetContent().OnDateChanged();
    ReloadDay();
}

void CDailyPlanView::ShowMode(bool list, bool refresh)
{
    Options::SetShowAsLayoutDays(list ? 0 : 1);
    m_listShown = list ? 1 : 0;
    ::EnableWindow(m_daysCombo, list ? FALSE : TRUE);
    m_contents.Show(list);
    // The pane reloads the shown content once; the other views hear of it.
    if (IDailyPlanDocument* document = GetDocument()) {
        ReloadDay();
        document->Notify(this, NotifyCode::kTasksChanged);
    }
    if (refresh)
        RefreshCommandUI(true);
}

LRESULT CDailyPlanView::OnShowList(WORD, WORD, HWND, bool&)
{
    if (!m_listShown)
        ShowMode(true, true);
    return 0;
}

LRESULT CDailyPlanView::OnShowGrid(WORD, WORD, HWND, bool&)
{
    if (m_listShown)
        ShowMode(false, true);
    return 0;
}

void CDailyPlanView::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    IDailyPlanDocument* document = GetDocument();
    m_contents.SetDocument(document);
    if (!document || !IsWindow())
        return;
    switch (code) {
    case NotifyCode::kAll:
        // The day shows its entries whatever the filters: a change of them leaves it as it is.
        if (!document->IsFilterNotice())
            ReloadDay();
        break;
    case NotifyCode::kTasksChanged:
        // Reads the day's summary with the day.
        ReloadDay();
        break;
    case NotifyCode::kDocumentLoaded:
        // An entry being edited belongs to the plan that went: its OK must
        // not write into the new one.
        if (m_planDialog.IsWindow())
            m_planDialog.ShowWindow(SW_HIDE);
        document->UpdateDaySummary(GetDate());
        break;
    case NotifyCode::kReload:
        document->UpdateDaySummary(GetDate());
        break;
    case NotifyCode::kHolidaysChanged:
        GetContent().ReloadHolidays();
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        break;
    case NotifyCode::kPlanEntriesFound:
        ShowFoundEntry();
        break;
    default:
        break;
    }
}

void CDailyPlanView::FillCommandState(CommandUiState& state)
{
    const bool gridShown = !m_listShown;
    switch (state.commandId) {
    case ID_RECURRING_TASKS:
    case ID_RESCHEDULE_TOMORROW:
        state.enabled = 1;
        break;
    case ID_DAY_SHOW_LIST:
        state.enabled = 1;
        state.checked = m_listShown ? 1 : 0;
        break;
    case ID_DAY_SHOW_CALENDAR:
        state.enabled = 1;
        state.checked = gridShown ? 1 : 0;
        break;
    case ID_DAY_ZOOM_OUT:
    case ID_DAY_ZOOM_IN:
        state.enabled = gridShown ? 1 : 0;
        break;
    case ID_DAY_HOLIDAY:
        state.enabled = 1;
        state.checked = GetContent().IsShownDateHoliday() ? 1 : 0;
        break;
    default:
        break;
    }
}

void CDailyPlanView::UpdateCommandUI(bool active)
{
    if (!GetMainWindow())
        return;
    CDayManagerBase& content = GetContent();
    const int selected = content.HasSelection();
    IDailyPlanDocument* document = GetDocument();
    for (const int id : {ID_RECURRING_TASKS, ID_RESCHEDULE_TOMORROW, ID_DAY_SHOW_LIST, ID_DAY_SHOW_CALENDAR,
                         ID_DAY_ZOOM_OUT, ID_DAY_ZOOM_IN}) {
        CommandUiState state = {0, 0, id};
        FillCommandState(state);
        SendCommandState(active, id, state.enabled != 0, state.checked != 0);
    }
    SendCommandState(active, ID_TASK_DELETE, selected >= 1);
    SendCommandState(active, ID_TASK_EDIT, selected == 1);
    SendCommandState(active, ID_TASK_ADD, document && document->HasFilteredTasks());
    std::vector<int> ids;
    if (selected >= 1)
        content.GetSelectedEntryIds(ids);
    SendCommandState(active, ID_TASK_COMPLETE, selected >= 1, selected >= 1 && content.AreAllCompleted(ids));
    SendCommandState(active, ID_LOCATE_CATEGORY, selected == 1);
    SendCommandState(active, ID_ADJUST_START_TIME, selected == 1);
    SendCommandState(active, ID_ADJUST_STOP_TIME, selected == 1);
    SendCommandState(active, ID_LOCATE_SCHEDULE, selected == 1);
}
