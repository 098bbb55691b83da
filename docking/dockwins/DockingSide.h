// dockwins::CDockingSide: where a docking window is or goes, as flag bits.
#pragma once

namespace dockwins {

class CDockingSide {
public:
    enum : int {
        Inner = 0x01,         // the inner package (left or right of the view); clear: above or below
        BeforeCentral = 0x02, // top or left of the view; clear: bottom or right
        Single = 0x04,        // alone in its row: re-docking makes a new row
        NotDocked = 0x08,     // floating or hidden: the position holds a window rectangle
        Active = 0x10,        // the active one of several windows sharing an auto-hide label
        Pinned = 0x20,        // lives on an auto-hide bar
        // The four edges as the low two bits give them.
        Bottom = 0,
        Right = Inner,
        Top = BeforeCentral,
        Left = Inner | BeforeCentral,
    };

    constexpr CDockingSide(int flags = NotDocked) : m_flags(flags) {}
    constexpr int Flags() const { return m_flags; }
    constexpr operator int() const { return m_flags; }

    constexpr int GetEdge() const { return m_flags & (Inner | BeforeCentral); }
    // A horizontal side holds rows above or below the view, sized by their height.
    constexpr bool IsHorizontal() const { return (m_flags & Inner) == 0; }
    constexpr bool IsTopOrLeft() const { return (m_flags & BeforeCentral) != 0; }
    constexpr bool IsSingle() const { return (m_flags & Single) != 0; }
    constexpr bool IsDocked() const { return (m_flags & NotDocked) == 0; }
    constexpr bool IsActive() const { return (m_flags & Active) != 0; }
    constexpr bool IsPinned() const { return (m_flags & Pinned) != 0; }

    constexpr void Set(int bits, bool on) { m_flags = on ? (m_flags | bits) : (m_flags & ~bits); }

private:
    int m_flags;
};

} // namespace dockwins
