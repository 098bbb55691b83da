// The planner's start-up on the 10,000-task plan: from process start to the main window shown with the plan, against the bare parse of the file.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/MainWindowClass.h"
#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/LargePlan.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"

namespace {

constexpr int kRuns = 3;
constexpr DWORD kPatienceMs = 180000;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The running planner's window once its title names the plan.
HWND ShownWithPlan(const wchar_t* fileName)
{
    const HWND window = ::FindWindowW(kMainWindowClassName, nullptr);
    if (!window || !::IsWindowVisible(window))
        return nullptr;
    wchar_t title[MAX_PATH] = {};
    ::GetWindowTextW(window, title, MAX_PATH);
    return wcsstr(title, fileName) ? window : nullptr;
}

// One start of Quorvane.exe on the plan, timed until its window shows the
// plan; the planner is then told to exit. Negative when it failed.
double TimedStart(const EString& program, const EString& plan)
{
    EString commandLine = L"\"" + program + L"\" \"" + plan + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, shown;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    const EString fileName = FileSystem::GetFileTitle(plan);
    const DWORD deadline = ::GetTickCount() + kPatienceMs;
    HWND window = nullptr;
    while (!(window = ShownWithPlan(fileName.c_str()))) {
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 ||
            static_cast<LONG>(::GetTickCount() - deadline) > 0)
            break;
    }
    ::QueryPerformanceCounter(&shown);
    if (window)
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(57665, 0), 0);
    if (::WaitForSingleObject(process.hProcess, kPatienceMs) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return window ? Milliseconds(start, shown) : -1;
}

} // namespace

int wmain()
{
    ::OleInitialize(nullptr);
    int result = 0;
    try {
        const std::string bytes = LargePlanXml();
        const EString plan = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"startup-benchmark.qvr");
        {
            std::ofstream file(std::filesystem::path(plan.c_str()), std::ios::binary | std::ios::trunc);
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
        const auto bareParse = [&] { BareParse(text); };
        const EString program =
            FileSystem::JoinPath(FileSystem::GetFolder(FileSystem::GetModuleFileName()), L"Quorvane.exe");
        std::vector<double> parses, starts;
        for (int run = 0; run < kRuns; ++run) {
            parses.push_back(MedianMilliseconds(1, bareParse));
            starts.push_back(TimedStart(program, plan));
        }
        const double parse = Median(parses);
        const double start = Median(starts);
        std::printf("Main window start-up, 10,000 tasks (median of %d)\n", kRuns);
        std::printf("  %-58s %9.1f ms\n", "bare parse (loadXML of the text)", parse);
        if (start < 0) {
            std::printf("  start-up to the main window with its task list: the window did not show the plan\n");
            result = 1;
        } else {
            std::printf("  %-58s %9.1f ms  %5.1fx\n", "start-up to the main window with its task list", start,
                        start / parse);
        }
        ::DeleteFileW(plan.c_str());
    } catch (const ComError& error) {
        std::printf("the benchmark failed: %ls\n", error.Description().c_str());
        result = 1;
    }
    ::OleUninitialize();
    return result;
}
