// sstate::RebarBandRecord: one rebar band as stored ("band0", ...): the 80-byte 32-bit REBARBANDINFOW.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace sstate {

// The stored form has the 32-bit layout whatever the program's width: twenty
// 32-bit fields, of which only style, size, id and ideal size are kept.
struct RebarBandRecord {
    static constexpr size_t StoredSize = 80;
    static constexpr UINT KeptMask = RBBIM_STYLE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE; // 0x341

    UINT mask = KeptMask;
    UINT style = 0;
    UINT cx = 0;
    UINT id = 0;
    UINT cxIdeal = 0;

    // The kept fields of band index of the rebar; null when it has no such band.
    static std::optional<RebarBandRecord> FromRebar(HWND rebar, int index);
    std::array<std::byte, StoredSize> Store() const;
    // Null unless the block is a record of this layout with only the kept
    // fields, known styles, an id, and sizes no wider than maxExtent.
    static std::optional<RebarBandRecord> Load(const std::byte* bytes, size_t size, LONG maxExtent);

    // For RB_SETBANDINFOW, with the stored mask.
    REBARBANDINFOW BandInfo() const;
};

} // namespace sstate
