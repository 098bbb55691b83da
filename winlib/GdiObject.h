// CGdiObject: a pen, brush, font, bitmap or region handle, owned (deleted with the holder) or only borrowed.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    // Owns the handle unless told it is borrowed (a stock object, a
    // system font, a handle someone else deletes).
    explicit CGdiObject(Handle handle, bool owned = true) : m_handle(handle), m_owned(owned) {}
    CGdiObject(CGdiObject&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)), m_owned(other.m_owned)
    {
    }
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_handle = std::exchange(other.m_handle, nullptr);
            m_owned = other.m_owned;
        }
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { Reset(); }

    operator Handle() const { return m_handle; }
    Handle Get() const { return m_handle; }
    bool IsNull() const { return m_handle == nullptr; }

    void Attach(Handle handle, bool owned = true)
    {
        Reset();
        m_handle = handle;
        m_owned = owned;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    void Reset()
    {
        if (m_handle && m_owned)
            ::DeleteObject(m_handle);
        m_handle = nullptr;
    }

private:
    Handle m_handle = nullptr;
    bool m_owned = true;
};

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;
using CRgn = CGdiObject<HRGN>;

// Selects an object into a device context for one scope and puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject()
    {
        if (m_previous)
            ::SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
