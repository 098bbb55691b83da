#include "document/xml/XmlProlog.h"

#include <cwchar>

namespace {

bool IsXmlSpace(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

bool At(std::wstring_view text, size_t position, std::wstring_view what)
{
    return position <= text.size() && text.substr(position, what.size()) == what;
}

} // namespace

bool XmlProlog::HasDocumentType(std::wstring_view text)
{
    size_t position = 0;
    if (At(text, 0, L"\xFEFF"))
        ++position;
    for (;;) {
        while (position < text.size() && IsXmlSpace(text[position]))
            ++position;
        std::wstring_view end;
        if (At(text, position, L"<?"))
            end = L"?>";
        else if (At(text, position, L"<!--"))
            end = L"-->";
        else
            return At(text, position, L"<!DOCTYPE");
        position = text.find(end, position + 2);
        if (position == std::wstring_view::npos)
            return false;
        position += end.size();
    }
}
