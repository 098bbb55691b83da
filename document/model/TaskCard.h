// TaskCard: a task with its estimation, status, importance and colour.
#pragma once

#include <windows.h>

#include <vector>

#include "document/model/EstimatedCard.h"
#include "document/model/FilterInfo.h"

class TaskCard : public EstimatedCard {
public:
    enum Status { kNew = 0, kInProgress = 1, kCompleted = 2 };

    TaskCard() = default;
    // Draws a new task id.
    TaskCard(const EString& name, const EString& description, double estimation, double deadline, int importance,
             int status, double doneTime, double plannedTime, double originalEstimation);

    int GetImportance() const { return m_importance; }
    void SetImportance(int importance) { m_importance = importance; }
    double GetEstimation() const { return m_estimation; }
    void SetEstimation(double hours) { m_estimation = hours; }
    // -1 when not set.
    double GetOriginalEstimation() const { return m_originalEstimation; }
    void SetOriginalEstimation(double hours) { m_originalEstimation = hours; }
    bool HasOriginalEstimation() const { return m_originalEstimation != -1.0; }
    double GetDoneTime() const { return m_doneTime; }
    void SetDoneTime(double hours) { m_doneTime = hours; }
    double GetPlannedTime() const { return m_plannedTime; }
    void SetPlannedTime(double hours) { m_plannedTime = hours; }
    double GetScheduledTime() const { return m_doneTime + m_plannedTime; }
    // What the estimation leaves after the done and planned hours, never below 0.
    double GetRemainingEstimation() const;

    int GetStatus() const { return m_status; }
    void SetStatus(int status) { m_status = status; }
    bool IsCompleted() const { return m_status == kCompleted; }
    void ToggleCompleted();
    // The row image of the task list: 3 when the flag is set, else the status.
    int GetDisplayStatus(int flag) const { return flag ? 3 : m_status; }

    EString GetCategoryPath() const { return m_categoryPath; }
    void SetCategoryPath(const EString& path) { m_categoryPath = path; }
    bool IsDailyRecurrence() const { return m_dailyRecurrence != 0; }
    void SetDailyRecurrence(bool daily) { m_dailyRecurrence = daily ? 1 : 0; }
    bool HasRecurrence() const { return m_hasRecurrence != 0; }
    bool IsRecurring() const { return HasRecurrence(); }
    void SetHasRecurrence(bool recurring) { m_hasRecurrence = recurring ? 1 : 0; }

    // The set colour; while none is set, the importance's colour, which is then kept as set.
    COLORREF GetColor();
    // -1 lets the colour follow the importance.
    void SetColor(int colorDef) { m_colorDef = colorDef; }
    // The stored value, -1 when not set: what the document keeps.
    int GetColorDef() const { return m_colorDef; }
    COLORREF GetDefaultColor() const;

    // "%.1f" with "." whatever the locale.
    EString GetEstimationText() const;
    EString GetOriginalEstimationText() const;
    // The leading number of the text; an empty text, or one that is no finite number, changes nothing.
    void SetEstimationText(const EString& text);
    void SetOriginalEstimationText(const EString& text);

    EString GetStatusText() const;
    EString GetImportanceText() const;

    // The choices of each filter, coded 0 to count - 1; 0 keeps every task.
    static constexpr int kStatusFilterCount = 5;
    static constexpr int kDeadlineFilterCount = 6;
    static constexpr int kPriorityFilterCount = 4;

    // Translated texts in code order, so that a combo index is the code.
    static void GetStatusNames(std::vector<EString>& names);
    static void GetStatusKeys(std::vector<EString>& names) { GetStatusNames(names); }
    static void GetImportanceNames(std::vector<EString>& names);
    static void GetStatusFilterKeys(std::vector<EString>& names);
    static void GetPriorityFilterKeys(std::vector<EString>& names);
    static void GetDateFilterKeys(std::vector<EString>& names);

    bool MatchesStatusFilter(const FilterInfo& filter) const;
    // Only while no particular category is selected.
    bool MatchesPriorityFilter(const FilterInfo& filter) const;
    bool MatchesDeadlineFilter(const FilterInfo& filter) const;
    bool MatchesFilter(const FilterInfo& filter) const;

    // Importance and category path take no part.
    bool operator==(const TaskCard& other) const;

    static int NextId();
    static void SetIdCounter(int value);

private:
    int m_importance = 0;
    double m_originalEstimation = -1.0;
    double m_estimation = 0;
    double m_doneTime = 0;
    double m_plannedTime = 0;
    int m_status = kNew;
    EString m_categoryPath;
    int m_dailyRecurrence = 0;
    int m_hasRecurrence = 0;
    int m_colorDef = -1;
};

// Raises the COM error E_FAIL when no task of the list has the id.
TaskCard& FindTaskById(std::vector<TaskCard>& tasks, int id);
const TaskCard& FindTaskById(const std::vector<TaskCard>& tasks, int id);
