#include "reports/ReportChoice.h"

#include "reports/ReportFiles.h"
#include "reports/ReportsDialog.h"

bool ChooseReport(CustomFiles& reports, CPelquornDoc* document, ReportRequest& request)
{
    std::vector<EString> files;
    reports.EnumerateFiles(files);
    CReportsDialog dialog(reports.GetDisplayNames(files), reports.GetFeatures(files), document);
    dialog.outputPath = request.outputPath;
    dialog.categoryId = request.categoryId;
    if (dialog.DoModal() != IDOK)
        return false;
    const int chosen = dialog.GetChosenIndex();
    if (chosen < 0 || static_cast<size_t>(chosen) >= files.size())
        return false;
    request.stylesheet = files[static_cast<size_t>(chosen)];
    request.outputPath = dialog.outputPath;
    request.categoryId = dialog.categoryId;
    request.periodStart = dialog.period.start;
    request.periodEnd = dialog.period.end;
    return true;
}

bool RunReportsDialog(ReportRequest& request, CPelquornDoc* document)
{
    Report reports;
    return ChooseReport(reports, document, request);
}
