// ResultsParser: the next find hit in the find stylesheet's output, from the current selection in either direction.
#pragma once

#include "document/xml/XmlDoc.h"
#include "foundation/EString.h"

// The output lists the hits in the order the panes show them: a CATEGORY
// without children is a category whose own text matches, one with TASK
// children holds its matching tasks. SELCATEGORY and SELTASK mark where the
// selection is. The hit is the first after that mark going forward, the last
// before it going backward, wrapping round at either end. The selected task
// and the selected category's own hit are never the answer: finding what is
// already selected would leave the search standing still.
class ResultsParser {
public:
    virtual ~ResultsParser() = default;

    // True when it found a hit; a text that does not parse raises.
    bool Parse(const EString& output, bool forward);

    bool IsTaskFound() const { return m_taskFound; }
    int GetFoundTaskId() const { return m_foundTaskId; }
    int GetFoundCategoryId() const { return m_foundCategoryId; }

private:
    XmlDoc m_output;
    bool m_taskFound = false;
    int m_foundTaskId = 0;
    int m_foundCategoryId = 0;
};
