#include "document/xml/XmlProlog.h"

namespace {

bool IsXmlSpace(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

bool At(const EString& text, size_t position, const wchar_t* what)
{
    return text.compare(position, wcslen(what), what) == 0;
}

} // namespace

bool XmlProlog::HasDocumentType(const EString& text)
{
    size_t position = 0;
    if (At(text, 0, L"\xFEFF"))
        ++position;
    for (;;) {
        while (position < text.size() && IsXmlSpace(text[position]))
            ++position;
        const wchar_t* end = nullptr;
        if (At(text, position, L"<?"))
            end = L"?>";
        else if (At(text, position, L"<!--"))
            end = L"-->";
        else
            return At(text, position, L"<!DOCTYPE");
        position = text.find(end, position + 2);
        if (position == EString::npos)
            return false;
        position += wcslen(end);
    }
}
