// Helpers shared by the test executables.
#pragma once

#include <functional>
#include <vector>

#include "foundation/EString.h"

// A file of the source tree, as a Windows path ("foundation/testdata/x.txt").
EString SourcePath(const wchar_t* relative);

// A fresh, empty folder for one test, under the temporary folder.
EString MakeScratchFolder(const wchar_t* name);

// Writes bytes to a file, replacing it.
void WriteFileBytes(const EString& path, const std::string& bytes);
std::string ReadFileBytes(const EString& path);
// The names of the files in the folder (no folders), sorted.
std::vector<EString> FileNamesIn(const EString& folder);
// Sets a file's last write time that many minutes into the past.
void AgeFile(const EString& path, int minutes);

// Waits (pumping messages) until the condition holds or the time runs out.
bool WaitFor(const std::function<bool()>& condition, unsigned timeoutMs = 5000);
// The same, each message first offered to `preTranslate`, which answers true when it took it.
bool WaitFor(const std::function<bool()>& condition, unsigned timeoutMs, const std::function<bool(MSG*)>& preTranslate);

// Runs a program that lies beside the test program with the arguments, and
// waits (pumping messages) for its exit code; -1 when it could not start or
// did not end in time (it is then ended).
int RunProgramBeside(const wchar_t* program, const EString& arguments, unsigned timeoutMs = 20000);

// Removes every key and value the program keeps under the current user.
void ClearProgramRegistry();

// A setting of the program for the Quorvane.exe a test starts: that process
// reads the prefix's own current-user key, not this executable's private one.
// The old value (or its absence) is put back at the end, whatever its type.
class ChildProgramSetting {
public:
    ChildProgramSetting(const wchar_t* name, DWORD value);
    ChildProgramSetting(const wchar_t* name, const EString& value);
    ~ChildProgramSetting();
    ChildProgramSetting(const ChildProgramSetting&) = delete;
    ChildProgramSetting& operator=(const ChildProgramSetting&) = delete;

    // The text the program has left in the setting; empty when it holds none.
    EString ReadText() const;

private:
    ChildProgramSetting(const wchar_t* name, DWORD type, const void* bytes, DWORD size);

    HKEY m_key = nullptr;
    EString m_name;
    bool m_hadValue = false;
    DWORD m_oldType = 0;
    std::vector<BYTE> m_oldBytes;
};
