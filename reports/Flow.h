// Flow, Export, Import, Transformer: the file types of the export and import dialogs.
#pragma once

#include <memory>
#include <vector>

#include "reports/CustomFiles.h"

// One file type: the plan's own XML, or a script that converts. A script
// named "Description_ext.js" offers "Description (*.ext)".
class Transformer {
public:
    explicit Transformer(const EString& scriptPath) : m_scriptPath(scriptPath) {}
    virtual ~Transformer() = default;

    const EString& GetScriptPath() const { return m_scriptPath; }
    // The file title cut before its last underscore.
    EString GetDescription() const;
    // What follows the last underscore; "*" when nothing does.
    EString GetExtension() const;
    // "Description (*.ext)|*.ext|".
    EString GetFilterEntry() const;

private:
    EString m_scriptPath;
};

// The built-in first type; it names no file.
inline constexpr const wchar_t* kPlainXmlTransformer = L"XML Files.xml.vbs";

// The scripts of one direction, as file types of a file dialog (1-based index).
class Flow : public CustomFiles {
public:
    // The script sources a ".wsf" file names.
    void GetDependencies(const EString& path, std::vector<EString>& dependencies) override;
    void AddFileMasks(std::vector<EString>& masks) override;

    // The script of the type; empty for the plain XML type and for any index
    // outside the list.
    virtual EString GetTransformer(int filterIndex);
    // Rebuilds the list of types and joins their entries, "|" separated.
    virtual EString GetFilter();
    virtual EString GetDialogTitle();
    virtual int GetRecentTypeIndex();
    virtual const wchar_t* GetRecentTypeKey() = 0;
    virtual const wchar_t* GetDialogTitleKey() = 0;

    // Remembers the chosen type at once and answers its default extension.
    EString OnTypeChosen(int filterIndex);
    // The extension a bare file name gets with the type: "xml" for the plan's
    // own, the script's extension, none for a script of any file ("*").
    EString GetDefaultExtension(int filterIndex);
    void SaveRecentTypeIndex(int filterIndex);
    // " /Name:\"value\"", the value quoted so it arrives as one argument.
    static EString FormatScriptArgument(const EString& name, const EString& value);
    const std::vector<Transformer>& GetTransformers() const { return m_transformers; }

private:
    void LoadTransformers();

    std::vector<Transformer> m_transformers;
};

class Export : public Flow {
public:
    EString GetFolderName() override { return L"Export"; }
    const wchar_t* GetRecentTypeKey() override { return L"RecentExportType"; }
    const wchar_t* GetDialogTitleKey() override { return L"EXPORT_DIALOG"; }
};

class Import : public Flow {
public:
    EString GetFolderName() override { return L"Import"; }
    const wchar_t* GetRecentTypeKey() override { return L"RecentImportType"; }
    const wchar_t* GetDialogTitleKey() override { return L"IMPORT_DIALOG"; }
};

// An Import for 1, else an Export.
std::unique_ptr<Flow> MakeFlow(int import);
