// IRpcSession: the online account session as the document's people-change queue sees it.
#pragma once

#include "document/model/Person.h"
#include "foundation/EString.h"

class IRpcSession {
public:
    virtual ~IRpcSession() = default;

    virtual bool Login(const EString& user, const EString& password, bool remember) = 0;
    virtual bool IsLoggedIn() = 0;
    virtual void SyncPerson(const Person& person) = 0;
    virtual void SyncPersonRemoved(const EString& name) = 0;
};
