// CustomFiles: one kind of file that extends the planner (reports, templates, scripts).
#pragma once

#include <vector>

#include "foundation/EString.h"
#include "reports/Feature.h"

// Each kind lives in a folder of that name twice: beside the program (the
// shipped files) and in the user's application data (the user's own).
class CustomFiles {
public:
    virtual ~CustomFiles() = default;

    // Appends the files the file refers to, as written in it; none here.
    virtual void GetDependencies(const EString& path, std::vector<EString>& dependencies);
    // Appends the shipped files, then the user's, each group by mask.
    virtual void EnumerateFiles(std::vector<EString>& files);
    virtual EString GetUserFolder();
    // The file title here.
    virtual EString GetDisplayName(const EString& path);
    // Gives the file a new name and returns its path afterwards; empty when
    // nothing was renamed.
    virtual EString Rename(const EString& path, const EString& newName);
    virtual Feature GetFeature(const EString& path);
    virtual EString GetFolderName() = 0;
    virtual void AddFileMasks(std::vector<EString>& masks);
    // Under the user's folder of the kind, compared without regard to case.
    virtual bool IsUserFile(const EString& path);

    EString GetProgramFolder();
    // The language sub folder of the folder when the interface is not English.
    static EString LocalizeFolder(const EString& folder, bool create);
    static bool IsDotEntry(const wchar_t* name);
    std::vector<EString> GetDisplayNames(const std::vector<EString>& paths);
    std::vector<Feature> GetFeatures(const std::vector<EString>& paths);
};

// A name a file can take within its folder: not empty, not "." or "..", no
// path separator, reserved or control character, no trailing dot or blank.
bool IsValidFileName(const EString& name);
