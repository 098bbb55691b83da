#include "app/TrayIcon.h"

#include <cwchar>

#include "foundation/ModalScope.h"
#include "foundation/ResourceModule.h"
#include "foundation/Translator.h"

namespace {

TrayIcon::ShellNotifyFunction g_shellNotify = &::Shell_NotifyIconW;

// The first form of the record holds 64 characters of tip: the shell reads no
// further, so the text must end within them.
constexpr size_t kFirstFormTipChars = 64;

} // namespace

TrayIcon::ShellNotifyFunction TrayIcon::SetShellNotifyFunction(ShellNotifyFunction function)
{
    const ShellNotifyFunction previous = g_shellNotify;
    g_shellNotify = function ? function : &::Shell_NotifyIconW;
    return previous;
}

TrayIcon::TrayIcon() : m_callbackMessage(::RegisterWindowMessageW(L"WM_TRAYICON")) {}

TrayIcon::~TrayIcon()
{
    RemoveIcon();
}

bool TrayIcon::Install(HWND window, const wchar_t* tipText, HICON icon, UINT id)
{
    RemoveIcon();
    m_record = {};
    // The size of the first form as this build lays it out: 64-bit pointers
    // make it larger than on a 32-bit system.
    m_record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    m_record.hWnd = window;
    m_record.uID = id;
    // No tip flag: the frame shows its own hint instead of the shell's tip.
    m_record.uFlags = NIF_MESSAGE | NIF_ICON;
    m_record.uCallbackMessage = m_callbackMessage;
    m_record.hIcon = icon;
    if (tipText)
        ::wcsncpy(m_record.szTip, tipText, kFirstFormTipChars - 1);
    m_installed = g_shellNotify(NIM_ADD, &m_record) != FALSE;
    return m_installed;
}

bool TrayIcon::ChangeIcon(HICON icon)
{
    if (!m_installed)
        return false;
    m_record.hIcon = icon;
    return g_shellNotify(NIM_MODIFY, &m_record) != FALSE;
}

bool TrayIcon::RemoveIcon()
{
    if (!m_installed)
        return false;
    m_installed = false;
    return g_shellNotify(NIM_DELETE, &m_record) != FALSE;
}

void TrayIcon::PrepareMenu(HMENU) {}

UniqueMenu TrayIcon::LoadTranslatedMenu() const
{
    UniqueMenu menu(::LoadMenuW(GetResourceModule(), MAKEINTRESOURCEW(m_record.uID)));
    if (menu)
        Translator::TranslateMenu(menu);
    return menu;
}

bool TrayIcon::OnTrayMouse(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != m_record.uID)
        return false;
    switch (LOWORD(mouseMessage)) {
    case WM_RBUTTONUP:
        ShowMenu();
        return true;
    case WM_LBUTTONDBLCLK:
        ExecuteDefaultItem();
        return true;
    default:
        return false;
    }
}

bool TrayIcon::ShowMenu()
{
    const HWND window = m_record.hWnd;
    const UniqueMenu menu = LoadTranslatedMenu();
    if (!menu)
        return false;
    const HMENU popup = ::GetSubMenu(menu, 0);
    if (popup) {
        PrepareMenu(popup);
        POINT cursor{};
        ::GetCursorPos(&cursor);
        // Without the window in front the menu would not close when the user
        // clicks elsewhere.
        ::SetForegroundWindow(window);
        ::SetMenuDefaultItem(popup, static_cast<UINT>(m_defaultMenuItem), TRUE);
        const ModalScope modal;
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
        // Lets the menu loop end before the next click on the icon.
        ::PostMessageW(window, WM_NULL, 0, 0);
    }
    return popup != nullptr;
}

void TrayIcon::ExecuteDefaultItem()
{
    const HWND window = m_record.hWnd;
    ::SetForegroundWindow(window);
    const UniqueMenu menu = LoadTranslatedMenu();
    if (!menu)
        return;
    const HMENU popup = ::GetSubMenu(menu, 0);
    const UINT command = popup ? ::GetMenuItemID(popup, m_defaultMenuItem) : static_cast<UINT>(-1);
    // A separator or a sub-menu at that place has no command.
    if (command != static_cast<UINT>(-1) && command != 0)
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
