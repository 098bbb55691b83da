#include "docking/dockwins/DockingPosition.h"

#include <bit>
#include <cstdint>

namespace {

class FieldWriter {
public:
    explicit FieldWriter(std::array<std::byte, DockingPosition::StoredSize>& out) : m_out(out) {}
    void Put(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_out[m_at++] = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
    }
    void Put(int value) { Put(static_cast<std::uint32_t>(value)); }
    void Put(float value) { Put(std::bit_cast<std::uint32_t>(value)); }
    void Put(HWND window) { Put(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window))); }
    void Put(const RECT& rect)
    {
        Put(static_cast<int>(rect.left));
        Put(static_cast<int>(rect.top));
        Put(static_cast<int>(rect.right));
        Put(static_cast<int>(rect.bottom));
    }

private:
    std::array<std::byte, DockingPosition::StoredSize>& m_out;
    size_t m_at = 0;
};

class FieldReader {
public:
    explicit FieldReader(const std::byte* bytes) : m_bytes(bytes) {}
    std::uint32_t Next()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(m_bytes[m_at++]) << (8 * i);
        return value;
    }
    int NextInt() { return static_cast<int>(Next()); }
    float NextFloat() { return std::bit_cast<float>(Next()); }
    // A handle is sign-extended from its 32 bits, as the system does.
    HWND NextWindow() { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(NextInt())); }
    RECT NextRect()
    {
        RECT rect;
        rect.left = NextInt();
        rect.top = NextInt();
        rect.right = NextInt();
        rect.bottom = NextInt();
        return rect;
    }

private:
    const std::byte* m_bytes;
    size_t m_at = 0;
};

} // namespace

std::array<std::byte, DockingPosition::StoredSize> DockingPosition::Store() const
{
    std::array<std::byte, StoredSize> out{};
    FieldWriter writer(out);
    writer.Put(window);
    writer.Put(container);
    writer.Put(code);
    writer.Put(side.Flags());
    if (side.IsDocked()) {
        writer.Put(place.row);
        writer.Put(place.ratio);
        writer.Put(place.rowSize);
        writer.Put(place.length);
    } else {
        writer.Put(windowRect);
    }
    writer.Put(labelIndex);
    writer.Put(floatingRect);
    writer.Put(docked ? 1 : 0);
    writer.Put(shown ? 1 : 0);
    return out;
}

std::optional<DockingPosition> DockingPosition::Load(const std::byte* bytes, size_t size)
{
    if (!bytes || size != StoredSize)
        return std::nullopt;
    FieldReader reader(bytes);
    DockingPosition position;
    position.window = reader.NextWindow();
    position.container = reader.NextWindow();
    position.code = reader.NextInt();
    position.side = dockwins::CDockingSide(reader.NextInt());
    if (position.side.IsDocked()) {
        position.place.row = reader.NextInt();
        position.place.ratio = reader.NextFloat();
        position.place.rowSize = reader.NextInt();
        position.place.length = reader.NextInt();
    } else {
        position.windowRect = reader.NextRect();
    }
    position.labelIndex = reader.NextInt();
    position.floatingRect = reader.NextRect();
    position.docked = reader.NextInt() != 0;
    position.shown = reader.NextInt() != 0;
    return position;
}

DockingPosition DockingPosition::RowOfItsOwn(dockwins::CDockingSide side, const RECT& rect)
{
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    DockingPosition position;
    position.side = dockwins::CDockingSide(side.GetEdge() | dockwins::CDockingSide::Single);
    position.place.rowSize = side.IsHorizontal() ? height : width;
    position.place.length = side.IsHorizontal() ? width : height;
    position.docked = true;
    return position;
}
