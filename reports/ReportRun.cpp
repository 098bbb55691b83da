#include "reports/ReportRun.h"

#include <windows.h>

#include <cmath>

#include "document/xml/XmlFileWriter.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"
#include "reports/XslProcessor.h"

namespace {

int WholeDayNumber(double date)
{
    return static_cast<int>(std::trunc(date));
}

bool GetFileIdentity(const EString& path, BY_HANDLE_FILE_INFORMATION& information)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && ::GetFileInformationByHandle(file.Get(), &information);
}

void RefuseOverwriting(const EString& outputPath, const EString& file, const wchar_t* what)
{
    if (IsSameFile(outputPath, file))
        ThrowComError(E_INVALIDARG, EString::Formatted(L"The report cannot be written to %s: it is the %s.",
                                                       outputPath.c_str(), what));
}

// What an empty output means: the processor answers a stylesheet it cannot
// compile with no output too.
EString NoOutputText(XSLProcessor& processor, const EString& stylesheetPath)
{
    EString text;
    try {
        text = processor.CompilesStylesheet()
                   ? L"The report's stylesheet %1 ran but produced no output, so no report was written."
                   : L"The report's stylesheet %1 could not be compiled: it is no XSLT stylesheet, or it holds an "
                     L"instruction or an expression that the processor does not know. No report was written.";
    } catch (const ComError&) {
        text = L"The report's stylesheet %1 produced no output, so no report was written.";
    }
    text.Replace(L"%1", stylesheetPath.c_str());
    return text;
}

} // namespace

ReportParameters ReportParameters::FromSettings(int categoryId, double periodStart, double periodEnd)
{
    ReportParameters parameters;
    parameters.affectedCategory = categoryId;
    // The stored setting says 0 when the locale decides, which a stylesheet cannot ask.
    parameters.startOfWeek = Locale::GetFirstDayOfWeek();
    parameters.is24HoursFormat = Locale::Is24HourFormat();
    parameters.periodStart = WholeDayNumber(periodStart);
    parameters.periodEnd = WholeDayNumber(periodEnd);
    parameters.regularHours = Options::GetRegularHours();
    return parameters;
}

bool IsSameFile(const EString& first, const EString& second)
{
    const EString a = FileSystem::GetFullPath(first);
    const EString b = FileSystem::GetFullPath(second);
    if (::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL)
        return true;
    BY_HANDLE_FILE_INFORMATION x = {};
    BY_HANDLE_FILE_INFORMATION y = {};
    return GetFileIdentity(first, x) && GetFileIdentity(second, y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

void RunReport(const EString& stylesheetPath, const EString& inputPath, const EString& outputPath,
               const ReportParameters& parameters)
{
    RefuseOverwriting(outputPath, inputPath, L"plan the report is made from");
    RefuseOverwriting(outputPath, stylesheetPath, L"report's own stylesheet");

    XSLProcessor processor;
    processor.LoadInputFile(inputPath);
    processor.LoadStylesheetFile(stylesheetPath);
    processor.AddParameterInt(L"AffectedCategory", parameters.affectedCategory);
    processor.AddParameterInt(L"StartOfWeek", parameters.startOfWeek);
    processor.AddParameterInt(L"Is24HoursFormat", parameters.is24HoursFormat ? 1 : 0);
    processor.AddParameterInt(L"ReportingPeriodStart", parameters.periodStart);
    processor.AddParameterInt(L"ReportingPeriodEnd", parameters.periodEnd);
    processor.AddParameter(L"RegularHours", Variant(parameters.regularHours));
    const EString html = Text::ExpandPlaceholders(processor.Transform());
    if (html.IsEmpty())
        ThrowComError(E_FAIL, NoOutputText(processor, stylesheetPath));

    // Written beside the old report, which it replaces only when whole.
    AtomicWriteRules rules;
    rules.failureText = L"The report could not be written to %1: %2 The file was left as it was.";
    AtomicFileWriter::Write(
        outputPath, [&](const EString& temporaryPath) { XmlFileWriter::WriteUtf16Text(html, temporaryPath); }, rules);
}
