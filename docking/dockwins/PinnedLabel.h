// dockwins::IPinnedLabel: a label on an auto-hide bar standing for one pinned pane or a pinned box's panes.
#pragma once

#include <windows.h>

#include <vector>

#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"
#include "foundation/EString.h"

namespace dockwins {

// One pinned pane: its size across the side, window, small icon and title.
class CPinnedWindow {
public:
    CPinnedWindow() = default;
    CPinnedWindow(HWND window, int size);

    HWND Window() const { return m_window; }
    HICON Icon() const { return m_icon; }
    const EString& Text() const { return m_text; }
    int Size() const { return m_size; }
    void SetSize(int size) { m_size = size; }
    int TextLength() const { return static_cast<int>(m_text.size()); }

    // Hidden, the window becomes a child of the auto-hide manager, told it
    // is docked (the flag: a horizontal bar).
    void PinUp(HWND manager, bool horizontalBar) const;
    // Hidden, the window becomes a captioned pop-up again, told it is undocked.
    void Unpin(HWND manager) const;

    // The text's extent plus the margins and, with an icon, the icon's width.
    int DesiredWidth(HDC dc) const;
    // Icon and text inside `rect` shrunk by 3; the icon only when it fits.
    void Draw(HDC dc, const RECT& rect, bool horizontal) const;
    void DrawIconOnly(HDC dc, const RECT& rect, bool horizontal) const;

private:
    int m_size = 0;
    HWND m_window = nullptr;
    HICON m_icon = nullptr;
    EString m_text;
};

class IPinnedLabel {
public:
    IPinnedLabel() = default;
    IPinnedLabel(const IPinnedLabel&) = delete;
    IPinnedLabel& operator=(const IPinnedLabel&) = delete;
    virtual ~IPinnedLabel() = default;

    // The label that replaces this one: null when it is now empty, itself
    // when nothing changed; the caller deletes this one when it differs.
    virtual IPinnedLabel* Remove(HWND window, HWND manager) = 0;
    // Gives all its panes back to the frame, at the places the label records.
    virtual bool Unpin(HWND frame, HWND manager, DockingPosition* position) = 0;
    virtual void SetWidth(int width) = 0;
    virtual int GetWidth() const = 0;
    virtual int DesiredWidth(HDC dc) const = 0;
    virtual bool GetDockingPosition(DockingPosition* position) const = 0;
    virtual const CPinnedWindow* ActivePinnedWindow() const = 0;
    virtual const CPinnedWindow* FromPoint(int offset, bool activate) = 0;
    virtual bool IsOwner(HWND window) const = 0;
    virtual void Draw(HDC dc, const RECT& rect, bool horizontal) const = 0;
    // The pane's size across the side, as the user sized its fly-out.
    virtual void SetEntrySize(HWND window, int size) = 0;
};

// A label for one pinned pane, or for a box's panes when the request lists two or more.
IPinnedLabel* MakePinnedLabel(const DockingPinRequest& request, bool horizontalBar);

class CSinglePinnedLabel : public IPinnedLabel {
public:
    explicit CSinglePinnedLabel(const CPinnedWindow& entry) : m_entry(entry) {}

    IPinnedLabel* Remove(HWND window, HWND manager) override;
    bool Unpin(HWND frame, HWND manager, DockingPosition* position) override;
    void SetWidth(int width) override { m_width = width; }
    int GetWidth() const override { return m_width; }
    int DesiredWidth(HDC dc) const override { return m_entry.DesiredWidth(dc); }
    bool GetDockingPosition(DockingPosition* position) const override;
    const CPinnedWindow* ActivePinnedWindow() const override { return &m_entry; }
    const CPinnedWindow* FromPoint(int, bool) override { return &m_entry; }
    bool IsOwner(HWND window) const override { return m_entry.Window() == window; }
    void Draw(HDC dc, const RECT& rect, bool horizontal) const override;
    void SetEntrySize(HWND window, int size) override
    {
        if (IsOwner(window))
            m_entry.SetSize(size);
    }

private:
    CPinnedWindow m_entry;
    int m_width = 0;
};

class CMultyPinnedLabel : public IPinnedLabel {
public:
    // The entry of `first` is active; at least two entries.
    CMultyPinnedLabel(std::vector<CPinnedWindow> entries, HWND first);

    IPinnedLabel* Remove(HWND window, HWND manager) override;
    bool Unpin(HWND frame, HWND manager, DockingPosition* position) override;
    // A label too narrow for every icon shares its width out; a width below
    // one pixel per entry leaves the icon-only entries no width at all.
    void SetWidth(int width) override;
    int GetWidth() const override { return m_width; }
    int DesiredWidth(HDC dc) const override;
    bool GetDockingPosition(DockingPosition* position) const override;
    const CPinnedWindow* ActivePinnedWindow() const override { return &m_entries[m_active]; }
    // Icon-only entries of no width cannot be told apart: the active entry answers.
    const CPinnedWindow* FromPoint(int offset, bool activate) override;
    bool IsOwner(HWND window) const override { return IndexOf(window) >= 0; }
    void Draw(HDC dc, const RECT& rect, bool horizontal) const override;
    void SetEntrySize(HWND window, int size) override
    {
        const int index = IndexOf(window);
        if (index >= 0)
            m_entries[static_cast<size_t>(index)].SetSize(size);
    }

    size_t Count() const { return m_entries.size(); }
    int IconOnlyWidth() const { return m_iconOnlyWidth; }
    // The entry of a point `offset` pixels along a label, with no side effect.
    static size_t EntryAt(int offset, int labelWidth, int iconOnlyWidth, size_t count, size_t active);

private:
    int IndexOf(HWND window) const;

    std::vector<CPinnedWindow> m_entries;
    int m_width = 0;
    int m_iconOnlyWidth = 0;
    size_t m_active = 0;
    size_t m_measuring = 0; // the entry whose text measures the label
};

} // namespace dockwins
