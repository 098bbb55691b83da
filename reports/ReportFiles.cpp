#include "reports/ReportFiles.h"

#include "document/xml/DataManager.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "reports/XslManager.h"

namespace {

void SaveInPlace(XmlDoc& document, const EString& path)
{
    // A failed write leaves the file as it was.
    AtomicFileWriter::Write(path, [&](const EString& temporaryPath) { document.Save(temporaryPath); });
}

} // namespace

void Report::GetDependencies(const EString& path, std::vector<EString>& dependencies)
{
    try {
        XslManager(path).GetIncludes(dependencies);
    } catch (const ComError&) {
    }
}

EString Report::GetDisplayName(const EString& path)
{
    try {
        const EString name = XslManager(path).GetReportName();
        if (!name.IsEmpty())
            return Text::ExpandPlaceholders(name);
    } catch (const ComError&) {
    }
    return FileSystem::GetFileTitle(path);
}

EString Report::Rename(const EString& path, const EString& newName)
{
    if (newName.IsEmpty())
        return EString();
    try {
        XslManager stylesheet(path);
        stylesheet.SetReportName(newName);
        if (stylesheet.GetReportName() != newName)
            return EString();
        SaveInPlace(stylesheet, path);
        return path;
    } catch (const ComError&) {
        return EString();
    }
}

bool Report::HasXslNode(const EString& path, const EString& xpath)
{
    try {
        return XslManager(path).HasNode(xpath);
    } catch (const ComError&) {
        return false;
    }
}

bool Report::DeclaresParameter(const EString& path, const wchar_t* name)
{
    return HasXslNode(path, EString::Formatted(L"//xsl:param[@name=\"%s\"]", name));
}

Feature Report::GetFeature(const EString& path)
{
    const bool usesCategory = DeclaresParameter(path, L"AffectedCategory");
    const bool usesPeriod =
        DeclaresParameter(path, L"ReportingPeriodStart") && DeclaresParameter(path, L"ReportingPeriodEnd");
    return Feature(usesCategory ? 1 : 0, usesPeriod ? 1 : 0, IsUserFile(path) ? 1 : 0);
}

void Report::AddFileMasks(std::vector<EString>& masks)
{
    masks.push_back(L"*.xsl");
}

EString Template::GetDisplayName(const EString& path)
{
    try {
        DataManager plan;
        plan.Load(path);
        DocProperties properties;
        plan.GetProperties(properties);
        if (!properties.GetTitle().IsEmpty())
            return properties.GetTitle();
    } catch (const ComError&) {
    }
    return FileSystem::GetFileTitle(path);
}

EString Template::Rename(const EString& path, const EString& newName)
{
    DataManager plan;
    plan.Load(path);
    DocProperties properties;
    plan.GetProperties(properties);
    properties.SetTitle(newName);
    plan.SetProperties(properties);
    SaveInPlace(plan, path);
    return path;
}

void Template::AddFileMasks(std::vector<EString>& masks)
{
    masks.push_back(L"*.qvr");
}
