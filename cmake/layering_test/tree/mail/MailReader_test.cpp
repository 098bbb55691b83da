#include "mail/MailReader.h"
#include "testing/TestSupport.h"
#include "winlib/Window.h"
