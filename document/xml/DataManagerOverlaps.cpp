// DataManager: the overlaps of a day repaired, and entries moved and arranged.
#include "document/xml/DataManager.h"

#include <cmath>

#include "document/model/DateFunctions.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Options.h"

using namespace Xml;

namespace {

// Spills carry entries on from day to day; past this many days deep they are
// placed without moving what they meet, so a run of full days cannot recurse
// without end.
constexpr int kMaxSpillDepth = 32;
// Far more steps than any day's walk takes; a bound all the same.
constexpr int kMaxWalkSteps = 100000;

// Times of day compared to the second: sums of times are a little off in binary.
bool IsBefore(double a, double b)
{
    return std::llround(a * 86400.0) < std::llround(b * 86400.0);
}

bool IsSameEntry(const XmlNode& a, const XmlNode& b)
{
    return a && b && XmlDoc::GetTextAttribute(a, kId) == XmlDoc::GetTextAttribute(b, kId) && a.IsSameNode(b);
}

bool IsDetached(const XmlNode& node)
{
    return node.GetParent().IsEmpty();
}

} // namespace

class DataManager::SpillDepth {
public:
    explicit SpillDepth(int& depth) : m_depth(++depth) {}
    ~SpillDepth() { --m_depth; }
    SpillDepth(const SpillDepth&) = delete;
    SpillDepth& operator=(const SpillDepth&) = delete;

private:
    int& m_depth;
};

void DataManager::ResolveOverlaps(const XmlNode& element)
{
    XmlNode from = element;
    TaskPlanEntry entry;
    if (ReadEntryTimes(element, entry)) {
        if (entry.GetFixedTime())
            TrimBeforeFixed(element);
        else if (const XmlNode previous = XmlDoc::PreviousSibling(element))
            from = previous;
    }
    double carryDay = 0;
    ResolveOverlapsFrom(from, carryDay);
}

void DataManager::ResolveOverlapsFrom(XmlNode element, double& carryDay)
{
    for (int step = 0; element && step < kMaxWalkSteps; ++step) {
        const XmlNode next = XmlDoc::NextSibling(element);
        if (!next)
            return;
        TaskPlanEntry current, following;
        if (!ReadEntryTimes(element, current) || !ReadEntryTimes(next, following))
            return;
        if (IsBefore(following.GetStartTime(), current.GetEndTime())) {
            if (current.GetFixedTime() || !following.GetFixedTime()) {
                const XmlNode fixed = FindFixedEntryOverlapped(element);
                // Two fixed entries that clash: the later one is pushed once,
                // or an overflow would be copied to the next day twice.
                const bool fixedIsNext = IsSameEntry(fixed, next);
                if (fixed) {
                    if (!current.GetFixedTime()) {
                        TrimToNextStart(element, fixed);
                        ReadEntryTimes(element, current);
                    }
                    PullFixedEntryForward(element, fixed);
                    PushPlanEntry(fixed, current.GetEndTime(), carryDay);
                }
                if (!fixedIsNext)
                    PushPlanEntry(next, current.GetEndTime(), carryDay);
            } else if (IsBefore(current.GetStartTime(), following.GetStartTime())) {
                TrimToNextStart(element, next);
            } else {
                XmlDoc::MoveAfter(element, next);
            }
        }
        // An entry pushed off the day leaves this one's other followers
        // unchecked: they are looked at again from here.
        if (!IsDetached(next))
            element = next;
        else if (IsDetached(element))
            return;
    }
}

void DataManager::TrimToNextStart(const XmlNode& first, const XmlNode& second)
{
    TaskPlanEntry a, b;
    ReadEntryTimes(first, a);
    ReadEntryTimes(second, b);
    if (!IsBefore(b.GetStartTime(), a.GetEndTime()))
        return;
    if (IsBefore(b.GetStartTime(), a.GetStartTime()))
        a.SetStartKeepDuration(b.GetStartTime());
    a.SetEnd(b.GetStartTime());
    WriteEntryTimes(first, a);
}

void DataManager::TrimBeforeFixed(const XmlNode& fixed)
{
    const XmlNode previous = XmlDoc::PreviousSibling(fixed);
    if (previous && previous.GetName() == kPlanEntry)
        TrimToNextStart(previous, fixed);
}

XmlNode DataManager::FindFixedEntryOverlapped(const XmlNode& element)
{
    TaskPlanEntry entry;
    ElementRecords::Read(element, entry);
    for (XmlNode sibling = XmlDoc::NextSibling(element); sibling; sibling = XmlDoc::NextSibling(sibling)) {
        if (sibling.GetName() != kPlanEntry || ElementRecords::ReadInt(sibling, kFixedTime) == 0)
            continue;
        TimeRange times;
        times.SetStartTimeText(XmlDoc::GetTextAttribute(sibling, kStartTime));
        if (IsBefore(times.GetStartTime(), entry.GetEndTime()))
            return sibling;
    }
    return XmlNode();
}

void DataManager::PullFixedEntryForward(const XmlNode& element, const XmlNode& fixed)
{
    const XmlNode next = XmlDoc::NextSibling(element);
    if (next && !IsSameEntry(fixed, next))
        XmlDoc::MoveAfter(fixed, next);
}

void DataManager::PushPlanEntry(const XmlNode& element, double start, double& carryDay)
{
    if (!element || !(start > 0))
        return;
    TaskPlanEntry entry;
    if (!ReadEntryTimes(element, entry))
        return;
    const double dayEnd = EndOfDayTime();
    if (!IsBefore(start, dayEnd)) {
        if (carryDay == 0)
            carryDay = GetEntryDay(element) + 1;
        SpillToDay(carryDay, entry, -1, false);
        return;
    }
    const double overflow = start + entry.GetDuration() - dayEnd;
    if (IsBefore(0, overflow)) {
        if (carryDay == 0)
            carryDay = GetEntryDay(element) + 1;
        SpillToDay(carryDay, entry, overflow, true);
    }
    entry.SetStartKeepDuration(start);
    WriteEntryTimes(element, entry);
}

void DataManager::SpillToDay(double day, const TaskPlanEntry& entry, double length, bool copy)
{
    const SpillDepth depth(m_spillDepth);
    const Resolve resolve = m_spillDepth > kMaxSpillDepth ? Resolve::kNever
                            : copy                        ? Resolve::kAlways
                                                          : Resolve::kBySetting;
    PlaceEntry(day, 0, entry.GetId(), copy, length, resolve);
}

int DataManager::MovePlanEntry(double day, double start, int id, bool copy)
{
    return PlaceEntry(day, start, id, copy, -1, Resolve::kBySetting);
}

int DataManager::PlaceEntry(double day, double start, int id, bool copy, double length, Resolve resolve)
{
    TaskPlanEntry entry;
    if (!GetPlanEntry(id, entry))
        ThrowComError(E_POINTER, EString::Formatted(L"There is no plan entry with the id %d.", id));
    entry.SetDailyRecurrence(IsEveryDayRecurrence(entry.GetTaskId()));
    entry.SetStartKeepDuration(start);
    // A copy that carries an overflow is as long as the overflow from the
    // start: placed at full length it would push the day's entries for time
    // it never takes.
    if (length >= 0)
        entry.SetEnd(entry.GetStartTime() + length);
    if (copy)
        entry.AssignNewId();
    else
        DeletePlanEntry(id);
    SyncRecurrenceTimes(entry);
    AddPlanEntryElement(day, entry, true, false, resolve);
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
