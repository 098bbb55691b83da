// ReportServices: the program's reports, templates and scripted exchange behind the document's interface.
#pragma once

#include "document/IReportServices.h"

class CPelquornDoc;

// Each group of operations lives in its own source file:
// ReportServicesTemplates.cpp, ReportServicesReports.cpp, ReportServicesExchange.cpp.
class ReportServices : public IReportServices {
public:
    // The document whose categories the reports dialog offers.
    void SetDocument(CPelquornDoc* document) { m_document = document; }

    EString GetFirstTemplatePath() override;

    EString GetReportOutputPath() override;
    EString GetReportTempDocPath() override;
    bool ChooseReport(ReportRequest& request) override;
    void RunReport(const ReportRequest& request, const EString& documentPath) override;
    void OpenWithShell(const EString& path) override;

    bool ChooseExportFile(ExchangeChoice& choice) override;
    bool ChooseImportFile(ExchangeChoice& choice) override;
    void RunConversionScript(const EString& script, const EString& input, const EString& output,
                             const ScriptParameters& parameters) override;

private:
    CPelquornDoc* m_document = nullptr;
};
