// EString: the wide (UTF-16) string every part of the program passes texts in.
#pragma once

// windows.h first: its LoadString macro must rename the member the same way
// in every file that sees this header.
#include <windows.h>

#include <cstdarg>
#include <string>

class EString : public std::wstring {
public:
    EString() = default;
    explicit EString(const EString* other);
    EString(const std::wstring& text) : std::wstring(text) {}
    EString(std::wstring&& text) noexcept : std::wstring(std::move(text)) {}
    EString(const wchar_t* text) : std::wstring(text ? text : L"") {}
    EString(const wchar_t* text, size_type count) : std::wstring(text, count) {}
    EString(size_type count, wchar_t ch) : std::wstring(count, ch) {}
    EString(const EString&) = default;
    EString(EString&&) noexcept = default;
    EString& operator=(const EString&) = default;
    EString& operator=(EString&&) noexcept = default;
    EString& operator=(const wchar_t* text) { assign(text ? text : L""); return *this; }
    virtual ~EString() = default;

    int GetLength() const { return static_cast<int>(size()); }
    bool IsEmpty() const { return empty(); }

    // Formats with the Microsoft runtime's rules: "%s" in a wide format takes a
    // wide text. A null format leaves the string unchanged.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    static EString Formatted(const wchar_t* format, ...);

    // Loads a string resource of the program's resource module (up to 1499 characters).
    bool LoadString(unsigned id);

    // Replaces every occurrence left to right, resuming after the inserted text.
    int Replace(const wchar_t* find, const wchar_t* with);

    int CompareNoCase(const wchar_t* text) const;

    EString Left(int count) const;
    EString Right(int count) const;
    EString Mid(int position) const;

    EString TrimRight(const wchar_t* set);
    EString Trim(const wchar_t* set);
    static bool ContainsChar(wchar_t ch, const EString& set);
};
