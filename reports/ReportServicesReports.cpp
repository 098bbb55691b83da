#include "reports/ReportServices.h"

#include "foundation/AppWindow.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "reports/ReportChoice.h"
#include "reports/ReportRun.h"

EString ReportServices::GetReportOutputPath()
{
    return FileSystem::JoinPath(FileSystem::GetTempFolder(), L"Report.htm");
}

EString ReportServices::GetReportTempDocPath()
{
    return FileSystem::JoinPath(FileSystem::GetTempFolder(), L"temp.qvr");
}

bool ReportServices::ChooseReport(ReportRequest& request)
{
    return RunReportsDialog(request, m_document);
}

void ReportServices::RunReport(const ReportRequest& request, const EString& documentPath)
{
    ::RunReport(request.stylesheet, documentPath, request.outputPath,
                ReportParameters::FromSettings(request.categoryId, request.periodStart, request.periodEnd));
}

void ReportServices::OpenWithShell(const EString& path)
{
    // The report is written; only showing it failed.
    if (FileSystem::OpenWithShell(path, EString(), false))
        return;
    LogMessage(L"The shell opened no program for the report %s\n", path.c_str());
    AppMessageBox(EString::Formatted(L"The report was written to %s, but no program opened it.", path.c_str()),
                  MB_OK | MB_ICONINFORMATION);
}
