#include "reports/CustomizeDialog.h"

#include <commctrl.h>

#include <exception>

#include "dialogs/ChooseFileToOpen.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Locale.h"
#include "reports/DependencyCopy.h"

namespace {

// The plain name, then the numbers 1 to 49.
constexpr int kCopyNamesTried = 50;
// Wide enough for any name: the list shows one column.
constexpr int kColumnWidth = 1000;

EString RowText(HWND list, int row)
{
    wchar_t text[MAX_PATH * 2] = {};
    ListView_GetItemText(list, row, 0, text, static_cast<int>(std::size(text)));
    return text;
}

} // namespace

void CCustomizeDialog::OnInitDialog()
{
    SetWindowText(GetTitle().c_str());
    const HWND list = List();
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (const HICON icon = LoadAppIcon(GetIconId()))
        ImageList_AddIcon(images, icon);
    // The list owns the image list and frees it with itself.
    ListView_SetImageList(list, images, LVSIL_SMALL);
    RefreshList();
    UpdateButtons(-1);
}

CustomFiles& CCustomizeDialog::GetCustomFiles()
{
    if (!m_customFiles)
        m_customFiles = CreateCustomFiles();
    return *m_customFiles;
}

EString CCustomizeDialog::GetUserFolder()
{
    return GetCustomFiles().GetUserFolder();
}

EString CCustomizeDialog::GetTitle()
{
    return TranslatedOrKey(GetTitleKey());
}

void CCustomizeDialog::CopyDependencies(const EString& destinationFolder, const EString& source)
{
    ::CopyDependencies(GetCustomFiles(), destinationFolder, source);
}

EString CCustomizeDialog::ChooseFileToAdd()
{
    EString filter = GetFileFilter();
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    return ChooseFileToOpen(filter, ::GetActiveWindow());
}

void CCustomizeDialog::RefreshList()
{
    ListView_DeleteAllItems(List());
    m_paths.clear();
    m_features.clear();
    m_names.clear();
    std::vector<EString> paths;
    CustomFiles& kind = GetCustomFiles();
    kind.EnumerateFiles(paths);
    const std::vector<EString> names = kind.GetDisplayNames(paths);
    const std::vector<Feature> features = kind.GetFeatures(paths);
    for (size_t i = 0; i < paths.size(); ++i)
        AddToList(paths[i], features[i], names[i]);
    SortRows();
}

int CALLBACK CCustomizeDialog::CompareRowNames(LPARAM first, LPARAM second, LPARAM dialog)
{
    const auto& names = reinterpret_cast<const CCustomizeDialog*>(dialog)->m_names;
    const auto a = static_cast<size_t>(first);
    const auto b = static_cast<size_t>(second);
    if (a >= names.size() || b >= names.size())
        return 0;
    return names[a].CompareNoCase(names[b].c_str());
}

void CCustomizeDialog::SortRows()
{
    ListView_SortItems(List(), CompareRowNames, reinterpret_cast<LPARAM>(this));
}

int CCustomizeDialog::AddToList(const EString& path, const Feature& feature, const EString& name)
{
    m_paths.push_back(path);
    m_features.push_back(feature);
    m_names.push_back(name);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = ListView_GetItemCount(List());
    item.pszText = const_cast<wchar_t*>(name.c_str());
    item.lParam = static_cast<LPARAM>(m_paths.size() - 1);
    const int row = ListView_InsertItem(List(), &item);
    // In list mode the one column's width is that of every name; the list
    // measures it anew as rows come.
    ListView_SetColumnWidth(List(), 0, kColumnWidth);
    return row;
}

int CCustomizeDialog::AddFile(const EString& source)
{
    if (source.IsEmpty())
        return -1;
    const EString folder = Locale::GetLocalizedFolder(GetUserFolder(), true);
    if (folder.IsEmpty())
        return -1;
    EString target;
    for (int number = 0; number < kCopyNamesTried && target.IsEmpty(); ++number) {
        const EString candidate = FileSystem::JoinPath(folder, FileSystem::MakeNumberedFileName(source, number));
        if (FileSystem::CopyFileChecked(candidate, source, false))
            target = candidate;
    }
    if (target.IsEmpty())
        return -1;
    CopyDependencies(FileSystem::GetFolder(target), source);
    CustomFiles& kind = GetCustomFiles();
    AddToList(target, kind.GetFeature(target), kind.GetDisplayName(target));
    SortRows();
    return RowOfPathIndex(static_cast<int>(m_paths.size()) - 1);
}

int CCustomizeDialog::PathIndexOfRow(int row) const
{
    if (row < 0)
        return -1;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(List(), &item) || item.lParam < 0 || static_cast<size_t>(item.lParam) >= m_paths.size())
        return -1;
    return static_cast<int>(item.lParam);
}

int CCustomizeDialog::RowOfPathIndex(int pathIndex) const
{
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = pathIndex;
    return ListView_FindItem(List(), -1, &find);
}

int CCustomizeDialog::SelectedPathIndex() const
{
    return PathIndexOfRow(ListView_GetNextItem(List(), -1, LVNI_SELECTED));
}

bool CCustomizeDialog::IsUserPath(int pathIndex) const
{
    return pathIndex >= 0 && static_cast<size_t>(pathIndex) < m_features.size() &&
           m_features[static_cast<size_t>(pathIndex)].IsUserFile();
}

void CCustomizeDialog::UpdateButtons(int pathIndex)
{
    const bool own = IsUserPath(pathIndex);
    CWindow(GetDlgItem(IDC_CUSTOMIZE_EDIT)).EnableWindow(own);
    CWindow(GetDlgItem(IDC_CUSTOMIZE_REMOVE)).EnableWindow(own);
    CWindow(GetDlgItem(IDC_CUSTOMIZE_COPY)).EnableWindow(pathIndex >= 0);
}

EString CCustomizeDialog::MakeUniqueName(const EString& name, int row) const
{
    const EString prefix = TranslatedOrKey(L"COPY_OF") + L" ";
    EString unique = name;
    const int count = ListView_GetItemCount(List());
    for (bool changed = true; changed;) {
        changed = false;
        for (int other = 0; other < count; ++other)
            if (other != row && RowText(List(), other).CompareNoCase(unique.c_str()) == 0) {
                unique = prefix + unique;
                changed = true;
            }
    }
    return unique;
}

bool CCustomizeDialog::RenameRow(int row, const EString& name)
{
    const int pathIndex = PathIndexOfRow(row);
    if (!IsUserPath(pathIndex))
        return false;
    EString renamed;
    // A template that cannot be loaded or saved raises: the label stays.
    try {
        renamed = GetCustomFiles().Rename(m_paths[static_cast<size_t>(pathIndex)], name);
    } catch (const ComError& error) {
        LogComError(error);
    } catch (const std::exception&) {
    }
    if (renamed.IsEmpty())
        return false;
    m_paths[static_cast<size_t>(pathIndex)] = renamed;
    m_names[static_cast<size_t>(pathIndex)] = name;
    ListView_SetItemText(List(), row, 0, const_cast<wchar_t*>(name.c_str()));
    SortRows();
    return true;
}

void CCustomizeDialog::SelectRow(int row)
{
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(List(), row, FALSE);
}

void CCustomizeDialog::AddAndSelect(const EString& source)
{
    const int row = AddFile(source);
    if (row < 0)
        return;
    const int pathIndex = PathIndexOfRow(row);
    const EString name = RowText(List(), row);
    const EString unique = MakeUniqueName(name, row);
    if (unique != name)
        RenameRow(row, unique);
    SelectRow(RowOfPathIndex(pathIndex));
}

void CCustomizeDialog::EditSelected()
{
    const int pathIndex = SelectedPathIndex();
    if (!IsUserPath(pathIndex))
        return;
    const EString path = m_paths[static_cast<size_t>(pathIndex)];
    // Both quoted: the program and the file may lie in folders with blanks.
    const EString command = EString::Formatted(L"\"%s\" \"%s\"", GetEditorCommand().c_str(), path.c_str());
    if (ClosesBeforeEdit())
        End(IDOK);
    RunProcessAndWait(command, false);
}

LRESULT CCustomizeDialog::OnAdd(WORD, WORD, HWND, bool&)
{
    const EString source = ChooseFileToAdd();
    if (!source.IsEmpty())
        AddAndSelect(source);
    return 0;
}

LRESULT CCustomizeDialog::OnCopy(WORD, WORD, HWND, bool&)
{
    const int pathIndex = SelectedPathIndex();
    if (pathIndex >= 0)
        AddAndSelect(m_paths[static_cast<size_t>(pathIndex)]);
    return 0;
}

LRESULT CCustomizeDialog::OnEdit(WORD, WORD, HWND, bool&)
{
    EditSelected();
    return 0;
}

// Only the user's own file goes, without a question: a shipped one stays.
LRESULT CCustomizeDialog::OnRemove(WORD, WORD, HWND, bool&)
{
    const int pathIndex = SelectedPathIndex();
    if (!IsUserPath(pathIndex))
        return 0;
    const EString path = m_paths[static_cast<size_t>(pathIndex)];
    if (!GetCustomFiles().IsUserFile(path) || !FileSystem::FileExists(path))
        return 0;
    ::DeleteFileW(path.c_str());
    RefreshList();
    UpdateButtons(-1);
    return 0;
}

LRESULT CCustomizeDialog::OnItemChanged(int, NMHDR* header, bool&)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE))
        return 0;
    const bool selected = (change->uNewState & LVIS_SELECTED) != 0;
    UpdateButtons(selected ? PathIndexOfRow(change->iItem) : -1);
    return 0;
}

// TRUE refuses the edit: a shipped file keeps its name.
LRESULT CCustomizeDialog::OnBeginLabelEdit(int, NMHDR* header, bool&)
{
    const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(header);
    return IsUserPath(PathIndexOfRow(info->item.iItem)) ? FALSE : TRUE;
}

// The row's text is set by RenameRow; FALSE keeps the list from setting it again.
LRESULT CCustomizeDialog::OnEndLabelEdit(int, NMHDR* header, bool&)
{
    const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(header);
    if (info->item.pszText)
        RenameRow(info->item.iItem, info->item.pszText);
    return FALSE;
}

LRESULT CCustomizeDialog::OnDoubleClick(int, NMHDR*, bool&)
{
    EditSelected();
    return 0;
}
