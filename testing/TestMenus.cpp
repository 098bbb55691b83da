#include "testing/TestMenus.h"

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace TestMenu {

HMENU Make()
{
    const HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kNew, L"&New\tCtrl+N");
    ::AppendMenuW(file, MF_STRING, kOpen, L"&Open...\tCtrl+O");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    const HMENU more = ::CreatePopupMenu();
    ::AppendMenuW(more, MF_STRING, kSubItem, L"&One");
    const HMENU edit = ::CreatePopupMenu();
    ::AppendMenuW(edit, MF_STRING, kCopy, L"&Copy\tCtrl+C");
    ::AppendMenuW(edit, MF_STRING | MF_GRAYED, kPaste, L"&Paste\tCtrl+V");
    ::AppendMenuW(edit, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"&More");
    const HMENU view = ::CreatePopupMenu();
    ::AppendMenuW(view, MF_STRING | MF_CHECKED, kStatusBar, L"&Status Bar");
    const HMENU menu = ::CreateMenu();
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
    return menu;
}

HIMAGELIST MakeImages()
{
    const HIMAGELIST list = ::ImageList_Create(16, 15, ILC_COLOR32 | ILC_MASK, 4, 1);
    const COLORREF colours[4] = {RGB(220, 40, 40), RGB(40, 170, 40), RGB(40, 60, 220), RGB(230, 160, 20)};
    const CScreenDC screen;
    const CCompatibleDC dc(screen);
    const CBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
    for (COLORREF colour : colours) {
        const CBitmap bitmap(::CreateCompatibleBitmap(screen, 16, 15));
        {
            const CSelectObject selected(dc, bitmap);
            const RECT all = {0, 0, 16, 15};
            ::FillRect(dc, &all, magenta);
            const RECT square = {2, 1, 14, 13};
            ::FillRect(dc, &square, CBrush(::CreateSolidBrush(colour)));
            // A dark corner, so that a lifted image shows.
            const RECT corner = {2, 1, 6, 5};
            ::FillRect(dc, &corner, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
        ::ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
    }
    return list;
}

HWND MakeToolbar(HWND parent, HIMAGELIST images)
{
    const HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                           WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER |
                                               TBSTYLE_FLAT,
                                           0, 0, 100, 24, parent, nullptr, nullptr, nullptr);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    const UINT commands[4] = {kNew, kOpen, kCopy, kPaste};
    TBBUTTON buttons[4] = {};
    for (int i = 0; i < 4; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = static_cast<int>(commands[i]);
        buttons[i].fsState = commands[i] == kPaste ? 0 : TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
    ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

} // namespace TestMenu
