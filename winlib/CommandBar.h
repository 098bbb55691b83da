// CCommandBar: a frame's menu shown as a row of toolbar buttons, with images beside its items.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

#include "foundation/EString.h"
#include "foundation/PrivateMessages.h"
#include "winlib/GdiObject.h"
#include "winlib/ImageList.h"
#include "winlib/MessageFilter.h"
#include "winlib/UniqueMenu.h"
#include "winlib/WindowImpl.h"

// What the bar keeps of a popup item while it draws it itself.
struct CommandBarItem {
    EString text;   // label, then TAB and shortcut
    UINT type = 0;  // the item's own MFT_ flags
    UINT state = 0; // its MFS_ flags when the popup opened
    UINT id = 0;
    int image = -1; // in the bar's image list
    bool opensSubmenu = false;
};

// The menu titles are drop-down buttons of a toolbar. Alt or F10 puts the
// bar in keyboard mode, a title's mnemonic opens its menu, Left and Right
// move between menus and Esc closes. Items are drawn by the bar, with the
// image of their command. Every menu is tracked with the bar as owner; a
// chosen command reaches the frame (the bar's top-level window) as WM_COMMAND.
class CCommandBar : public CWindowImpl<CCommandBar>, public CMessageFilter {
public:
    static WindowClass GetWindowClass() { return {.name = L"QuorvaneCommandBar", .baseName = TOOLBARCLASSNAMEW}; }

    CCommandBar();
    ~CCommandBar() override;

    // The bar is a toolbar child of `parent` (the frame or its rebar); it
    // registers itself as a message filter of the registered message loop.
    HWND Create(HWND parent, DWORD style = kDefaultStyle, UINT id = 0);
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_NORESIZE |
                                           CCS_NOPARENTALIGN | CCS_NODIVIDER;

    // Shows the popups of `menu` as titles. The bar owns the menu from now on.
    bool AttachMenu(HMENU menu);
    HMENU GetMenu() const { return m_menu; }

    // Images of items by command.
    SIZE GetImageSize() const { return m_imageSize; }
    int AddIcon(HICON icon, UINT command);
    // Takes the image of every button of a toolbar for the button's command; the number taken.
    int AddToolbarImages(HWND toolbar);
    int ImageOf(UINT command) const;
    const CImageList& Images() const { return m_images; }

    // Opens a title's menu as a click or a key would (`byKeyboard` selects its first item).
    void OpenMenu(int index, bool byKeyboard);
    // The title whose menu is open; -1 when none.
    int OpenMenuIndex() const { return m_openIndex; }
    bool InKeyboardMode() const { return m_keyboardMode; }
    bool KeyboardCuesShown() const { return m_cuesShown; }
    // Alt or F10: the first title turns hot and takes the keys.
    void EnterKeyboardMode(int hotIndex = 0);
    void LeaveKeyboardMode(bool restoreFocus = true);

    // A popup of the bar's items at a screen point. TPM_RETURNCMD: the chosen
    // command (0 when none) is returned; otherwise it goes to the frame as
    // WM_COMMAND. Menus never animate.
    UINT TrackPopupMenu(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params = nullptr);

    // Alt, F10 and Alt with a title's mnemonic, whichever window of the frame has the focus.
    bool PreTranslateMessage(MSG* message) override;

    BEGIN_MESSAGE_MAP(CCommandBar)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(kOpenMenuMessage, OnOpenMenuMessage)
        ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
        ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
        ON_MESSAGE(WM_ENTERIDLE, OnForwardToFrame)
        ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
        ON_MESSAGE(WM_MEASUREITEM, OnMeasureItem)
        ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
        ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
        ON_MESSAGE(WM_CHAR, OnChar)
        ON_MESSAGE(WM_SYSCHAR, OnChar)
        ON_MESSAGE(WM_SYSKEYDOWN, OnSysKeyDown)
        ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    END_MESSAGE_MAP()

protected:
    // The frame's messages pass here before the frame's own map: the bar's
    // notifications (forwarded by a rebar) and the system's menu key.
    virtual bool ProcessFrameMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Owner drawing of popup items; the looks override these.
    virtual void MeasureMenuItem(MEASUREITEMSTRUCT& measure, const CommandBarItem& item);
    virtual void DrawMenuItem(const DRAWITEMSTRUCT& draw, const CommandBarItem& item);
    // Runs the system's tracking; `titleIndex` is -1 for a context menu.
    virtual UINT RunTracking(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params, int titleIndex);

    HWND Frame() const { return m_frame; }
    // The font of menus; the bar keeps it.
    HFONT MenuFont();
    // Title buttons carry ids from this one on.
    static constexpr int kFirstTitleId = 0xFF00;
    static constexpr UINT kOpenMenuMessage = WM_COMMANDBAR_OPEN_MENU;

private:
    class CFrameHook;

    int TitleCount() const;
    int TitleOfMnemonic(wchar_t key) const;
    void SetHotTitle(int index);
    void ShowKeyboardCues(bool show);
    void PostOpenMenu(int index, bool byKeyboard);
    void TrackTitle(int index, bool byKeyboard);
    UINT Track(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params, int titleIndex);
    void TakeOverItems(HMENU popup);
    void GiveBackItems();
    // Closes the open menu; the title's menu opens next. step: -1 or +1 for
    // Left and Right, 0 for the mouse.
    void SwitchToTitle(int index, int step);
    bool OnMenuInput(const MSG& message);
    bool IsInFrame(HWND hwnd) const;
    static LRESULT CALLBACK MenuInputHook(int code, WPARAM wParam, LPARAM lParam);

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnOpenMenuMessage(UINT, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnInitMenuPopup(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnMenuSelect(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnForwardToFrame(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnMenuChar(UINT, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnChar(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnSysKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnKillFocus(UINT, WPARAM, LPARAM, bool& handled);

    // A popup item the bar draws, and what it had before.
    struct TakenItem {
        HMENU menu;
        UINT position;
        UINT type;
        ULONG_PTR data;
        EString text;
    };

    HWND m_frame = nullptr;
    std::unique_ptr<CFrameHook> m_frameHook;
    UniqueMenu m_menu;
    CImageList m_images;
    SIZE m_imageSize = {16, 15};
    std::map<UINT, int> m_imageOfCommand;
    CFont m_menuFont;

    int m_openIndex = -1;
    int m_nextIndex = -1;
    bool m_nextByKeyboard = false;
    bool m_escaped = false;
    bool m_keyboardMode = false;
    bool m_cuesShown = false;
    HWND m_focusBefore = nullptr;
    bool m_altAlone = false;

    HMENU m_trackedPopup = nullptr;
    HMENU m_selectedMenu = nullptr;
    bool m_selectedOpensSubmenu = false;
    std::vector<std::unique_ptr<CommandBarItem>> m_items;
    std::vector<TakenItem> m_taken;
};
