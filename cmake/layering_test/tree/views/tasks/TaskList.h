#pragma once
#include "mail/MailReader.h"
