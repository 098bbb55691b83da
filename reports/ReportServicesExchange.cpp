#include "reports/ReportServices.h"

#include "dialogs/BusyWindow.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/AppWindow.h"
#include "reports/ConversionScript.h"
#include "reports/Flow.h"
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
    EString text = TranslatedOrKey(L"Running the script \"%1\"...");
    // Named as the file dialog's type list names it.
    text.Replace(L"%1", Transformer(script).GetDescription().c_str());
    const CBusyWindow busy(GetMainWindow(), text);
    ConvertWithScript(script, input, output, parameters);
}
