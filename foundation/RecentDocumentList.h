// CRecentDocumentList: the recently used documents, shown in a menu and kept in the registry.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/EString.h"
#include "resources/DocumentCommandIds.h"

// Entries are held oldest first; the menu and the registry show the most
// recent first, under the command ids kFirstId (most recent) upwards.
class CRecentDocumentList {
public:
    static constexpr int kFirstId = ID_FILE_MRU_FIRST;
    static constexpr int kLastId = ID_FILE_MRU_LAST;
    static constexpr int kMaxEntries = kLastId - kFirstId + 1;
    static constexpr int kDefaultEntries = 4;
    static constexpr size_t kMaxPathLength = MAX_PATH;

    virtual ~CRecentDocumentList() = default;

    // The item kFirstId of the menu marks where the entries go; its text is
    // shown, greyed, while the list is empty.
    void AttachToMenu(HMENU menu);
    HMENU GetMenu() const { return m_menu; }

    int GetMaxEntries() const { return m_maxEntries; }
    // False, and nothing changed, outside 1 to kMaxEntries.
    bool SetMaxEntries(int count);

    const std::vector<EString>& GetEntries() const { return m_entries; }
    int GetCount() const { return static_cast<int>(m_entries.size()); }

    // Puts the path on top; a path already listed (in any letter case) moves
    // there, and a full list drops its oldest entry. Empty and over-long
    // paths are refused.
    bool AddToList(const EString& path);
    bool GetFromList(int id, EString& path) const;
    bool MoveToTop(int id);
    bool RemoveFromList(int id);

    // Under HKEY_CURRENT_USER\<keyPath>\Recent Document List: "DocumentCount"
    // is the capacity, "Document1" the most recent path, up to "DocumentN".
    bool ReadFromRegistry(const EString& keyPath);
    bool WriteToRegistry(const EString& keyPath) const;

    void UpdateMenu();

private:
    // The index in m_entries of a command id; -1 outside the list.
    int IndexOfId(int id) const;

    std::vector<EString> m_entries;
    int m_maxEntries = kDefaultEntries;
    HMENU m_menu = nullptr;
    int m_menuPosition = 0;
    EString m_emptyText;
};
