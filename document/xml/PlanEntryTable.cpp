#include "document/xml/PlanEntryTable.h"

#include <algorithm>

#include "document/model/DateFunctions.h"
#include "document/model/TimeRange.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/TimeParser.h"

using namespace Xml;

bool PlanEntryTable::Read(const EString& id, const EString& taskId, const EString& start, const EString& end,
                          double day, Entry& entry)
{
    if (IdText::Parse(taskId, entry.taskId) != IdText::kCanonical)
        return false;
    if (IdText::Parse(id, entry.id) == IdText::kNotANumber)
        entry.id = 0;
    TimeRange times;
    times.SetStartTimeText(start);
    times.SetEndTimeText(end);
    entry.start = times.GetStartTime();
    entry.end = times.GetEndTime();
    entry.day = day;
    return true;
}

double PlanEntryTable::DayOfDate(const EString& text)
{
    return text.empty() ? 0 : OleDateFloor(DateParser::ParseDate(text));
}

void PlanEntryTable::Start(const XmlDocument& document)
{
    Clear();
    m_document = document;
    m_built = true;
}

void PlanEntryTable::Clear()
{
    m_document = XmlDocument();
    m_built = false;
    m_irregular = false;
    m_byTask.clear();
}

bool PlanEntryTable::IsBuiltFor(const XmlDocument& document) const
{
    return m_built && m_document.Get() == document.Get();
}

bool PlanEntryTable::Read(const XmlNode& element, Entry& entry)
{
    const XmlNode parent = element.GetParent();
    const double day = parent && parent.IsElement() ? DayOfDate(XmlDoc::GetTextAttribute(parent, kDate)) : 0;
    return Read(XmlDoc::GetTextAttribute(element, kId), XmlDoc::GetTextAttribute(element, kTaskId),
                XmlDoc::GetTextAttribute(element, kStartTime), XmlDoc::GetTextAttribute(element, kEndTime), day, entry);
}

void PlanEntryTable::Add(const Entry& entry)
{
    m_byTask[entry.taskId].push_back(entry);
}

bool PlanEntryTable::Remove(const Entry& entry)
{
    const auto found = m_byTask.find(entry.taskId);
    if (found == m_byTask.end())
        return false;
    std::vector<Entry>& entries = found->second;
    const auto match = std::find(entries.begin(), entries.end(), entry);
    if (match == entries.end())
        return false;
    entries.erase(match);
    if (entries.empty())
        m_byTask.erase(found);
    return true;
}

const std::vector<PlanEntryTable::Entry>& PlanEntryTable::OfTask(long taskId) const
{
    static const std::vector<Entry> none;
    const auto found = m_byTask.find(taskId);
    return found == m_byTask.end() ? none : found->second;
}
