#include "dialogs/TipReader.h"

#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"

TipReader::TipReader() : TipReader(LanguageTipsPath()) {}

TipReader::TipReader(const EString& path)
{
    CTFile file;
    if (file.Open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING))
        m_tips = SplitTips(file.ReadAll());
}

EString TipReader::GetNextTip()
{
    if (m_tips.empty())
        return EString();
    DWORD index = Options::GetTipIndex();
    // The stored value is a DWORD: a negative index written by hand reads as a huge one.
    if (index >= m_tips.size())
        index = 0;
    Options::SetTipIndex(index + 1);
    return m_tips[index];
}

std::vector<EString> TipReader::SplitTips(const EString& text)
{
    std::vector<EString> tips;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == EString::npos)
            end = text.size();
        if (end > start)
            tips.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return tips;
}

EString TipReader::LanguageTipsPath()
{
    const unsigned language = Language::GetAvailableLanguage(Locale::GetUiLanguageId());
    const EString name = Language(static_cast<unsigned short>(language)).GetName();
    return FileSystem::GetProgramFolderPath(EString::Formatted(L"Tips\\Tips%s.txt", name.c_str()));
}
