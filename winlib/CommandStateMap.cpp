#include "winlib/CommandStateMap.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Menus nest a few levels; the bound only guards against a menu that holds itself.
constexpr int kMaxMenuDepth = 8;
// SB_SETTEXT takes the pane's index in its low byte and drawing flags above it.
constexpr UINT kLastPane = 0xFF;

// The commands of a toolbar's buttons, sorted.
std::vector<UINT> ButtonCommands(HWND toolbar)
{
    std::vector<UINT> commands;
    const auto count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button = {};
        if (::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) &&
            !(button.fsStyle & BTNS_SEP))
            commands.push_back(static_cast<UINT>(button.idCommand));
    }
    std::sort(commands.begin(), commands.end());
    return commands;
}

} // namespace

CCommandStateMap::Entry* CCommandStateMap::Find(UINT id)
{
    const auto found = m_entries.find(id);
    return found == m_entries.end() ? nullptr : &found->second;
}

const CCommandStateMap::Entry* CCommandStateMap::Find(UINT id) const
{
    const auto found = m_entries.find(id);
    return found == m_entries.end() ? nullptr : &found->second;
}

void CCommandStateMap::Add(UINT id, unsigned kinds, bool runtime)
{
    const auto [position, added] = m_entries.try_emplace(id);
    Entry& entry = position->second;
    if (added)
        entry.runtime = runtime;
    else if (runtime)
        return;
    entry.kinds |= kinds;
    entry.toolBarsKnown = entry.statusBarKnown = false;
}

void CCommandStateMap::AddEntry(UINT id, unsigned kinds)
{
    Add(id, kinds, false);
}

void CCommandStateMap::AddRuntimeEntry(UINT id, unsigned kinds)
{
    Add(id, kinds, true);
}

void CCommandStateMap::Enable(UINT id, bool enabled)
{
    Entry* entry = Find(id);
    if (entry)
        entry->enabled = enabled;
}

void CCommandStateMap::SetCheck(UINT id, bool checked)
{
    Entry* entry = Find(id);
    if (entry)
        entry->checked = checked;
}

void CCommandStateMap::SetText(UINT id, const EString& text)
{
    Entry* entry = Find(id);
    if (entry)
        entry->text = text;
}

bool CCommandStateMap::IsEnabled(UINT id) const
{
    const Entry* entry = Find(id);
    return entry && entry->enabled;
}

bool CCommandStateMap::IsChecked(UINT id) const
{
    const Entry* entry = Find(id);
    return entry && entry->checked;
}

EString CCommandStateMap::GetText(UINT id) const
{
    const Entry* entry = Find(id);
    return entry ? entry->text : EString();
}

void CCommandStateMap::AddToolBar(HWND toolbar)
{
    if (!toolbar || std::find(m_toolBars.begin(), m_toolBars.end(), toolbar) != m_toolBars.end())
        return;
    m_toolBars.push_back(toolbar);
    // The new toolbar has seen nothing yet.
    for (auto& [id, entry] : m_entries)
        entry.toolBarsKnown = false;
}

void CCommandStateMap::SetStatusBar(HWND statusBar)
{
    m_statusBar = statusBar;
    for (auto& [id, entry] : m_entries)
        entry.statusBarKnown = false;
}

void CCommandStateMap::UpdateToolBars()
{
    // A toolbar destroyed with its frame is dropped rather than sent to.
    std::erase_if(m_toolBars, [](HWND toolbar) { return !::IsWindow(toolbar); });
    // Each toolbar is sent the states of its own buttons only: under Wine a
    // state sent costs even to a toolbar without the button. Read afresh once
    // there is something to send, as a toolbar may have been filled again.
    std::vector<std::vector<UINT>> held;
    for (auto& [id, entry] : m_entries) {
        if (!(entry.kinds & ToolBarButton))
            continue;
        const bool sendEnabled = !entry.toolBarsKnown || entry.shownEnabled != entry.enabled;
        const bool sendChecked = !entry.toolBarsKnown || entry.shownChecked != entry.checked;
        if ((sendEnabled || sendChecked) && held.empty())
            std::transform(m_toolBars.begin(), m_toolBars.end(), std::back_inserter(held), ButtonCommands);
        for (size_t bar = 0; bar < held.size(); ++bar) {
            if (!std::binary_search(held[bar].begin(), held[bar].end(), id))
                continue;
            if (sendEnabled)
                ::SendMessageW(m_toolBars[bar], TB_ENABLEBUTTON, id, MAKELPARAM(entry.enabled ? TRUE : FALSE, 0));
            if (sendChecked)
                ::SendMessageW(m_toolBars[bar], TB_CHECKBUTTON, id, MAKELPARAM(entry.checked ? TRUE : FALSE, 0));
        }
        entry.toolBarsKnown = true;
        entry.shownEnabled = entry.enabled;
        entry.shownChecked = entry.checked;
    }
}

void CCommandStateMap::UpdateStatusBar()
{
    if (!m_statusBar || !::IsWindow(m_statusBar))
        return;
    for (auto& [id, entry] : m_entries) {
        if (!(entry.kinds & StatusBarPane) || id > kLastPane ||
            (entry.statusBarKnown && entry.shownText == entry.text))
            continue;
        ::SendMessageW(m_statusBar, SB_SETTEXTW, id, reinterpret_cast<LPARAM>(entry.text.c_str()));
        entry.statusBarKnown = true;
        entry.shownText = entry.text;
    }
}

void CCommandStateMap::UpdateMenu(HMENU popup) const
{
    if (popup)
        UpdateMenuItems(popup, 0);
}

void CCommandStateMap::UpdateMenuItems(HMENU menu, int depth) const
{
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const auto byPosition = static_cast<UINT>(position);
        if (const HMENU submenu = ::GetSubMenu(menu, position)) {
            if (depth < kMaxMenuDepth)
                UpdateMenuItems(submenu, depth + 1);
            continue;
        }
        const Entry* entry = Find(::GetMenuItemID(menu, position));
        if (!entry || !(entry->kinds & MenuItem))
            continue;
        ::EnableMenuItem(menu, byPosition, MF_BYPOSITION | (entry->enabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(menu, byPosition, MF_BYPOSITION | (entry->checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CCommandStateMap::DisableRuntimeEntries()
{
    for (auto& [id, entry] : m_entries) {
        if (entry.runtime)
            entry.enabled = false;
    }
}

LRESULT CCommandStateMap::OnInitMenuPopup(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (!HIWORD(lParam))
        UpdateMenu(reinterpret_cast<HMENU>(wParam));
    handled = false;
    return 0;
}
