// ComPtr: holds one reference to a COM interface.
#pragma once

#include <objbase.h>

#include <memory>
#include <utility>

#include "foundation/ComError.h"

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* pointer) : m_pointer(pointer) { AddRef(); }
    ComPtr(const ComPtr& other) : m_pointer(other.m_pointer) { AddRef(); }
    ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ~ComPtr() { Release(); }

    ComPtr& operator=(const ComPtr& other)
    {
        if (m_pointer != other.m_pointer) {
            T* old = m_pointer;
            m_pointer = other.m_pointer;
            AddRef();
            if (old)
                old->Release();
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            Release();
            m_pointer = std::exchange(other.m_pointer, nullptr);
        }
        return *this;
    }

    T* operator->() const { return m_pointer; }
    T* Get() const { return m_pointer; }
    operator T*() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // For out parameters: drops the held reference first.
    T** operator&()
    {
        Release();
        return &m_pointer;
    }

    void Attach(T* pointer)
    {
        Release();
        m_pointer = pointer;
    }
    T* Detach() { return std::exchange(m_pointer, nullptr); }
    void Release()
    {
        if (T* old = std::exchange(m_pointer, nullptr))
            old->Release();
    }

    HRESULT CreateInstance(REFCLSID clsid, REFIID iid, DWORD context = CLSCTX_INPROC_SERVER)
    {
        Release();
        return ::CoCreateInstance(clsid, nullptr, context, iid, reinterpret_cast<void**>(&m_pointer));
    }
    HRESULT CreateInstance(const wchar_t* progId, REFIID iid, DWORD context = CLSCTX_INPROC_SERVER)
    {
        CLSID clsid;
        const HRESULT hr = ::CLSIDFromProgID(progId, &clsid);
        return FAILED(hr) ? hr : CreateInstance(clsid, iid, context);
    }

    template <class Other>
    HRESULT QueryInterface(REFIID iid, ComPtr<Other>& result) const
    {
        if (!m_pointer)
            return E_POINTER;
        return m_pointer->QueryInterface(iid, reinterpret_cast<void**>(&result));
    }

private:
    void AddRef()
    {
        if (m_pointer)
            m_pointer->AddRef();
    }

    T* m_pointer = nullptr;
};
