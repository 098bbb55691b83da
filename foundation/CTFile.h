// CTFile: a file read or written whole, as UTF-8, UTF-16 or ANSI text.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/EString.h"
#include "foundation/UniqueHandle.h"

class CTFile {
public:
    CTFile() = default;
    CTFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition);
    CTFile(const CTFile&) = delete;
    CTFile& operator=(const CTFile&) = delete;
    virtual ~CTFile() { Close(); }

    // False when a file is already open or the system refuses.
    bool Open(const wchar_t* path, DWORD access, DWORD shareMode, DWORD creationDisposition);
    void Close();
    bool IsOpen() const { return static_cast<bool>(m_file); }
    bool IsUnicode() const { return m_unicode; }

    // The whole file as UTF-8 text (a UTF-8 mark is skipped; a file that
    // began with the UTF-16 mark is read as UTF-16).
    EString ReadAll();
    // The file from the current position, skipping offset bytes.
    EString ReadText(DWORD offset = 0);
    // The UTF-16 mark, offset bytes on, then the text; the file is not truncated.
    void WriteText(const EString& text, DWORD offset = 0);
    // The raw bytes from the start.
    std::string ReadBytes();

    // OLE date of the last write as the system reports it; 1601-01-01 when unknown.
    double GetLastWriteTime() const;

private:
    std::string ReadFromPosition();
    void Seek(LONGLONG distance, DWORD method);

    UniqueHandle m_file;
    bool m_unicode = false;
};

// Text conversions used by the readers.
EString Utf8ToWide(const char* data, size_t size);
std::string WideToUtf8(const EString& text);
EString AnsiToWide(const char* data, size_t size);
std::string WideToAnsi(const EString& text);
