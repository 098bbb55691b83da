#include "document/xml/ElementDepth.h"

#include <algorithm>

namespace {

// Where the markup that starts at `position` ends, just past its closing text.
size_t SkipPast(std::wstring_view text, size_t position, std::wstring_view end)
{
    const size_t found = text.find(end, position);
    return found == std::wstring_view::npos ? text.size() : found + end.size();
}

} // namespace

size_t DeepestElement(std::wstring_view text)
{
    size_t depth = 0, deepest = 0;
    size_t position = text.find(L'<');
    while (position != std::wstring_view::npos && position + 1 < text.size()) {
        const std::wstring_view rest = text.substr(position);
        if (rest.starts_with(L"<!--")) {
            position = SkipPast(text, position + 4, L"-->");
        } else if (rest.starts_with(L"<![CDATA[")) {
            position = SkipPast(text, position + 9, L"]]>");
        } else if (rest[1] == L'?' || rest[1] == L'!') {
            position = SkipPast(text, position + 2, L">");
        } else if (rest[1] == L'/') {
            depth = depth > 0 ? depth - 1 : 0;
            position = SkipPast(text, position + 2, L">");
        } else {
            // A start tag: its end is the first '>' outside a quoted value.
            wchar_t quote = 0;
            size_t end = position + 1;
            for (; end < text.size(); ++end) {
                const wchar_t ch = text[end];
                if (quote)
                    quote = ch == quote ? 0 : quote;
                else if (ch == L'"' || ch == L'\'')
                    quote = ch;
                else if (ch == L'>')
                    break;
            }
            deepest = std::max(deepest, depth + 1);
            // An empty element closes itself.
            if (end >= text.size() || text[end - 1] != L'/')
                ++depth;
            position = end + 1;
        }
        position = position < text.size() ? text.find(L'<', position) : std::wstring_view::npos;
    }
    return deepest;
}
