// PlanEntryFinder: the plan entry of a task that follows the current one, the latest day's first entry after the last.
#pragma once

#include <vector>

#include "document/IFindServices.h"
#include "reports/TransformBase.h"

class PlanEntryFinder : public TransformBase, public IPlanEntryFinder {
public:
    void SetDocument(const XmlDocument& document) override { SetInput(document); }
    void SetTaskId(int taskId) override { m_taskId = taskId; }
    // The current plan entry; 0 or less asks for the first.
    void SetSecondId(int id) override { m_currentId = id; }
    // False when the task has no entries or the current entry is not one of
    // them; a failing stylesheet raises a ComError.
    bool Run() override;
    double GetFoundDate() override { return m_foundDate; }
    int GetFoundId() override { return m_foundId; }

private:
    struct Entry {
        double date = 0;
        int id = 0;
    };

    std::vector<Entry> ReadEntries(const EString& output) const;
    const Entry* FindNextEntry(const std::vector<Entry>& entries) const;

    int m_taskId = 0;
    int m_currentId = -1;
    int m_foundId = -1;
    double m_foundDate = 0;
};
