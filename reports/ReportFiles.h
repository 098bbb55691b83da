// Report, Template: the kinds of user files that are stylesheets and plan templates.
#pragma once

#include "reports/CustomFiles.h"

class TemplateBase : public CustomFiles {
public:
    ~TemplateBase() override = default;
};

// Report stylesheets ("Reports\*.xsl"), named by the report-name element.
class Report : public TemplateBase {
public:
    void GetDependencies(const EString& path, std::vector<EString>& dependencies) override;
    EString GetDisplayName(const EString& path) override;
    // Writes the name into the stylesheet; the path stays. Empty when the
    // stylesheet could not be read, had nowhere to hold the name, or could not
    // be saved.
    EString Rename(const EString& path, const EString& newName) override;
    Feature GetFeature(const EString& path) override;
    EString GetFolderName() override { return L"Reports"; }
    void AddFileMasks(std::vector<EString>& masks) override;

    static bool HasXslNode(const EString& path, const EString& xpath);
    // Whether the stylesheet declares the parameter.
    static bool DeclaresParameter(const EString& path, const wchar_t* name);
};

// New-document templates ("Templates\*.qvr"); the first one listed starts
// every new document.
class Template : public TemplateBase {
public:
    // The title in the template's properties, else the file title.
    EString GetDisplayName(const EString& path) override;
    // Writes the title into the template; raises when it cannot be loaded or saved.
    EString Rename(const EString& path, const EString& newName) override;
    EString GetFolderName() override { return L"Templates"; }
    void AddFileMasks(std::vector<EString>& masks) override;
};
