// TaskPlanEntry: a block of a day booked for a task.
#pragma once

#include <memory>

#include "document/model/TaskCard.h"
#include "document/model/TimeRange.h"

class TaskPlanEntry : public TimeRange {
public:
    TaskPlanEntry() = default;
    // Draws a new plan-entry id.
    TaskPlanEntry(int taskId, double start, double end, const EString& description, const EString& name,
                  int fixedTime, int dailyRecurrence);

    // For a duplicate of an entry.
    void AssignNewId();

    int GetTaskId() const { return m_taskId; }
    void SetTaskId(int taskId) { m_taskId = taskId; }
    bool IsCompleted() const { return m_completed != 0; }
    void SetCompleted(bool completed) { m_completed = completed ? 1 : 0; }
    bool IsDailyRecurrence() const { return m_dailyRecurrence != 0; }
    void SetDailyRecurrence(bool daily) { m_dailyRecurrence = daily ? 1 : 0; }

    // The copy of the planned task the reader filled in. Entries copied from
    // one another, or read together, share it until one of them asks for it
    // to change it: a crowded day plans the same task thousands of times. So
    // a changeable reference holds only until the entry is next copied.
    TaskCard& GetTask();
    const TaskCard& GetTask() const;
    void SetTask(const TaskCard& task) { m_task = std::make_shared<TaskCard>(task); }
    void ShareTask(std::shared_ptr<TaskCard> task) { m_task = std::move(task); }
    void SetTaskColor(int colorDef) { GetTask().SetColor(colorDef); }

    bool operator==(const TaskPlanEntry& other) const;

    static int NextId();
    static void SetIdCounter(int value);

private:
    int m_dailyRecurrence = 0;
    int m_completed = 0;
    std::shared_ptr<TaskCard> m_task; // null: a blank task
    int m_taskId = 0;
};
