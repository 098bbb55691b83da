// sstate::CDockWndMgr: the states of the docking panes, placed back in an order that rebuilds their rows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <set>
#include <vector>

#include "docking/dockwins/DockingPosition.h"
#include "docking/sstate/State.h"
#include "docking/sstate/StateBase.h"

namespace sstate {

// Docked panes go back side by side: left, top, right, bottom; each side's
// rows from the outer edge inward; each row from its start.
std::uint32_t RestorePriority(const DockingPosition& position);

// A docked pane waiting for its turn; equal priorities go by id, as the panes are visited.
struct RestoreEntry {
    DockingPosition position;
    std::uint32_t priority = 0;
    std::uint32_t id = 0;

    bool operator>(const RestoreEntry& other) const
    {
        return priority != other.priority ? priority > other.priority : id > other.id;
    }
};

using RestoreQueue = std::priority_queue<RestoreEntry, std::vector<RestoreEntry>, std::greater<RestoreEntry>>;

class CDockWndMgr {
public:
    class CImpl : public CStateBase<IState> {
    public:
        // The manager takes a reference of its own; ids count down from -1.
        std::int32_t Add(IDockWndState* state);

        // One 60-byte value per pane, named by its id.
        bool Store(IMainState* mainState, HKEY key) override;
        // Hides every pane, places the floating and hidden ones, then the
        // docked ones in restore order. A pane without a usable record gets
        // its default.
        bool Restore(IMainState* mainState, HKEY key) override;
        bool RestoreDefault() override;

    private:
        // The panes' handles of the stored run, and the windows of the panes placed so far.
        struct StoredWindows {
            std::map<std::uint32_t, std::uint32_t> byHandle; // stored handle -> id
            std::map<std::uint32_t, HWND> placed;            // id -> window
        };
        using Records = std::vector<std::pair<std::uint32_t, DockingPosition>>; // id, record
        // Points the later tabs of each stored box of three or more at its
        // first; the docked ones among them join it after the others are placed.
        static std::set<std::uint32_t> GatherBoxes(Records& docked, Records& floating, const StoredWindows& stored);
        static HWND CurrentWindow(IMainState* mainState, IDockWndState& pane);
        // True when the record names a pane of its box not yet placed.
        static bool PlaceAndNote(IMainState* mainState, std::uint32_t id, IDockWndState& pane,
                                 DockingPosition& position, StoredWindows& stored);

        std::int32_t m_nextId = -1;
        std::map<std::uint32_t, CStateRef<IDockWndState>> m_panes;
        RestoreQueue m_queue;
    };

    CDockWndMgr() : m_state(CStateRef<CImpl>::Adopt(new CImpl)) {}
    std::int32_t Add(IDockWndState* state) { return m_state->Add(state); }
    // Without a reference: whoever keeps it takes its own.
    IState* GetState() const { return m_state.Get(); }

private:
    CStateRef<CImpl> m_state;
};

} // namespace sstate
