// FixedEntriesAhead: the fixed plan entries that stand after an overlap walk's current entry.
#pragma once

#include <vector>

#include "document/xml/XmlNode.h"

// Kept in the day's order as the walk moves on and moves entries, with their
// starts, which only the walk changes. At every overlap the walk needs the
// first of them that its entry runs into: a scan of all the following
// siblings for it, at every step, made the walk of a crowded day quadratic,
// and so did reading each one's start again. Entries are told apart by their
// ids, as the element index tells them apart: comparing nodes counts their
// positions.
class FixedEntriesAhead {
public:
    struct Known {
        XmlNode element;
        int id;
        double start;
    };

    // Those among the element's following siblings.
    explicit FixedEntriesAhead(const XmlNode& element);
    // Those already known, in the day's order, then those among the following
    // siblings of the last of them, `after`.
    FixedEntriesAhead(const std::vector<Known>& known, const XmlNode& after);

    // The first that starts before the time of day, to the second; empty
    // when none does.
    XmlNode FirstStartingBefore(double end);
    // The walk moved on to this entry, the one that stood directly after it.
    void Pass(int id);
    // The entry was moved to stand directly after the walk's current one.
    void MoveToFront(int id);
    // The entry at the front now starts at this time of day.
    void MoveFrontStart(int id, double start);
    // The entry left the day, or now stands behind the walk.
    void Remove(int id);
    // Siblings looked at so far: the share of the walk's work done here.
    long long Visits() const { return m_visits; }

private:
    struct Entry {
        XmlNode element;
        int id;
        double start;
        double earliest; // the earliest start of this entry and all that follow it
    };

    // Reads the fixed ones from the element's following siblings on.
    void Gather(const XmlNode& element, std::vector<Known>& ahead);
    // The entries from the back, the one nearest to the walk last: the
    // front moves at the end of the vector.
    void Fill(const std::vector<Known>& ahead);
    void Push(Entry entry);
    void Relink(size_t from);

    std::vector<Entry> m_entries;
    long long m_visits = 0;
};
