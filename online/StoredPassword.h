// StoredPassword: the remembered password as the settings keep it, protected for the current Windows user.
#pragma once

#include "foundation/EString.h"

namespace StoredPassword {

// The settings text of a password: the system's protection for this user
// (marked, then Base64); empty for an empty password or when the system
// refuses to protect it, so a password is never kept readable.
EString Protect(const EString& password);

// The password of a settings text in either form: the protected one, or the
// old plain Base64 of its UTF-16LE bytes. Empty when it cannot be read.
EString Read(const EString& stored);

} // namespace StoredPassword
