#include "reports/PlanEntryFinder.h"

#include "document/xml/XmlDoc.h"
#include "foundation/TimeParser.h"
#include "reports/HtmlResource.h"
#include "reports/XslProcessor.h"

bool PlanEntryFinder::Run()
{
    if (!HasInput())
        return false;
    XSLProcessor processor;
    LoadInputInto(processor);
    processor.LoadStylesheetXml(LoadResourceText(kTaskPlanEntriesStylesheetId));
    processor.AddParameterInt(L"taskId", m_taskId);
    const std::vector<Entry> entries = ReadEntries(processor.Transform());
    const Entry* found = FindNextEntry(entries);
    if (!found)
        return false;
    m_foundId = found->id;
    m_foundDate = found->date;
    return true;
}

std::vector<PlanEntryFinder::Entry> PlanEntryFinder::ReadEntries(const EString& output) const
{
    XmlDoc document;
    document.LoadXml(output);
    std::vector<Entry> entries;
    for (XmlNode entry = document.GetRoot().GetFirstChildElement(); entry; entry = entry.GetNextElement()) {
        const double date = DateParser::ParseDate(XmlDoc::GetTextAttribute(entry, L"DATE"));
        // A day whose date does not read cannot be shown.
        if (date > 0)
            entries.push_back({date, static_cast<int>(XmlDoc::GetIntAttribute(entry, L"ID"))});
    }
    return entries;
}

const PlanEntryFinder::Entry* PlanEntryFinder::FindNextEntry(const std::vector<Entry>& entries) const
{
    if (entries.empty())
        return nullptr;
    if (m_currentId <= 0)
        return &entries.front();
    for (size_t index = 0; index < entries.size(); ++index)
        if (entries[index].id == m_currentId)
            return index + 1 < entries.size() ? &entries[index + 1] : &entries.front();
    return nullptr;
}
