#include "app/ProgramProcessTestSupport.h"

#include "app/MainWindowClass.h"
#include "document/PelquornDoc.h"
#include "foundation/FileSystem.h"

ProgramProcess::ProgramProcess(const EString& arguments, const EString& folder)
{
    EString commandLine =
        L"\"" + FileSystem::JoinPath(FileSystem::GetFolder(FileSystem::GetModuleFileName()), L"Quorvane.exe") + L"\"";
    if (!arguments.IsEmpty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    m_started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.IsEmpty() ? nullptr : folder.c_str(), &startup, &started) != FALSE;
    if (m_started)
        m_handles = ProcessHandles(started);
}

ProgramProcess::~ProgramProcess()
{
    Kill();
}

bool ProgramProcess::Ended() const
{
    return m_started && ::WaitForSingleObject(m_handles.process.Get(), 0) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::ExitCode() const
{
    DWORD code = 0;
    ::GetExitCodeProcess(m_handles.process.Get(), &code);
    return code;
}

void ProgramProcess::Kill()
{
    if (m_started && !Ended()) {
        ::TerminateProcess(m_handles.process.Get(), 2);
        ::WaitForSingleObject(m_handles.process.Get(), INFINITE);
    }
}

EString SaveNewPlan(const EString& folder, const wchar_t* name)
{
    const EString path = FileSystem::JoinPath(folder, name);
    CPelquornDoc doc;
    doc.NewDocument();
    doc.SetPathName(path);
    return doc.Save() ? path : EString();
}

EString TitleOf(HWND window)
{
    wchar_t title[MAX_PATH] = {};
    ::GetWindowTextW(window, title, MAX_PATH);
    return title;
}

int CountMainWindows()
{
    int count = 0;
    ::EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (EString(name) == kMainWindowClassName)
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND FindMainWindowTitled(const EString& text)
{
    const HWND window = ::FindWindowW(kMainWindowClassName, nullptr);
    return window && ::IsWindowVisible(window) && TitleOf(window).find(text) != EString::npos ? window : nullptr;
}

HWND FindDescendant(HWND window, const wchar_t* className)
{
    struct Search {
        const wchar_t* className;
        HWND found;
    } search = {className, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND candidate, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            ::GetClassNameW(candidate, name, 64);
            if (EString(name) != s->className)
                return TRUE;
            s->found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
