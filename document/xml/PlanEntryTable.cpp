#include "document/xml/PlanEntryTable.h"

#include <algorithm>
#include <cmath>

#include "document/model/DateFunctions.h"
#include "document/model/TimeRange.h"
#include "document/xml/IdText.h"
#include "document/xml/RawNodeWalk.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Bstr.h"
#include "foundation/TimeParser.h"
#include "foundation/Variant.h"

namespace {

using RawNodeWalk::FirstChild;
using RawNodeWalk::NextSibling;

using namespace Xml;

// As XmlDataElements::GetEntryDay reads a parent's DATE.
double DayOfDateText(const EString& text)
{
    return text.empty() ? 0 : OleDateFloor(DateParser::ParseDate(text));
}

bool FillEntry(const EString& id, const EString& taskId, const EString& start, const EString& end, double day,
               PlanEntryTable::Entry& entry)
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

} // namespace

// Visits the section's elements in document order; plan entries are read, not entered.
class PlanEntryTable::Walker {
public:
    explicit Walker(PlanEntryTable& table) : m_table(table) {}

    void Walk(IXMLDOMNode* daily)
    {
        struct Level {
            ComPtr<IXMLDOMNode> next;
            ComPtr<IXMLDOMElement> parent;
            bool parentIsDay = false;
            bool dateRead = false;
            double date = 0;
        };
        std::vector<Level> levels;
        ComPtr<IXMLDOMElement> section;
        ThrowIfFailed(daily->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&section)));
        levels.push_back({FirstChild(daily), std::move(section)});
        while (!levels.empty()) {
            ComPtr<IXMLDOMNode> node = std::move(levels.back().next);
            if (!node) {
                levels.pop_back();
                continue;
            }
            levels.back().next.Attach(NextSibling(node).Detach());
            DOMNodeType type = NODE_INVALID;
            ThrowIfFailed(node->get_nodeType(&type));
            if (type != NODE_ELEMENT)
                continue;
            Bstr name;
            ThrowIfFailed(node->get_nodeName(&name));
            const std::wstring_view nodeName(name.Get() ? name.Get() : L"", name.Length());
            ComPtr<IXMLDOMElement> element;
            ThrowIfFailed(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element)));
            if (nodeName == kPlanEntry) {
                Level& level = levels.back();
                if (!level.dateRead) {
                    level.date = level.parent ? DayOfDateText(Text(level.parent, m_date)) : 0;
                    level.dateRead = true;
                }
                Entry entry;
                if (FillEntry(Text(element, m_id), Text(element, m_taskId), Text(element, m_start),
                              Text(element, m_end), level.date, entry))
                    m_table.Add(entry);
                if (levels.size() != 2 || !level.parentIsDay)
                    m_table.m_irregular = true;
                continue;
            }
            const bool isDay = nodeName == kDay && levels.size() == 1;
            if (ComPtr<IXMLDOMNode> child = FirstChild(node))
                levels.push_back({std::move(child), std::move(element), isDay});
        }
    }

private:
    static EString Text(IXMLDOMElement* element, BSTR name)
    {
        Variant value;
        ThrowIfFailed(element->getAttribute(name, value.Out()));
        return value.vt == VT_BSTR ? EString(value.bstrVal, ::SysStringLen(value.bstrVal)) : EString();
    }

    PlanEntryTable& m_table;
    const Bstr m_id{kId};
    const Bstr m_taskId{kTaskId};
    const Bstr m_start{kStartTime};
    const Bstr m_end{kEndTime};
    const Bstr m_date{kDate};
};

void PlanEntryTable::Build(const XmlDocument& document, const XmlNode& daily)
{
    Clear();
    try {
        if (daily)
            Walker(*this).Walk(daily.Get());
    } catch (...) {
        Clear();
        throw;
    }
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
    const double day = parent && parent.IsElement() ? DayOfDateText(XmlDoc::GetTextAttribute(parent, kDate)) : 0;
    return FillEntry(XmlDoc::GetTextAttribute(element, kId), XmlDoc::GetTextAttribute(element, kTaskId),
                     XmlDoc::GetTextAttribute(element, kStartTime), XmlDoc::GetTextAttribute(element, kEndTime), day,
                     entry);
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
