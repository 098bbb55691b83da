// NamedEntry: the id, name and description every record of the plan carries.
#pragma once

#include <utility>

#include "foundation/EString.h"

class NamedEntry {
public:
    NamedEntry() = default;
    NamedEntry(int id, const EString& name, const EString& description);
    NamedEntry(const NamedEntry&) = default;
    NamedEntry& operator=(const NamedEntry&) = default;
    NamedEntry(NamedEntry&&) noexcept = default;
    NamedEntry& operator=(NamedEntry&&) noexcept = default;
    virtual ~NamedEntry() = default;

    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }
    EString GetName() const { return m_name; }
    void SetName(EString name) { m_name = std::move(name); }
    EString GetDescription() const { return m_description; }
    void SetDescription(EString description) { m_description = std::move(description); }

    // At most 20 characters, then "...".
    EString GetShortName() const;
    // Line feeds, carriage returns and tabs each become one space.
    EString GetSingleLineDescription() const;

    bool operator==(const NamedEntry& other) const;

private:
    int m_id = 0;
    EString m_name;
    EString m_description;
};
