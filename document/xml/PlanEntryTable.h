// PlanEntryTable: the task, day and times of every plan entry, gathered in the element index's walk of the plan and kept in step with each edit.
#pragma once

#include <unordered_map>
#include <vector>

#include "document/xml/XmlDocument.h"
#include "document/xml/XmlNode.h"

// Answers what "DAILY//PLANENTRY[@TASKID="%d"]" would select, without
// touching the DOM: the hours of a task, its plan dates, whether it is planned
// at all. Entries are kept by task in no particular order. An entry whose
// TASKID is not the "%d" text of a number belongs to no task, as for the XPath.
//
// The element index's walk of the whole document fills it (Start, an Add for
// each entry below the first DAILY section, NoteIrregular); the owner then
// tells it of every plan entry it adds, rewrites or removes (Add and Remove
// with the values the element held).
class PlanEntryTable {
public:
    struct Entry {
        long id = 0;
        long taskId = 0;
        double day = 0;   // the whole day of the parent's DATE; 0 without one
        double start = 0; // times of day, as a TimeRange reads them
        double end = 0;
        bool operator==(const Entry& other) const = default;
    };

    PlanEntryTable() = default;
    PlanEntryTable(PlanEntryTable&&) = default;
    PlanEntryTable& operator=(PlanEntryTable&&) = default;
    virtual ~PlanEntryTable() = default;

    // An empty table for the document, to be filled by its walk.
    void Start(const XmlDocument& document);
    void Clear();
    bool IsBuiltFor(const XmlDocument& document) const;

    // The values of a PLANENTRY element; false when its TASKID names no task.
    static bool Read(const XmlNode& element, Entry& entry);
    // The same from the texts of its attributes and the day of its parent's DATE.
    static bool Read(const EString& id, const EString& taskId, const EString& start, const EString& end,
                     double day, Entry& entry);
    // The whole day of a DATE text, as every reader of a plan entry's day takes it; 0 for none.
    static double DayOfDate(const EString& text);

    void Add(const Entry& entry);
    // The first entry of the task with exactly these values; false when there is none.
    bool Remove(const Entry& entry);

    const std::vector<Entry>& OfTask(long taskId) const;
    // Some entry stood elsewhere than in a DAY directly under DAILY when the
    // table was built: walks that pass over whole days must not rely on them.
    bool HasIrregularEntries() const { return m_irregular; }
    void NoteIrregular() { m_irregular = true; }

private:
    XmlDocument m_document;
    bool m_built = false;
    bool m_irregular = false;
    std::unordered_map<long, std::vector<Entry>> m_byTask;
};
