// EstimatedCard: a named record with a deadline (tasks, categories, goals).
#pragma once

#include "document/model/NamedEntry.h"

class EstimatedCard : public NamedEntry {
public:
    EstimatedCard() = default;
    EstimatedCard(int id, const EString& name, const EString& description, double deadline);

    // 0 means no deadline.
    void SetDeadline(double deadline) { m_deadline = deadline; }
    bool HasDeadline() const { return m_deadline != 0; }
    // The deadline's day; today when none is set, so such a record is due today.
    double GetDeadline() const;
    EString GetDeadlineText() const;
    // "%Y-%m-%d"; an empty text means no deadline.
    EString GetDeadlineXmlText() const;
    void SetDeadlineXmlText(const EString& text);

    bool operator==(const EstimatedCard& other) const;

private:
    double m_deadline = 0;
};
