#include "docking/sstate/DockWndMgr.h"

#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/ScreenFit.h"
#include "docking/sstate/StateKeyName.h"
#include "docking/sstate/StoredDockingPosition.h"

#include <algorithm>

namespace sstate {

std::uint32_t RestorePriority(const DockingPosition& position)
{
    const auto side = static_cast<std::uint32_t>(position.side.Flags());
    const auto row = static_cast<std::uint32_t>(position.place.row);
    const auto start = static_cast<std::uint32_t>(position.place.ratio * 65535.0f);
    return ((~side & 0x3u) << 30) | ((row & 0x3FFFu) << 16) | (start & 0xFFFFu);
}

std::int32_t CDockWndMgr::CImpl::Add(IDockWndState* state)
{
    const std::int32_t id = m_nextId--;
    m_panes[static_cast<std::uint32_t>(id)] = CStateRef<IDockWndState>::Share(state);
    return id;
}

bool CDockWndMgr::CImpl::Store(IMainState* mainState, HKEY key)
{
    BorrowedKey values(key);
    for (auto& [id, pane] : m_panes) {
        DockingPosition position = ZeroedPosition();
        if (!pane->GetDockingPosition(mainState, &position))
            continue;
        const auto bytes = position.Store();
        values.SetBinary(StateKeyName(static_cast<std::int32_t>(id)).c_str(), bytes.data(),
                         static_cast<DWORD>(bytes.size()));
    }
    return true;
}

namespace {

// A stored record keeps a handle's low 32 bits, which is all it carries.
std::uint32_t StoredHandle(HWND window)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

} // namespace

// The panes of a box of three or more name the box itself, a window of the
// stored run. The first tab of those shown takes the box's place; the others
// name it instead, to join it once it is back.
std::set<std::uint32_t> CDockWndMgr::CImpl::GatherBoxes(Records& docked, Records& floating,
                                                        const StoredWindows& stored)
{
    std::map<std::uint32_t, std::vector<std::pair<std::uint32_t, DockingPosition*>>> boxes;
    for (Records* records : {&docked, &floating}) {
        for (auto& [id, position] : *records) {
            const std::uint32_t box = StoredHandle(position.container);
            if (box && !stored.byHandle.contains(box) && (position.docked || !position.shown))
                boxes[box].emplace_back(id, &position);
        }
    }
    std::set<std::uint32_t> joining;
    for (auto& [box, members] : boxes) {
        DockingPosition* first = nullptr;
        for (auto& [id, position] : members)
            if (position->docked && (!first || position->labelIndex < first->labelIndex))
                first = position;
        if (!first || members.size() < 2)
            continue;
        for (auto& [id, position] : members) {
            if (position == first)
                continue;
            position->container = first->window;
            if (position->docked)
                joining.insert(id);
        }
        first->container = nullptr;
    }
    return joining;
}

HWND CDockWndMgr::CImpl::CurrentWindow(IMainState* mainState, IDockWndState& pane)
{
    DockingPosition position = ZeroedPosition();
    return pane.GetDockingPosition(mainState, &position) ? position.window : nullptr;
}

// A pane stored in a box of two names the other pane as its container, by
// the handle it had then: that pane's window now once it is back in place,
// else none, so that the first of the two docks at the box's place.
bool CDockWndMgr::CImpl::PlaceAndNote(IMainState* mainState, std::uint32_t id, IDockWndState& pane,
                                      DockingPosition& position, StoredWindows& stored)
{
    bool partnerLater = false;
    const auto partner = stored.byHandle.find(StoredHandle(position.container));
    if (position.container && partner != stored.byHandle.end() && partner->second != id) {
        const auto placed = stored.placed.find(partner->second);
        partnerLater = placed == stored.placed.end();
        position.container = partnerLater ? nullptr : placed->second;
    }
    pane.SetDockingPosition(mainState, &position);
    stored.placed[id] = CurrentWindow(mainState, pane);
    return partnerLater;
}

bool CDockWndMgr::CImpl::Restore(IMainState* mainState, HKEY key)
{
    for (auto& [id, pane] : m_panes)
        pane->HideForRestore();

    const RECT screen = VirtualScreen();
    Records floating;
    Records docked;
    StoredWindows stored;
    for (auto& [id, pane] : m_panes) {
        std::optional<DockingPosition> position =
            ReadDockingPosition(key, StateKeyName(static_cast<std::int32_t>(id)).c_str(), *mainState, screen);
        if (!position) {
            pane->RestoreDefault();
            continue;
        }
        if (position->window)
            stored.byHandle.emplace(StoredHandle(position->window), id);
        (position->docked ? docked : floating).emplace_back(id, *position);
    }
    const std::set<std::uint32_t> joining = GatherBoxes(docked, floating, stored);
    Records joiners;
    for (auto& [id, position] : docked) {
        if (joining.contains(id))
            joiners.emplace_back(id, position);
        else
            m_queue.push({position, RestorePriority(position), id});
    }
    std::stable_sort(joiners.begin(), joiners.end(),
                     [](const auto& a, const auto& b) { return a.second.labelIndex < b.second.labelIndex; });

    // A pane hidden from a box goes back into it when shown: once its
    // partner is in place, it is told so again.
    std::vector<std::pair<std::uint32_t, DockingPosition>> hiddenFromBoxes;
    for (auto& [id, position] : floating) {
        DockingPosition placed = position;
        if (PlaceAndNote(mainState, id, *m_panes[id].Get(), placed, stored) && !position.shown)
            hiddenFromBoxes.emplace_back(id, position);
    }
    while (!m_queue.empty()) {
        RestoreEntry entry = m_queue.top();
        m_queue.pop();
        const auto pane = m_panes.find(entry.id);
        if (pane != m_panes.end())
            PlaceAndNote(mainState, entry.id, *pane->second.Get(), entry.position, stored);
    }
    for (auto& [id, position] : joiners)
        PlaceAndNote(mainState, id, *m_panes[id].Get(), position, stored);
    for (auto& [id, position] : hiddenFromBoxes)
        PlaceAndNote(mainState, id, *m_panes[id].Get(), position, stored);
    return true;
}

bool CDockWndMgr::CImpl::RestoreDefault()
{
    for (auto& [id, pane] : m_panes)
        pane->RestoreDefault();
    return true;
}

} // namespace sstate
