// Person: a person or a group of the people list; members are nested in the document, not here.
#pragma once

#include "document/model/NamedEntry.h"

class Person : public NamedEntry {
public:
    Person() = default;
    // Draws a new person id (groups share the counter).
    Person(int isGroup, const EString& name, const EString& description, const EString& fullName,
           const EString& email, int requireInvitation);

    bool IsGroup() const { return m_isGroup != 0; }
    void SetIsGroup(bool group) { m_isGroup = group ? 1 : 0; }
    EString GetFullName() const { return m_fullName; }
    void SetFullName(const EString& fullName) { m_fullName = fullName; }
    EString GetEmail() const { return m_email; }
    void SetEmail(const EString& email) { m_email = email; }
    // Travels with copies only: the document does not keep it.
    int GetRequireInvitation() const { return m_requireInvitation; }
    void SetRequireInvitation(int require) { m_requireInvitation = require; }

    // The full name, else the name, else the e-mail address.
    EString GetDisplayName() const;

    bool operator==(const Person& other) const;

    static int NextId();
    static void SetIdCounter(int value);

private:
    int m_isGroup = 0;
    EString m_fullName;
    int m_requireInvitation = 0;
    EString m_email;
};
