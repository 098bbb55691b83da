#include "document/model/TaskPlanEntry.h"

#include "document/model/IdCounter.h"

namespace {
IdCounter g_ids;
}

TaskPlanEntry::TaskPlanEntry(int taskId, double start, double end, const EString& description, const EString& name,
                             int fixedTime, int dailyRecurrence)
    : TimeRange(start, end, name, description, fixedTime), m_dailyRecurrence(dailyRecurrence ? 1 : 0),
      m_taskId(taskId)
{
    SetId(NextId());
}

TaskCard& TaskPlanEntry::GetTask()
{
    if (!m_task)
        m_task = std::make_shared<TaskCard>();
    else if (m_task.use_count() > 1)
        m_task = std::make_shared<TaskCard>(*m_task);
    return *m_task;
}

const TaskCard& TaskPlanEntry::GetTask() const
{
    static const TaskCard blank;
    return m_task ? *m_task : blank;
}

void TaskPlanEntry::AssignNewId()
{
    SetId(NextId());
}

bool TaskPlanEntry::operator==(const TaskPlanEntry& other) const
{
    return TimeRange::operator==(other) && m_completed == other.m_completed && m_taskId == other.m_taskId;
}

int TaskPlanEntry::NextId()
{
    return g_ids.Next();
}

void TaskPlanEntry::SetIdCounter(int value)
{
    g_ids.Set(value);
}
