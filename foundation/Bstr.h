// Bstr: owns one BSTR.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "foundation/EString.h"

class Bstr {
public:
    Bstr() = default;
    Bstr(const wchar_t* text) : m_text(text ? ::SysAllocString(text) : nullptr) {}
    Bstr(const EString& text) : m_text(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr& other) : m_text(other.m_text ? ::SysAllocStringLen(other.m_text, other.Length()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    ~Bstr() { ::SysFreeString(m_text); }
    Bstr& operator=(Bstr other) noexcept
    {
        std::swap(m_text, other.m_text);
        return *this;
    }

    BSTR Get() const { return m_text; }
    operator BSTR() const { return m_text; }
    // For out parameters: frees the held text first.
    BSTR* operator&()
    {
        Free();
        return &m_text;
    }
    BSTR Detach() { return std::exchange(m_text, nullptr); }
    // Takes ownership of a BSTR allocated elsewhere.
    void Attach(BSTR text)
    {
        Free();
        m_text = text;
    }
    void Free()
    {
        ::SysFreeString(m_text);
        m_text = nullptr;
    }

    UINT Length() const { return m_text ? ::SysStringLen(m_text) : 0; }
    EString ToString() const { return m_text ? EString(m_text, Length()) : EString(); }

private:
    BSTR m_text = nullptr;
};
