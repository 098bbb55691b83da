#include "reports/WsfFile.h"

#include "foundation/CTFile.h"
#include "foundation/ComError.h"

WsfFile::WsfFile(const EString& path)
{
    CTFile file;
    if (!file.Open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING))
        ThrowLastWin32Error();
    m_text = file.ReadAll();
}

WsfFile WsfFile::FromText(const EString& text)
{
    WsfFile file;
    file.m_text = text;
    return file;
}

void WsfFile::GetScriptSources(std::vector<EString>& sources) const
{
    size_t position = 0;
    for (;;) {
        const size_t start = m_text.find(L"<script ", position);
        if (start == EString::npos)
            return;
        const size_t end = m_text.find(L'>', start);
        if (end == EString::npos)
            return;
        const size_t src = m_text.find(L" src", start);
        if (src != EString::npos && src < end) {
            const size_t open = m_text.find(L'"', src);
            const size_t close = open == EString::npos ? EString::npos : m_text.find(L'"', open + 1);
            // Both quotes inside the tag, with something between them.
            if (close != EString::npos && close < end && close > open + 1)
                sources.push_back(m_text.substr(open + 1, close - open - 1));
        }
        position = end + 1;
    }
}
