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

} // namespace

EString MimeMailSubject(const CMimeHeader& message)
{
    const CMimeField* subject = message.FindField("Subject");
    return subject ? MimeTextToWide(subject->GetValue(), subject->GetCharset()) : EString();
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
