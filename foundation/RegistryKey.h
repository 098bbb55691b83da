// RegistryKey: an open registry key, closed when the holder goes.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : m_key(other.m_key) { other.m_key = nullptr; }
    virtual ~RegistryKey() { Close(); }

    bool Open(HKEY parent, const wchar_t* path, REGSAM access = KEY_READ);
    bool Create(HKEY parent, const wchar_t* path, REGSAM access = KEY_READ | KEY_WRITE);
    void Close();
    // Takes over a key the caller opened; Detach gives it back without closing it.
    void Attach(HKEY key)
    {
        Close();
        m_key = key;
    }
    HKEY Detach()
    {
        HKEY key = m_key;
        m_key = nullptr;
        return key;
    }
    bool IsOpen() const { return m_key != nullptr; }
    operator HKEY() const { return m_key; }

    // Reads fail (false) on a missing value and on a value of another type or size.
    bool QueryDword(const wchar_t* name, DWORD& value) const;
    bool QueryString(const wchar_t* name, EString& value) const;
    bool QueryBinary(const wchar_t* name, std::string& bytes) const;
    bool SetDword(const wchar_t* name, DWORD value);
    bool SetString(const wchar_t* name, const EString& value);
    bool SetBinary(const wchar_t* name, const void* data, DWORD size);
    bool DeleteValue(const wchar_t* name);

private:
    HKEY m_key = nullptr;
};
