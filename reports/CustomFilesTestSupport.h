// Kinds of user files in folders of their own, so tests never touch the shipped or the user's real files.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/EString.h"
#include "foundation/FileSystem.h"
#include "foundation/UniqueHandle.h"
#include "reports/ReportFiles.h"

// A report kind in "<program>\<name>" and "<app data>\<name>".
class TestReportKind : public Report {
public:
    explicit TestReportKind(const wchar_t* folderName) : m_folderName(folderName) {}
    EString GetFolderName() override { return m_folderName; }

private:
    EString m_folderName;
};

// A kind of plain files that the base renames by moving them.
class TestScriptKind : public CustomFiles {
public:
    explicit TestScriptKind(const wchar_t* folderName) : m_folderName(folderName) {}
    EString GetFolderName() override { return m_folderName; }
    void AddFileMasks(std::vector<EString>& masks) override { masks.push_back(L"*.js"); }

private:
    EString m_folderName;
};

// A stylesheet named by its report-name element (none when the name is
// empty), declaring the parameters and including the files.
inline std::string StylesheetText(const std::string& reportName, const std::string& parameters = "",
                                  const std::string& includes = "")
{
    std::string text = "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">" + includes;
    text += parameters;
    text += "<xsl:template match=\"/\"><HTML><HEAD>";
    if (!reportName.empty())
        text += "<META NAME=\"Report\" CONTENT=\"" + reportName + "\"/>";
    return text + "</HEAD></HTML></xsl:template></xsl:stylesheet>";
}

// Removes a folder with everything below it.
inline void RemoveFolderTree(const EString& folder)
{
    WIN32_FIND_DATAW entry = {};
    // The search ends before the folder is removed.
    if (const UniqueFindHandle search{::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &entry)}) {
        do {
            const EString name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const EString path = FileSystem::JoinPath(folder, name);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(search.Get(), &entry));
    }
    ::RemoveDirectoryW(folder.c_str());
}
