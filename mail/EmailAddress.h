// EmailAddress: a display name and an address.
#pragma once

#include "mail/CRefCounter.h"
#include "mail/MailInterfaces.h"

class EmailAddress : public CRefCounter<IEmailAddress> {
public:
    EString GetName() override { return m_name; }
    void SetName(const EString& name) override { m_name = name; }
    EString GetAddress() override { return m_address; }
    void SetAddress(const EString& address) override { m_address = address; }

private:
    EString m_name;
    EString m_address;
};
