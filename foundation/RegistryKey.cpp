#include "foundation/RegistryKey.h"

#include <vector>

bool RegistryKey::Open(HKEY parent, const wchar_t* path, REGSAM access)
{
    Close();
    if (::RegOpenKeyExW(parent, path, 0, access, &m_key) != ERROR_SUCCESS)
        m_key = nullptr;
    return m_key != nullptr;
}

bool RegistryKey::Create(HKEY parent, const wchar_t* path, REGSAM access)
{
    Close();
    const LONG result = ::RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                          nullptr, &m_key, nullptr);
    if (result != ERROR_SUCCESS)
        m_key = nullptr;
    return m_key != nullptr;
}

void RegistryKey::Close()
{
    if (m_key) {
        ::RegCloseKey(m_key);
        m_key = nullptr;
    }
}

bool RegistryKey::QueryDword(const wchar_t* name, DWORD& value) const
{
    if (!m_key)
        return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (::RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof(data))
        return false;
    value = data;
    return true;
}

bool RegistryKey::QueryString(const wchar_t* name, EString& value) const
{
    if (!m_key)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    // A stored text may lack its terminator or have an odd byte count: read
    // into a buffer one character longer and measure by the bytes returned.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    result = ::RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (result != ERROR_SUCCESS)
        return false;
    size_t length = bytes / sizeof(wchar_t);
    if (length > buffer.size() - 1)
        length = buffer.size() - 1;
    while (length > 0 && buffer[length - 1] == L'\0')
        --length;
    value.assign(buffer.data(), length);
    return true;
}

bool RegistryKey::QueryBinary(const wchar_t* name, std::string& bytes) const
{
    if (!m_key)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return false;
    std::string buffer(size, '\0');
    if (::RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    buffer.resize(size);
    bytes = std::move(buffer);
    return true;
}

bool RegistryKey::SetDword(const wchar_t* name, DWORD value)
{
    return m_key && ::RegSetValueExW(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof(value)) == ERROR_SUCCESS;
}

bool RegistryKey::SetString(const wchar_t* name, const EString& value)
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return m_key && ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     bytes) == ERROR_SUCCESS;
}

bool RegistryKey::SetBinary(const wchar_t* name, const void* data, DWORD size)
{
    return m_key && ::RegSetValueExW(m_key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const wchar_t* name)
{
    return m_key && ::RegDeleteValueW(m_key, name) == ERROR_SUCCESS;
}
