#include "foundation/EString.h"

#include <cstdio>
#include <memory>
#include <windows.h>

#include "foundation/ResourceModule.h"

namespace {
constexpr int kResourceBufferChars = 1500;
}

EString::EString(const EString* other)
{
    if (other)
        assign(*other);
}

void EString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

EString EString::Formatted(const wchar_t* format, ...)
{
    EString result;
    va_list args;
    va_start(args, format);
    result.FormatV(format, args);
    va_end(args);
    return result;
}

void EString::FormatV(const wchar_t* format, va_list args)
{
    if (!format)
        return;
    // The counting pass consumes its own copy of the arguments.
    va_list counting;
    va_copy(counting, args);
    const int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length < 0) {
        clear();
        return;
    }
    const size_t bound = static_cast<size_t>(length) + 2;
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[bound]());
    _vsnwprintf(buffer.get(), bound, format, args);
    buffer[bound - 1] = L'\0';
    assign(buffer.get());
}

bool EString::LoadString(unsigned id)
{
    wchar_t buffer[kResourceBufferChars] = {};
    const int copied = ::LoadStringW(GetResourceModule(), id, buffer, kResourceBufferChars);
    if (copied <= 0)
        return false;
    assign(buffer, static_cast<size_type>(copied));
    return true;
}

int EString::Replace(const wchar_t* find, const wchar_t* with)
{
    if (!find || !*find)
        return 0;
    const std::wstring needle(find);
    const std::wstring replacement(with ? with : L"");
    int count = 0;
    size_type position = 0;
    while (position < size()) {
        const size_type found = this->find(needle, position);
        if (found == npos)
            break;
        replace(found, needle.size(), replacement);
        position = found + replacement.size();
        ++count;
    }
    return count;
}

int EString::CompareNoCase(const wchar_t* text) const
{
    return ::lstrcmpiW(c_str(), text ? text : L"");
}

EString EString::Left(int count) const
{
    if (count <= 0 || count > GetLength())
        return EString();
    return EString(substr(0, static_cast<size_type>(count)));
}

EString EString::Right(int count) const
{
    if (count > GetLength())
        return EString();
    return EString(substr(size() - static_cast<size_type>(count)));
}

EString EString::Mid(int position) const
{
    if (position <= 0 || position >= GetLength())
        return EString();
    return EString(substr(static_cast<size_type>(position)));
}

bool EString::ContainsChar(wchar_t ch, const EString& set)
{
    return set.find(ch) != npos;
}

EString EString::TrimRight(const wchar_t* set)
{
    const EString chars(set);
    size_type end = size();
    while (end > 0 && ContainsChar((*this)[end - 1], chars))
        --end;
    erase(end);
    return *this;
}

EString EString::Trim(const wchar_t* set)
{
    const EString chars(set);
    size_type begin = 0;
    while (begin < size() && ContainsChar((*this)[begin], chars))
        ++begin;
    size_type end = size();
    while (end > begin && ContainsChar((*this)[end - 1], chars))
        --end;
    assign(substr(begin, end - begin));
    return *this;
}
