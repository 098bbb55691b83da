// MailProgramDrop: this process as a mail program that drags a message onto another program's window.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/EString.h"
#include "mail/FakeMailDrop.h"

// An Outlook message of about `bytes` bytes: a subject, a short body, two
// recipients and one attachment that makes up the rest.
std::string OutlookMessageOfSize(const EString& subject, size_t bytes);

// The file dropped at the screen point through the system's drag loop, in
// the medium given, as a mail program hands a message over: the window under
// the point, in whatever process, takes it across processes. Returns when the
// drop is over; false when nothing took it.
bool DropMailFile(POINT at, const EString& name, const std::string& bytes, FakeMailDrop::Medium medium);
