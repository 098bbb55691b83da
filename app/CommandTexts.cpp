#include "app/CommandTexts.h"

#include "foundation/Language.h"
#include "resources/AppCommandIds.h"
#include "resources/DocumentCommandIds.h"

namespace {

// The two characters backslash and n, as the language files hold them.
constexpr wchar_t kSeparator[] = L"\\n";
constexpr size_t kSeparatorLength = 2;
// NMTTDISPINFO's own buffer is 80 characters with the terminator.
constexpr size_t kToolTipChars = 79;

constexpr UINT kFirstSystemCommand = 0xF000;
constexpr UINT kLastSystemCommand = 0xF1EF;
constexpr UINT kSystemCommandStrings = 0xE000;
constexpr UINT kLastCommandId = 0xFEFF;
constexpr UINT kUnknownCommandString = 61215;

} // namespace

EString CommandText(UINT id)
{
    EString key;
    if (!key.LoadString(id))
        return EString();
    EString translation = Resource::Translate(key);
    return translation.empty() ? key : translation;
}

EString CommandToolTip(const EString& text)
{
    const size_t split = text.find(kSeparator);
    if (split == EString::npos)
        return EString();
    return text.substr(split + kSeparatorLength, kToolTipChars);
}

EString CommandStatusHelp(const EString& text)
{
    const size_t split = text.find(kSeparator);
    return split == EString::npos ? EString() : EString(text.substr(0, split));
}

UINT MenuHelpStringId(UINT id)
{
    if (id >= kFirstSystemCommand && id <= kLastSystemCommand)
        return kSystemCommandStrings | ((id >> 4) & 0xFFF);
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST)
        return IDS_RECENT_FILE_PROMPT;
    if (id > kLastCommandId)
        return kUnknownCommandString;
    return id;
}
