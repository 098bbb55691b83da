#include "winlib/CommandBar.h"

#include <algorithm>

#include "foundation/ModalScope.h"
#include "foundation/SystemEntry.h"

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/MenuText.h"
#include "winlib/MessageLoop.h"

namespace {

// The bar whose title menu is open, and the hook that watches the keys and
// the mouse of the system's menu loop meanwhile. One menu loop runs at a time.
CCommandBar* g_trackingBar = nullptr;
HHOOK g_menuInputHook = nullptr;

constexpr UINT kAnimationFlags =
    TPM_HORPOSANIMATION | TPM_HORNEGANIMATION | TPM_VERPOSANIMATION | TPM_VERNEGANIMATION | TPM_NOANIMATION;

EString MenuItemText(HMENU menu, UINT position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0)
        return EString();
    EString text(static_cast<size_t>(info.cch) + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch += 1;
    ::GetMenuItemInfoW(menu, position, TRUE, &info);
    text.resize(info.cch);
    return text;
}

} // namespace

// Routes the frame's messages through the bar before the frame's own map.
class CCommandBar::CFrameHook : public CWindowImplRoot {
public:
    explicit CFrameHook(CCommandBar& bar) : m_bar(bar) {}
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        return m_bar.ProcessFrameMessage(hwnd, message, wParam, lParam, result);
    }

private:
    CCommandBar& m_bar;
};

CCommandBar::CCommandBar() = default;

CCommandBar::~CCommandBar()
{
    if (g_trackingBar == this)
        g_trackingBar = nullptr;
    m_frameHook.reset();
}

HWND CCommandBar::Create(HWND parent, DWORD style, UINT id)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!CWindowImpl<CCommandBar>::Create(CreateArgs{.parent = parent,
                                                     .style = style | TBSTYLE_FLAT | TBSTYLE_LIST,
                                                     .rect = {0, 0, 100, 22},
                                                     .id = id}))
        return nullptr;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETIMAGELIST, 0, 0);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    BOOL systemCues = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &systemCues, 0);
    ShowKeyboardCues(systemCues != FALSE);
    m_frame = ::GetAncestor(m_hWnd, GA_ROOT);
    m_frameHook = std::make_unique<CFrameHook>(*this);
    if (m_frame != m_hWnd)
        m_frameHook->SubclassWindow(m_frame);
    if (CMessageLoop* loop = CMessageLoop::Registered())
        loop->AddMessageFilter(this);
    return m_hWnd;
}

bool CCommandBar::AttachMenu(HMENU menu)
{
    if (!m_hWnd || !menu || !::IsMenu(menu))
        return false;
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    if (m_menu != menu)
        m_menu.Reset(menu);
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        EString text = MenuItemText(menu, static_cast<UINT>(i));
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = kFirstTitleId + i;
        button.fsState = TBSTATE_ENABLED;
        if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
            button.fsState = 0;
        button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_DROPDOWN | BTNS_SHOWTEXT;
        button.iString = reinterpret_cast<INT_PTR>(text.c_str());
        SendMessage(TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessage(TB_AUTOSIZE);
    return true;
}

int CCommandBar::AddIcon(HICON icon, UINT command)
{
    if (!icon)
        return -1;
    if (m_images.IsNull() && !m_images.Create(m_imageSize.cx, m_imageSize.cy))
        return -1;
    const int index = m_images.AddIcon(icon);
    if (index >= 0)
        m_imageOfCommand[command] = index;
    return index;
}

int CCommandBar::AddToolbarImages(HWND toolbar)
{
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    if (!images)
        return 0;
    int taken = 0;
    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)))
            continue;
        if ((button.fsStyle & BTNS_SEP) || button.iBitmap < 0 || button.iBitmap >= ImageList_GetImageCount(images))
            continue;
        const HICON icon = ::ImageList_GetIcon(images, button.iBitmap, ILD_TRANSPARENT);
        if (AddIcon(icon, static_cast<UINT>(button.idCommand)) >= 0)
            ++taken;
        if (icon)
            ::DestroyIcon(icon);
    }
    return taken;
}

int CCommandBar::ImageOf(UINT command) const
{
    const auto found = m_imageOfCommand.find(command);
    return found == m_imageOfCommand.end() ? -1 : found->second;
}

HFONT CCommandBar::MenuFont()
{
    if (m_menuFont.IsNull()) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            m_menuFont.Attach(::CreateFontIndirectW(&metrics.lfMenuFont));
    }
    return m_menuFont.IsNull() ? static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)) : m_menuFont.Get();
}

int CCommandBar::TitleCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0;
}

int CCommandBar::TitleOfMnemonic(wchar_t key) const
{
    if (!m_menu || !key)
        return -1;
    const wchar_t wanted = static_cast<wchar_t>(::towlower(key));
    const int count = ::GetMenuItemCount(m_menu);
    for (int i = 0; i < count; ++i) {
        if (MenuText::Mnemonic(MenuItemText(m_menu, static_cast<UINT>(i))) == wanted &&
            (SendMessage(TB_GETSTATE, static_cast<WPARAM>(kFirstTitleId + i)) & TBSTATE_ENABLED))
            return i;
    }
    return -1;
}

bool CCommandBar::IsInFrame(HWND hwnd) const
{
    return hwnd && m_frame && (hwnd == m_frame || ::IsChild(m_frame, hwnd));
}

void CCommandBar::SetHotTitle(int index)
{
    SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(index));
}

void CCommandBar::ShowKeyboardCues(bool show)
{
    BOOL systemCues = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &systemCues, 0);
    m_cuesShown = show || systemCues;
    SendMessage(TB_SETDRAWTEXTFLAGS, DT_HIDEPREFIX, m_cuesShown ? 0 : DT_HIDEPREFIX);
    Invalidate();
}

void CCommandBar::EnterKeyboardMode(int hotIndex)
{
    if (TitleCount() == 0)
        return;
    if (!m_keyboardMode) {
        m_keyboardMode = true;
        const HWND focus = ::GetFocus();
        m_focusBefore = focus == m_hWnd ? nullptr : focus;
        SetFocus();
    }
    ShowKeyboardCues(true);
    SetHotTitle(std::clamp(hotIndex, 0, TitleCount() - 1));
}

void CCommandBar::LeaveKeyboardMode(bool restoreFocus)
{
    if (!m_keyboardMode)
        return;
    m_keyboardMode = false;
    SetHotTitle(-1);
    ShowKeyboardCues(false);
    const HWND before = m_focusBefore;
    m_focusBefore = nullptr;
    if (restoreFocus && ::GetFocus() == m_hWnd)
        ::SetFocus(before && ::IsWindow(before) ? before : m_frame);
}

void CCommandBar::PostOpenMenu(int index, bool byKeyboard)
{
    PostMessage(kOpenMenuMessage, static_cast<WPARAM>(index), byKeyboard);
}

void CCommandBar::OpenMenu(int index, bool byKeyboard)
{
    if (m_openIndex >= 0 || index < 0 || index >= TitleCount())
        return;
    const bool wasKeyboardMode = m_keyboardMode;
    m_nextIndex = index;
    m_nextByKeyboard = byKeyboard;
    int last = index;
    bool lastByKeyboard = byKeyboard;
    m_escaped = false;
    while (m_nextIndex >= 0 && m_hWnd) {
        last = m_nextIndex;
        lastByKeyboard = m_nextByKeyboard;
        m_nextIndex = -1;
        m_escaped = false;
        TrackTitle(last, lastByKeyboard);
    }
    if (!m_hWnd)
        return;
    // Esc on a menu opened from the keyboard goes back to its title, as a menu bar does.
    if (m_escaped && (lastByKeyboard || wasKeyboardMode))
        EnterKeyboardMode(last);
    else
        LeaveKeyboardMode();
}

void CCommandBar::TrackTitle(int index, bool byKeyboard)
{
    const HMENU popup = ::GetSubMenu(m_menu, index);
    if (!popup)
        return;
    RECT title = {};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&title));
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&title), 2);
    if (byKeyboard) {
        ShowKeyboardCues(true);
        // The system selects nothing in a new popup; a menu bar opened by key selects its first item.
        PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    }
    const int id = kFirstTitleId + index;
    SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(id), TRUE);
    m_openIndex = index;
    TPMPARAMS params = {sizeof(params), title};
    const UINT command = Track(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON, title.left,
                               title.bottom, &params, index);
    m_openIndex = -1;
    if (!m_hWnd)
        return;
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(id), FALSE);
    if (command)
        ::PostMessageW(m_frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

UINT CCommandBar::TrackPopupMenu(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params)
{
    if (!m_hWnd || !popup || m_trackedPopup)
        return 0;
    const UINT command = Track(popup, flags, x, y, params, -1);
    if (flags & TPM_RETURNCMD)
        return command;
    if (command)
        ::PostMessageW(m_frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return command != 0;
}

UINT CCommandBar::Track(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params, int titleIndex)
{
    // The command comes back to us; the caller decides where it goes.
    flags = (flags & ~kAnimationFlags) | TPM_NOANIMATION | TPM_RETURNCMD;
    const ModalScope modal;
    m_trackedPopup = popup;
    m_selectedMenu = popup;
    m_selectedOpensSubmenu = false;
    CCommandBar* outerBar = g_trackingBar;
    g_trackingBar = this;
    HHOOK hook = nullptr;
    if (titleIndex >= 0)
        hook = ::SetWindowsHookExW(WH_MSGFILTER, MenuInputHook, nullptr, ::GetCurrentThreadId());
    HHOOK outerHook = g_menuInputHook;
    g_menuInputHook = hook;
    const UINT command = RunTracking(popup, flags, x, y, params, titleIndex);
    if (hook)
        ::UnhookWindowsHookEx(hook);
    g_menuInputHook = outerHook;
    g_trackingBar = outerBar;
    m_trackedPopup = nullptr;
    m_selectedMenu = nullptr;
    GiveBackItems();
    return command;
}

UINT CCommandBar::RunTracking(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params, int)
{
    return static_cast<UINT>(::TrackPopupMenuEx(popup, flags, x, y, m_hWnd, const_cast<TPMPARAMS*>(params)));
}

LRESULT CALLBACK CCommandBar::MenuInputHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU && g_trackingBar && lParam &&
        AnswerSystem(L"the menu input hook", false,
                     [&] { return g_trackingBar->OnMenuInput(*reinterpret_cast<MSG*>(lParam)); }))
        return 1;
    return ::CallNextHookEx(g_menuInputHook, code, wParam, lParam);
}

bool CCommandBar::OnMenuInput(const MSG& message)
{
    if (m_openIndex < 0)
        return false;
    const bool inFirstPopup = !m_selectedMenu || m_selectedMenu == m_trackedPopup;
    switch (message.message) {
    case WM_KEYDOWN:
        if (message.wParam == VK_ESCAPE && inFirstPopup)
            m_escaped = true;
        if (message.wParam == VK_LEFT && inFirstPopup) {
            SwitchToTitle(m_openIndex - 1, -1);
            return true;
        }
        if (message.wParam == VK_RIGHT && !m_selectedOpensSubmenu) {
            SwitchToTitle(m_openIndex + 1, +1);
            return true;
        }
        return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
        POINT point = message.pt;
        ::ScreenToClient(m_hWnd, &point);
        const int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        if (hit < 0 || hit >= TitleCount())
            return false;
        if (hit != m_openIndex) {
            SwitchToTitle(hit, 0);
            return true;
        }
        // A click on the open title closes its menu.
        if (message.message == WM_LBUTTONDOWN) {
            ::EndMenu();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void CCommandBar::SwitchToTitle(int index, int step)
{
    const int count = TitleCount();
    if (count <= 0)
        return;
    auto enabled = [&](int title) {
        return (SendMessage(TB_GETSTATE, static_cast<WPARAM>(kFirstTitleId + title)) & TBSTATE_ENABLED) != 0;
    };
    index = (index % count + count) % count;
    // Keys skip disabled titles, at most once round the bar; the mouse stops at them.
    for (int tries = 0; step != 0 && tries < count && !enabled(index); ++tries)
        index = (index + step + count) % count;
    if (index == m_openIndex || !enabled(index))
        return;
    m_nextIndex = index;
    m_nextByKeyboard = step != 0;
    ::EndMenu();
}

void CCommandBar::TakeOverItems(HMENU popup)
{
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        const UINT position = static_cast<UINT>(i);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STATE;
        if (!::GetMenuItemInfoW(popup, position, TRUE, &info) || (info.fType & MFT_OWNERDRAW))
            continue;
        auto item = std::make_unique<CommandBarItem>();
        item->text = MenuItemText(popup, position);
        item->type = info.fType;
        item->state = info.fState;
        item->id = info.wID;
        item->opensSubmenu = info.hSubMenu != nullptr;
        item->image = item->opensSubmenu ? -1 : ImageOf(info.wID);
        m_taken.push_back({popup, position, info.fType, info.dwItemData, item->text});
        // Without its text the system asks the bar for the item of a letter
        // (WM_MENUCHAR) instead of taking the first item that has it.
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
        info.dwTypeData = nullptr;
        info.cch = 0;
        ::SetMenuItemInfoW(popup, position, TRUE, &info);
        m_items.push_back(std::move(item));
    }
}

void CCommandBar::GiveBackItems()
{
    for (const TakenItem& taken : m_taken) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType = taken.type;
        info.dwItemData = taken.data;
        if (!taken.text.empty()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = const_cast<wchar_t*>(taken.text.c_str());
        }
        ::SetMenuItemInfoW(taken.menu, taken.position, TRUE, &info);
    }
    m_taken.clear();
    m_items.clear();
}

bool CCommandBar::PreTranslateMessage(MSG* message)
{
    if (!m_hWnd || !message || !IsInFrame(message->hwnd) || message->hwnd == m_hWnd)
        return false;
    const bool firstPress = (message->lParam & (1 << 30)) == 0;
    switch (message->message) {
    case WM_SYSKEYDOWN:
        m_altAlone = message->wParam == VK_MENU && (firstPress || m_altAlone);
        return message->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0;
    case WM_SYSKEYUP:
        if ((message->wParam == VK_MENU && m_altAlone) ||
            (message->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0)) {
            m_altAlone = false;
            EnterKeyboardMode();
            return true;
        }
        return false;
    case WM_SYSCHAR: {
        m_altAlone = false;
        const int title = TitleOfMnemonic(static_cast<wchar_t>(message->wParam));
        if (title < 0)
            return false;
        PostOpenMenu(title, true);
        return true;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        m_altAlone = false;
        return false;
    default:
        return false;
    }
}

bool CCommandBar::ProcessFrameMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!m_hWnd)
        return false;
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        // Alt or F10 alone (0), or Alt with a letter; Alt+Space is the system menu's.
        if (lParam == 0) {
            if (m_keyboardMode)
                LeaveKeyboardMode();
            else
                EnterKeyboardMode();
            result = 0;
            return true;
        }
        const int title = TitleOfMnemonic(static_cast<wchar_t>(lParam));
        if (title >= 0) {
            PostOpenMenu(title, true);
            result = 0;
            return true;
        }
        return false;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_hWnd && header->code == TBN_DROPDOWN) {
            const auto* toolbar = reinterpret_cast<const NMTOOLBARW*>(lParam);
            PostOpenMenu(toolbar->iItem - kFirstTitleId, false);
            result = TBDDRET_DEFAULT;
            return true;
        }
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE)
        LeaveKeyboardMode(false);
    return false;
}

LRESULT CCommandBar::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    if (CMessageLoop* loop = CMessageLoop::Registered())
        loop->RemoveMessageFilter(this);
    // Only unhooked: the frame's own destruction may be running through the hook right now.
    if (m_frameHook)
        m_frameHook->UnsubclassWindow();
    handled = false;
    return 0;
}

LRESULT CCommandBar::OnOpenMenuMessage(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    OpenMenu(static_cast<int>(wParam), lParam != 0);
    return 0;
}

LRESULT CCommandBar::OnInitMenuPopup(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    // The frame sets the states of the items first.
    ::SendMessageW(m_frame, message, wParam, lParam);
    TakeOverItems(reinterpret_cast<HMENU>(wParam));
    return 0;
}

LRESULT CCommandBar::OnMenuSelect(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    const UINT flags = HIWORD(wParam);
    if (lParam) {
        m_selectedMenu = reinterpret_cast<HMENU>(lParam);
        m_selectedOpensSubmenu = flags != 0xFFFF && (flags & MF_POPUP);
    }
    ::SendMessageW(m_frame, message, wParam, lParam);
    return 0;
}

LRESULT CCommandBar::OnForwardToFrame(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    return ::SendMessageW(m_frame, message, wParam, lParam);
}

LRESULT CCommandBar::OnMenuChar(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    // The system cannot read the mnemonics of items it does not draw, so the
    // bar answers as the system does for its own menus: the one enabled item
    // of the letter is chosen; of several, the next after the selection is
    // only selected; when every item of the letter is disabled, the menu closes.
    const auto menu = reinterpret_cast<HMENU>(lParam);
    const wchar_t key = static_cast<wchar_t>(::towlower(static_cast<wint_t>(LOWORD(wParam))));
    const int count = ::GetMenuItemCount(menu);
    int selected = -1;
    std::vector<int> enabled;
    bool disabledMatch = false;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.fState & MFS_HILITE)
            selected = i;
        const auto* item = reinterpret_cast<const CommandBarItem*>(info.dwItemData);
        if (!(info.fType & MFT_OWNERDRAW) || !item ||
            std::none_of(m_items.begin(), m_items.end(), [&](const auto& own) { return own.get() == item; }) ||
            MenuText::Mnemonic(MenuText::Label(item->text)) != key)
            continue;
        if (info.fState & MFS_DISABLED)
            disabledMatch = true;
        else
            enabled.push_back(i);
    }
    if (enabled.empty())
        return MAKELRESULT(0, disabledMatch ? MNC_CLOSE : MNC_IGNORE);
    if (enabled.size() == 1)
        return MAKELRESULT(enabled.front(), MNC_EXECUTE);
    const auto next = std::upper_bound(enabled.begin(), enabled.end(), selected);
    return MAKELRESULT(next == enabled.end() ? enabled.front() : *next, MNC_SELECT);
}

LRESULT CCommandBar::OnMeasureItem(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    const auto* item = reinterpret_cast<const CommandBarItem*>(measure->itemData);
    if (measure->CtlType != ODT_MENU || !item || m_items.empty()) {
        handled = false;
        return 0;
    }
    MeasureMenuItem(*measure, *item);
    return TRUE;
}

LRESULT CCommandBar::OnDrawItem(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const auto* item = reinterpret_cast<const CommandBarItem*>(draw->itemData);
    if (draw->CtlType != ODT_MENU || !item || m_items.empty()) {
        handled = false;
        return 0;
    }
    DrawMenuItem(*draw, *item);
    return TRUE;
}

LRESULT CCommandBar::OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (!m_keyboardMode) {
        handled = false;
        return 0;
    }
    const int hot = static_cast<int>(SendMessage(TB_GETHOTITEM));
    const int count = TitleCount();
    switch (wParam) {
    case VK_LEFT:
        SetHotTitle(((hot < 0 ? 0 : hot) + count - 1) % count);
        break;
    case VK_RIGHT:
        SetHotTitle(((hot < 0 ? -1 : hot) + 1) % count);
        break;
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN:
        PostOpenMenu(hot < 0 ? 0 : hot, true);
        break;
    case VK_ESCAPE:
        LeaveKeyboardMode();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CCommandBar::OnChar(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    const int title = m_keyboardMode ? TitleOfMnemonic(static_cast<wchar_t>(wParam)) : -1;
    if (title < 0) {
        handled = m_keyboardMode;
        return 0;
    }
    PostOpenMenu(title, true);
    return 0;
}

LRESULT CCommandBar::OnSysKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    // Alt or F10 again leaves the bar.
    if (m_keyboardMode && (wParam == VK_MENU || wParam == VK_F10)) {
        LeaveKeyboardMode();
        return 0;
    }
    handled = false;
    return 0;
}

LRESULT CCommandBar::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_openIndex < 0)
        LeaveKeyboardMode(false);
    handled = false;
    return 0;
}

void CCommandBar::MeasureMenuItem(MEASUREITEMSTRUCT& measure, const CommandBarItem& item)
{
    if (item.type & MFT_SEPARATOR) {
        measure.itemWidth = 0;
        measure.itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) / 2);
        return;
    }
    CClientDC dc(m_hWnd);
    CSelectObject font(dc, MenuFont());
    RECT text = {};
    ::DrawTextW(dc, item.text.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    const int gap = 8;
    measure.itemWidth = static_cast<UINT>(text.right - text.left + m_imageSize.cx + 3 * gap);
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(text.bottom - text.top + 4, m_imageSize.cy + 4));
}

void CCommandBar::DrawMenuItem(const DRAWITEMSTRUCT& draw, const CommandBarItem& item)
{
    const HDC dc = draw.hDC;
    CSavedDC saved(dc);
    RECT area = draw.rcItem;
    if (item.type & MFT_SEPARATOR) {
        ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_MENU));
        area.top += (area.bottom - area.top) / 2 - 1;
        ::DrawEdge(dc, &area, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    // A disabled item never looks chosen.
    const bool selected = (draw.itemState & ODS_SELECTED) && !disabled;
    ::FillRect(dc, &area, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const int top = area.top + (area.bottom - area.top - m_imageSize.cy) / 2;
    if (item.image >= 0) {
        if (disabled) {
            const HICON icon = ::ImageList_GetIcon(m_images, item.image, ILD_TRANSPARENT);
            ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, area.left + 2, top, 0, 0,
                         DST_ICON | DSS_DISABLED);
            ::DestroyIcon(icon);
        } else {
            m_images.Draw(item.image, dc, area.left + 2, top);
        }
    } else if (draw.itemState & ODS_CHECKED) {
        RECT box = {area.left + 2, top, area.left + 2 + m_imageSize.cx, top + m_imageSize.cy};
        ::DrawFrameControl(dc, &box, DFC_MENU, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    CSelectObject font(dc, MenuFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    RECT text = area;
    text.left += m_imageSize.cx + 8;
    text.right -= 8;
    const UINT prefix = m_cuesShown ? 0 : DT_HIDEPREFIX;
    const auto label = MenuText::Label(item.text);
    const auto shortcut = MenuText::Shortcut(item.text);
    ::DrawTextW(dc, label.data(), static_cast<int>(label.size()), &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | prefix);
    if (!shortcut.empty())
        ::DrawTextW(dc, shortcut.data(), static_cast<int>(shortcut.size()), &text,
                    DT_RIGHT | DT_SINGLELINE | DT_VCENTER | prefix);
}
