// MoodItem: a mood the user can choose, with its colour.
#pragma once

#include <windows.h>

#include "document/model/NamedEntry.h"

class MoodItem : public NamedEntry {
public:
    MoodItem() = default;
    // Draws a new mood id.
    MoodItem(const EString& name, COLORREF color);

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color) { m_color = color; }
    // "rrggbb" in lower-case hexadecimal, the document's form.
    EString GetColorText() const;
    // Reads two digits per component; what is missing or not a digit counts as 0.
    void SetColorText(const EString& text);

    bool operator==(const MoodItem& other) const;

    static int NextId();
    static void SetIdCounter(int value);

private:
    COLORREF m_color = 0;
};
