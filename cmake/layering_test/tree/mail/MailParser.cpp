#include "mail/MailReader.h"
#include "../foundation/Text.h"
