// The planner as a user feels it: Quorvane.exe started on generated plans, timed until its window answers, idle,
// with its task list filled, and its working set then; then its commands on variants of the plans; each against the
// bare parse of the same plan.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/EmptyWindow.h"
#include "benchmark/FigureLines.h"
#include "benchmark/MainWindowCommands.h"
#include "benchmark/PlanGenerator.h"
#include "benchmark/PlannerControls.h"
#include "benchmark/PlannerProcess.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"

namespace {

constexpr unsigned kSeed = 20261208;
// Without a window manager on the virtual display, Wine waits for each hidden
// window of a managed program; the run command and the tests unmanage theirs too.
constexpr wchar_t kUnmanagedKey[] = L"Software\\Wine\\AppDefaults\\Quorvane.exe\\X11 Driver";
constexpr wchar_t kEmptyWindowUnmanagedKey[] = L"Software\\Wine\\AppDefaults\\empty_window.exe\\X11 Driver";
// Starts of the empty window program a floor is the median of: they are quick.
constexpr int kFloorStarts = 3;
// Run as `startup_benchmark --parsed-working-set <plan>`, the benchmark parses
// the plan in a process of its own and answers the working set it added, in KiB.
constexpr wchar_t kParsedWorkingSetSwitch[] = L"--parsed-working-set";
// The choices the commands store and each start is to find as a first start does.
const wchar_t* const kStoredChoices[] = {L"FilterField",      L"DeadlineFilterField", L"PriorityFilterField",
                                         L"ShowAsLayoutDays", L"SortField0",          L"SortDirection0"};

void ForgetStoredChoices()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Options::OptionsKeyPath(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    for (const wchar_t* name : kStoredChoices)
        ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
}

struct StartFigures {
    bool started = false;
    // Negative: not reached.
    double titled = -1;
    Idle idle;
    int rows = 0;
    SIZE_T workingSet = 0;
    SIZE_T peakWorkingSet = 0;
};

// One start of Quorvane.exe on the plan until idle; the planner is then ended.
StartFigures TimedStart(const EString& program, const EString& plan)
{
    ForgetStoredChoices();
    StartFigures figures;
    PlannerProcess planner;
    if (!planner.Start(program, plan))
        return figures;
    figures.started = true;
    figures.idle = planner.WaitStartedUp(plan, kStartPatienceMs, figures.titled);
    if (figures.idle.ended)
        return figures;
    // Also when the start-up ran out of patience: the working set it had come to by then.
    if (figures.idle.at >= 0)
        figures.rows = ListCount(FindChildOfClass(planner.Window(), L"PelquornView"));
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(planner.Process(), &counters, sizeof(counters))) {
        figures.workingSet = counters.WorkingSetSize;
        figures.peakWorkingSet = counters.PeakWorkingSetSize;
    }
    return figures;
}

// The median start of the empty window program until its window answers idle, measured as the planner's start-up
// is; negative when it did not get there.
double FloorStartUp(const EString& program)
{
    std::vector<double> starts;
    for (int i = 0; i < kFloorStarts; ++i) {
        PlannerProcess empty(kEmptyWindowClassName);
        if (!empty.Start(program, EString()))
            return -1;
        const Idle idle = empty.WaitIdle(empty.StartedAt(), kStartPatienceMs);
        if (idle.at < 0)
            return -1;
        starts.push_back(idle.at);
    }
    std::sort(starts.begin(), starts.end());
    return starts[starts.size() / 2];
}

// What the parsed plan adds to a process that has parsed nothing that size
// before: in this process, memory freed by the earlier parses would be used
// again and count for nothing. 0 when it could not be measured.
SIZE_T ParsedWorkingSetInOwnProcess(const EString& plan)
{
    EString commandLine =
        L"\"" + FileSystem::GetModuleFileName() + L"\" " + kParsedWorkingSetSwitch + L" \"" + plan + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 0;
    const ProcessHandles started(info);
    const HANDLE process = started.process.Get();
    DWORD kib = 0;
    if (::WaitForSingleObject(process, kCommandPatienceMs) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process, &kib))
        kib = 0;
    ::TerminateProcess(process, 0);
    return static_cast<SIZE_T>(kib) * 1024;
}

// The other side of ParsedWorkingSetInOwnProcess.
int ParsedWorkingSetKib(const wchar_t* plan)
{
    std::ifstream file{std::filesystem::path(plan), std::ios::binary};
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (bytes.empty())
        return 0;
    try {
        const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
        // MSXML's code comes in with a first document, not with the plan's.
        BareParse(Bstr(L"<ROOT/>"));
        return static_cast<int>(BareParsedWorkingSet(text) / 1024);
    } catch (const ComError&) {
        return 0;
    }
}

void WriteText(const EString& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        ThrowComError(E_FAIL, L"cannot write the generated plan");
}

struct Run {
    const wchar_t* title;
    PlanSize size;
    const wchar_t* filePrefix;
    int starts;
};

// 0 when every figure was taken. `overPatience` tells whether the start-up ran out of patience.
int MeasureStartUp(const Run& run, const EString& program, const EString& emptyProgram, bool& overPatience)
{
    const std::string bytes = GeneratePlan(run.size, kSeed);
    const EString plan = FileSystem::JoinPath(FileSystem::GetTempFolder(), EString(run.filePrefix) + L".qvr");
    WriteText(plan, bytes);
    const SIZE_T parsedWorkingSet = ParsedWorkingSetInOwnProcess(plan);
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    // As many parses as starts: the ratio's two sides are medians alike.
    const double parse = MedianMilliseconds(run.starts, [&] { BareParse(text); });
    std::printf("Main window, %ls (%.1f MB; start-up and bare parse: median of %d)\n", run.title,
                bytes.size() / 1048576.0, run.starts);
    std::fflush(stdout);
    const EString of = EString(L" (") + run.title + L")";
    PrintFigure(L"bare parse (loadXML of the text)" + of, parse, parse);
    const EString floorName = L"start-up of an empty window program (Wine's process floor)" + of;
    if (const double floor = FloorStartUp(emptyProgram); floor >= 0)
        PrintFigure(floorName, floor, parse);
    else
        PrintMissing(floorName, L"the empty window program did not start or never answered idle");
    std::vector<StartFigures> starts;
    for (int i = 0; i < run.starts; ++i) {
        starts.push_back(TimedStart(program, plan));
        // A start that ran out of patience would run out of it again.
        if (starts.back().idle.at < 0)
            break;
    }
    ::DeleteFileW(plan.c_str());
    EString each;
    for (const StartFigures& start : starts)
        each += (each.IsEmpty() ? L"" : L", ") +
                (start.idle.at < 0 ? EString(L"never") : EString::Formatted(L"%.0f", start.idle.at));
    // The median by the time until idle; a start that never got there counts as the slowest.
    std::sort(starts.begin(), starts.end(), [](const StartFigures& a, const StartFigures& b) {
        return (a.idle.at < 0 ? 1e300 : a.idle.at) < (b.idle.at < 0 ? 1e300 : b.idle.at);
    });
    const StartFigures& figures = starts[starts.size() / 2];
    overPatience = figures.started && !figures.idle.ended && figures.idle.at < 0;
    const EString titled = L"start-up until the title names the plan, panes not yet filled" + of;
    if (figures.titled >= 0)
        PrintFigure(titled, figures.titled, parse);
    else
        PrintMissing(titled, L"the title never named the plan");
    const EString idle = L"start-up until the window answers idle" + of;
    int result = 0;
    if (figures.idle.at < 0) {
        PrintMissing(idle, !figures.started    ? EString(L"the planner did not start, or another planner runs")
                           : figures.idle.ended ? EString(L"the planner ended first")
                                                : Over(kStartPatienceMs));
        result = 1;
    } else {
        PrintFigure(idle, figures.idle.at, parse);
        PrintFigure(L"CPU of the window thread until then" + of, figures.idle.cpu, parse);
        PrintNote(EString::Formatted(L"the task list then held %d rows; the starts in turn: %s ms", figures.rows,
                                     each.c_str()));
    }
    const EString memory = figures.idle.at >= 0
                               ? L"working set of the planner, idle after its start-up, against the bare-parsed plan's" + of
                               : L"working set of the planner, still starting up when its patience ran out, against the "
                                 L"bare-parsed plan's" + of;
    if (parsedWorkingSet == 0 || figures.workingSet == 0) {
        PrintMissing(memory, parsedWorkingSet == 0 ? L"the bare-parsed plan's working set could not be read"
                                                   : L"not measured: the planner's working set could not be read");
        return 1;
    }
    PrintMegabytes(L"working set the bare-parsed plan adds to a process" + of, static_cast<double>(parsedWorkingSet),
                   static_cast<double>(parsedWorkingSet));
    PrintMegabytes(memory, static_cast<double>(figures.workingSet), static_cast<double>(parsedWorkingSet));
    PrintMegabytes(L"peak working set of the planner during its start-up" + of,
                   static_cast<double>(figures.peakWorkingSet), static_cast<double>(parsedWorkingSet));
    return result;
}

// Sets a value of the current user's key for the benchmark's run and puts the old state back after.
class ProgramSetting {
public:
    ProgramSetting(const wchar_t* keyPath, const wchar_t* name, const BYTE* data, DWORD size, DWORD type)
        : m_name(name)
    {
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                              &m_key, nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD oldSize = sizeof(m_old);
        m_hadOld = ::RegQueryValueExW(m_key, name, nullptr, &m_oldType, m_old, &oldSize) == ERROR_SUCCESS;
        m_oldSize = oldSize;
        if (data)
            ::RegSetValueExW(m_key, name, 0, type, data, size);
    }
    // Kept to be put back; the run changes it as it goes.
    ProgramSetting(const wchar_t* keyPath, const wchar_t* name) : ProgramSetting(keyPath, name, nullptr, 0, 0) {}
    ProgramSetting(const wchar_t* keyPath, const wchar_t* name, DWORD value)
        : ProgramSetting(keyPath, name, reinterpret_cast<const BYTE*>(&value), sizeof(value), REG_DWORD)
    {
    }
    ProgramSetting(const ProgramSetting&) = delete;
    ProgramSetting& operator=(const ProgramSetting&) = delete;
    ~ProgramSetting()
    {
        if (!m_key)
            return;
        if (m_hadOld)
            ::RegSetValueExW(m_key, m_name, 0, m_oldType, m_old, m_oldSize);
        else
            ::RegDeleteValueW(m_key, m_name);
        ::RegCloseKey(m_key);
    }

private:
    const wchar_t* m_name;
    HKEY m_key = nullptr;
    bool m_hadOld = false;
    DWORD m_oldType = 0;
    DWORD m_oldSize = 0;
    BYTE m_old[512] = {};
};

// What the command line chose: plans by their task count, parts by name,
// figures by words of their names. Nothing chosen of a kind: all of it, but
// the commands run on the 10,000-task plan alone unless a plan is named.
struct Choice {
    std::set<EString> plans;
    std::set<EString> parts;
    std::vector<EString> only;

    bool Plan(const wchar_t* tasks) const { return plans.empty() || plans.count(tasks); }
    bool CommandsOn(const wchar_t* tasks) const { return plans.empty() ? EString(tasks) == L"10000" : Plan(tasks); }
    bool Part(const wchar_t* part) const { return parts.empty() || parts.count(part); }
};

bool ReadChoice(int argc, wchar_t** argv, Choice& choice)
{
    const EString onlyPrefix = L"--only=";
    for (int i = 1; i < argc; ++i) {
        const EString argument = argv[i];
        if (argument == L"1000" || argument == L"10000")
            choice.plans.insert(argument);
        else if (argument == L"start-up" || argument == L"commands" || argument == L"crowded-day")
            choice.parts.insert(argument);
        else if (argument.rfind(onlyPrefix, 0) == 0 && argument.size() > onlyPrefix.size())
            choice.only.push_back(argument.substr(onlyPrefix.size()));
        else
            return false;
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && EString(argv[1]) == kParsedWorkingSetSwitch) {
        ::OleInitialize(nullptr);
        const int kib = ParsedWorkingSetKib(argv[2]);
        ::OleUninitialize();
        return kib;
    }
    Choice choice;
    if (!ReadChoice(argc, argv, choice)) {
        std::printf("usage: startup_benchmark [1000] [10000] [start-up] [commands] [crowded-day] [--only=<words of "
                    "a figure's name>]...\n");
        return 2;
    }
    ::OleInitialize(nullptr);
    int result = 0;
    try {
        const wchar_t* options = Options::OptionsKeyPath();
        // The tip of the day would stand over the window; no window manager runs on the virtual display.
        const ProgramSetting tip(options, L"ShowTipOnSturtup", 0);
        const ProgramSetting unmanaged(kUnmanagedKey, L"Managed", reinterpret_cast<const BYTE*>(L"N"),
                                       2 * sizeof(wchar_t), REG_SZ);
        const ProgramSetting emptyUnmanaged(kEmptyWindowUnmanagedKey, L"Managed", reinterpret_cast<const BYTE*>(L"N"),
                                            2 * sizeof(wchar_t), REG_SZ);
        // The automatic copy of a large plan would land in the middle of a timed command.
        const ProgramSetting autoSave(options, L"AutoSave", 0);
        // Days of more entries than minutes are made of overlapping entries, which only this setting keeps.
        const ProgramSetting simultaneous(options, L"AllowSimultaneous", 1);
        // Given back after the run, whatever the commands stored.
        std::vector<std::unique_ptr<ProgramSetting>> stored;
        for (const wchar_t* name : kStoredChoices)
            stored.push_back(std::make_unique<ProgramSetting>(options, name));
        const EString folder = FileSystem::GetFolder(FileSystem::GetModuleFileName());
        const EString program = FileSystem::JoinPath(folder, L"Quorvane.exe");
        const EString emptyProgram = FileSystem::JoinPath(folder, L"empty_window.exe");
        Run runs[] = {
            {L"1,000 tasks", PlanSize::Tenth(), L"startup-benchmark-1000", 5},
            {L"10,000 tasks", PlanSize(), L"startup-benchmark-10000", 5},
        };
        for (Run& run : runs) {
            // A reminder falling due would stand over the window in the middle of a figure: they come after the run.
            run.size.remindersFrom = static_cast<int>(Today()) + 2;
            const EString tasks = run.size.tasks == 1000 ? L"1000" : L"10000";
            if (!choice.Plan(tasks.c_str()))
                continue;
            bool overPatience = false;
            if (choice.Part(L"start-up"))
                result |= MeasureStartUp(run, program, emptyProgram, overPatience);
            CommandRun commands{run.title, run.size, run.filePrefix, kSeed, &ForgetStoredChoices, choice.only, {}};
            // The commands' plans are as large: their start-ups would run out of patience too.
            if (overPatience)
                commands.startFailure = L"not measured: the start-up on a plan this size took " + Over(kStartPatienceMs);
            if (choice.Part(L"commands") && choice.CommandsOn(tasks.c_str()))
                result |= MeasureCommands(program, commands) != 0 ? 1 : 0;
            if (choice.Part(L"crowded-day") && choice.CommandsOn(tasks.c_str()))
                result |= MeasureCrowdedDay(program, commands) != 0 ? 1 : 0;
        }
    } catch (const ComError& error) {
        std::printf("the benchmark failed: %ls\n", error.Description().c_str());
        result = 1;
    }
    ::OleUninitialize();
    return result;
}
