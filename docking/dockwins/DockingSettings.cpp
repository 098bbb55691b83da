#include "docking/dockwins/DockingSettings.h"

#include <algorithm>

namespace dockwins {

namespace {

// Text that runs downwards, for vertical captions and auto-hide bars.
HFONT MakeTurnedFont(LOGFONTW font)
{
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfEscapement = 2700;
    font.lfOrientation = 2700;
    return ::CreateFontIndirectW(&font);
}

} // namespace

CDockingSettings& CDockingSettings::Instance()
{
    static CDockingSettings settings;
    return settings;
}

DWORD CDockingSettings::FlagsAfterDragSetting(DWORD flags, std::optional<bool> systemDragsFullWindows)
{
    if ((flags & DragModeChosen) || !systemDragsFullWindows)
        return flags;
    return (flags & ~static_cast<DWORD>(GhostDrag | FullDrag)) | (*systemDragsFullWindows ? FullDrag : GhostDrag);
}

COLORREF CDockingSettings::LightenedColor(COLORREF face)
{
    const int channels[3] = {GetRValue(face), GetGValue(face), GetBValue(face)};
    const int largest = std::max({channels[0], channels[1], channels[2]});
    const int lift = largest > 220 ? 255 - largest : 35;
    int lightened[3];
    for (int i = 0; i < 3; ++i) {
        const int c = channels[i];
        // A black face has no channel to scale by: every channel is lifted alike.
        const int value = largest == 0 ? c + lift : static_cast<int>(c + static_cast<double>(lift) * c / largest + 0.5);
        lightened[i] = std::clamp(value, 0, 255);
    }
    return RGB(lightened[0], lightened[1], lightened[2]);
}

COLORREF CDockingSettings::DimmedColor(COLORREF text, COLORREF gray)
{
    const auto dim = [](int t, int g) { return std::clamp(t + 2 * ((g - t) / 3), 0, 255); };
    return RGB(dim(GetRValue(text), GetRValue(gray)), dim(GetGValue(text), GetGValue(gray)),
               dim(GetBValue(text), GetBValue(gray)));
}

void CDockingSettings::Update()
{
    BOOL fullWindows = FALSE;
    std::optional<bool> systemDrag;
    if (::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullWindows, 0))
        systemDrag = fullWindows != FALSE;
    m_flags = FlagsAfterDragSetting(m_flags, systemDrag);

    const auto stockFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (m_horizontalGuiFont != stockFont) {
        m_horizontalGuiFont = stockFont;
        LOGFONTW font = {};
        if (::GetObjectW(stockFont, sizeof(font), &font))
            m_verticalGuiFont.Attach(MakeTurnedFont(font));
    }

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        m_metrics = metrics;
        LOGFONTW font = metrics.lfSmCaptionFont;
        font.lfWeight = FW_NORMAL;
        m_horizontalCaptionFont.Attach(::CreateFontIndirectW(&font));
        m_verticalCaptionFont.Attach(MakeTurnedFont(font));
    }

    m_northSouthCursor = ::LoadCursorW(nullptr, IDC_SIZENS);
    m_westEastCursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
    m_barBackground = LightenedColor(::GetSysColor(COLOR_BTNFACE));
    m_dimmedText = DimmedColor(::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_GRAYTEXT));
}

} // namespace dockwins
