#include "foundation/CTFile.h"

#include <windows.h>
#include <oleauto.h>

#include "foundation/ComError.h"

namespace {

double OleDateOfFileTime(const FILETIME& fileTime)
{
    SYSTEMTIME system = {};
    double date = 0;
    if (::FileTimeToSystemTime(&fileTime, &system) && ::SystemTimeToVariantTime(&system, &date))
        return date;
    return 0;
}

double OldestFileDate()
{
    SYSTEMTIME system = {};
    system.wYear = 1601;
    system.wMonth = 1;
    system.wDay = 1;
    double date = 0;
    ::SystemTimeToVariantTime(&system, &date);
    return date;
}

EString ConvertFrom(UINT codePage, const char* data, size_t size)
{
    if (size == 0)
        return EString();
    const int length = ::MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), nullptr, 0);
    if (length <= 0)
        return EString();
    EString text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), text.data(), length);
    return text;
}

std::string ConvertTo(UINT codePage, const EString& text)
{
    if (text.empty())
        return std::string();
    const int length = ::WideCharToMultiByte(codePage, 0, text.data(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), text.GetLength(), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

EString FromUtf16Bytes(const std::string& bytes, size_t offset)
{
    if (offset >= bytes.size())
        return EString();
    const size_t count = (bytes.size() - offset) / sizeof(wchar_t);
    EString text(count, L'\0');
    if (count)
        memcpy(text.data(), bytes.data() + offset, count * sizeof(wchar_t));
    return text;
}

} // namespace

EString Utf8ToWide(const char* data, size_t size) { return ConvertFrom(CP_UTF8, data, size); }
std::string WideToUtf8(const EString& text) { return ConvertTo(CP_UTF8, text); }
EString AnsiToWide(const char* data, size_t size) { return ConvertFrom(CP_ACP, data, size); }
std::string WideToAnsi(const EString& text) { return ConvertTo(CP_ACP, text); }

CTFile::CTFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition)
{
    Open(path, access, shareMode, creationDisposition);
}

bool CTFile::Open(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition)
{
    if (IsOpen())
        return false;
    m_file.Reset(::CreateFileW(path, access, shareMode, nullptr, creationDisposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!IsOpen())
        return false;
    m_unicode = false;
    LARGE_INTEGER size = {};
    if ((access & GENERIC_READ) && ::GetFileSizeEx(m_file.Get(), &size) && size.QuadPart >= 2) {
        unsigned char mark[2] = {};
        DWORD read = 0;
        if (::ReadFile(m_file.Get(), mark, 2, &read, nullptr) && read == 2 && mark[0] == 0xFF && mark[1] == 0xFE)
            m_unicode = true;
        else
            Seek(0, FILE_BEGIN);
    }
    return true;
}

void CTFile::Close()
{
    m_file.Reset();
}

void CTFile::Seek(LONGLONG distance, DWORD method)
{
    LARGE_INTEGER move = {};
    move.QuadPart = distance;
    if (!::SetFilePointerEx(m_file.Get(), move, nullptr, method))
        ThrowLastWin32Error();
}

std::string CTFile::ReadFromPosition()
{
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(m_file.Get(), &size))
        ThrowLastWin32Error();
    LARGE_INTEGER zero = {};
    LARGE_INTEGER position = {};
    if (!::SetFilePointerEx(m_file.Get(), zero, &position, FILE_CURRENT))
        ThrowLastWin32Error();
    const LONGLONG remaining = size.QuadPart - position.QuadPart;
    if (remaining <= 0)
        return std::string();
    if (remaining > 0x7FFFFFFF)
        ThrowComError(E_OUTOFMEMORY);
    std::string bytes(static_cast<size_t>(remaining), '\0');
    DWORD read = 0;
    if (!::ReadFile(m_file.Get(), bytes.data(), static_cast<DWORD>(remaining), &read, nullptr))
        ThrowLastWin32Error();
    bytes.resize(read);
    return bytes;
}

std::string CTFile::ReadBytes()
{
    Seek(0, FILE_BEGIN);
    return ReadFromPosition();
}

EString CTFile::ReadAll()
{
    const std::string bytes = ReadBytes();
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        return FromUtf16Bytes(bytes, 2);
    size_t start = 0;
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    return Utf8ToWide(bytes.data() + start, bytes.size() - start);
}

EString CTFile::ReadText(DWORD offset)
{
    const std::string bytes = ReadFromPosition();
    const size_t start = offset < bytes.size() ? offset : 0;
    // UTF-16 text is taken as it stands: a round trip through the ANSI code
    // page would lose every character outside it.
    if (m_unicode)
        return FromUtf16Bytes(bytes, start);
    return AnsiToWide(bytes.data() + start, bytes.size() - start);
}

void CTFile::WriteText(const EString& text, DWORD offset)
{
    Seek(0, FILE_BEGIN);
    const unsigned char mark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    if (!::WriteFile(m_file.Get(), mark, 2, &written, nullptr))
        ThrowLastWin32Error();
    if (offset)
        Seek(offset, FILE_CURRENT);
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (bytes && !::WriteFile(m_file.Get(), text.data(), bytes, &written, nullptr))
        ThrowLastWin32Error();
}

double CTFile::GetLastWriteTime() const
{
    FILETIME written = {};
    if (!IsOpen() || !::GetFileTime(m_file.Get(), nullptr, nullptr, &written))
        return OldestFileDate();
    const double date = OleDateOfFileTime(written);
    return date == 0 ? OldestFileDate() : date;
}
