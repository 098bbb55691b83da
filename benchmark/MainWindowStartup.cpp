// The planner as a user feels it: Quorvane.exe started on a generated plan, timed until its window answers, idle,
// with its task list filled, then a few commands each until it is idle again; against the bare parse of the file.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "app/MainWindowClass.h"
#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/PlanGenerator.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"

namespace {

constexpr unsigned kSeed = 20261208;
// The 10,000-task start-up has taken minutes: past this it is reported, not waited for.
constexpr DWORD kPatienceMs = 15 * 60 * 1000;
// A window that takes longer than this over a WM_NULL does not answer.
constexpr UINT kAnswerMs = 100;
// How long the window must answer with its process's CPU standing still to count as idle.
constexpr double kQuietMs = 300;
// The idle window's own clock and the probes themselves cost a little CPU.
constexpr double kQuietCpuMs = 20;
constexpr DWORD kProbeGapMs = 20;
constexpr DWORD kEndPatienceMs = 60000;
// A command that has not ended by then is reported as such; the planner is then ended.
constexpr DWORD kCommandPatienceMs = 5 * 60 * 1000;
constexpr wchar_t kTaskListClass[] = L"PelquornView";
constexpr wchar_t kCategoryTreeClass[] = L"QuorvaneCategoryTree";
// CMainFrame::kStatusFilterId: its header would bring the whole program into the benchmark.
constexpr int kStatusFilterId = 1026;
// Without a window manager on the virtual display, Wine waits for each hidden
// window of a managed program; the run command and the tests unmanage theirs too.
constexpr wchar_t kUnmanagedKey[] = L"Software\\Wine\\AppDefaults\\Quorvane.exe\\X11 Driver";

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Now()
{
    LARGE_INTEGER zero = {}, now;
    ::QueryPerformanceCounter(&now);
    return Milliseconds(zero, now);
}

double FileTimeMs(const FILETIME& time)
{
    return static_cast<double>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) / 10000.0;
}

// Kernel and user time of the planner's window thread: the thread that does
// the work a user waits for.
double CpuMs(HANDLE thread)
{
    FILETIME created, ended, kernel, user;
    if (!::GetThreadTimes(thread, &created, &ended, &kernel, &user))
        return 0;
    return FileTimeMs(kernel) + FileTimeMs(user);
}

HWND FindChildOfClass(HWND parent, const wchar_t* className)
{
    struct Search {
        const wchar_t* className;
        HWND found;
    } search = {className, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            ::GetClassNameW(child, name, 64);
            if (lstrcmpW(name, search->className) != 0)
                return TRUE;
            search->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// False when the window took longer than kAnswerMs.
bool Ask(HWND window, UINT message, DWORD_PTR& answer)
{
    answer = 0;
    return ::SendMessageTimeoutW(window, message, 0, 0, SMTO_NORMAL, kAnswerMs, &answer) != 0;
}

// When the planner went idle: its window answered, with rows in its task
// list, and its window thread then used no CPU for kQuietMs while it kept
// answering. `at` is the moment the quiet began, from the watch's start;
// negative when the patience ran out or the planner ended first.
struct Idle {
    double at = -1;
    double cpu = -1;
    LRESULT rows = 0;
    bool ended = false;
};

class PlannerWatch {
public:
    explicit PlannerWatch(const PROCESS_INFORMATION& process) : m_process(process) {}

    // `ready` tells whether the window has come as far as the watch waits for.
    Idle WaitIdle(double start, double patienceMs, const std::function<bool(HWND window, double now)>& ready)
    {
        Idle idle;
        // Negative while the window is busy or its CPU moves.
        double quietSince = -1;
        double quietCpu = 0;
        for (double now = Now() - start; now < patienceMs; now = Now() - start) {
            if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0) {
                idle.ended = true;
                return idle;
            }
            const double cpu = CpuMs(m_process.hThread);
            if (Answers(ready, now, idle.rows)) {
                if (quietSince < 0 || cpu - quietCpu > kQuietCpuMs) {
                    quietSince = now;
                    quietCpu = cpu;
                } else if (now - quietSince >= kQuietMs) {
                    idle.at = quietSince;
                    idle.cpu = quietCpu;
                    return idle;
                }
            } else {
                quietSince = -1;
            }
            ::Sleep(kProbeGapMs);
        }
        return idle;
    }

    HWND Window() const { return m_window; }

private:
    bool Answers(const std::function<bool(HWND, double)>& ready, double now, LRESULT& rows)
    {
        m_window = ::FindWindowW(kMainWindowClassName, nullptr);
        if (!m_window || !::IsWindowVisible(m_window) || !ready(m_window, now))
            return false;
        const HWND list = FindChildOfClass(m_window, kTaskListClass);
        DWORD_PTR ignored = 0, count = 0;
        if (!Ask(m_window, WM_NULL, ignored) || !list || !Ask(list, LVM_GETITEMCOUNT, count) || count == 0)
            return false;
        rows = static_cast<LRESULT>(count);
        return true;
    }

    const PROCESS_INFORMATION& m_process;
    HWND m_window = nullptr;
};

// A command as a user gives it: sent to the planner, timed until it is idle again.
struct TimedCommand {
    const wchar_t* name;
    // Sends the command; false when the window did not take it within the patience.
    std::function<bool(HWND window, DWORD patienceMs)> send;
};

struct CommandFigure {
    const wchar_t* name;
    // False when the window had no such control or did not take the command within the patience.
    bool given = false;
    Idle idle;
};

struct StartFigures {
    // Negative: not reached.
    double titled = -1;
    Idle idle;
    std::vector<CommandFigure> commands;
};

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD patienceMs, DWORD_PTR& answer)
{
    return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, patienceMs, &answer) != 0;
}

HWND FindChildWithId(HWND parent, int id)
{
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            if (::GetDlgCtrlID(child) != search->id)
                return TRUE;
            search->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The status filter moved off "all" (or back to it), as a pick in its combo box.
bool ChangeStatusFilter(HWND window, DWORD patienceMs)
{
    const HWND combo = FindChildWithId(window, kStatusFilterId);
    DWORD_PTR current = 0, ignored = 0;
    if (!combo || !SendWithin(combo, CB_GETCURSEL, 0, 0, patienceMs, current))
        return false;
    const WPARAM next = current == 0 ? 1 : 0;
    return SendWithin(combo, CB_SETCURSEL, next, 0, patienceMs, ignored) &&
           SendWithin(window, WM_COMMAND, MAKEWPARAM(kStatusFilterId, CBN_SELENDOK),
                      reinterpret_cast<LPARAM>(combo), patienceMs, ignored);
}

// The category tree's item chosen as a click chooses it; `which` from the root: TVGN_ROOT or TVGN_CHILD.
bool ChooseCategory(HWND window, UINT which, DWORD patienceMs)
{
    const HWND tree = FindChildOfClass(window, kCategoryTreeClass);
    DWORD_PTR root = 0, item = 0, ignored = 0;
    if (!tree || !SendWithin(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, patienceMs, root) || !root)
        return false;
    item = root;
    if (which == TVGN_CHILD && (!SendWithin(tree, TVM_GETNEXTITEM, TVGN_CHILD, root, patienceMs, item) || !item))
        return false;
    return SendWithin(tree, TVM_SELECTITEM, TVGN_CARET, item, patienceMs, ignored);
}

const TimedCommand kCommands[] = {
    {L"status filter changed", &ChangeStatusFilter},
    {L"first category under the root chosen", [](HWND w, DWORD p) { return ChooseCategory(w, TVGN_CHILD, p); }},
    {L"root category chosen", [](HWND w, DWORD p) { return ChooseCategory(w, TVGN_ROOT, p); }},
};

// Times the commands one after another; stops at the first that does not end within the patience.
void TimeCommands(PlannerWatch& watch, std::vector<CommandFigure>& figures)
{
    const auto anyState = [](HWND, double) { return true; };
    for (const TimedCommand& command : kCommands) {
        CommandFigure figure{command.name, false, {}};
        const double start = Now();
        figure.given = command.send(watch.Window(), kCommandPatienceMs);
        if (figure.given)
            figure.idle = watch.WaitIdle(start, kCommandPatienceMs, anyState);
        figures.push_back(figure);
        if (figure.idle.at < 0)
            return;
    }
}

// One start of Quorvane.exe on the plan, then the commands when asked for;
// the planner is then ended.
StartFigures TimedStart(const EString& program, const EString& plan, bool withCommands)
{
    StartFigures figures;
    EString commandLine = L"\"" + program + L"\" \"" + plan + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return figures;
    const EString fileName = FileSystem::GetFileTitle(plan);
    PlannerWatch watch(process);
    // The title of another process's window is read without asking it: this works while it is busy.
    figures.idle = watch.WaitIdle(start, kPatienceMs, [&](HWND window, double now) {
        if (figures.titled < 0) {
            wchar_t title[MAX_PATH] = {};
            ::GetWindowTextW(window, title, MAX_PATH);
            if (wcsstr(title, fileName.c_str()))
                figures.titled = now;
        }
        return figures.titled >= 0;
    });
    if (figures.idle.at >= 0 && withCommands)
        TimeCommands(watch, figures.commands);
    // Ended, not closed: a plan the view states marked modified would ask to be saved, and the
    // next start is to find the layout this one found.
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, kEndPatienceMs);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return figures;
}

void PrintFigure(const EString& name, double ms, double reference)
{
    std::printf("  %-86ls %10.1f ms  %7.1fx\n", name.c_str(), ms, ms / reference);
}

void PrintMissing(const EString& name, const char* why)
{
    std::printf("  %-86ls %s\n", name.c_str(), why);
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
    const wchar_t* file;
    int starts;
};

EString Missing(const Idle& idle, DWORD patienceMs)
{
    if (idle.ended)
        return L"the planner ended first";
    EString why;
    why.Format(L"more than %u s", static_cast<unsigned>(patienceMs / 1000));
    return why;
}

// 0 when every figure was taken.
int MeasurePlan(const Run& run, const EString& program)
{
    const std::string bytes = GeneratePlan(run.size, kSeed);
    const EString plan = FileSystem::JoinPath(FileSystem::GetTempFolder(), run.file);
    WriteText(plan, bytes);
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(3, [&] { BareParse(text); });
    std::vector<StartFigures> starts;
    // The commands follow the last start, so that they cannot slow the starts measured before.
    for (int i = 0; i < run.starts; ++i) {
        // Each start finds the filters as a first start does; the filter command stores its choice.
        Options::SetFilterField(0);
        Options::SetDeadlineFilterField(0);
        Options::SetPriorityFilterField(0);
        starts.push_back(TimedStart(program, plan, i + 1 == run.starts));
    }
    ::DeleteFileW(plan.c_str());
    const std::vector<CommandFigure> commands = starts.back().commands;
    // The median by the time until idle; a start that never got there counts as the slowest.
    std::sort(starts.begin(), starts.end(), [](const StartFigures& a, const StartFigures& b) {
        return (a.idle.at < 0 ? 1e300 : a.idle.at) < (b.idle.at < 0 ? 1e300 : b.idle.at);
    });
    const StartFigures& figures = starts[starts.size() / 2];

    std::printf("Main window, %ls (%.1f MB; start-up: median of %d)\n", run.title, bytes.size() / 1048576.0,
                run.starts);
    const EString of = EString(L" (") + run.title + L")";
    PrintFigure(L"bare parse (loadXML of the text)" + of, parse, parse);
    const EString titled = L"start-up until the title names the plan, panes not yet filled" + of;
    if (figures.titled >= 0)
        PrintFigure(titled, figures.titled, parse);
    else
        PrintMissing(titled, "the title never named the plan");
    const EString idle = L"start-up until the window answers idle" + of;
    if (figures.idle.at < 0) {
        PrintMissing(idle, WideToAnsi(Missing(figures.idle, kPatienceMs)).c_str());
        return 1;
    }
    PrintFigure(idle, figures.idle.at, parse);
    PrintFigure(L"CPU of the window thread until then" + of, figures.idle.cpu, parse);
    std::printf("  (the task list then held %ld rows)\n", static_cast<long>(figures.idle.rows));
    int result = 0;
    for (const CommandFigure& command : commands) {
        const EString name = EString(command.name) + L", until the window answers idle" + of;
        if (command.idle.at < 0) {
            const EString why = command.given ? Missing(command.idle, kCommandPatienceMs)
                                              : EString::Formatted(L"no such control, or not taken within %u s",
                                                                   static_cast<unsigned>(kCommandPatienceMs / 1000));
            PrintMissing(name, WideToAnsi(why).c_str());
            result = 1;
            continue;
        }
        PrintFigure(name, command.idle.at, parse);
        std::printf("  (the task list then held %ld rows)\n", static_cast<long>(command.idle.rows));
    }
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
        ::RegSetValueExW(m_key, name, 0, type, data, size);
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

} // namespace

int wmain()
{
    ::OleInitialize(nullptr);
    int result = 0;
    try {
        // The tip of the day would stand over the window; no window manager runs on the virtual display.
        const DWORD noTip = 0;
        const ProgramSetting tip(Options::OptionsKeyPath(), L"ShowTipOnSturtup", reinterpret_cast<const BYTE*>(&noTip),
                                 sizeof(noTip), REG_DWORD);
        const ProgramSetting unmanaged(kUnmanagedKey, L"Managed", reinterpret_cast<const BYTE*>(L"N"),
                                       2 * sizeof(wchar_t), REG_SZ);
        // Given back after the run, whatever the starts stored.
        const DWORD all = 0;
        const ProgramSetting statusFilter(Options::OptionsKeyPath(), L"FilterField",
                                          reinterpret_cast<const BYTE*>(&all), sizeof(all), REG_DWORD);
        const ProgramSetting dateFilter(Options::OptionsKeyPath(), L"DeadlineFilterField",
                                        reinterpret_cast<const BYTE*>(&all), sizeof(all), REG_DWORD);
        const ProgramSetting priorityFilter(Options::OptionsKeyPath(), L"PriorityFilterField",
                                            reinterpret_cast<const BYTE*>(&all), sizeof(all), REG_DWORD);
        const EString program =
            FileSystem::JoinPath(FileSystem::GetFolder(FileSystem::GetModuleFileName()), L"Quorvane.exe");
        const Run runs[] = {
            {L"1,000 tasks", PlanSize::Tenth(), L"startup-benchmark-1000.qvr", 3},
            {L"10,000 tasks", PlanSize(), L"startup-benchmark-10000.qvr", 1},
        };
        for (const Run& run : runs) {
            result |= MeasurePlan(run, program);
            std::fflush(stdout);
        }
    } catch (const ComError& error) {
        std::printf("the benchmark failed: %ls\n", error.Description().c_str());
        result = 1;
    }
    ::OleUninitialize();
    return result;
}
