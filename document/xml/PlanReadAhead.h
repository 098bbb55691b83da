// PlanReadAhead: the plan the start-up will open, read and parsed on a thread
// of its own while the main window is being built.
#pragma once

#include <windows.h>

#include "document/xml/XmlDocument.h"
#include "foundation/EString.h"
#include "foundation/UniqueHandle.h"

// One at a time: the start-up's for the program's run, or an open's while it
// parses a large plan beside the windows; another may start once the one
// before has been taken or given up. An open
// (XmlDoc::Load) takes the parsed document when it asks for the same path and
// the file is still the one that was read; in every other case
// (another path, a file replaced or written since, a read that failed) it reads
// the file itself, so what it opens and how a bad file is refused never
// depend on the read-ahead.
class PlanReadAhead {
public:
    // Starts reading; an empty path reads nothing.
    explicit PlanReadAhead(const EString& path);
    PlanReadAhead(const PlanReadAhead&) = delete;
    PlanReadAhead& operator=(const PlanReadAhead&) = delete;
    virtual ~PlanReadAhead();

    // Until the file has been read and parsed, or the read has failed.
    void WaitUntilRead() const;
    // Set at that moment; null when this one reads nothing (another was
    // under way, or no thread could be started).
    HANDLE GetReadEvent() const { return m_thread ? m_done.Get() : nullptr; }

    // The read event of the read-ahead under way when it is of the file at
    // path and not taken yet (the start-up's, for its open); else null.
    static HANDLE GetReadEventOf(const EString& path);
    // The parse of the file at path when the read-ahead under way is of that
    // file, unchanged since; waits for it. Given once: the first open of the
    // file takes it or lets it go.
    static XmlDocument Take(const EString& path);
    // For the end of the start-up's open: a plan of many megabytes is not
    // kept for an open that did not come.
    static void Forget();

    // What tells one state of a file from another.
    struct FileStamp {
        DWORD volume = 0;
        DWORD indexHigh = 0;
        DWORD indexLow = 0;
        DWORD sizeHigh = 0;
        DWORD sizeLow = 0;
        FILETIME written{};
        bool operator==(const FileStamp& other) const;
    };
    // False when the file cannot be opened.
    static bool ReadStamp(const EString& path, FileStamp& stamp);

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Read();
    XmlDocument Hand(const EString& path);
    void Release();

    static PlanReadAhead* s_current;

    const EString m_path;
    UniqueHandle m_done;
    UniqueHandle m_release;
    UniqueHandle m_thread;
    FileStamp m_stamp;
    XmlDocument m_document; // written by the reading thread until m_done is set
    bool m_taken = false;
};
