#include "views/tasks/PeopleTreeView.h"

#include <unordered_map>
#include <vector>

#include "document/Clipboard.h"
#include "document/DocumentText.h"
#include "foundation/BlankName.h"
#include "foundation/BoolSwitch.h"
#include "foundation/Language.h"
#include "resources/IconIds.h"
#include "resources/PeopleTreeIds.h"
#include "views/common/TreePaneStyle.h"
#include "views/common/TreeViewHandler.h"
#include "winlib/RedrawSuspension.h"

namespace {

constexpr unsigned kPeopleIcons[] = {IDI_PEOPLE_GROUP, IDI_PEOPLE_GROUP_OPEN, IDI_PEOPLE_PERSON};

std::vector<int> ToIds(const std::vector<LPARAM>& data)
{
    return std::vector<int>(data.begin(), data.end());
}

} // namespace

WindowClass CPeopleTreeView::GetWindowClass()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    return {.name = L"QuorvanePeopleTree", .baseName = WC_TREEVIEWW};
}

CPeopleTreeView::~CPeopleTreeView()
{
    if (IsWindow())
        DestroyWindow();
}

HWND CPeopleTreeView::Create(HWND parent)
{
    return CWindowImpl<CPeopleTreeView>::Create({
        .parent = parent,
        .style = kTreePaneStyle,
        .exStyle = WS_EX_CLIENTEDGE,
        .rect = {0, 0, 0, 0},
    });
}

void CPeopleTreeView::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    IPeopleDocument* document = GetDocument();
    if (!IsWindow() || !document)
        return;
    switch (code) {
    case NotifyCode::kAll:
    case NotifyCode::kReload:
        Refill();
        break;
    case NotifyCode::kRedraw:
        Invalidate();
        ::UpdateWindow(m_hWnd);
        break;
    case NotifyCode::kEndEditsInPlace:
        TreeView_EndEditLabelNow(m_hWnd, FALSE);
        break;
    case NotifyCode::kDocumentLoaded: {
        // A rename still open was of a person of the plan that went.
        TreeView_EndEditLabelNow(m_hWnd, TRUE);
        const BoolSwitch refilling(m_refilling);
        const int selected = document->GetSelectedPerson();
        FillAndOpen(ReadEntries());
        SelectPerson(selected);
        break;
    }
    case NotifyCode::kStoreViewState:
        if (!m_refilling)
            StoreViewState();
        break;
    default:
        break;
    }
}

void CPeopleTreeView::UpdateCommandUI(bool active)
{
    const bool current = m_current != nullptr;
    SendCommandState(active, ID_TASK_DELETE, current);
    SendCommandState(active, ID_TASK_EDIT, current);
    SendCommandState(active, ID_TASK_ADD, CanAddHere());
    SendCommandState(active, ID_ADD_GROUP, CanAddHere());
}

bool CPeopleTreeView::PreTranslateMessage(MSG* message)
{
    if (CTreeViewHandler(m_hWnd).DispatchLabelEditorKey(message))
        return true;
    return ViewBase::PreTranslateMessage(message);
}

void CPeopleTreeView::Refill()
{
    if (!IsWindow() || !GetDocument())
        return;
    const CTreeViewHandler tree(m_hWnd);
    // Every filter change and every other view's edit comes here, and people
    // depend on neither: reading them is cheap, remaking the tree is not.
    const std::vector<Entry> entries = ReadEntries();
    if (RecordsOf(entries) == tree.ListItems())
        return;
    const BoolSwitch refilling(m_refilling);
    const int selected = static_cast<int>(tree.GetSelectedData());
    const int parent = static_cast<int>(tree.GetSelectedParentData());
    StoreExpanded();
    FillAndOpen(entries);
    if (!SelectPerson(selected))
        SelectPerson(parent);
}

std::vector<CPeopleTreeView::Entry> CPeopleTreeView::ReadEntries()
{
    std::vector<Entry> entries;
    ReadChildren(0, entries);
    return entries;
}

void CPeopleTreeView::ReadChildren(int groupId, std::vector<Entry>& entries)
{
    std::vector<Person> people;
    // The first read of an empty list writes the default people.
    if (!GetDocument()->GetPeople(groupId, people))
        return;
    for (Person& person : people) {
        const int id = person.GetId();
        entries.push_back({groupId, std::move(person)});
        ReadChildren(id, entries);
    }
}

std::vector<TreeItemRecord> CPeopleTreeView::RecordsOf(const std::vector<Entry>& entries)
{
    std::vector<TreeItemRecord> records;
    records.reserve(entries.size());
    for (const Entry& entry : entries)
        records.push_back({entry.person.GetId(), entry.groupId, entry.person.GetDisplayName(),
                           entry.person.IsGroup() ? kGroupImage : kPersonImage});
    SortTreeItemRecords(records);
    return records;
}

void CPeopleTreeView::FillAndOpen(const std::vector<Entry>& entries)
{
    const CRedrawSuspension suspended(m_hWnd);
    m_current = nullptr;
    TreeView_DeleteAllItems(m_hWnd);
    // Each group is in before its members; a member of a group that could
    // not be inserted is left out with it.
    std::unordered_map<int, HTREEITEM> items = {{0, TVI_ROOT}};
    for (const Entry& entry : entries) {
        const auto parent = items.find(entry.groupId);
        if (parent == items.end())
            continue;
        if (const HTREEITEM item = InsertPerson(parent->second, entry.person))
            items.emplace(entry.person.GetId(), item);
    }
    RestoreExpanded();
}

HTREEITEM CPeopleTreeView::InsertPerson(HTREEITEM parent, const Person& person)
{
    EString text = person.GetDisplayName();
    const int image = person.IsGroup() ? kGroupImage : kPersonImage;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.lParam = person.GetId();
    return TreeView_InsertItem(m_hWnd, &insert);
}

bool CPeopleTreeView::SelectPerson(int id)
{
    const HTREEITEM hit = id ? FindPerson(id) : nullptr;
    const HTREEITEM target = hit ? hit : TreeView_GetRoot(m_hWnd);
    if (!target)
        return false;
    // Wine's EnsureVisible may leave a collapsed parent closed: open the way down first.
    for (HTREEITEM parent = TreeView_GetParent(m_hWnd, target); parent; parent = TreeView_GetParent(m_hWnd, parent))
        TreeView_Expand(m_hWnd, parent, TVE_EXPAND);
    TreeView_SelectItem(m_hWnd, target);
    ShowItem(target);
    return hit != nullptr;
}

// A label wider than a narrow pane scrolls the tree sideways to show it;
// back at the left edge the buttons and pictures show again.
void CPeopleTreeView::ShowItem(HTREEITEM item)
{
    TreeView_EnsureVisible(m_hWnd, item);
    SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

HTREEITEM CPeopleTreeView::FindPerson(int id) const
{
    return FindBelow(TreeView_GetRoot(m_hWnd), id);
}

// Depth-first over `first` and its siblings, every branch included.
HTREEITEM CPeopleTreeView::FindBelow(HTREEITEM first, int id) const
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(m_hWnd, item)) {
        if (GetItemId(item) == id)
            return item;
        if (const HTREEITEM hit = FindBelow(TreeView_GetChild(m_hWnd, item), id))
            return hit;
    }
    return nullptr;
}

int CPeopleTreeView::GetItemId(HTREEITEM item) const
{
    return static_cast<int>(CTreeViewHandler(m_hWnd).GetItemData(item));
}

bool CPeopleTreeView::IsGroupItem(HTREEITEM item) const
{
    TVITEMW tvItem = {};
    tvItem.mask = TVIF_IMAGE | TVIF_HANDLE;
    tvItem.hItem = item;
    return item && TreeView_GetItem(m_hWnd, &tvItem) && tvItem.iImage == kGroupImage;
}

bool CPeopleTreeView::IsActive() const
{
    return GetDocument() && GetDocument()->GetDocumentWindow() == m_hWnd;
}

// The open groups go into the file with the next save, as the selected
// person does; opening a group is no edit that asks to be saved.
void CPeopleTreeView::StoreExpanded()
{
    IPeopleDocument* document = GetDocument();
    std::vector<LPARAM> expanded;
    CTreeViewHandler(m_hWnd).CollectExpanded(expanded);
    const std::vector<int> ids = ToIds(expanded);
    std::vector<int> stored;
    document->LoadPeopleTreeState(stored);
    if (stored == ids)
        return;
    const int modified = document->IsModified();
    document->SavePeopleTreeState(ids);
    if (!modified)
        document->SetModified(0);
}

void CPeopleTreeView::RestoreExpanded()
{
    std::vector<int> ids;
    GetDocument()->LoadPeopleTreeState(ids);
    CTreeViewHandler(m_hWnd).ExpandPath(std::vector<LPARAM>(ids.begin(), ids.end()));
}

void CPeopleTreeView::StoreViewState()
{
    StoreExpanded();
    GetDocument()->SetSelectedPerson(GetItemId(TreeView_GetSelection(m_hWnd)));
}

LRESULT CPeopleTreeView::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    PostMessage(WM_VIEW_DEFERRED_INIT);
    handled = false;
    return 0;
}

LRESULT CPeopleTreeView::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    m_dropTarget.Revoke();
    handled = false;
    return 0;
}

LRESULT CPeopleTreeView::OnDeferredInit(UINT, WPARAM, LPARAM, bool&)
{
    CTreeViewHandler(m_hWnd).LoadImages(m_images, kPeopleIcons);
    m_dropTarget.Register(m_hWnd, this);
    return 0;
}

LRESULT CPeopleTreeView::OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case TVN_GETDISPINFOW:
    case TVN_GETDISPINFOA:
        CTreeViewHandler(m_hWnd).SetChildrenFlag(reinterpret_cast<NMTVDISPINFOW*>(lParam));
        return 0;
    case NM_RCLICK:
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(::GetMessagePos()));
        return 1;
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
        OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.hItem);
        return 0;
    case TVN_ITEMEXPANDEDW:
    case TVN_ITEMEXPANDEDA:
        if (!m_refilling && GetDocument())
            StoreExpanded();
        return 0;
    case TVN_DELETEITEMW:
    case TVN_DELETEITEMA:
        if (reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemOld.hItem == m_current)
            m_current = nullptr;
        return 0;
    case TVN_BEGINLABELEDITW:
        // Non-zero keeps the editor away.
        return m_current ? FALSE : TRUE;
    case TVN_ENDLABELEDITW:
        return OnEndLabelEdit(*reinterpret_cast<const NMTVDISPINFOW*>(lParam)) ? TRUE : FALSE;
    default:
        handled = false;
        return 0;
    }
}

// The current item follows the selection, so the menu, the toolbar and
// Enter act on what the user sees selected.
void CPeopleTreeView::OnSelectionChanged(HTREEITEM item)
{
    m_current = item;
    if (!m_refilling && GetDocument())
        GetDocument()->SetSelectedPerson(GetItemId(item));
    if (IsActive())
        RefreshCommandUI(true);
}

bool CPeopleTreeView::OnEndLabelEdit(const NMTVDISPINFOW& info)
{
    IPeopleDocument* document = GetDocument();
    // A name of blanks would leave the item without a label: the old one stays.
    if (!info.item.pszText || !document || IsBlankName(info.item.pszText))
        return false;
    Person person;
    if (!document->GetPerson(GetItemId(info.item.hItem), person))
        return false;
    person.SetName(info.item.pszText);
    return document->UpdatePerson(person);
}

LRESULT CPeopleTreeView::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1 || (point.x == -1 && point.y == -1)) {
        // From the keyboard: below the selected item's text.
        m_current = TreeView_GetSelection(m_hWnd);
        point = {0, 0};
        RECT text = {};
        if (m_current && TreeView_GetItemRect(m_hWnd, m_current, &text, TRUE))
            point = {text.left, text.bottom};
        ::ClientToScreen(m_hWnd, &point);
    } else {
        TVHITTESTINFO hit = {};
        hit.pt = point;
        ::ScreenToClient(m_hWnd, &hit.pt);
        m_current = TreeView_HitTest(m_hWnd, &hit);
    }
    // The chosen command runs before the menu call returns, on that item.
    ShowContextMenu(&point, IDR_PEOPLE_MENU);
    m_current = TreeView_GetSelection(m_hWnd);
    if (IsActive())
        RefreshCommandUI(true);
    return 0;
}

LRESULT CPeopleTreeView::OnAddGroup(WORD, WORD, HWND, bool&)
{
    if (!GetDocument())
        return 0;
    EString name;
    EString description;
    if (CanAddHere() && m_dialogs->EditGroup(::GetActiveWindow(), name, description)) {
        Person group(1, name, description, EString(), EString(), 0);
        AddEntry(group);
    }
    return 1;
}

LRESULT CPeopleTreeView::OnAdd(WORD, WORD, HWND, bool&)
{
    if (!GetDocument())
        return 0;
    PersonDialogFields fields;
    if (CanAddHere() && m_dialogs->EditPerson(::GetActiveWindow(), fields)) {
        Person person(0, fields.name, fields.description, fields.fullName, fields.email, fields.requireInvitation);
        AddEntry(person);
    }
    return 1;
}

// Under the current group, or at the top when there is none.
void CPeopleTreeView::AddEntry(Person& person)
{
    const HTREEITEM parent = m_current;
    if (!GetDocument()->AddPerson(GetItemId(parent), person))
        return;
    if (const HTREEITEM item = InsertPerson(parent ? parent : TVI_ROOT, person))
        PostMessage(kSelectItemMessage, reinterpret_cast<WPARAM>(item), person.GetId());
}

LRESULT CPeopleTreeView::OnSelectItem(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    const auto item = reinterpret_cast<HTREEITEM>(wParam);
    // A refill in between has made new items: the handle is looked for, never read blindly.
    if (!item || FindPerson(static_cast<int>(lParam)) != item)
        return 0;
    if (const HTREEITEM parent = TreeView_GetParent(m_hWnd, item))
        TreeView_Expand(m_hWnd, parent, TVE_EXPAND);
    TreeView_SelectItem(m_hWnd, item);
    ShowItem(item);
    return 0;
}

LRESULT CPeopleTreeView::OnEdit(WORD, WORD, HWND, bool&)
{
    IPeopleDocument* document = GetDocument();
    if (!document)
        return 0;
    const HTREEITEM item = m_current;
    Person person;
    if (!item || !document->GetPerson(GetItemId(item), person))
        return 1;
    if (person.IsGroup()) {
        EString name = person.GetName();
        EString description = person.GetDescription();
        if (!m_dialogs->EditGroup(::GetActiveWindow(), name, description))
            return 1;
        person.SetName(name);
        person.SetDescription(description);
    } else {
        PersonDialogFields fields = {person.GetName(), person.GetDescription(), person.GetFullName(),
                                     person.GetEmail(), person.GetRequireInvitation()};
        if (!m_dialogs->EditPerson(::GetActiveWindow(), fields))
            return 1;
        person.SetName(fields.name);
        person.SetDescription(fields.description);
        person.SetFullName(fields.fullName);
        person.SetEmail(fields.email);
        person.SetRequireInvitation(fields.requireInvitation);
    }
    if (document->UpdatePerson(person)) {
        EString text = person.GetDisplayName();
        TVITEMW tvItem = {};
        tvItem.mask = TVIF_TEXT | TVIF_HANDLE;
        tvItem.hItem = item;
        tvItem.pszText = text.data();
        TreeView_SetItem(m_hWnd, &tvItem);
    }
    return 1;
}

LRESULT CPeopleTreeView::OnDelete(WORD, WORD, HWND, bool&)
{
    IPeopleDocument* document = GetDocument();
    if (!document)
        return 0;
    const HTREEITEM item = m_current;
    if (!item)
        return 1;
    const int id = GetItemId(item);
    Person person;
    if (!document->GetPerson(id, person))
        person = Person();
    // A translation is no format to trust: its conversions are filled as texts.
    const EString question = FillTextFormat(
        Resource::Translate(person.IsGroup() ? L"ConfirmDeleteGroup" : L"ConfirmDeletePerson"),
        {person.GetDisplayName()});
    if (m_dialogs->ConfirmDelete(question)) {
        document->DeletePerson(id);
        TreeView_DeleteItem(m_hWnd, item);
    }
    return 1;
}

bool CPeopleTreeView::CanAcceptData(IDataObject* dataObject)
{
    return Clipboard::IsPrivateFormatInDataObject(dataObject);
}

void CPeopleTreeView::OnDragLeave()
{
    TreeView_SelectDropTarget(m_hWnd, nullptr);
    StopScrollTimer();
    KillTimer(kExpandTimer);
    m_expandTimerRunning = 0;
}

void CPeopleTreeView::OnDragOver(int x, int y)
{
    CTreeViewHandler(m_hWnd).DropHighlightAt(POINT{x, y});
    if (!CheckAutoScroll(x, y))
        StartExpandTimer();
}

// Bands in the order left, right, top, bottom, each over the whole other
// extent; left and top edges inside, right and bottom outside. The timer
// starts or stops only when the pointer moved.
bool CPeopleTreeView::CheckAutoScroll(int x, int y)
{
    const RECT client = GetClientRect();
    const bool across = x >= client.left && x < client.right;
    const bool down = y >= client.top && y < client.bottom;
    int zone = 0;
    if (down && x >= client.left && x < client.left + kBandSize)
        zone = 1;
    else if (down && x >= client.right - kBandSize && x < client.right)
        zone = 2;
    else if (across && y >= client.top && y < client.top + kBandSize)
        zone = 3;
    else if (across && y >= client.bottom - kBandSize && y < client.bottom)
        zone = 4;
    if (x != m_lastPoint.x || y != m_lastPoint.y) {
        m_zone = zone;
        if (zone)
            StartScrollTimer();
        else
            StopScrollTimer();
        m_lastPoint = {x, y};
    }
    return zone != 0;
}

void CPeopleTreeView::StartScrollTimer()
{
    SetTimer(kScrollTimer, kScrollPeriodMs);
}

void CPeopleTreeView::StopScrollTimer()
{
    KillTimer(kScrollTimer);
    m_zone = 0;
}

void CPeopleTreeView::OnScrollTimer()
{
    switch (m_zone) {
    case 1:
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        break;
    case 2:
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        break;
    case 3:
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        break;
    case 4:
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        break;
    default:
        // A tick left over from before the drag left the bands.
        return;
    }
    StartScrollTimer();
}

void CPeopleTreeView::StartExpandTimer()
{
    if (!TreeView_GetDropHilight(m_hWnd) || m_expandTimerRunning)
        return;
    m_expandTimerRunning = 1;
    SetTimer(kExpandTimer, kExpandPeriodMs);
}

// Whatever is highlighted now opens; the period runs on until the drag ends.
void CPeopleTreeView::OnExpandTimer()
{
    if (const HTREEITEM item = TreeView_GetDropHilight(m_hWnd)) {
        TreeView_Expand(m_hWnd, item, TVE_EXPAND);
        SetTimer(kExpandTimer, kExpandPeriodMs);
        return;
    }
    // Nothing to open: the next item the drag highlights starts it again.
    m_expandTimerRunning = 0;
}

LRESULT CPeopleTreeView::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != kScrollTimer && wParam != kExpandTimer) {
        handled = false;
        return 0;
    }
    KillTimer(wParam);
    if (wParam == kScrollTimer)
        OnScrollTimer();
    else
        OnExpandTimer();
    return 0;
}

bool CPeopleTreeView::OnDrop(IDataObject*, int, int, DWORD)
{
    OnDragLeave();
    return false;
}
