// Helpers of the data manager tests: a plan to work on and the day plans read straight from the DOM.
#pragma once

#include "document/xml/DataManager.h"
#include "document/xml/ElementsTestSupport.h"

class TestDataManager : public DataManager {
public:
    using DataManager::InvalidateIndex;
    using DataManager::OverlapWalkSteps;
    using DataManager::SetRepairStepLimit;
    using DataManager::Plan;
};

// Now is Wednesday 2024-05-15 10:30, weekends are off, "AllowSimultaneous" 0.
class DataManagerTest : public ElementsTest {
protected:
    void Open(const EString& xml);
    // Saves and opens the document again, so that nothing kept in memory answers.
    void Reopen();

    // The day's PLANENTRY elements in document order, "09:00-10:00" each,
    // "f" after a fixed one, "#id" with ids, joined by spaces.
    EString Day(double date, bool withIds = false);
    // A new entry of the task added as the document adds one; gives its id.
    int Add(double date, int taskId, const wchar_t* start, const wchar_t* end, bool fixed = false);
    TaskPlanEntry Entry(int id);
    long TaskStatus(int taskId);
    EString TaskAttribute(int taskId, const wchar_t* name);

    TestDataManager m_doc;
};

// Tasks 1..4 in category 10 "Work" > 11 "Deep", task 5 at the top.
extern const wchar_t kSmallPlan[];
