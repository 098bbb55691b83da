// InternetHandle: owns one WinInet handle and closes it on every path.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <utility>

class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~InternetHandle() { Close(); }
    InternetHandle(InternetHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    InternetHandle& operator=(InternetHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    void Reset(HINTERNET handle = nullptr)
    {
        if (m_handle)
            ::InternetCloseHandle(m_handle);
        m_handle = handle;
    }
    void Close() { Reset(); }

private:
    HINTERNET m_handle = nullptr;
};
