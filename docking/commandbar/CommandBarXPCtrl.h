// CCommandBarXPCtrl: the command bar in the flat XP look, with its toolbars, band grippers and flat menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "winlib/CommandBar.h"

// Flat hot and pressed highlights with a one-pixel border, an image margin
// beside popup items, lifted images with a shadow on hover, and popups with
// a flat border whose top edge merges with the pressed title. Toolbars added
// with AddXPToolbar and the grippers of the bar's rebar are drawn alike.
class CCommandBarXPCtrl : public CCommandBar {
public:
    CCommandBarXPCtrl();
    ~CCommandBarXPCtrl() override;

    // Once the rebar holding the bar is filled: the bar's band loses its
    // gripper, the other bands take the bar background.
    void UpdateRebarBands();

    // Toolbars drawn like the bar's own buttons.
    void AddXPToolbar(HWND toolbar);
    bool IsXPToolbar(HWND toolbar) const;

protected:
    bool ProcessFrameMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void MeasureMenuItem(MEASUREITEMSTRUCT& measure, const CommandBarItem& item) override;
    void DrawMenuItem(const DRAWITEMSTRUCT& draw, const CommandBarItem& item) override;
    UINT RunTracking(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params, int titleIndex) override;

private:
    LRESULT OnToolbarCustomDraw(NMTBCUSTOMDRAW& draw, bool commandBar);
    LRESULT OnRebarCustomDraw(NMCUSTOMDRAW& draw);
    void DrawToolbarItem(const NMTBCUSTOMDRAW& draw, bool commandBar);
    void DrawGripper(const NMCUSTOMDRAW& draw);
    // An image in the XP way: mono when disabled, lifted with a shadow when hot.
    void DrawImage(HDC dc, HIMAGELIST list, int image, int x, int y, bool disabled, bool lift);
    void DrawCheck(HDC dc, const RECT& square, bool selected);
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    void OnMenuWindowCreated(HWND menu);

    std::vector<HWND> m_xpToolbars;
    std::vector<HWND> m_openMenus;
};
