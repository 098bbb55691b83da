// IOnlineSession: the online account session the document owns: login, and the people it is told of.
#pragma once

#include "document/IRpcSession.h"

class IOnlineSession : public IRpcSession {
public:
    // The password the session keeps from an earlier login; empty when none.
    virtual EString GetStoredPassword() = 0;
    // Why the last login failed.
    virtual EString GetLastError() = 0;
};
