#include "docking/sstate/StoredDockingPosition.h"

#include <climits>
#include <cmath>
#include <string>

#include "docking/dockwins/FloatingPlacement.h"
#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/ScreenFit.h"

namespace sstate {

namespace {

constexpr int KnownSideFlags = 0x3F;
// The restore order keeps 14 bits of the row; no frame has nearly as many.
constexpr int MaxRow = 0x3FFF;
constexpr int MaxLabelIndex = 0xFFFF;

bool Scale(LONG& value, float ratio)
{
    const double product = std::trunc(static_cast<double>(value) * static_cast<double>(ratio));
    if (!(product >= INT_MIN && product <= INT_MAX))
        return false;
    value = static_cast<LONG>(product);
    return true;
}

bool Scale(int& value, float ratio)
{
    LONG wide = value;
    if (!Scale(wide, ratio))
        return false;
    value = static_cast<int>(wide);
    return true;
}

bool IsUnset(const RECT& rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

} // namespace

bool ScaleDockingPosition(DockingPosition& position, float xRatio, float yRatio)
{
    if (position.docked && position.side.IsDocked()) {
        const bool horizontal = position.side.IsHorizontal();
        if (!Scale(position.place.rowSize, horizontal ? yRatio : xRatio) ||
            !Scale(position.place.length, horizontal ? xRatio : yRatio))
            return false;
    }
    RECT& rect = position.floatingRect;
    return Scale(rect.left, xRatio) && Scale(rect.top, yRatio) && Scale(rect.right, xRatio) &&
           Scale(rect.bottom, yRatio);
}

void KeepFloatingInWorkArea(DockingPosition& position)
{
    position.floatingRect = dockwins::KeepInWorkArea(position.floatingRect);
    if (!position.side.IsDocked())
        position.windowRect = dockwins::KeepInWorkArea(position.windowRect);
}

bool IsPlausibleDockingPosition(const DockingPosition& position, const RECT& screen)
{
    const dockwins::CDockingSide side = position.side;
    if ((side.Flags() & ~KnownSideFlags) != 0)
        return false;
    if (position.labelIndex < 0 || position.labelIndex > MaxLabelIndex)
        return false;
    if (side.IsDocked()) {
        const DockingPosition::Place& place = position.place;
        if (place.row < 0 || place.row > MaxRow)
            return false;
        if (!(place.ratio >= 0.0f && place.ratio <= 1.0f)) // NaN fails too
            return false;
        const LONG width = screen.right - screen.left;
        const LONG height = screen.bottom - screen.top;
        const LONG across = side.IsHorizontal() ? height : width;
        const LONG along = side.IsHorizontal() ? width : height;
        if (place.rowSize < 0 || place.rowSize > across || place.length < 0 || place.length > along)
            return false;
    } else if (position.docked && !RectFitsScreen(position.windowRect, screen)) {
        return false; // the rectangle the window is docked at
    }
    return IsUnset(position.floatingRect) || RectFitsScreen(position.floatingRect, screen);
}

std::optional<DockingPosition> ReadDockingPosition(HKEY key, const wchar_t* name, const IMainState& mainState,
                                                   const RECT& screen)
{
    std::string bytes;
    if (!BorrowedKey(key).QueryBinary(name, bytes))
        return std::nullopt;
    std::optional<DockingPosition> stored =
        DockingPosition::Load(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size());
    if (!stored)
        return std::nullopt;
    DockingPosition scaled = *stored;
    if (!ScaleDockingPosition(scaled, mainState.XRatio(), mainState.YRatio()) ||
        !IsPlausibleDockingPosition(scaled, screen))
        return std::nullopt;
    return stored;
}

} // namespace sstate
