// DataManager: the overlaps of a day repaired, and entries moved and arranged.
#include "document/xml/DataManager.h"

#include <algorithm>

#include "document/model/DateFunctions.h"
#include "document/xml/AttributeReader.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/FixedEntriesAhead.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Bstr.h"
#include "foundation/Options.h"

using namespace Xml;

namespace {

// A walk that may carry nothing more still lines up what it received and
// goes on this far before it stops where it stands.
constexpr int kStepsWithoutCarrying = 3000;

bool IsBefore(double a, double b)
{
    return IsEarlierToTheSecond(a, b);
}

int IdOf(const XmlNode& element)
{
    return ElementRecords::ReadInt(element, kId);
}

// Plan entries are told apart by their ids, as the element index tells them
// apart: comparing the nodes themselves counts their positions in the document.
bool IsSameEntry(const XmlNode& a, const XmlNode& b)
{
    return a && b && IdOf(a) == IdOf(b);
}

// Taken out first: MSXML under Wine crashes on an insert of a node that still
// stands in the tree.
void MoveBefore(const XmlNode& parent, const XmlNode& node, const XmlNode& before)
{
    if (const XmlNode from = node.GetParent())
        from.RemoveChild(node);
    Variant reference;
    if (before)
        reference = Variant(static_cast<IUnknown*>(before.Get()));
    else
        reference.vt = VT_NULL;
    ComPtr<IXMLDOMNode> inserted;
    ThrowIfFailed(parent->insertBefore(node.Checked(), reference, &inserted));
}

// Puts the entry directly behind the reference, a sibling of it. (XmlDoc::MoveAfter
// checks first that the two share a parent by comparing nodes, which counts
// positions through the document: too slow at every step of a walk.)
void MoveBehind(const XmlNode& entry, const XmlNode& reference)
{
    const XmlNode after = reference.GetNextSibling();
    if (after && after.IsElement() && after.GetName() == kPlanEntry && IsSameEntry(after, entry))
        return;
    MoveBefore(reference.GetParent(), entry, after);
}

// The day as the table of plan entries keeps it.
double TableDayOf(const XmlNode& day)
{
    return day && day.IsElement() ? PlanEntryTable::DayOfDate(XmlDoc::GetTextAttribute(day, kDate)) : 0;
}

struct WalkNames {
    const Bstr id{kId}, taskId{kTaskId}, startTime{kStartTime}, endTime{kEndTime}, fixedTime{kFixedTime};
};

const WalkNames& Names()
{
    static const WalkNames names;
    return names;
}

} // namespace

// The walk of the changed entry's day, then of each day that received
// entries, once for all of them, as the repair reaches from day to day.
// What a walk reads and writes is the entries' own attributes, their rows in
// the table of plan entries kept in step; an entry carried on to the next day
// is written there when that day's walk has placed it, and the recurrences of
// the tasks take the times of their entries once, at the end. The tasks
// themselves keep their status and colour: a repair moves times and days.
class DataManager::OverlapRepair {
public:
    OverlapRepair(DataManager& data, long long steps) : m_data(data), m_stepsLeft(steps)
    {
        m_repairMoved = Options::GetAllowSimultaneous() == 0;
    }

    void Run(const XmlNode& element);
    // Where it stopped, for the user to be told.
    void NoteUnrepaired(UnrepairedOverlaps& left);

private:
    // A plan entry as the walk reads it: its own attributes but the
    // description, and its row in the table of plan entries.
    struct Entry {
        TaskPlanEntry times;
        PlanEntryTable::Entry row;
        bool hasRow = false;
        bool unwritten = false; // its element still holds the times it had
    };
    using Placed = std::pair<XmlNode, Entry>;
    // Where one day's walk carries what leaves it: the next day, from 00:00,
    // in the order they left.
    struct Carry {
        double day = 0; // 0 until something is carried
        XmlNode dayElement;
        double tableDay = 0;
        std::vector<Placed> entries;
        bool repair = false; // whether the next day is walked for them
    };
    struct Walk {
        bool mayCarry = true;
        int received = 0; // entries carried on to this day
        int stepsWithoutCarrying = 0;
        // Those it received whose elements still hold the times they had.
        std::unordered_map<int, Placed> unwritten;
        Carry carry;
    };

    // What the walk of the day before carried here, the first of it where this walk starts.
    Walk Receive(Carry& carry);
    void WalkDay(XmlNode element, Walk& walk, const Carry* received);
    // False for an element that is no plan entry or whose task is gone.
    bool Read(const XmlNode& element, double tableDay, Entry& entry, const Walk* walk);
    // The entry's times as they read back, its table row (now of the day) and
    // its task's recurrence following them.
    void Follow(Entry& entry, double tableDay);
    void Write(const XmlNode& element, Entry& entry, double tableDay, Walk& walk);
    static void WriteTimes(const XmlNode& element, Entry& entry);
    void WriteUnwritten(Walk& walk);
    void WriteUnwritten(Carry& carry);
    void TrimToNextStart(const XmlNode& first, Entry& a, const Entry& b, Walk& walk);
    void TrimBeforeFixed(const XmlNode& fixed);
    // Whether pushing the entry to the start would move it, or a part of it, off its day.
    static bool PushLeavesDay(const Entry& entry, double start);
    // True when the entry left its day whole.
    bool Push(const XmlNode& element, Entry& entry, double start, Walk& walk);
    // length: of the placed entry in days; below 0 it keeps its own. True
    // when the element itself moved.
    bool CarryOn(const XmlNode& element, Entry& entry, double length, bool copy, Walk& walk);
    void Place(Carry& carry, const XmlNode& element, const Entry& entry);
    void SyncRecurrences();
    int CountOverlapping(const XmlNode& day);

    DataManager& m_data;
    long long m_stepsLeft;
    bool m_repairMoved = true; // whether an entry moved whole asks for a walk of its new day
    std::unordered_map<int, bool> m_taskExists;
    // The last times each task's entries took, which its recurrence follows.
    std::unordered_map<int, TaskPlanEntry> m_taskTimes;
    // Every entry moved or copied on to a later day, by its id.
    std::unordered_set<int> m_carried;
    double m_firstDay = 0, m_lastDay = 0;
    // The days whose walks stopped before their end.
    std::vector<XmlNode> m_stopped;
};

void DataManager::ResolveOverlaps(const XmlNode& element)
{
    OverlapRepair repair(*this, m_repairStepLimit);
    repair.Run(element);
    repair.NoteUnrepaired(m_unrepaired);
}

long long DataManager::OverlapWalkSteps() const
{
    return m_overlapWalkSteps;
}

DataManager::UnrepairedOverlaps DataManager::TakeUnrepairedOverlaps()
{
    return std::exchange(m_unrepaired, UnrepairedOverlaps());
}

void DataManager::OverlapRepair::Run(const XmlNode& element)
{
    XmlNode from = element;
    Entry entry;
    if (Read(element, TableDayOf(element.GetParent()), entry, nullptr)) {
        if (entry.times.GetFixedTime())
            TrimBeforeFixed(element);
        else if (const XmlNode previous = XmlDoc::PreviousSibling(element))
            from = previous;
    }
    // Each day's walk carries what leaves it on to the next day, and that
    // day is walked once for all of it: work in step with what moves.
    // (Walking the next day again for every entry it received made each
    // full day cost the work of the next one several times over.)
    Walk walk, next;
    try {
        WalkDay(from, walk, nullptr);
        while (!walk.carry.entries.empty() && walk.carry.repair) {
            next = Receive(walk.carry);
            WalkDay(walk.carry.entries.front().first, next, &walk.carry);
            WriteUnwritten(next);
            walk = std::move(next);
            next = {};
        }
        WriteUnwritten(walk.carry);
    } catch (...) {
        // What moved keeps the times it was given, as far as the plan lets.
        try {
            WriteUnwritten(next);
            WriteUnwritten(next.carry);
            WriteUnwritten(walk.carry);
            SyncRecurrences();
        } catch (...) {
        }
        throw;
    }
    SyncRecurrences();
}

DataManager::OverlapRepair::Walk DataManager::OverlapRepair::Receive(Carry& carry)
{
    Walk walk;
    walk.mayCarry = m_stepsLeft > 0;
    walk.received = static_cast<int>(carry.entries.size());
    // Written now where another entry shares the id: the walk tells its
    // entries apart by their ids.
    ElementIndex& index = m_data.Index();
    std::unordered_set<int> shared;
    for (Placed& placed : carry.entries) {
        const int id = placed.second.times.GetId();
        if (placed.second.unwritten &&
            (!index.IsUnique(ElementIndex::kPlanEntries, id) || !walk.unwritten.emplace(id, placed).second))
            shared.insert(id);
        placed.second.unwritten = false;
    }
    for (const int id : shared)
        walk.unwritten.erase(id);
    for (Placed& placed : carry.entries)
        if (shared.count(placed.second.times.GetId()))
            WriteTimes(placed.first, placed.second);
    return walk;
}

void DataManager::OverlapRepair::WriteUnwritten(Walk& walk)
{
    for (auto& [id, placed] : walk.unwritten)
        WriteTimes(placed.first, placed.second);
    walk.unwritten.clear();
}

void DataManager::OverlapRepair::WriteUnwritten(Carry& carry)
{
    for (Placed& placed : carry.entries)
        if (placed.second.unwritten) {
            WriteTimes(placed.first, placed.second);
            placed.second.unwritten = false;
        }
}

void DataManager::OverlapRepair::SyncRecurrences()
{
    for (const auto& [taskId, times] : m_taskTimes)
        m_data.SyncRecurrenceTimes(times);
    m_taskTimes.clear();
}

void DataManager::OverlapRepair::NoteUnrepaired(UnrepairedOverlaps& left)
{
    if (m_stopped.empty())
        return;
    left.moved += static_cast<int>(m_carried.size());
    if (!m_carried.empty()) {
        left.firstDay = left.firstDay == 0 ? m_firstDay : std::min(left.firstDay, m_firstDay);
        left.lastDay = std::max(left.lastDay, m_lastDay);
    }
    for (const XmlNode& day : m_stopped) {
        const double date = TableDayOf(day);
        const int overlapping = CountOverlapping(day);
        const auto known = std::find_if(left.days.begin(), left.days.end(),
                                        [date](const UnrepairedOverlaps::Day& d) { return d.date == date; });
        if (known != left.days.end())
            known->overlapping = overlapping;
        else if (overlapping > 0)
            left.days.push_back({date, overlapping});
    }
}

int DataManager::OverlapRepair::CountOverlapping(const XmlNode& day)
{
    const double tableDay = TableDayOf(day);
    int overlapping = 0;
    double latestEnd = 0;
    bool any = false;
    for (XmlNode child = day.GetFirstChildElement(); child; child = child.GetNextElement()) {
        Entry entry;
        if (!Read(child, tableDay, entry, nullptr))
            continue;
        if (any && IsBefore(entry.times.GetStartTime(), latestEnd))
            ++overlapping;
        latestEnd = any ? std::max(latestEnd, entry.times.GetEndTime()) : entry.times.GetEndTime();
        any = true;
    }
    return overlapping;
}

bool DataManager::OverlapRepair::Read(const XmlNode& element, double tableDay, Entry& entry, const Walk* walk)
{
    if (element.GetName() != kPlanEntry)
        return false;
    // Most of a carried day's entries were carried there just now.
    if (walk && !walk->unwritten.empty()) {
        const auto found = walk->unwritten.find(IdOf(element));
        if (found != walk->unwritten.end()) {
            entry = found->second.second;
            return true;
        }
    }
    const WalkNames& names = Names();
    AttributeReader attributes(element);
    TaskPlanEntry& times = entry.times;
    // Each attribute asked once: the number and the text the table reads.
    const auto readInt = [&attributes](BSTR name, EString& text) -> long {
        if (!attributes.Read(name))
            return 0;
        text = EString(std::wstring(attributes.Text()));
        return attributes.IntOfText(name);
    };
    EString id, taskId;
    times.SetId(readInt(names.id, id));
    times.SetTaskId(readInt(names.taskId, taskId));
    const EString start = attributes.Text(names.startTime);
    const EString end = attributes.Text(names.endTime);
    times.SetStartTimeText(start);
    times.SetEndTimeText(end);
    times.SetFixedTime(attributes.Int(names.fixedTime));
    entry.hasRow = PlanEntryTable::Read(id, taskId, start, end, tableDay, entry.row);
    entry.unwritten = false;
    const auto [task, added] = m_taskExists.try_emplace(times.GetTaskId(), false);
    if (added)
        task->second = !m_data.FindTask(times.GetTaskId()).IsEmpty();
    return task->second;
}

void DataManager::OverlapRepair::Follow(Entry& entry, double tableDay)
{
    // As they read back: the walk goes on with what the element will hold.
    entry.times.SetStartTimeText(entry.times.GetStartTimeXmlText());
    entry.times.SetEndTimeText(entry.times.GetEndTimeXmlText());
    PlanEntryTable& table = m_data.Plan();
    if (entry.hasRow && table.Remove(entry.row)) {
        entry.row.day = tableDay;
        entry.row.start = entry.times.GetStartTime();
        entry.row.end = entry.times.GetEndTime();
        table.Add(entry.row);
    }
    m_taskTimes.insert_or_assign(entry.times.GetTaskId(), entry.times);
}

void DataManager::OverlapRepair::Write(const XmlNode& element, Entry& entry, double tableDay, Walk& walk)
{
    Follow(entry, tableDay);
    WriteTimes(element, entry);
    if (!walk.unwritten.empty())
        walk.unwritten.erase(entry.times.GetId());
}

void DataManager::OverlapRepair::WriteTimes(const XmlNode& element, Entry& entry)
{
    XmlDoc::SetAttribute(element, kStartTime, entry.times.GetStartTimeXmlText());
    XmlDoc::SetAttribute(element, kEndTime, entry.times.GetEndTimeXmlText());
    entry.unwritten = false;
}

void DataManager::OverlapRepair::WalkDay(XmlNode element, Walk& walk, const Carry* received)
{
    const XmlNode day = element.GetParent();
    const double tableDay = TableDayOf(day);
    Entry current;
    if (!Read(element, tableDay, current, &walk))
        return;
    // The fixed ones among what it received are known already.
    const auto fixedEntries = [&]() {
        if (!received || received->entries.empty())
            return FixedEntriesAhead(element);
        std::vector<FixedEntriesAhead::Known> fixed;
        for (auto entry = std::next(received->entries.begin()); entry != received->entries.end(); ++entry)
            if (entry->second.times.GetFixedTime())
                fixed.push_back({entry->first, entry->second.times.GetId(), entry->second.times.GetStartTime()});
        return FixedEntriesAhead(fixed, received->entries.back().first);
    };
    FixedEntriesAhead fixedAhead = fixedEntries();
    bool stopped = false;
    for (;;) {
        if (m_stepsLeft <= 0)
            walk.mayCarry = false;
        // Carrying nothing more, the walk still lines up what it received
        // and goes on a day's length, then leaves the rest as it stands.
        if (!walk.mayCarry && ++walk.stepsWithoutCarrying > walk.received + kStepsWithoutCarrying) {
            stopped = true;
            break;
        }
        --m_stepsLeft;
        ++m_data.m_overlapWalkSteps;
        const XmlNode next = XmlDoc::NextSibling(element);
        if (!next)
            break;
        Entry following;
        if (!Read(next, tableDay, following, &walk))
            break;
        bool nextLeft = false;
        const TaskPlanEntry& s = current.times;
        const TaskPlanEntry& t = following.times;
        if (IsBefore(t.GetStartTime(), s.GetEndTime())) {
            if (s.GetFixedTime() || !t.GetFixedTime()) {
                XmlNode fixed = fixedAhead.FirstStartingBefore(s.GetEndTime());
                // Two fixed entries that clash: the later one is pushed once,
                // or an overflow would be copied to the next day twice.
                if (fixed && IdOf(fixed) == t.GetId())
                    fixed = XmlNode();
                // An entry whose task is gone is still met, and cuts the
                // one that runs into it, but is not pushed.
                Entry pulled;
                const bool pushable = fixed && Read(fixed, tableDay, pulled, &walk);
                // What follows where an entry met its fixed one ends there.
                const double pushTo = fixed && !s.GetFixedTime() ? pulled.times.GetStartTime() : s.GetEndTime();
                // Where nothing may carry on, the first entry that would
                // leave the day, and everything after it, stays as it stands.
                if (!walk.mayCarry && ((pushable && PushLeavesDay(pulled, pushTo)) || PushLeavesDay(following, pushTo))) {
                    stopped = true;
                    break;
                }
                if (fixed) {
                    if (!s.GetFixedTime())
                        TrimToNextStart(element, current, pulled, walk);
                    // Right behind the next entry: the first fixed one ahead.
                    MoveBehind(fixed, next);
                    fixedAhead.MoveToFront(pulled.times.GetId());
                    if (pushable && Push(fixed, pulled, current.times.GetEndTime(), walk))
                        fixedAhead.Remove(pulled.times.GetId());
                    else
                        fixedAhead.MoveFrontStart(pulled.times.GetId(), pulled.times.GetStartTime());
                }
                nextLeft = Push(next, following, current.times.GetEndTime(), walk);
            } else if (IsBefore(s.GetStartTime(), t.GetStartTime())) {
                TrimToNextStart(element, current, following, walk);
            } else {
                MoveBehind(element, next);
            }
        }
        // An entry pushed off the day leaves this one's other followers
        // unchecked: they are looked at again from here.
        if (!nextLeft) {
            if (following.times.GetFixedTime())
                fixedAhead.Pass(following.times.GetId());
            element = next;
            current = std::move(following);
        } else if (following.times.GetFixedTime()) {
            fixedAhead.Remove(following.times.GetId());
        }
    }
    m_data.m_overlapWalkSteps += fixedAhead.Visits();
    if (stopped)
        m_stopped.push_back(day);
}

void DataManager::OverlapRepair::TrimToNextStart(const XmlNode& first, Entry& a, const Entry& b, Walk& walk)
{
    const double start = b.times.GetStartTime();
    if (!IsBefore(start, a.times.GetEndTime()))
        return;
    if (IsBefore(start, a.times.GetStartTime()))
        a.times.SetStartKeepDuration(start);
    a.times.SetEnd(start);
    Write(first, a, a.row.day, walk);
}

void DataManager::OverlapRepair::TrimBeforeFixed(const XmlNode& fixed)
{
    const XmlNode previous = XmlDoc::PreviousSibling(fixed);
    if (!previous || previous.GetName() != kPlanEntry)
        return;
    const double tableDay = TableDayOf(fixed.GetParent());
    Entry a, b;
    Read(previous, tableDay, a, nullptr);
    Read(fixed, tableDay, b, nullptr);
    Walk none;
    TrimToNextStart(previous, a, b, none);
}

bool DataManager::OverlapRepair::PushLeavesDay(const Entry& entry, double start)
{
    if (!(start > 0))
        return false;
    const double dayEnd = EndOfDayTime();
    return !IsBefore(start, dayEnd) || IsBefore(0, start + entry.times.GetDuration() - dayEnd);
}

bool DataManager::OverlapRepair::Push(const XmlNode& element, Entry& entry, double start, Walk& walk)
{
    if (!element || !(start > 0))
        return false;
    const double dayEnd = EndOfDayTime();
    if (!IsBefore(start, dayEnd))
        return CarryOn(element, entry, -1, false, walk);
    const double overflow = start + entry.times.GetDuration() - dayEnd;
    if (IsBefore(0, overflow))
        CarryOn(element, entry, overflow, true, walk);
    entry.times.SetStartKeepDuration(start);
    Write(element, entry, entry.row.day, walk);
    return false;
}

bool DataManager::OverlapRepair::CarryOn(const XmlNode& element, Entry& entry, double length, bool copy,
                                         Walk& walk)
{
    Carry& carry = walk.carry;
    if (carry.day == 0) {
        carry.day = XmlDataElements::GetEntryDay(element) + 1;
        carry.dayElement = m_data.GetPlanDay(carry.day);
        carry.tableDay = TableDayOf(carry.dayElement);
        m_firstDay = m_firstDay == 0 ? carry.day : m_firstDay;
        m_lastDay = carry.day;
    }
    if (!carry.dayElement)
        return false;
    Entry placed = entry;
    placed.times.SetStartKeepDuration(0);
    // A copy that carries an overflow is as long as the overflow from the
    // start: placed at full length it would push the day's entries for time
    // it never takes.
    if (length >= 0)
        placed.times.SetEnd(placed.times.GetStartTime() + length);
    if (copy) {
        // A new entry of the same task and text under its own id.
        TaskPlanEntry whole;
        ElementRecords::Read(element, whole);
        whole.SetStartKeepDuration(placed.times.GetStartTime());
        whole.SetEnd(placed.times.GetEndTime());
        whole.AssignNewId();
        const XmlNode added(m_data.GetDocument(false).CreateElement(kPlanEntry));
        ElementRecords::Write(added, whole);
        placed.times = whole;
        placed.hasRow = false;
        Follow(placed, carry.tableDay);
        Place(carry, added, placed);
        m_data.IndexElement(added);
        Entry& record = carry.entries.back().second;
        record.hasRow = PlanEntryTable::Read(added, record.row);
        if (record.hasRow)
            m_data.Plan().Add(record.row);
    } else {
        // The element itself moves, keeping its id, its description and any
        // attribute of a later version: an entry moved to another day. Its
        // times are written once the next day's walk has placed it.
        Follow(placed, carry.tableDay);
        placed.unwritten = true;
        if (!walk.unwritten.empty())
            walk.unwritten.erase(placed.times.GetId());
        Place(carry, element, placed);
        entry = placed;
    }
    m_carried.insert(carry.entries.back().second.times.GetId());
    // An overflow copy always repairs its day, a moved entry as the setting says.
    carry.repair = carry.repair || copy || m_repairMoved;
    return !copy;
}

void DataManager::OverlapRepair::Place(Carry& carry, const XmlNode& element, const Entry& entry)
{
    // Each in front of the day's own entries, behind those that left before it.
    const XmlNode before = carry.entries.empty() ? m_data.FindInsertionPoint(carry.dayElement, 0)
                                                 : carry.entries.back().first.GetNextSibling();
    MoveBefore(carry.dayElement, element, before);
    carry.entries.emplace_back(element, entry);
}

int DataManager::MovePlanEntry(double day, double start, int id, bool copy)
{
    TaskPlanEntry entry;
    if (!GetPlanEntry(id, entry))
        ThrowComError(E_POINTER, EString::Formatted(L"There is no plan entry with the id %d.", id));
    entry.SetDailyRecurrence(IsEveryDayRecurrence(entry.GetTaskId()));
    entry.SetStartKeepDuration(start);
    if (copy) {
        entry.AssignNewId();
        SyncRecurrenceTimes(entry);
        AddPlanEntry(day, entry, true, false);
        return entry.GetId();
    }
    // A move changes the entry's day and times only: deleted and added, it
    // would leave a completed task (and its categories) open again.
    RemovePlanEntryElement(FindPlanEntry(id));
    SyncRecurrenceTimes(entry);
    PlacePlanEntry(day, entry);
    return entry.GetId();
}

void DataManager::ArrangePlanEntries(double day, double start, const std::vector<int>& ids, bool copy)
{
    double next = start;
    for (const int id : ids) {
        TaskPlanEntry placed;
        if (GetPlanEntry(MovePlanEntry(day, next, id, copy), placed))
            next = placed.GetEndTime();
    }
}
