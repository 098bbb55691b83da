#include "views/calendar/DayTestSupport.h"

#include <gtest/gtest.h>

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "foundation/TimeParser.h"
#include "views/common/AtlDropSource.h"
#include "views/common/ViewMessages.h"

TestDayHost::TestDayHost() : date(kDay) {}

TestDayHost::~TestDayHost()
{
    if (m_hWnd)
        DestroyWindow();
}

HWND TestDayHost::Create(HWND parent)
{
    return CWindowImpl<TestDayHost>::Create({
        .parent = parent,
        .title = L"Day host",
        .style = static_cast<DWORD>((parent ? WS_CHILD : WS_OVERLAPPEDWINDOW) | WS_VISIBLE | WS_CLIPCHILDREN),
        .rect = {40, 40, 700, 340},
    });
}

LRESULT TestDayHost::SendViewMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    sent.push_back(message);
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

bool TestDayHost::PostViewMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    posted.push_back({message, wParam, lParam});
    return true;
}

bool TestDayHost::KillViewTimer(UINT_PTR timerId)
{
    return timers.erase(timerId) != 0;
}

bool TestDayHost::SetViewTimer(UINT_PTR timerId, UINT elapseMs)
{
    timers[timerId] = elapseMs;
    timersSet.push_back(timerId);
    return true;
}

std::vector<WORD> TestDayHost::PostedCommands() const
{
    std::vector<WORD> commands;
    for (const Posted& post : posted)
        if (post.message == WM_COMMAND && HIWORD(post.wParam) == 1)
            commands.push_back(LOWORD(post.wParam));
    return commands;
}

void TestDayHost::Clear()
{
    posted.clear();
    timers.clear();
    timersSet.clear();
    sent.clear();
    draggedIds.clear();
}

LRESULT TestDayHost::OnStartDrag(UINT, WPARAM wParam, LPARAM, bool&)
{
    auto* source = reinterpret_cast<CAtlDropSource*>(wParam);
    if (!source)
        return 0;
    // The posted source has no reference yet: this one frees it.
    const ComPtr<IDataObject> data(static_cast<IDataObject*>(source));
    try {
        const PelquornDragData record = GetDragData(data.Get(), Clipboard::GetPrivateClipboardFormat());
        std::vector<int> ids(record.ids.begin(), record.ids.end());
        ids.insert(ids.begin(), record.kind);
        draggedIds.push_back(ids);
    } catch (const ComError&) {
        draggedIds.push_back({});
    }
    return 0;
}

DayPlan::DayPlan()
{
    document.SetPrompts(&prompts);
    EXPECT_TRUE(document.OnNewDocument());
    Category category(L"Work", L"", 0, 0);
    EXPECT_TRUE(document.AddCategory(0, category));
    categoryId = category.GetId();
    document.SetCurrentCategoryId(categoryId);
}

DayPlan::~DayPlan() = default;

int DayPlan::AddTask(const wchar_t* name, double hours, int importance, const wchar_t* description)
{
    TaskCard task(name, description, hours, kDay + 7, importance, TaskCard::kNew, 0, 0, -1);
    EXPECT_TRUE(document.AddTask(task));
    return task.GetId();
}

int DayPlan::AddEntry(double day, int taskId, const wchar_t* start, const wchar_t* end, bool completed,
                      const wchar_t* description)
{
    TaskPlanEntry entry(taskId, 0, 0, description, L"", 0, 0);
    entry.SetStartTimeText(start);
    entry.SetEndTimeText(end);
    EXPECT_TRUE(document.AddPlanEntry(day, entry));
    // An entry is done when its task is: the update completes the task.
    if (completed) {
        entry.SetCompleted(true);
        EXPECT_TRUE(document.UpdatePlanEntry(entry));
    }
    return entry.GetId();
}

TaskPlanEntry DayPlan::Entry(int id)
{
    TaskPlanEntry entry;
    EXPECT_TRUE(document.GetPlanEntry(id, entry)) << "entry " << id;
    return entry;
}

std::vector<EString> DayPlan::DayTimes(double day)
{
    std::vector<TaskPlanEntry> entries;
    document.GetDayPlanEntries(day, entries);
    std::vector<EString> times;
    for (const TaskPlanEntry& entry : entries)
        times.push_back(entry.GetStartTimeXmlText() + L"-" + entry.GetEndTimeXmlText());
    return times;
}

double At(int hour, int minute)
{
    return (hour * 60 + minute) / 1440.0;
}

std::string ToText(const std::vector<int>& values)
{
    std::string text;
    for (int value : values) {
        if (!text.empty())
            text += ",";
        text += std::to_string(value);
    }
    return text;
}

void PrintTo(const EString& text, std::ostream* out)
{
    *out << '"';
    for (wchar_t c : text)
        *out << (c < 128 ? static_cast<char>(c) : '?');
    *out << '"';
}
