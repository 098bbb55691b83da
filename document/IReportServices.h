// IReportServices: what the planning document asks of templates, reports and scripted exchange.
#pragma once

#include <utility>
#include <vector>

#include "foundation/EString.h"

// The report the user chose and where it goes.
struct ReportRequest {
    EString stylesheet;
    EString outputPath;
    int categoryId = 0;
    double periodStart = 0;
    double periodEnd = 0;
};

// The file chosen in the export or import dialog and the script that converts it.
struct ExchangeChoice {
    EString path;
    // Empty for the program's own format.
    EString transformer;
    bool includeActivitiesHistory = false;
};

using ScriptParameters = std::vector<std::pair<EString, EString>>;

class IReportServices {
public:
    virtual ~IReportServices() = default;

    // The first template a new document starts from; empty when there is none.
    virtual EString GetFirstTemplatePath() = 0;

    // "Report.htm" and "temp.qvr" in the temporary folder.
    virtual EString GetReportOutputPath() = 0;
    virtual EString GetReportTempDocPath() = 0;
    // The reports dialog, filled from the request; false when the user cancelled.
    virtual bool ChooseReport(ReportRequest& request) = 0;
    // Writes the report over the document file; raises ComError on failure.
    virtual void RunReport(const ReportRequest& request, const EString& documentPath) = 0;
    virtual void OpenWithShell(const EString& path) = 0;

    // The export dialog (save mode) and the import dialog (open mode, with
    // the "IncludeActivitiesHistory" box preset from the choice).
    virtual bool ChooseExportFile(ExchangeChoice& choice) = 0;
    virtual bool ChooseImportFile(ExchangeChoice& choice) = 0;
    // Runs a conversion script and waits for its end.
    virtual void RunConversionScript(const EString& script, const EString& input, const EString& output,
                                     const ScriptParameters& parameters) = 0;
};
