// FixedEntriesAhead: the fixed plan entries that stand after an overlap walk's current entry.
#pragma once

#include <deque>

#include "document/xml/XmlNode.h"

// Kept in the day's order as the walk moves on and moves entries. At every
// overlap the walk needs the first of them that its entry runs into: a scan
// of all the following siblings for it, at every step, made the walk of a
// crowded day quadratic. Entries are told apart by their ids, as the
// element index tells them apart: comparing nodes counts their positions.
class FixedEntriesAhead {
public:
    // Those among the element's following siblings.
    explicit FixedEntriesAhead(const XmlNode& element);

    // The first that starts before the time of day, to the second; empty
    // when none does.
    XmlNode FirstStartingBefore(double end);
    // The walk moved on to this entry, the one that stood directly after it.
    void Pass(int id);
    // The entry was moved to stand directly after the walk's current one.
    void MoveToFront(int id);
    // The entry left the day, or now stands behind the walk.
    void Remove(int id);
    // Siblings looked at so far: the share of the walk's work done here.
    long long Visits() const { return m_visits; }

private:
    struct Entry {
        XmlNode element;
        int id;
    };

    std::deque<Entry> m_entries;
    long long m_visits = 0;
};
