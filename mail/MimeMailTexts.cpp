#include "mail/MimeMailTexts.h"

#include <vector>

#include "mail/CMimeBody.h"
#include "mail/MimeCharset.h"
#include "mail/MimeRegistry.h"

namespace {

// An attached file is not the mail's text, nor is an invitation's calendar,
// which travels as the last alternative of the text.
bool IsMailText(const CMimeBody& part)
{
    if (part.GetMediaType() != MediaText || MimeNameEquals(part.GetSubType().c_str(), "calendar"))
        return false;
    const CMimeField* disposition = part.FindField("Content-Disposition");
    return !disposition || !MimeNameEquals(disposition->GetMainValue().c_str(), "attachment");
}

bool IsLineBreak(wchar_t ch) { return ch == L'\r' || ch == L'\n'; }
bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

// The field keeps a folded line's breaks; a mail reader shows the subject
// as one line, each line break with the blanks after it one blank.
EString Unfolded(const EString& text)
{
    EString line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (!IsLineBreak(text[i])) {
            line.push_back(text[i++]);
            continue;
        }
        i += text.compare(i, 2, L"\r\n") == 0 ? 2 : 1;
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        line.push_back(L' ');
    }
    return line;
}

} // namespace

EString MimeMailSubject(const CMimeHeader& message)
{
    const CMimeField* subject = message.FindField("Subject");
    return subject ? Unfolded(MimeTextToWide(subject->GetValue(), subject->GetCharset())) : EString();
}

EString MimeMailText(CMimeBody& message)
{
    std::vector<CMimeBody*> leaves;
    message.GetLeaves(leaves);
    for (auto leaf = leaves.rbegin(); leaf != leaves.rend(); ++leaf)
        if (IsMailText(**leaf))
            return MimeTextToWide((*leaf)->GetContent(), (*leaf)->GetCharset());
    return EString();
}
