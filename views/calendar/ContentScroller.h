// ContentScroller: the scroll offset of a fixed-size content behind a window's client area, and that window's scroll bars.
#pragma once

#include <windows.h>

class ContentScroller {
public:
    void SetContentSize(SIZE size) { m_content = size; }
    void SetLineSize(SIZE size) { m_line = size; }
    void SetClientSize(SIZE size) { m_client = size; }
    SIZE GetClientSize() const { return m_client; }
    POINT GetOffset() const { return m_offset; }

    // Held inside the content: never past its end, never before 0. Returns how far the offset moved.
    SIZE ScrollTo(POINT offset);
    // The offset along one bar (SB_HORZ or SB_VERT) that a scroll-bar code asks for.
    int OffsetForCode(int bar, int code, int trackPosition) const;
    // Whether a point of the content lies in the visible part.
    bool IsVisible(POINT contentPoint) const;
    void UpdateBars(HWND window) const;

private:
    int Limit(int offset, int content, int client) const;

    SIZE m_content = {};
    SIZE m_line = {1, 1};
    SIZE m_client = {};
    POINT m_offset = {};
};
