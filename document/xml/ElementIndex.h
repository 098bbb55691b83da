// ElementIndex: the elements the element layer finds by id, gathered in one walk of the DOM and kept in step with its edits.
#pragma once

#include <array>
#include <unordered_map>
#include <vector>

#include "document/xml/XmlDocument.h"
#include "document/xml/XmlNode.h"
#include "foundation/EString.h"

class PlanEntryTable;

// A lookup gives exactly what the XPath of the element layer would give: the
// first element in document order of the kind's scope whose key attribute is
// the "%d" text of the id. The index holds the one element of each key; a key
// that several elements share (a hand-edited file) is answered by that XPath,
// so document order never has to be tracked.
//
// Every element the program adds in a kind's scope goes through Add, every
// removal through Remove; moves within the document need nothing. An entry
// whose element has been removed or changed behind the index's back is found
// out at its next lookup and answered by the XPath again.
class ElementIndex {
public:
    // The kinds found by id, each with the scope its XPath searches.
    enum Kind {
        kTasks,       // TASK anywhere
        kCategories,  // CATEGORY anywhere
        kPeople,      // PERSON anywhere
        kPlanEntries, // PLANENTRY below the first DAILY section
        kRecurrences, // RECURRENCE children of the first RECURRENCESECTION
        kReminders,   // REMINDER children of the first REMINDERSECTION
        kKindCount
    };
    // The kinds with an id counter, in the order the counters are seeded.
    enum Counter { kPlanEntryIds, kTaskIds, kCategoryIds, kMoodIds, kMoodStateIds, kGoalIds, kPersonIds, kCounterCount };

    ElementIndex() = default;
    ElementIndex(ElementIndex&&) = default;
    ElementIndex& operator=(ElementIndex&&) = default;
    virtual ~ElementIndex() = default;

    // One walk of the whole document: the index, the largest ids and the
    // first bad id; and, when given, the table of the plan entries below the
    // first DAILY section.
    void Build(const XmlDocument& document, PlanEntryTable* plan = nullptr);
    // Forgets everything; the next use builds again.
    void Clear();
    bool IsBuiltFor(const XmlDocument& document) const;

    // Empty when there is none.
    XmlNode Find(Kind kind, long id);
    // Exactly one element of the kind had the id when last seen: a record
    // read from it and kept since still belongs to it alone.
    bool IsUnique(Kind kind, long id) const;
    // The DAY child of the first DAILY section whose DATE is the text.
    XmlNode FindPlanDay(const EString& date);

    // An element just placed in the document within the kind's scope.
    void Add(Kind kind, long id, const XmlNode& element);
    void AddPlanDay(const EString& date, const XmlNode& element);
    // Takes the element out of the document and forgets what its subtree
    // held. The ids of the TASK elements that went are appended to the list.
    void Remove(const XmlNode& element, std::vector<long>* removedTasks = nullptr);

    // The largest id of the kind found by the walk or added since: the IDs of
    // its elements and every reference to one (a plan entry's task, a
    // recurrence, a reminder, a completed mark, the tree states, the moods
    // recorded), so that no new id can take one still pointed at.
    long GetMaxId(Counter counter) const { return m_maxIds[counter]; }
    void NoteId(Counter counter, long id);
    // The first ID of a counted kind that is no number, as "TASK "x"";
    // empty when every one is.
    const EString& GetFirstBadId() const { return m_firstBadId; }

private:
    static constexpr int kUnknown = -1;

    struct Entry {
        XmlNode element; // set while exactly one element has the key
        int count = 0;   // kUnknown when the XPath must tell
    };
    using IdMap = std::unordered_map<long, Entry>;
    using DayMap = std::unordered_map<std::wstring, Entry>;

    class Walker;

    XmlNode Resolve(Kind kind, long id);
    XmlNode ResolvePlanDay(const EString& date);
    static XmlNode FirstOf(const XmlNodeList& nodes, Entry& entry, bool& none);
    XmlNode Section(const wchar_t* name) const;

    XmlDocument m_document;
    bool m_built = false;
    std::array<IdMap, kKindCount> m_ids;
    DayMap m_planDays;
    std::array<long, kCounterCount> m_maxIds{};
    EString m_firstBadId;
};
