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
    std::vector<Known> ahead;
    Gather(element, ahead);
    Fill(ahead);
}

FixedEntriesAhead::FixedEntriesAhead(const std::vector<Known>& known, const XmlNode& after)
{
    std::vector<Known> ahead = known;
    Gather(after, ahead);
    Fill(ahead);
}

void FixedEntriesAhead::Gather(const XmlNode& element, std::vector<Known>& ahead)
{
    for (XmlNode sibling = XmlDoc::NextSibling(element); sibling; sibling = XmlDoc::NextSibling(sibling)) {
        ++m_visits;
        if (sibling.GetName() != kPlanEntry || ElementRecords::ReadInt(sibling, kFixedTime) == 0)
            continue;
        TimeRange times;
        times.SetStartTimeText(XmlDoc::GetTextAttribute(sibling, kStartTime));
        ahead.push_back({sibling, static_cast<int>(ElementRecords::ReadInt(sibling, kId)), times.GetStartTime()});
    }
}

void FixedEntriesAhead::Fill(const std::vector<Known>& ahead)
{
    m_entries.reserve(ahead.size());
    for (auto entry = ahead.rbegin(); entry != ahead.rend(); ++entry)
        Push({entry->element, entry->id, entry->start, 0});
}

void FixedEntriesAhead::Push(Entry entry)
{
    entry.earliest = m_entries.empty() ? entry.start : std::min(entry.start, m_entries.back().earliest);
    m_entries.push_back(std::move(entry));
}

void FixedEntriesAhead::Relink(size_t from)
{
    for (size_t i = from; i < m_entries.size(); ++i)
        m_entries[i].earliest = i == 0 ? m_entries[i].start : std::min(m_entries[i].start, m_entries[i - 1].earliest);
}

XmlNode FixedEntriesAhead::FirstStartingBefore(double end)
{
    // In a day in order the nearest starts first: past it, no later one can
    // start before the end either.
    for (size_t i = m_entries.size(); i-- > 0;) {
        ++m_visits;
        if (!IsEarlierToTheSecond(m_entries[i].earliest, end))
            break;
        if (IsEarlierToTheSecond(m_entries[i].start, end))
            return m_entries[i].element;
    }
    return XmlNode();
}

void FixedEntriesAhead::Pass(int id)
{
    if (!m_entries.empty() && m_entries.back().id == id)
        m_entries.pop_back();
}

void FixedEntriesAhead::MoveToFront(int id)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (found == m_entries.end() || std::next(found) == m_entries.end())
        return;
    const size_t at = static_cast<size_t>(found - m_entries.begin());
    Entry entry = std::move(*found);
    m_entries.erase(found);
    Relink(at);
    Push(std::move(entry));
}

void FixedEntriesAhead::MoveFrontStart(int id, double start)
{
    if (m_entries.empty() || m_entries.back().id != id)
        return;
    m_entries.back().start = start;
    Relink(m_entries.size() - 1);
}

void FixedEntriesAhead::Remove(int id)
{
    const auto first = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (first == m_entries.end())
        return;
    const size_t at = static_cast<size_t>(first - m_entries.begin());
    std::erase_if(m_entries, [id](const Entry& e) { return e.id == id; });
    Relink(at);
}
