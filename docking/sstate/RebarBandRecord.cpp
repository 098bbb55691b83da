#include "docking/sstate/RebarBandRecord.h"

namespace sstate {

namespace {

// Field positions of the 32-bit REBARBANDINFOW, four bytes each.
enum Field : size_t {
    CbSize = 0,
    FMask = 1,
    FStyle = 2,
    Cx = 11,
    WId = 13,
    CxIdeal = 17,
};

// RBBS_BREAK .. RBBS_TOPALIGN.
constexpr UINT KnownStyles = 0x0FFF;

void Put(std::array<std::byte, RebarBandRecord::StoredSize>& out, size_t field, std::uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        out[field * 4 + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
}

std::uint32_t Get(const std::byte* bytes, size_t field)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(bytes[field * 4 + i]) << (8 * i);
    return value;
}

} // namespace

std::optional<RebarBandRecord> RebarBandRecord::FromRebar(HWND rebar, int index)
{
    REBARBANDINFOW info = {};
    info.cbSize = sizeof(info); // this program's own layout for the call
    info.fMask = KeptMask;
    if (!::SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)))
        return std::nullopt;
    RebarBandRecord record;
    record.style = info.fStyle;
    record.cx = info.cx;
    record.id = info.wID;
    record.cxIdeal = info.cxIdeal;
    return record;
}

std::array<std::byte, RebarBandRecord::StoredSize> RebarBandRecord::Store() const
{
    std::array<std::byte, StoredSize> out{};
    Put(out, CbSize, StoredSize);
    Put(out, FMask, mask);
    Put(out, FStyle, style);
    Put(out, Cx, cx);
    Put(out, WId, id);
    Put(out, CxIdeal, cxIdeal);
    return out;
}

std::optional<RebarBandRecord> RebarBandRecord::Load(const std::byte* bytes, size_t size, LONG maxExtent)
{
    if (!bytes || size != StoredSize || Get(bytes, CbSize) != StoredSize)
        return std::nullopt;
    RebarBandRecord record;
    record.mask = Get(bytes, FMask);
    record.style = Get(bytes, FStyle);
    record.cx = Get(bytes, Cx);
    record.id = Get(bytes, WId);
    record.cxIdeal = Get(bytes, CxIdeal);
    // Other fields would carry pointers and handles of a run long gone.
    if ((record.mask & ~KeptMask) != 0 || (record.mask & RBBIM_ID) == 0)
        return std::nullopt;
    if ((record.mask & RBBIM_STYLE) && (record.style & ~KnownStyles) != 0)
        return std::nullopt;
    const UINT limit = maxExtent > 0 ? static_cast<UINT>(maxExtent) : 0;
    if (((record.mask & RBBIM_SIZE) && record.cx > limit) || ((record.mask & RBBIM_IDEALSIZE) && record.cxIdeal > limit))
        return std::nullopt;
    return record;
}

REBARBANDINFOW RebarBandRecord::BandInfo() const
{
    REBARBANDINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.fStyle = style;
    info.cx = cx;
    info.wID = id;
    info.cxIdeal = cxIdeal;
    return info;
}

} // namespace sstate
