// DataManager: the overlaps of a day repaired, and entries moved and arranged.
#include "document/xml/DataManager.h"

#include "document/model/DateFunctions.h"
#include "document/xml/ElementRecords.h"
#include "document/xml/FixedEntriesAhead.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Options.h"

using namespace Xml;

namespace {

// Carried entries go on from day to day; from this many days on they are
// repaired on the day they reach but carry nothing further, so a run of full
// days cannot carry without end.
constexpr int kMaxCarryDays = 32;
// Far more steps than any day's walk takes; a bound all the same.
constexpr int kMaxWalkSteps = 100000;

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

bool IsDetached(const XmlNode& node)
{
    return node.GetParent().IsEmpty();
}

// A move within the parent, taken out first: MSXML under Wine crashes on an
// insert of a node that still stands in the tree.
void MoveBefore(const XmlNode& parent, const XmlNode& node, const XmlNode& before)
{
    parent.RemoveChild(node);
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

} // namespace

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
    // Each day's walk carries what leaves it on to the next day, and that
    // day is walked once for all of it: work in step with what moves.
    // (Walking the next day again for every entry it received made each
    // full day cost the work of the next one several times over.)
    Carried carried;
    carried.repairMoved = Options::GetAllowSimultaneous() == 0;
    ResolveOverlapsFrom(from, carried);
    for (int days = 1; !carried.ids.empty(); ++days) {
        const XmlNode first = LineUpCarried(carried.ids);
        Carried next;
        next.repairMoved = carried.repairMoved;
        next.mayCarry = days < kMaxCarryDays;
        if (first && carried.repair)
            ResolveOverlapsFrom(first, next);
        carried = std::move(next);
    }
}

long long DataManager::OverlapWalkSteps() const
{
    return m_overlapWalkSteps;
}

XmlNode DataManager::LineUpCarried(const std::vector<int>& ids)
{
    // Each went in at 00:00, in front of those that left before it: back in
    // the order they left, each put in front of the one that left after it.
    std::vector<XmlNode> elements;
    for (const int id : ids)
        if (const XmlNode element = FindPlanEntry(id))
            elements.push_back(element);
    if (elements.empty())
        return XmlNode();
    const XmlNode day = elements.front().GetParent();
    for (size_t i = elements.size() - 1; i-- > 0;)
        MoveBefore(day, elements[i], elements[i + 1]);
    return elements.front();
}

void DataManager::ResolveOverlapsFrom(XmlNode element, Carried& carried)
{
    FixedEntriesAhead fixedAhead(element);
    for (int step = 0; element && step < kMaxWalkSteps; ++step) {
        ++m_overlapWalkSteps;
        const XmlNode next = XmlDoc::NextSibling(element);
        if (!next)
            break;
        TaskPlanEntry current, following;
        if (!ReadEntryTimes(element, current) || !ReadEntryTimes(next, following))
            break;
        if (IsBefore(following.GetStartTime(), current.GetEndTime())) {
            if (current.GetFixedTime() || !following.GetFixedTime()) {
                const XmlNode fixed = fixedAhead.FirstStartingBefore(current.GetEndTime());
                // Two fixed entries that clash: the later one is pushed once,
                // or an overflow would be copied to the next day twice.
                if (fixed && !IsSameEntry(fixed, next)) {
                    if (!current.GetFixedTime()) {
                        TrimToNextStart(element, fixed);
                        ReadEntryTimes(element, current);
                    }
                    // Right behind the next entry: the first fixed one ahead.
                    const int fixedId = IdOf(fixed);
                    PullFixedEntryForward(element, fixed);
                    fixedAhead.MoveToFront(fixedId);
                    PushPlanEntry(fixed, current.GetEndTime(), carried);
                    if (IsDetached(fixed))
                        fixedAhead.Remove(fixedId);
                }
                PushPlanEntry(next, current.GetEndTime(), carried);
            } else if (IsBefore(current.GetStartTime(), following.GetStartTime())) {
                TrimToNextStart(element, next);
            } else {
                MoveBehind(element, next);
            }
        }
        // An entry pushed off the day leaves this one's other followers
        // unchecked: they are looked at again from here.
        if (!IsDetached(next)) {
            if (following.GetFixedTime())
                fixedAhead.Pass(following.GetId());
            element = next;
        } else {
            if (following.GetFixedTime())
                fixedAhead.Remove(following.GetId());
            if (IsDetached(element))
                break;
        }
    }
    m_overlapWalkSteps += fixedAhead.Visits();
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

void DataManager::PullFixedEntryForward(const XmlNode& element, const XmlNode& fixed)
{
    const XmlNode next = XmlDoc::NextSibling(element);
    if (next && !IsSameEntry(fixed, next))
        MoveBehind(fixed, next);
}

void DataManager::PushPlanEntry(const XmlNode& element, double start, Carried& carried)
{
    if (!element || !(start > 0))
        return;
    TaskPlanEntry entry;
    if (!ReadEntryTimes(element, entry))
        return;
    const double dayEnd = EndOfDayTime();
    // Where nothing may carry on, an entry that would leave stays whole where
    // it stood: an overlap is left rather than an hour lost.
    if (!IsBefore(start, dayEnd)) {
        if (carried.mayCarry)
            CarryToNextDay(element, entry, -1, false, carried);
        return;
    }
    const double overflow = start + entry.GetDuration() - dayEnd;
    if (IsBefore(0, overflow)) {
        if (!carried.mayCarry)
            return;
        CarryToNextDay(element, entry, overflow, true, carried);
    }
    entry.SetStartKeepDuration(start);
    WriteEntryTimes(element, entry);
}

void DataManager::CarryToNextDay(const XmlNode& element, const TaskPlanEntry& entry, double length, bool copy,
                                 Carried& carried)
{
    if (carried.day == 0)
        carried.day = GetEntryDay(element) + 1;
    // Placed unrepaired: the next day is walked once, for all it receives.
    carried.ids.push_back(PlaceEntry(carried.day, 0, entry.GetId(), copy, length, Resolve::kNever));
    // An overflow copy always repairs its day, a moved entry as the setting says.
    carried.repair = carried.repair || copy || carried.repairMoved;
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
