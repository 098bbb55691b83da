// TextCuts: the texts a paste, an import or a drop brought in held to their limits, and what was cut, for one notice.
#pragma once

#include <array>

#include "document/model/Category.h"
#include "document/model/TaskCard.h"
#include "document/model/TaskPlanEntry.h"
#include "foundation/EString.h"

class TextCuts {
public:
    enum Kind { kTaskNames, kCategoryNames, kDescriptions, kKindCount };
    struct Cut {
        int count = 0;
        // The name of the first record cut, as it was kept.
        EString first;
    };

    // The record's name and description held to TextLimits.
    void Fit(TaskCard& task);
    void Fit(Category& category);
    // A plan entry's description; it is named by its task.
    void Fit(TaskPlanEntry& entry, const EString& taskName);

    bool Any() const;
    const Cut& Of(Kind kind) const { return m_cuts[kind]; }

private:
    void FitName(NamedEntry& record, size_t limit, Kind kind);
    void FitDescription(NamedEntry& record, const EString& owner);
    void Note(Kind kind, const EString& name);

    std::array<Cut, kKindCount> m_cuts;
};
