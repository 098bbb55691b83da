// Ceil: one lane of one day on the deadlines calendar, holding up to nine small numbered boxes.
#pragma once

#include <windows.h>

#include <map>

#include "foundation/EString.h"

// Boxes follow the key order, which is the task list's row order. Items
// past the ninth all land in the ninth box, which shows "..." and takes no hits.
class Ceil {
public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 3;
    static constexpr int kCapacity = kColumns * kRows;
    // Only the boxes before the "..." box answer hit tests.
    static constexpr int kNumberedBoxes = kCapacity - 1;

    virtual ~Ceil() = default;

    void SetRect(const RECT& rect) { m_rect = rect; }
    const RECT& GetRect() const { return m_rect; }
    void SetItem(int key, COLORREF color) { m_items[key] = color; }
    const std::map<int, COLORREF>& GetItems() const { return m_items; }
    void SetSelectedKey(int key) { m_selectedKey = key; }
    int GetSelectedKey() const { return m_selectedKey; }

    // The box at a 0-based position; positions past the last box share it.
    RECT GetBoxRect(int position) const;
    // "%d" of the key, or "..." in the last box.
    static EString GetBoxText(int position, int key);
    // The key of the last numbered box holding the point; 0 when none.
    int HitTest(POINT point) const;
    // With the pen the caller selected; the font and text mode are the caller's too.
    void Paint(HDC dc) const;

private:
    RECT m_rect = {};
    std::map<int, COLORREF> m_items;
    int m_selectedKey = 0;
};
