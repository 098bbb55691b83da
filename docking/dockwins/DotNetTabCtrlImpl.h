// CDotNetTabCtrlImpl: the flat look of a tab strip: system fonts and colours, tabs that shrink to fit, and their painting.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "docking/dockwins/CustomTabCtrl.h"
#include "docking/dockwins/FlatTabLayout.h"
#include "winlib/DeviceContext.h"

template <class T, class TItem>
class CDotNetTabCtrlImpl : public CCustomTabCtrl<T, TItem> {
    using Base = CCustomTabCtrl<T, TItem>;

public:
    void UpdateLayout()
    {
        if (!this->m_hWnd || !this->m_redraw)
            return;
        const DWORD style = CWindow(this->m_hWnd).GetStyle();
        RECT client = {};
        ::GetClientRect(this->m_hWnd, &client);
        RECT area = client;
        if (!(style & TABS_BOTTOM))
            ::InflateRect(&area, -2, 0);
        this->m_closeButton = {};
        this->m_scrollRightButton = {};
        this->m_scrollLeftButton = {};
        const bool bottom = (style & TABS_BOTTOM) != 0;
        const TItem* selected = this->GetItem(this->m_selected);
        if ((style & TABS_CLOSE_BUTTON) && selected && selected->canClose && area.right - area.left >= kButton) {
            const RECT r = ButtonBand(area, bottom, true);
            this->m_closeButton = Square(r.right, r);
            area.right = this->m_closeButton.left;
        }
        if ((style & TABS_SCROLL) && area.right - area.left >= kButton) {
            const RECT r = ButtonBand(area, bottom, !(style & TABS_CLOSE_BUTTON));
            this->m_scrollRightButton = Square(r.right, r);
            this->m_scrollLeftButton = Square(r.right - kButton, r);
            area.right = r.right - 2 * kButton;
        }
        this->m_tabArea = area;
        std::vector<int> natural;
        natural.reserve(this->m_items.size());
        const CCompatibleDC dc{CScreenDC()};
        for (int i = 0; i < this->GetItemCount(); ++i) {
            const TItem* item = this->GetItem(i);
            const CSelectObject font(dc, i == this->m_selected && this->m_selectedFont ? this->m_selectedFont.Get()
                                                                                        : this->m_font.Get());
            RECT text = {};
            if (!item->text.empty())
                ::DrawTextW(dc, item->text.c_str(), static_cast<int>(item->text.size()), &text,
                            DT_CALCRECT | DT_SINGLELINE);
            natural.push_back(dockwins::NaturalTabWidth(ImageWidth(item), text.right - text.left, !item->text.empty()));
        }
        const std::vector<int> widths = (style & TABS_SCROLL)
                                            ? natural
                                            : dockwins::FitTabWidths(natural, area.right - area.left, this->m_selected);
        const std::vector<int> lefts = dockwins::TabLefts(widths);
        for (int i = 0; i < this->GetItemCount(); ++i) {
            const size_t at = static_cast<size_t>(i);
            this->GetItem(i)->rect = {lefts[at], client.top, lefts[at] + widths[at], client.bottom};
        }
        if (!(style & TABS_SCROLL)) {
            this->m_scrollOffset = 0;
            this->m_canScrollLeft = this->m_canScrollRight = false;
            return;
        }
        const int end = widths.empty() ? dockwins::kTabStripMargin : lefts.back() + widths.back();
        if (end + this->m_scrollOffset < area.right)
            this->m_scrollOffset = area.right - end;
        this->m_canScrollLeft = this->m_scrollOffset < 0;
        if (!this->m_canScrollLeft)
            this->m_scrollOffset = 0;
        this->m_canScrollRight = end + this->m_scrollOffset > area.right;
    }

    void DoPaint(HDC dc, const RECT& paintRect)
    {
        const int saved = ::SaveDC(dc);
        RECT client = {};
        ::GetClientRect(this->m_hWnd, &client);
        ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        const CSelectObject font(dc, this->m_font.Get());
        TabCustomDraw draw = {};
        FillCustomDraw(dc, client, &draw);
        draw.draw.dwDrawStage = CDDS_PREPAINT;
        const LRESULT answer = this->SendToParent(draw.draw.hdr, &draw);
        if (!(answer & CDRF_SKIPDEFAULT))
            DrawBackground(dc, client, draw);
        if (answer == 0 || (answer & CDRF_NOTIFYITEMDRAW)) {
            const int beforeItems = ::SaveDC(dc);
            // Scrolled tabs never run under the buttons.
            if (CWindow(this->m_hWnd).GetStyle() & TABS_SCROLL)
                ::IntersectClipRect(dc, this->m_tabArea.left, this->m_tabArea.top, this->m_tabArea.right,
                                    this->m_tabArea.bottom);
            for (int i = 0; i < this->GetItemCount(); ++i)
                if (i != this->m_selected)
                    PaintItem(dc, paintRect, i, draw, answer);
            if (this->m_selected >= 0)
                PaintItem(dc, paintRect, this->m_selected, draw, answer);
            ::RestoreDC(dc, beforeItems);
        }
        if (!(answer & CDRF_SKIPDEFAULT)) {
            if (!::IsRectEmpty(&this->m_closeButton))
                DrawButton(dc, this->m_closeButton, CTCHT_ONCLOSEBTN, true);
            if (CWindow(this->m_hWnd).GetStyle() & TABS_SCROLL) {
                DrawButton(dc, this->m_scrollRightButton, CTCHT_ONSCROLLRIGHTBTN, this->m_canScrollRight);
                DrawButton(dc, this->m_scrollLeftButton, CTCHT_ONSCROLLLEFTBTN, this->m_canScrollLeft);
            }
        }
        if (answer & CDRF_NOTIFYPOSTPAINT) {
            draw.draw.dwDrawStage = CDDS_POSTPAINT;
            draw.draw.rc = client;
            this->SendToParent(draw.draw.hdr, &draw);
        }
        ::RestoreDC(dc, saved);
    }

    BEGIN_MESSAGE_MAP(CDotNetTabCtrlImpl)
        ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
        ON_MESSAGE(WM_SYSCOLORCHANGE, OnSettingChange)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

private:
    static constexpr int kButton = 15;

    // The band the strip's buttons stand in, their right edge pulled in
    // from the frame when asked.
    static RECT ButtonBand(RECT area, bool bottom, bool pullRight)
    {
        if (bottom) {
            area.top += 3;
            if (pullRight)
                area.right -= 3;
        } else {
            area.top += 1;
            area.bottom -= 2;
            if (pullRight)
                area.right -= 2;
        }
        return area;
    }
    static RECT Square(int right, const RECT& band)
    {
        const int top = (band.top + band.bottom - kButton) / 2;
        return {right - kButton, top, right, top + kButton};
    }

    int ImageWidth(const TItem* item) const
    {
        int width = 0;
        int height = 0;
        if (item->image >= 0 && this->m_imageList)
            ::ImageList_GetIconSize(this->m_imageList, &width, &height);
        return width;
    }

    LRESULT OnSettingChange(UINT, WPARAM, LPARAM, bool&)
    {
        LOGFONTW iconFont = {};
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0);
        LOGFONTW current = {};
        const bool same = this->m_font && ::GetObjectW(this->m_font, sizeof(current), &current) == sizeof(current) &&
                          ::lstrcmpiW(current.lfFaceName, iconFont.lfFaceName) == 0 &&
                          current.lfHeight == iconFont.lfHeight;
        if (!same) {
            this->m_font.Attach(MakeFont(iconFont));
            LOGFONTW bold = iconFont;
            if (CWindow(this->m_hWnd).GetStyle() & TABS_BOLD_SELECTED)
                bold.lfWeight = FW_BOLD;
            this->m_selectedFont.Attach(MakeFont(bold));
        }
        const int depth = ::GetDeviceCaps(CScreenDC(), BITSPIXEL);
        if (depth < 9) {
            m_background.Attach(::GetSysColorBrush(COLOR_WINDOW), false);
            m_inactiveText = ::GetSysColor(COLOR_GRAYTEXT);
        } else {
            m_background.Attach(::CreateSolidBrush(dockwins::LightenTabColor(::GetSysColor(COLOR_BTNFACE))));
            m_inactiveText = dockwins::DarkenTabColor(::GetSysColor(COLOR_GRAYTEXT));
        }
        m_textOffset = (-iconFont.lfHeight - 11) / 2;
        this->Relayout();
        return 0;
    }

    static HFONT MakeFont(const LOGFONTW& font)
    {
        const HFONT made = ::CreateFontIndirectW(&font);
        // A stock font is never deleted; a copy of it keeps the holder simple.
        if (made)
            return made;
        LOGFONTW stock = {};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
        return ::CreateFontIndirectW(&stock);
    }

    void FillCustomDraw(HDC dc, const RECT& client, TabCustomDraw* draw) const
    {
        draw->draw.hdr = this->MakeHeader(NM_CUSTOMDRAW);
        draw->draw.hdc = dc;
        draw->draw.rc = client;
        draw->font = this->m_font;
        draw->selectedFont = this->m_selectedFont;
        draw->background = m_background;
        draw->inactiveText = m_inactiveText;
        draw->selectedText = ::GetSysColor(COLOR_BTNTEXT);
        draw->selectedTab = m_selectedTab;
        draw->buttonFace = ::GetSysColor(COLOR_BTNFACE);
        draw->buttonShadow = ::GetSysColor(COLOR_BTNSHADOW);
        draw->buttonHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        draw->buttonText = ::GetSysColor(COLOR_BTNTEXT);
        draw->highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        draw->hot = ::GetSysColor(COLOR_HIGHLIGHT);
        draw->highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }

    static void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2)
    {
        const CPen pen(::CreatePen(PS_SOLID, 1, color));
        const CSelectObject selected(dc, pen);
        ::MoveToEx(dc, x1, y1, nullptr);
        ::LineTo(dc, x2, y2);
    }
    static void Fill(HDC dc, RECT rect, COLORREF color)
    {
        const CBrush brush(::CreateSolidBrush(color));
        ::FillRect(dc, &rect, brush);
    }

    void DrawBackground(HDC dc, const RECT& r, const TabCustomDraw& draw) const
    {
        ::SetTextColor(dc, draw.buttonText);
        ::SetBkMode(dc, TRANSPARENT);
        ::FillRect(dc, &r, draw.background);
        if (CWindow(this->m_hWnd).GetStyle() & TABS_BOTTOM) {
            Fill(dc, {r.left, r.top, r.right, r.top + 3}, draw.buttonFace);
            Line(dc, draw.buttonText, r.left, r.top + 3, r.right, r.top + 3);
            return;
        }
        Fill(dc, {r.left, r.bottom - 2, r.right, r.bottom}, draw.buttonFace);
        Line(dc, draw.buttonHighlight, r.left, r.bottom - 3, r.right, r.bottom - 3);
        Line(dc, draw.buttonShadow, r.left, r.bottom - 1, r.left, r.top);
        Line(dc, draw.buttonShadow, r.left, r.top, r.right - 1, r.top);
        const COLORREF rightEdge =
            (CWindow(this->m_hWnd).GetStyle() & TABS_FLAT_EDGE) ? draw.buttonShadow : draw.buttonHighlight;
        Line(dc, rightEdge, r.right - 1, r.top, r.right - 1, r.bottom);
        Line(dc, draw.buttonFace, r.right - 2, r.bottom - 3, r.right - 2, r.top);
        Line(dc, draw.buttonFace, r.left + 1, r.bottom - 3, r.left + 1, r.top);
    }

    void DrawButton(HDC dc, RECT r, UINT part, bool enabled) const
    {
        if (::IsRectEmpty(&r))
            return;
        const bool pressed = enabled && this->m_pressedPart == part && this->m_partUnderMouse == part;
        const bool hot = enabled && this->m_pressedPart == 0 && this->m_partUnderMouse == part;
        const RECT edge = r;
        if (pressed)
            ::OffsetRect(&r, 1, 1);
        const CPen pen(::CreatePen(PS_SOLID, 1, m_inactiveText));
        const CBrush brush(::CreateSolidBrush(m_inactiveText));
        const CSelectObject selectedPen(dc, pen);
        const CSelectObject selectedBrush(dc, brush);
        const int middle = (r.top + r.bottom) / 2;
        if (part == CTCHT_ONCLOSEBTN) {
            const POINT strokes[4][2] = {{{r.left + 3, r.top + 4}, {r.right - 5, r.bottom - 4}},
                                         {{r.left + 4, r.top + 4}, {r.right - 4, r.bottom - 4}},
                                         {{r.left + 3, r.bottom - 5}, {r.right - 5, r.top + 3}},
                                         {{r.left + 4, r.bottom - 5}, {r.right - 4, r.top + 3}}};
            for (const auto& stroke : strokes) {
                ::MoveToEx(dc, stroke[0].x, stroke[0].y, nullptr);
                ::LineTo(dc, stroke[1].x, stroke[1].y);
            }
        } else {
            const bool right = part == CTCHT_ONSCROLLRIGHTBTN;
            // Pointing right, or mirrored for scrolling left.
            const int base = right ? r.left + 5 : r.right - 6;
            const int tip = right ? r.right - 6 : r.left + 5;
            const POINT triangle[4] = {{base, r.top + 3}, {base, r.bottom - 4}, {tip, middle}, {base, r.top + 3}};
            if (enabled)
                ::Polygon(dc, triangle, 3);
            else
                ::Polyline(dc, triangle, 4);
        }
        RECT frame = edge;
        if (pressed)
            ::DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        else if (hot)
            ::DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    }

    void PaintItem(HDC dc, const RECT& paintRect, int index, TabCustomDraw& draw, LRESULT firstAnswer)
    {
        RECT r = {};
        this->GetItemRect(index, &r);
        RECT overlap = {};
        if (!::IntersectRect(&overlap, &r, &paintRect))
            return;
        const TItem* item = this->GetItem(index);
        const DWORD style = CWindow(this->m_hWnd).GetStyle();
        draw.draw.dwItemSpec = static_cast<DWORD_PTR>(index);
        draw.draw.uItemState = (index == this->m_selected ? CDIS_SELECTED : 0) |
                               ((style & TABS_HOT_TRACK) && index == this->m_hot ? CDIS_HOT : 0);
        draw.draw.rc = r;
        LRESULT itemAnswer = 0;
        if (firstAnswer & CDRF_NOTIFYITEMDRAW) {
            draw.draw.dwDrawStage = CDDS_ITEMPREPAINT;
            itemAnswer = this->SendToParent(draw.draw.hdr, &draw);
        }
        if (!(itemAnswer & CDRF_SKIPDEFAULT))
            DrawItem(dc, index, *item, r, style, draw);
        if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
            draw.draw.dwDrawStage = CDDS_ITEMPOSTPAINT;
            this->SendToParent(draw.draw.hdr, &draw);
        }
    }

    void DrawItem(HDC dc, int index, const TItem& item, RECT r, DWORD style, const TabCustomDraw& draw)
    {
        const bool bottom = (style & TABS_BOTTOM) != 0;
        const RECT whole = r;
        const bool selected = index == this->m_selected;
        RECT shape = {r.left, r.top + 3, r.right, r.bottom - 2};
        if (selected) {
            shape.right -= 1;
            Fill(dc, shape, item.highlighted ? draw.highlight : draw.selectedTab);
            if (bottom) {
                Line(dc, draw.buttonText, shape.right, shape.top, shape.right, shape.bottom);
                Line(dc, draw.buttonText, shape.left, shape.bottom, shape.right + 1, shape.bottom);
                Line(dc, draw.buttonHighlight, shape.left, shape.bottom, shape.left, shape.top - 1);
            } else {
                Line(dc, draw.buttonHighlight, shape.left, shape.bottom, shape.left, shape.top);
                Line(dc, draw.buttonHighlight, shape.left, shape.top, shape.right, shape.top);
                Line(dc, draw.buttonText, shape.right, shape.top, shape.right, shape.bottom);
            }
        } else {
            if (item.highlighted) {
                const RECT inner = {r.left + (index == this->m_selected + 1 && this->m_selected >= 0 ? 2 : 1),
                                    r.top + (bottom ? 3 : 2), r.right - 2, r.bottom - (bottom ? 1 : 2)};
                Fill(dc, inner, draw.highlight);
            }
            if (index + 1 != this->m_selected)
                Line(dc, draw.buttonShadow, r.right - 1, r.top + (bottom ? 3 : 2), r.right - 1,
                     r.bottom - (bottom ? 1 : 2));
        }
        const CSelectObject font(dc, selected ? draw.selectedFont : draw.font);
        COLORREF color = draw.inactiveText;
        if (item.highlighted)
            color = draw.highlightText;
        else if (draw.draw.uItemState & CDIS_HOT)
            color = draw.hot;
        else if (selected)
            color = draw.selectedText;
        ::SetTextColor(dc, color);
        ::SetBkMode(dc, TRANSPARENT);
        RECT content = {whole.left, whole.top + m_textOffset + (bottom ? 4 : 1), whole.right, whole.bottom};
        int imageWidth = 0;
        if (item.image >= 0 && this->m_imageList) {
            int imageHeight = 0;
            ::ImageList_GetIconSize(this->m_imageList, &imageWidth, &imageHeight);
            const int iconCentre = (whole.top + whole.bottom) / 2 + (whole.top + 3) / 2;
            if (imageWidth < whole.right - whole.left)
                ::ImageList_Draw(this->m_imageList, item.image, dc, whole.left + dockwins::kTabItemMargin,
                                 iconCentre + m_textOffset - imageHeight / 2, ILD_NORMAL);
        }
        RECT text = {};
        if (!item.text.empty() && dockwins::TabTextRect(content, imageWidth, &text))
            ::DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
                        DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS);
    }

    CBrush m_background;
    COLORREF m_inactiveText = ::GetSysColor(COLOR_GRAYTEXT);
    COLORREF m_selectedTab = ::GetSysColor(COLOR_BTNFACE);
    int m_textOffset = 0;
};
