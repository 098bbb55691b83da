#include "foundation/RecentDocumentList.h"

#include <algorithm>

#include "foundation/RegistryKey.h"

namespace {

const wchar_t kListKey[] = L"Recent Document List";
const wchar_t kCountValue[] = L"DocumentCount";

EString DocumentValueName(int number)
{
    return EString::Formatted(L"Document%d", number);
}

EString ListKeyPath(const EString& keyPath)
{
    return keyPath + L"\\" + kListKey;
}

// "&" in a path would otherwise underline the next letter.
EString MenuItemText(int number, const EString& path)
{
    EString text = path;
    text.Replace(L"&", L"&&");
    // The number is the entry's letter; past 9 only 10 has a digit of its own, its 0.
    if (number < 10)
        return EString::Formatted(L"&%d %s", number, text.c_str());
    if (number == 10)
        return EString::Formatted(L"1&0 %s", text.c_str());
    return EString::Formatted(L"%d %s", number, text.c_str());
}

} // namespace

void CRecentDocumentList::AttachToMenu(HMENU menu)
{
    m_menu = menu;
    m_menuPosition = 0;
    m_emptyText.clear();
    if (!menu)
        return;
    const int count = ::GetMenuItemCount(menu);
    m_menuPosition = std::max(count, 0);
    for (int position = 0; position < count; ++position) {
        if (::GetMenuItemID(menu, position) != static_cast<UINT>(kFirstId))
            continue;
        m_menuPosition = position;
        wchar_t text[kMaxPathLength + 8] = {};
        ::GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        m_emptyText = text;
        break;
    }
    UpdateMenu();
}

bool CRecentDocumentList::SetMaxEntries(int count)
{
    if (count < 1 || count > kMaxEntries)
        return false;
    m_maxEntries = count;
    if (GetCount() > count)
        m_entries.erase(m_entries.begin(), m_entries.begin() + (GetCount() - count));
    UpdateMenu();
    return true;
}

bool CRecentDocumentList::AddToList(const EString& path)
{
    if (path.IsEmpty() || path.size() > kMaxPathLength)
        return false;
    const auto same = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const EString& entry) { return entry.CompareNoCase(path.c_str()) == 0; });
    if (same != m_entries.end())
        m_entries.erase(same);
    else if (GetCount() >= m_maxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(path);
    UpdateMenu();
    return true;
}

int CRecentDocumentList::IndexOfId(int id) const
{
    const int offset = id - kFirstId;
    if (offset < 0 || offset >= GetCount())
        return -1;
    return GetCount() - offset - 1;
}

bool CRecentDocumentList::GetFromList(int id, EString& path) const
{
    const int index = IndexOfId(id);
    if (index < 0)
        return false;
    path = m_entries[static_cast<size_t>(index)];
    return true;
}

bool CRecentDocumentList::MoveToTop(int id)
{
    const int index = IndexOfId(id);
    if (index < 0)
        return false;
    const auto entry = m_entries.begin() + index;
    std::rotate(entry, entry + 1, m_entries.end());
    UpdateMenu();
    return true;
}

bool CRecentDocumentList::RemoveFromList(int id)
{
    const int index = IndexOfId(id);
    if (index < 0)
        return false;
    m_entries.erase(m_entries.begin() + index);
    UpdateMenu();
    return true;
}

bool CRecentDocumentList::ReadFromRegistry(const EString& keyPath)
{
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, ListKeyPath(keyPath).c_str()))
        return false;
    DWORD count = 0;
    if (key.QueryDword(kCountValue, count) && count <= static_cast<DWORD>(kMaxEntries))
        SetMaxEntries(static_cast<int>(count));
    std::vector<EString> stored; // most recent first
    for (int number = 1; number <= m_maxEntries; ++number) {
        EString path;
        if (!key.QueryString(DocumentValueName(number).c_str(), path))
            break;
        stored.push_back(path);
    }
    m_entries.clear();
    for (auto path = stored.rbegin(); path != stored.rend(); ++path)
        AddToList(*path);
    UpdateMenu();
    return true;
}

bool CRecentDocumentList::WriteToRegistry(const EString& keyPath) const
{
    RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, ListKeyPath(keyPath).c_str()))
        return false;
    bool written = key.SetDword(kCountValue, static_cast<DWORD>(m_maxEntries));
    int number = 1;
    for (auto path = m_entries.rbegin(); path != m_entries.rend(); ++path, ++number)
        written = key.SetString(DocumentValueName(number).c_str(), *path) && written;
    // Entries of an earlier, longer list must not come back at the next read.
    for (; number <= kMaxEntries; ++number)
        key.DeleteValue(DocumentValueName(number).c_str());
    return written;
}

void CRecentDocumentList::UpdateMenu()
{
    if (!m_menu)
        return;
    for (int id = kFirstId; id <= kLastId; ++id)
        ::DeleteMenu(m_menu, static_cast<UINT>(id), MF_BYCOMMAND);
    const int position = std::min(m_menuPosition, std::max(::GetMenuItemCount(m_menu), 0));
    if (m_entries.empty()) {
        if (!m_emptyText.IsEmpty())
            ::InsertMenuW(m_menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING | MF_GRAYED,
                          static_cast<UINT_PTR>(kFirstId), m_emptyText.c_str());
        return;
    }
    int number = 1;
    for (auto path = m_entries.rbegin(); path != m_entries.rend(); ++path, ++number)
        ::InsertMenuW(m_menu, static_cast<UINT>(position + number - 1), MF_BYPOSITION | MF_STRING,
                      static_cast<UINT_PTR>(kFirstId + number - 1), MenuItemText(number, *path).c_str());
}
