// ReportChoice: the reports dialog run over the report files, giving the report to write.
#pragma once

#include "document/IReportServices.h"

class CPelquornDoc;
class CustomFiles;

// Lists the files of the kind with their names and features and runs the
// reports dialog on the request's output path and category. True on OK with
// a report chosen: the request then holds the stylesheet, the output path,
// the category and the period.
bool ChooseReport(CustomFiles& reports, CPelquornDoc* document, ReportRequest& request);
// The same over the shipped and the user's reports.
bool RunReportsDialog(ReportRequest& request, CPelquornDoc* document);
