// CMemoryDC: an off-screen copy of a rectangle of a DC; painted there, it reaches the target in one copy when the scope ends.
#pragma once

#include <windows.h>

#include "winlib/GdiObject.h"

class CMemoryDC {
public:
    // Drawing coordinates stay those of the target: the off-screen DC's
    // origin is moved to the rectangle's corner.
    CMemoryDC(HDC target, const RECT& rect);
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    ~CMemoryDC();

    operator HDC() const { return m_dc ? m_dc : m_target; }
    // False when the system refused the off-screen bitmap: drawing then goes straight to the target.
    bool IsOffScreen() const { return m_dc != nullptr; }

private:
    HDC m_target;
    RECT m_rect;
    HDC m_dc = nullptr;
    CBitmap m_bitmap;
    HGDIOBJ m_previousBitmap = nullptr;
};
