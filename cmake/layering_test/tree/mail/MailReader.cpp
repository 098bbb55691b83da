#include "mail/MailReader.h"

#include "views/tasks/TaskList.h"
