// FileSystem: path pieces, the program's folders, file names, copying and processes.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

class FileSystem {
public:
    virtual ~FileSystem() = default;

    static EString GetFileTitle(const EString& path);
    static EString GetFolder(const EString& path);
    // The text after the last dot of the final path component; empty without one.
    static EString GetExtension(const EString& path);
    static EString GetPathWithoutExtension(const EString& path);
    // a, one "\", then b without its leading "\"; an empty a gives b alone.
    static EString JoinPath(const EString& a, const EString& b);
    static EString GetFullPath(const EString& path);
    static bool IsFullPath(const EString& path);
    static bool FileExists(const EString& path);
    static bool EnsureFolder(const EString& path);

    static EString GetModuleFileName();
    static EString GetProgramFolderPath(const EString& relative);
    static EString GetTempFolder();
    static EString GetSpecialFolder(int folderId);
    static EString GetAppDataFolder();
    static EString GetDocumentsFolder();

    static EString MakeNumberedFileName(const EString& path, int number);
    static EString MakeUniqueFileName(const EString& folder, const EString& name, const EString& extension);
    static EString MakeTempFileName();

    // Copies the source over the target (or only to a target not there yet)
    // in one replacement: a failed copy leaves the target as it was. False
    // when the two are the same file or the copy failed.
    static bool CopyFileChecked(const EString& target, const EString& source, bool overwrite);
    // Opens the file with its associated program; false when the shell refused.
    // A wait for the program's end dispatches the thread's messages meanwhile.
    static bool OpenWithShell(const EString& file, const EString& parameters, bool wait);

    // The one of the two files written last; the second on equal times.
    static EString ChooseNewerFile(const EString& first, const EString& second);
    static bool AppKeyExists(const wchar_t* subKey);
};

// Starts a program (and waits for its end when asked, dispatching the thread's
// messages meanwhile); false, logged, when it could not be started.
bool RunProcessAndWait(const EString& commandLine, bool wait);

// Carries the first entry of the old recent-file list into the recent-document
// list, once.
void MigrateRecentFileList();

// The document path given on the command line.
class CommandLine {
public:
    virtual ~CommandLine() = default;
    bool Parse(const EString& arguments);
    const EString& GetArgument() const { return m_argument; }
    bool HasDocument() const { return m_hasDocument != 0; }
    // The argument as a full path, against the folder the program was started
    // in: the running instance that is handed it, and the recent list, know
    // nothing of that folder. As given when it cannot be made one; empty
    // without an argument.
    EString GetDocumentPath() const;

private:
    EString m_argument;
    int m_hasDocument = 0;
};
