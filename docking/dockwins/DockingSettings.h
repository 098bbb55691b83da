// dockwins::CDockingSettings: the drag mode, fonts, cursors, metrics and colours all docking windows share.
#pragma once

#include <windows.h>

#include <optional>

#include "winlib/GdiObject.h"

namespace dockwins {

class CDockingSettings {
public:
    enum : DWORD {
        DragModeChosen = 0x1, // the program chose the drag mode; the system's setting is not read
        GhostDrag = 0x2,      // splitters move as an inverted outline, applied on release
        FullDrag = 0x4,       // contents move live; the auto-hide slide runs only then
    };

    CDockingSettings() { Update(); }
    CDockingSettings(const CDockingSettings&) = delete;
    CDockingSettings& operator=(const CDockingSettings&) = delete;

    // The process-wide instance, made at the first use.
    static CDockingSettings& Instance();

    // Reads the system's settings again (after WM_SETTINGCHANGE, WM_SYSCOLORCHANGE).
    void Update();

    COLORREF BarBackgroundColor() const { return m_barBackground; }
    COLORREF DimmedTextColor() const { return m_dimmedText; }
    DWORD StyleFlags() const { return m_flags; }
    void SetStyleFlags(DWORD flags) { m_flags = flags; }
    bool IsGhostDrag() const { return (m_flags & GhostDrag) != 0; }
    bool IsFullDrag() const { return (m_flags & FullDrag) != 0; }

    HFONT HorizontalGuiFont() const { return m_horizontalGuiFont; }
    HFONT VerticalGuiFont() const { return m_verticalGuiFont; }
    HFONT HorizontalCaptionFont() const { return m_horizontalCaptionFont; }
    HFONT VerticalCaptionFont() const { return m_verticalCaptionFont; }
    HCURSOR NorthSouthCursor() const { return m_northSouthCursor; }
    HCURSOR WestEastCursor() const { return m_westEastCursor; }
    int SmallCaptionHeight() const { return m_metrics.iSmCaptionHeight; }

    // The rules Update applies, apart from the system calls.
    // The style flags after reading the system's drag setting (none when the call failed).
    static DWORD FlagsAfterDragSetting(DWORD flags, std::optional<bool> systemDragsFullWindows);
    // The auto-hide bars' background: the button face lightened.
    static COLORREF LightenedColor(COLORREF face);
    // Two thirds of the way from the text colour to the grey text colour.
    static COLORREF DimmedColor(COLORREF text, COLORREF gray);

private:
    COLORREF m_barBackground = 0;
    COLORREF m_dimmedText = 0;
    DWORD m_flags = 0;
    CFont m_verticalGuiFont;
    HFONT m_horizontalGuiFont = nullptr; // the stock font: never deleted
    CFont m_horizontalCaptionFont;
    CFont m_verticalCaptionFont;
    HCURSOR m_northSouthCursor = nullptr;
    HCURSOR m_westEastCursor = nullptr;
    NONCLIENTMETRICSW m_metrics = {};
};

inline void UpdateDockingSettings()
{
    CDockingSettings::Instance().Update();
}

} // namespace dockwins
