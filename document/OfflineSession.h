// OfflineSession: the session of a program without an online account: never logged in.
#pragma once

#include "document/IOnlineSession.h"

class OfflineSession : public IOnlineSession {
public:
    bool Login(const EString&, const EString&, bool) override { return false; }
    bool IsLoggedIn() override { return false; }
    void SyncPerson(const Person&) override {}
    void SyncPersonRemoved(const EString&) override {}
    EString GetStoredPassword() override { return EString(); }
    EString GetLastError() override { return EString(); }
};
