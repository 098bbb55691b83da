#include "reports/ReportServices.h"

#include "foundation/AppWindow.h"
#include "reports/ConversionScript.h"
#include "reports/ExportDialog.h"

namespace {

bool ChooseExchangeFile(bool import, ExchangeChoice& choice)
{
    CExportDialog dialog(import, nullptr, L"", OFN_PATHMUSTEXIST | (import ? OFN_FILEMUSTEXIST : 0));
    dialog.SetIncludeActivitiesHistory(choice.includeActivitiesHistory);
    if (dialog.DoModal(GetMainWindow()) != IDOK)
        return false;
    choice.path = dialog.GetPathName();
    choice.transformer = dialog.GetSelectedTransformer();
    choice.includeActivitiesHistory = dialog.GetIncludeActivitiesHistory();
    return true;
}

} // namespace

bool ReportServices::ChooseExportFile(ExchangeChoice& choice)
{
    return ChooseExchangeFile(false, choice);
}

bool ReportServices::ChooseImportFile(ExchangeChoice& choice)
{
    return ChooseExchangeFile(true, choice);
}

void ReportServices::RunConversionScript(const EString& script, const EString& input, const EString& output,
                                         const ScriptParameters& parameters)
{
    ConvertWithScript(script, input, output, parameters);
}
