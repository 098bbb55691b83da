#include "document/xml/FixedEntriesAhead.h"

#include <algorithm>

#include "document/model/DateFunctions.h"
#include "document/model/TimeRange.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlVocabulary.h"

using namespace Xml;

FixedEntriesAhead::FixedEntriesAhead(const XmlNode& element)
{
    for (XmlNode sibling = XmlDoc::NextSibling(element); sibling; sibling = XmlDoc::NextSibling(sibling)) {
        ++m_visits;
        if (sibling.GetName() == kPlanEntry && ElementRecords::ReadInt(sibling, kFixedTime) != 0)
            m_entries.push_back({sibling, ElementRecords::ReadInt(sibling, kId)});
    }
}

XmlNode FixedEntriesAhead::FirstStartingBefore(double end)
{
    for (const Entry& entry : m_entries) {
        ++m_visits;
        TimeRange times;
        times.SetStartTimeText(XmlDoc::GetTextAttribute(entry.element, kStartTime));
        if (IsEarlierToTheSecond(times.GetStartTime(), end))
            return entry.element;
    }
    return XmlNode();
}

void FixedEntriesAhead::Pass(int id)
{
    if (!m_entries.empty() && m_entries.front().id == id)
        m_entries.pop_front();
}

void FixedEntriesAhead::MoveToFront(int id)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (found != m_entries.end())
        std::rotate(m_entries.begin(), found, std::next(found));
}

void FixedEntriesAhead::Remove(int id)
{
    std::erase_if(m_entries, [id](const Entry& e) { return e.id == id; });
}
