#include "reports/ReportServices.h"

#include "foundation/FileSystem.h"

EString ReportServices::GetReportOutputPath()
{
    return FileSystem::JoinPath(FileSystem::GetTempFolder(), L"Report.htm");
}

EString ReportServices::GetReportTempDocPath()
{
    return FileSystem::JoinPath(FileSystem::GetTempFolder(), L"temp.qvr");
}

bool ReportServices::ChooseReport(ReportRequest&)
{
    return false;
}

void ReportServices::RunReport(const ReportRequest&, const EString&) {}

void ReportServices::OpenWithShell(const EString& path)
{
    FileSystem::OpenWithShell(path, EString(), false);
}
