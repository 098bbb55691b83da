#include "reports/ReportServices.h"

#include "dialogs/BusyWindow.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/AppWindow.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "foundation/WaitPumpingMessages.h"
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
    const ReportParameters parameters =
        ReportParameters::FromSettings(request.categoryId, request.periodStart, request.periodEnd);
    // A report reads the plan from its file, not from the open document: it
    // runs beside the windows, which answer and show it under way.
    const CBusyWindow busy(GetMainWindow(), TranslatedOrKey(L"Making the report..."));
    RunPumpingMessages([&] { ::RunReport(request.stylesheet, documentPath, request.outputPath, parameters); });
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
