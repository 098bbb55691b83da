// CPelquornDoc: recurrences, reminders and holidays.
#include "document/PelquornDoc.h"

bool CPelquornDoc::GetRecurrence(int taskId, RecurrenceInfo& recurrence)
{
    return Guarded(false, [&] { return GetDataManager().GetRecurrence(taskId, recurrence); });
}

bool CPelquornDoc::HasRecurrence(int taskId)
{
    return Silently(false, [&] { return GetDataManager().HasRecurrence(taskId); });
}

void CPelquornDoc::SetRecurrence(RecurrenceInfo recurrence, int taskId)
{
    recurrence.SetId(taskId);
    SetModified(1);
    // The task's deadline becomes the rule's next occurrence.
    Guarded([&] { GetDataManager().SetRecurrence(recurrence, true); });
    Notify(nullptr, NotifyCode::kTasksChanged);
}

void CPelquornDoc::DeleteRecurrence(int taskId)
{
    SetModified(1);
    Guarded([&] { GetDataManager().DeleteRecurrence(taskId); });
}

void CPelquornDoc::AddReminder(const ReminderInfo& reminder)
{
    SetModified(1);
    Guarded([&] { GetDataManager().AddReminder(reminder); });
}

bool CPelquornDoc::GetReminder(int taskId, ReminderInfo& reminder)
{
    return Guarded(false, [&] { return GetDataManager().GetReminder(taskId, reminder); });
}

void CPelquornDoc::DeleteReminder(int taskId)
{
    // An alert dismissed after its reminder went (switched off in the task's
    // editor, or the task deleted) has nothing left to change.
    bool held = true;
    Silently(false, [&] {
        ReminderInfo stored;
        held = GetDataManager().GetReminder(taskId, stored);
        return true;
    });
    if (!held)
        return;
    SetModified(1);
    Guarded([&] { GetDataManager().DeleteReminder(taskId); });
}

void CPelquornDoc::GetReminders(std::vector<ReminderInfo>& reminders)
{
    Guarded([&] { GetDataManager().GetReminders(reminders); });
}

void CPelquornDoc::GetHolidays(std::vector<double>& dates)
{
    // A read that fails must not escape into the calendar's painting.
    Guarded([&] { GetDataManager().GetHolidays(dates); });
}
