// The batch benchmark: the document's side of the task list's commands over
// 2,000 tasks at once (paste into a new plan, into that 2,000-task plan and
// into the 10,000-task plan; delete, complete, move to a category, set
// importance and edit the selected tasks on the 10,000-task plan), each on a
// freshly opened plan, with a shown main window whose title follows the
// modified mark. Each figure is printed with its ratio to the bare parse of
// the 10,000-task plan. Needs a display: "./quorvane.sh benchmark" runs it.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/PlanGenerator.h"
#include "document/PelquornDoc.h"
#include "foundation/AppWindow.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"

namespace {

constexpr unsigned kSeed = 20261208;
constexpr size_t kBatch = 2000;
constexpr int kParseRuns = 3;
// A category of the generated plan the moved tasks go to.
constexpr int kTargetCategory = 7;
constexpr double kDeadline = 46100;

void WriteText(const EString& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        ThrowComError(E_FAIL, L"cannot write the generated plan");
}

void Require(bool done, const wchar_t* what)
{
    if (!done)
        ThrowComError(E_FAIL, EString(L"the benchmark could not ") + what);
}

// A shown top-level window standing in for the main frame: the document sets its title.
class TitleWindow {
public:
    TitleWindow()
    {
        m_window = ::CreateWindowExW(0, L"STATIC", L"batch benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                     480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        SetMainWindow(m_window);
    }
    TitleWindow(const TitleWindow&) = delete;
    TitleWindow& operator=(const TitleWindow&) = delete;
    ~TitleWindow()
    {
        SetMainWindow(nullptr);
        ::DestroyWindow(m_window);
    }

private:
    HWND m_window = nullptr;
};

// The tasks a user selects: the first of the root's list.
std::vector<int> FirstTaskIds(CPelquornDoc& document, size_t count)
{
    std::vector<TaskCard> tasks;
    document.SelectTasks(tasks, true, true);
    std::vector<int> ids;
    for (size_t i = 0; i < tasks.size() && ids.size() < count; ++i)
        ids.push_back(tasks[i].GetId());
    Require(ids.size() == count, L"select the tasks");
    return ids;
}

// The selected tasks as the list's commands read them, each changed by `change`.
std::vector<TaskCard> ChangedTasks(CPelquornDoc& document, const std::vector<int>& ids,
                                   const std::function<void(TaskCard&)>& change)
{
    std::vector<TaskCard> tasks;
    for (const int id : ids) {
        TaskCard task;
        if (!document.GetTask(id, task))
            continue;
        change(task);
        tasks.push_back(task);
    }
    return tasks;
}

struct Command {
    const char* name;
    std::function<void(CPelquornDoc&, const std::vector<int>&)> run;
};

} // namespace

int wmain()
{
    ::OleInitialize(nullptr);
    int result = 0;
    try {
        const EString folder = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"qv-benchmark");
        FileSystem::EnsureFolder(folder);
        const EString path = FileSystem::JoinPath(folder, L"plan-10000-batch.qvr");
        const std::string bytes = GeneratePlan(PlanSize(), kSeed);
        WriteText(path, bytes);
        const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
        const double parse = MedianMilliseconds(kParseRuns, [&] { BareParse(text); });
        const TitleWindow window;

        CPelquornDoc source;
        Require(source.OpenPath(path), L"open the plan");
        const std::vector<int> selected = FirstTaskIds(source, kBatch);
        source.SetSelectedTaskIds(selected);
        EString copied = source.GetTasksXml();
        std::printf("\n%zu tasks at once, the document's side of each command, against the bare parse of the "
                    "10,000-task plan (%.1f MB)\n",
                    kBatch, bytes.size() / 1048576.0);
        const auto report = [&](const char* name, double milliseconds) {
            std::printf("  %-46s %10.1f ms  %7.3fx\n", name, milliseconds, milliseconds / parse);
            std::fflush(stdout);
        };
        report("bare parse", parse);
        report("copy", MedianMilliseconds(1, [&] { copied = source.GetTasksXml(); }));
        // The small plan's pastes come before any other plan opens: an open
        // sets the id counters that the pasted tasks draw from.
        CPelquornDoc small;
        Require(small.OnNewDocument(), L"make a new plan");
        report("paste into a new plan", MedianMilliseconds(1, [&] { small.PasteXml(copied); }));
        report("paste into that 2,000-task plan", MedianMilliseconds(1, [&] { small.PasteXml(copied); }));

        const Command commands[] = {
            {"paste into the 10,000-task plan",
             [&](CPelquornDoc& document, const std::vector<int>&) { document.PasteXml(copied); }},
            {"read the selected tasks (part of the edits)",
             [](CPelquornDoc& document, const std::vector<int>& ids) { ChangedTasks(document, ids, [](TaskCard&) {}); }},
            {"delete", [](CPelquornDoc& document, const std::vector<int>& ids) { document.DeleteTasks(ids); }},
            {"complete",
             [](CPelquornDoc& document, const std::vector<int>& ids) {
                 document.UpdateTasks(
                     ChangedTasks(document, ids, [](TaskCard& task) { task.SetStatus(TaskCard::kCompleted); }));
             }},
            {"move to a category",
             [](CPelquornDoc& document, const std::vector<int>& ids) {
                 Require(document.MoveTasks(kTargetCategory, ids), L"move the tasks");
             }},
            {"set importance",
             [](CPelquornDoc& document, const std::vector<int>& ids) {
                 document.UpdateTasks(ChangedTasks(document, ids, [](TaskCard& task) { task.SetImportance(0); }));
             }},
            {"edit the selected tasks",
             [](CPelquornDoc& document, const std::vector<int>& ids) {
                 document.UpdateTasks(ChangedTasks(document, ids, [](TaskCard& task) {
                     task.SetImportance(2);
                     task.SetDeadline(kDeadline);
                 }));
             }},
        };
        for (const Command& command : commands) {
            CPelquornDoc document;
            Require(document.OpenPath(path), L"open the plan");
            document.SetSelectedTaskIds(selected);
            report(command.name, MedianMilliseconds(1, [&] { command.run(document, selected); }));
        }
    } catch (const ComError& error) {
        std::fprintf(stderr, "benchmark failed: 0x%08lx %ls\n", static_cast<unsigned long>(error.Error()),
                     error.Description().c_str());
        result = 1;
    }
    ::OleUninitialize();
    return result;
}
