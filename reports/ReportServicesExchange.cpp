#include "reports/ReportServices.h"

bool ReportServices::ChooseExportFile(ExchangeChoice&)
{
    return false;
}

bool ReportServices::ChooseImportFile(ExchangeChoice&)
{
    return false;
}

void ReportServices::RunConversionScript(const EString&, const EString&, const EString&, const ScriptParameters&) {}
