// CMimeMessage: an Internet message, its own top-level part.
#pragma once

#include "mail/CMimeBody.h"

class CMimeMessage : public CMimeBody {
};
