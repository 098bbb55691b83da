// TrayIcon: a window's notification-area icon with its callback message and its small menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "winlib/UniqueMenu.h"

class TrayIcon {
public:
    using ShellNotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

    TrayIcon();
    // An icon still installed is removed: the shell would keep it, dead, until
    // the mouse passes over it.
    virtual ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for the window (a second install replaces the first);
    // the answer, also kept as IsInstalled, says whether the shell took it.
    // The id is also the id of the icon's menu resource.
    bool Install(HWND window, const wchar_t* tipText, HICON icon, UINT id);
    // Both do nothing (false) while the icon is not installed.
    bool ChangeIcon(HICON icon);
    bool RemoveIcon();

    bool IsInstalled() const { return m_installed; }
    const NOTIFYICONDATAW& GetRecord() const { return m_record; }
    // The "WM_TRAYICON" message the shell sends for mouse events on the icon.
    UINT GetCallbackMessage() const { return m_callbackMessage; }
    void SetDefaultMenuItem(int position) { m_defaultMenuItem = position; }

    // The shell's mouse message (lParam) on the icon wParam: the right button
    // shows the menu, a double-click carries out its default item. False for
    // another icon or another mouse message.
    bool OnTrayMouse(WPARAM iconId, LPARAM mouseMessage);
    // Shows the menu at the cursor with the window as its owner: the chosen
    // command arrives there as WM_COMMAND. False when it cannot be loaded.
    bool ShowMenu();

    // Tests put a stand-in for the shell here; answers the one it replaces.
    static ShellNotifyFunction SetShellNotifyFunction(ShellNotifyFunction function);

protected:
    // Called with the menu's popup before it is shown.
    virtual void PrepareMenu(HMENU popup);

private:
    // The icon's menu resource, translated; null when it cannot be loaded.
    UniqueMenu LoadTranslatedMenu() const;
    void ExecuteDefaultItem();

    // The shell's first form of the record: the program needs nothing newer.
    NOTIFYICONDATAW m_record{};
    bool m_installed = false;
    int m_defaultMenuItem = 0;
    UINT m_callbackMessage = 0;
};
