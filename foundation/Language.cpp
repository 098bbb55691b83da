#include "foundation/Language.h"

#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Locale.h"

namespace {

struct LanguageRow {
    unsigned short id;
    const wchar_t* name;
};

const LanguageRow kLanguages[] = {
    {0x09, L"English"}, {0x19, L"Russian"},  {0x04, L"Chinese"},  {0x13, L"Dutch"},
    {0x06, L"Danish"},  {0x0A, L"Spanish"},  {0x0C, L"French"},   {0x10, L"Italian"},
    {0x0B, L"Finnish"}, {0x08, L"Greek"},    {0x11, L"Japanese"}, {0x12, L"Korean"},
    {0x14, L"Norwegian"}, {0x16, L"Portuguese"}, {0x1D, L"Swedish"}, {0x07, L"German"},
};

const wchar_t kBlanks[] = L" \t";

// One pass that copies: a report of many thousand rows carries as many
// placeholders, and replacing them in place moved the whole text each time.
// A text that itself holds keys is expanded too, a few levels deep.
EString ExpandKeys(const EString& text, const std::map<EString, EString>& entries, int depth)
{
    EString expanded;
    expanded.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        const size_t open = text.find(L'{', position);
        if (open == EString::npos)
            break;
        const size_t close = text.find_first_of(L"{}", open + 1);
        if (close == EString::npos)
            break;
        expanded.append(text, position, open - position);
        if (text[close] == L'{') {
            // "{{key}": the first brace is text, the second may open a key.
            expanded += L'{';
            position = open + 1;
            continue;
        }
        const auto found = entries.find(EString(text.substr(open + 1, close - open - 1)));
        if (found == entries.end())
            expanded.append(text, open, close - open + 1);
        else if (depth < 3 && found->second.find(L'{') != EString::npos)
            expanded += ExpandKeys(found->second, entries, depth + 1);
        else
            expanded += found->second;
        position = close + 1;
    }
    expanded.append(text, position, EString::npos);
    return expanded;
}

} // namespace

EString Language::GetName() const
{
    for (const LanguageRow& row : kLanguages)
        if (row.id == m_id)
            return row.name;
    return EString();
}

EString Language::GetFilePath() const
{
    const EString name = GetName();
    if (name.empty())
        return EString();
    return FileSystem::GetProgramFolderPath(EString::Formatted(L"Language\\%s.txt", name.c_str()));
}

bool Language::IsAvailable(unsigned id)
{
    const EString path = Language(static_cast<unsigned short>(id)).GetFilePath();
    return id <= 0xFFFF && FileSystem::FileExists(path);
}

unsigned Language::GetAvailableLanguage(unsigned id)
{
    return IsAvailable(id) ? id : kEnglish;
}

void Language::GetInstalledLanguages(std::map<unsigned, EString>& languages)
{
    for (const LanguageRow& row : kLanguages)
        if (IsAvailable(row.id))
            languages[row.id] = row.name;
}

bool IniParser::Load(const EString& path)
{
    CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file.IsOpen())
        return false;
    try {
        Parse(file.ReadAll());
    } catch (const ComError&) {
        return false;
    }
    return true;
}

void IniParser::Parse(const EString& text)
{
    size_t position = 0;
    while (position < text.size()) {
        size_t end = text.find_first_of(L"\r\n", position);
        if (end == EString::npos)
            end = text.size();
        const EString line(text.substr(position, end - position));
        position = end + 1;
        const size_t equals = line.find(L'=');
        if (equals == EString::npos)
            continue;
        EString key(line.substr(0, equals));
        EString value(line.substr(equals + 1));
        key.Trim(kBlanks);
        value.Trim(kBlanks);
        if (key.empty() || value.empty())
            continue;
        m_entries[key] = value;
    }
}

EString IniParser::GetValue(const EString& key) const
{
    const auto found = m_entries.find(key);
    return found == m_entries.end() ? EString() : found->second;
}

IniParser& Resource::Dictionary()
{
    static IniParser dictionary;
    return dictionary;
}

bool Resource::Load(const EString& path)
{
    return Dictionary().Load(path);
}

EString Resource::Translate(const EString& key)
{
    EString text = Dictionary().GetValue(key);
    text.Replace(L"\\t", L"\t");
    return text;
}

bool Resource::LoadUiLanguageFile()
{
    const unsigned language = Language::GetAvailableLanguage(Locale::GetUiLanguageId());
    return Load(Language(static_cast<unsigned short>(language)).GetFilePath());
}

IniParser& Text::Dictionary()
{
    static IniParser dictionary;
    return dictionary;
}

bool Text::Load(const EString& path)
{
    return Dictionary().Load(path);
}

EString Text::ExpandPlaceholders(const EString& text)
{
    return ExpandKeys(text, Dictionary().Entries(), 0);
}

bool Text::LoadReportLanguageFile()
{
    const unsigned language = Language::GetAvailableLanguage(Locale::GetUiLanguageId());
    const EString name = Language(static_cast<unsigned short>(language)).GetName();
    return Load(FileSystem::GetProgramFolderPath(EString::Formatted(L"Reports\\Language\\Reports%s.txt", name.c_str())));
}
