// RecordingReportServices: the program's report services for frame tests; the shell opens nothing and exports go to a chosen path.
#pragma once

#include <vector>

#include "foundation/EString.h"
#include "reports/ReportServices.h"

class RecordingReportServices : public ReportServices {
public:
    bool ChooseReport(ReportRequest& request) override
    {
        ++asked;
        return ReportServices::ChooseReport(request);
    }
    void OpenWithShell(const EString& path) override { opened.push_back(path); }
    // The export dialog answered with the plain XML type and this path.
    bool ChooseExportFile(ExchangeChoice& choice) override
    {
        if (exportPath.IsEmpty())
            return false;
        choice.path = exportPath;
        choice.transformer.clear();
        return true;
    }

    std::vector<EString> opened;
    int asked = 0;
    EString exportPath;
};
