#include "docking/sstate/DockWndMgr.h"

#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/ScreenFit.h"
#include "docking/sstate/StateKeyName.h"
#include "docking/sstate/StoredDockingPosition.h"

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

bool CDockWndMgr::CImpl::Restore(IMainState* mainState, HKEY key)
{
    for (auto& [id, pane] : m_panes)
        pane->HideForRestore();

    const RECT screen = VirtualScreen();
    for (auto& [id, pane] : m_panes) {
        std::optional<DockingPosition> position =
            ReadDockingPosition(key, StateKeyName(static_cast<std::int32_t>(id)).c_str(), *mainState, screen);
        if (!position)
            pane->RestoreDefault();
        else if (!position->docked)
            pane->SetDockingPosition(mainState, &*position);
        else
            m_queue.push({*position, RestorePriority(*position), id});
    }

    while (!m_queue.empty()) {
        RestoreEntry entry = m_queue.top();
        m_queue.pop();
        const auto pane = m_panes.find(entry.id);
        if (pane != m_panes.end())
            pane->second->SetDockingPosition(mainState, &entry.position);
    }
    return true;
}

bool CDockWndMgr::CImpl::RestoreDefault()
{
    for (auto& [id, pane] : m_panes)
        pane->RestoreDefault();
    return true;
}

} // namespace sstate
