// DockingPosition: where a docking window lives, in memory and in its stored 60-byte form.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>

#include "docking/dockwins/DockingSide.h"

struct DockingPosition {
    static constexpr size_t StoredSize = 60; // fifteen 32-bit fields

    // Fields 4-7 of a docked (or pinned) window.
    struct Place {
        int row = 0;        // counted from the outer edge; for a pinned window its label's index
        float ratio = 0.0f; // start within the row relative to the row's length
        int rowSize = 0;    // across the package, without the splitter
        int length = 0;     // along the row, without the splitter
    };

    HWND window = nullptr;
    HWND container = nullptr;
    int code = 0;
    dockwins::CDockingSide side;
    // Which of these two is meant follows from side.IsDocked().
    Place place;
    RECT windowRect = {}; // a window that is not docked
    int labelIndex = 0;
    RECT floatingRect = {};
    bool docked = false;
    bool shown = false;

    // Field by field, little-endian 32-bit values; window handles keep their
    // low 32 bits, which is all a window handle carries.
    std::array<std::byte, StoredSize> Store() const;
    // Null when the block is not exactly the stored size.
    static std::optional<DockingPosition> Load(const std::byte* bytes, size_t size);
    // Docked at the side as a row of its own, as wide and high as the rectangle.
    static DockingPosition RowOfItsOwn(dockwins::CDockingSide side, const RECT& rect);
};
