// The texts a task takes from a MIME mail: its subject and its text.
#pragma once

#include "foundation/EString.h"

class CMimeBody;
class CMimeHeader;

// The "Subject" field in its charset, unfolded into one line; empty without one.
EString MimeMailSubject(const CMimeHeader& message);

// The content of the last text leaf that is not an attachment (of the
// alternatives a mail offers, the richest comes last), in its charset; empty
// without one. An attached file or a calendar is not the mail's text.
EString MimeMailText(CMimeBody& message);
