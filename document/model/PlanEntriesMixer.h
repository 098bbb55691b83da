// PlanEntriesMixer: gathers plan-entry XML by day into one DAILY section.
#pragma once

#include <map>

#include "foundation/EString.h"

class PlanEntriesMixer {
public:
    virtual ~PlanEntriesMixer() = default;

    // Appends to what the day already holds.
    void Add(unsigned day, const EString& xml);
    // The days in ascending order, each as a DAY element with its DATE.
    EString GetXml() const;

private:
    std::map<unsigned, EString> m_days;
};
