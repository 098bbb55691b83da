// Device contexts held for one scope: a window's paint, client, whole-window and non-client DCs, the screen's, a memory DC, and a saved DC state.
#pragma once

#include <windows.h>

class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::BeginPaint(hwnd, &m_paint)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_paint); }

    operator HDC() const { return m_dc; }
    const RECT& PaintRect() const { return m_paint.rcPaint; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// GetDC (client area) or GetWindowDC (the whole window, frame and caption), released at the end of the scope.
class CWindowDCBase {
public:
    CWindowDCBase(const CWindowDCBase&) = delete;
    CWindowDCBase& operator=(const CWindowDCBase&) = delete;
    ~CWindowDCBase()
    {
        if (m_dc)
            ::ReleaseDC(m_hwnd, m_dc);
    }
    operator HDC() const { return m_dc; }

protected:
    CWindowDCBase(HWND hwnd, HDC dc) : m_hwnd(hwnd), m_dc(dc) {}

private:
    HWND m_hwnd;
    HDC m_dc;
};

class CClientDC : public CWindowDCBase {
public:
    explicit CClientDC(HWND hwnd) : CWindowDCBase(hwnd, ::GetDC(hwnd)) {}
};

class CWindowDC : public CWindowDCBase {
public:
    explicit CWindowDC(HWND hwnd) : CWindowDCBase(hwnd, ::GetWindowDC(hwnd)) {}
};

// The whole screen, over every window: for measuring texts, reading the
// display's depth and drawing drag outlines.
class CScreenDC : public CWindowDCBase {
public:
    CScreenDC() : CWindowDCBase(nullptr, ::GetDC(nullptr)) {}
};

// A window's frame and caption in WM_NCPAINT: clipped to the region the
// message names, unless it names the whole window (1) or none.
class CNonClientPaintDC : public CWindowDCBase {
public:
    CNonClientPaintDC(HWND hwnd, HRGN region) : CWindowDCBase(hwnd, Take(hwnd, region)) {}

private:
    // GetDCEx's flag for the window's own clipping style; the headers leave it out.
    static constexpr DWORD kDcxUseStyle = 0x00010000;

    static HDC Take(HWND hwnd, HRGN region)
    {
        HDC dc = nullptr;
        if (region && region != reinterpret_cast<HRGN>(1))
            dc = ::GetDCEx(hwnd, region, DCX_WINDOW | DCX_INTERSECTRGN | kDcxUseStyle);
        return dc ? dc : ::GetWindowDC(hwnd);
    }
};

// Keeps a DC's objects, colours, modes and clipping as they were before the scope.
class CSavedDC {
public:
    explicit CSavedDC(HDC dc) : m_dc(dc), m_saved(::SaveDC(dc)) {}
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;
    ~CSavedDC()
    {
        if (m_saved)
            ::RestoreDC(m_dc, m_saved);
    }

private:
    HDC m_dc;
    int m_saved;
};

// A memory DC compatible with another, deleted at the end of the scope.
class CCompatibleDC {
public:
    explicit CCompatibleDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    CCompatibleDC(const CCompatibleDC&) = delete;
    CCompatibleDC& operator=(const CCompatibleDC&) = delete;
    ~CCompatibleDC()
    {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};
