#include "reports/CustomizeKindDialogs.h"

#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "reports/Flow.h"
#include "reports/ReportFiles.h"
#include "resources/IconIds.h"

namespace {

EString FilterWithAllFiles(const wchar_t* description, const wchar_t* pattern)
{
    return EString::Formatted(L"%s|%s|All Files (*.*)|*.*|", description, pattern);
}

} // namespace

EString CCustomizeReportsDialog::GetEditorCommand()
{
    return Options::GetReportEditor();
}

EString CCustomizeReportsDialog::GetFileFilter()
{
    return FilterWithAllFiles(L"Report Template Files (*.xsl)", L"*.xsl");
}

unsigned CCustomizeReportsDialog::GetIconId()
{
    return IDI_REPORT_FILE;
}

std::unique_ptr<CustomFiles> CCustomizeReportsDialog::CreateCustomFiles()
{
    return std::make_unique<Report>();
}

EString CCustomizeTemplatesDialog::GetEditorCommand()
{
    return FileSystem::GetModuleFileName();
}

EString CCustomizeTemplatesDialog::GetFileFilter()
{
    return FilterWithAllFiles(L"New Document Template Files (*.qvr)", L"*.qvr");
}

unsigned CCustomizeTemplatesDialog::GetIconId()
{
    return IDI_CUSTOMIZE_TEMPLATES;
}

std::unique_ptr<CustomFiles> CCustomizeTemplatesDialog::CreateCustomFiles()
{
    return std::make_unique<Template>();
}

EString CCustomizeScriptsDialog::GetEditorCommand()
{
    return Options::GetScriptEditor();
}

EString CCustomizeScriptsDialog::GetFileFilter()
{
    return FilterWithAllFiles(L"Script Files (*.vbs; *.js; *.wsf)", L"*.vbs; *.js; *.wsf");
}

unsigned CCustomizeExportDialog::GetIconId()
{
    return IDI_EXPORT;
}

std::unique_ptr<CustomFiles> CCustomizeExportDialog::CreateCustomFiles()
{
    return std::make_unique<Export>();
}

unsigned CCustomizeImportDialog::GetIconId()
{
    return IDI_IMPORT;
}

std::unique_ptr<CustomFiles> CCustomizeImportDialog::CreateCustomFiles()
{
    return std::make_unique<Import>();
}
