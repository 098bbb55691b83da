// The reference-counted interfaces through which a loaded e-mail message is read.
#pragma once

#include <unknwn.h>

#include <string>

#include "foundation/EString.h"

// All of them are IUnknown-shaped but never registered: QueryInterface
// answers IUnknown only, and every object lives on the UI thread.

class IEmailAddress : public IUnknown {
public:
    virtual EString GetName() = 0;
    virtual void SetName(const EString& name) = 0;
    virtual EString GetAddress() = 0;
    virtual void SetAddress(const EString& address) = 0;
    virtual ~IEmailAddress() = default;
};

class IAttachment : public IUnknown {
public:
    virtual EString GetFileName() = 0;
    virtual std::string GetData() = 0;
    virtual ~IAttachment() = default;
};

// GetItem returns the item with one reference added for the caller, or null
// for an index out of range.
class IEmailAddressVector : public IUnknown {
public:
    virtual int GetCount() = 0;
    virtual IEmailAddress* GetItem(int index) = 0;
    virtual void Add(IEmailAddress* item) = 0;
    virtual ~IEmailAddressVector() = default;
};

class IAttachmentVector : public IUnknown {
public:
    virtual int GetCount() = 0;
    virtual IAttachment* GetItem(int index) = 0;
    virtual void Add(IAttachment* item) = 0;
    virtual ~IAttachmentVector() = default;
};

// The getters that return interfaces add one reference for the caller.
class IEmailMessage : public IUnknown {
public:
    virtual EString GetRtfBody() = 0;
    virtual EString GetBody() = 0;
    virtual EString GetSubject() = 0;
    virtual IAttachmentVector* GetAttachments() = 0;
    virtual IEmailAddressVector* GetBccRecipients() = 0;
    virtual IEmailAddressVector* GetCcRecipients() = 0;
    virtual IEmailAddressVector* GetToRecipients() = 0;
    virtual IEmailAddress* GetSender() = 0;
    virtual EString GetSearchKey() = 0;
    virtual DATE GetDeliveryTime() = 0;
    virtual ~IEmailMessage() = default;
};
