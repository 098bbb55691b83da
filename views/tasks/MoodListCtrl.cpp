#include "views/tasks/MoodListCtrl.h"

#include <iterator>
#include <vector>

#include "dialogs/MoodDialog.h"
#include "document/DocumentText.h"
#include "foundation/AppWindow.h"
#include "foundation/Language.h"
#include "resources/MoodListIds.h"
#include "views/common/ListHandler.h"

namespace {

constexpr COLORREF kNewMoodColour = RGB(255, 0, 0);

} // namespace

WindowClass CMoodListCtrl::GetWindowClass()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    return {.name = L"QuorvaneMoodList", .baseName = WC_LISTVIEWW};
}

CMoodListCtrl::~CMoodListCtrl()
{
    if (IsWindow())
        DestroyWindow();
}

HWND CMoodListCtrl::Create(HWND parent)
{
    // The swatches are ours: the list only borrows them.
    return CWindowImpl<CMoodListCtrl>::Create({
        .parent = parent,
        .style = WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
        .exStyle = WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT,
        .rect = {0, 0, 0, 0},
    });
}

void CMoodListCtrl::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    switch (code) {
    case NotifyCode::kAll:
    case NotifyCode::kReload:
        // Every filter change and every other view's edit comes here, and the
        // moods depend on neither: reading them is cheap, refilling the list is not.
        Reload(false);
        break;
    case NotifyCode::kMoodsChanged:
    case NotifyCode::kDocumentLoaded:
        Reload();
        break;
    case NotifyCode::kRedraw:
        if (IsWindow()) {
            Invalidate();
            ::UpdateWindow(m_hWnd);
        }
        break;
    default:
        break;
    }
}

void CMoodListCtrl::UpdateCommandUI(bool active)
{
    const bool selected = IsWindow() && ListHandler(m_hWnd).GetFirstSelected() >= 0;
    SendCommandState(active, ID_TASK_DELETE, selected);
    SendCommandState(active, ID_TASK_EDIT, selected);
    SendCommandState(active, ID_TASK_ADD);
}

void CMoodListCtrl::Reload(bool always)
{
    IMoodDocument* document = GetDocument();
    if (!IsWindow() || !document)
        return;
    std::vector<MoodItem> moods;
    document->GetMoods(moods);
    const int currentId = document->GetCurrentMoodId();
    if (!always && ShowsMoods(moods, currentId))
        return;
    const BoolSwitch reloading(m_reloading);
    ListView_DeleteAllItems(m_hWnd);
    int currentRow = -1;
    int row = 0;
    for (const MoodItem& mood : moods) {
        EString name = mood.GetName();
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row;
        item.pszText = name.data();
        item.iImage = m_icons.GetIcon(mood.GetColor());
        item.lParam = mood.GetId();
        ListView_InsertItem(m_hWnd, &item);
        if (mood.GetId() == currentId)
            currentRow = row;
        ++row;
    }
    if (currentRow >= 0)
        ListHandler(m_hWnd).SelectItem(currentRow);
}

bool CMoodListCtrl::ShowsMoods(const std::vector<MoodItem>& moods, int currentId)
{
    if (ListView_GetItemCount(m_hWnd) != static_cast<int>(moods.size()))
        return false;
    int currentRow = -1;
    wchar_t text[256];
    for (int row = 0; row < static_cast<int>(moods.size()); ++row) {
        const MoodItem& mood = moods[static_cast<size_t>(row)];
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        text[0] = L'\0';
        // Longer names read cut off and so differ from their moods: a refill, never a stale row.
        if (!ListView_GetItem(m_hWnd, &item) || item.lParam != mood.GetId() || mood.GetName() != text ||
            item.iImage != m_icons.GetIcon(mood.GetColor()))
            return false;
        if (mood.GetId() == currentId)
            currentRow = row;
    }
    return ListHandler(m_hWnd).GetFirstSelected() == currentRow;
}

LRESULT CMoodListCtrl::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    PostMessage(WM_VIEW_DEFERRED_INIT);
    handled = false;
    return 0;
}

LRESULT CMoodListCtrl::OnDeferredInit(UINT, WPARAM, LPARAM, bool&)
{
    ListView_SetImageList(m_hWnd, m_icons.GetImageList(), LVSIL_SMALL);
    return 0;
}

LRESULT CMoodListCtrl::OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case NM_DBLCLK:
        PostMessage(WM_COMMAND, MAKEWPARAM(ID_TASK_EDIT, 0));
        return 0;
    case NM_RCLICK: {
        const DWORD position = ::GetMessagePos();
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(position));
        return 1;
    }
    case LVN_ITEMCHANGED:
        if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)
            OnSelectionChanged();
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void CMoodListCtrl::OnSelectionChanged()
{
    IMoodDocument* document = GetDocument();
    // Only a row the user picks is a new mood: a refill, the reselection
    // after it and the moment between two rows without a selection record
    // nothing, so neither grows the mood log nor marks the document changed.
    if (document && !m_reloading) {
        const int row = ListHandler(m_hWnd).GetFirstSelected();
        if (row >= 0) {
            const int moodId = RowMoodId(row);
            if (moodId != document->GetCurrentMoodId())
                document->SetCurrentMood(moodId);
        }
    }
    // Another view's commands stay as they are while it is the active one.
    if (document && document->GetDocumentWindow() == m_hWnd)
        RefreshCommandUI(true);
}

LRESULT CMoodListCtrl::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    ListHandler(m_hWnd).SelectRowForMenu(lParam);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    // From the keyboard.
    if (lParam == -1 || (point.x == -1 && point.y == -1))
        ::GetCursorPos(&point);
    ShowContextMenu(&point, IDR_MOOD_MENU);
    return 0;
}

LRESULT CMoodListCtrl::OnAdd(WORD, WORD, HWND, bool&)
{
    IMoodDocument* document = GetDocument();
    if (!document)
        return 0;
    // The id is drawn even when the user cancels.
    MoodItem mood(Resource::Translate(L"NEW_MOOD"), kNewMoodColour);
    if (EditMood(mood))
        document->AddMood(mood);
    return 1;
}

LRESULT CMoodListCtrl::OnEdit(WORD, WORD, HWND, bool&)
{
    IMoodDocument* document = GetDocument();
    const int row = ListHandler(m_hWnd).GetFirstSelected();
    if (!document || row < 0)
        return 0;
    MoodItem mood;
    if (!document->GetMood(RowMoodId(row), mood))
        return 1;
    if (EditMood(mood))
        document->UpdateMood(mood);
    return 1;
}

LRESULT CMoodListCtrl::OnDelete(WORD, WORD, HWND, bool&)
{
    IMoodDocument* document = GetDocument();
    const int row = ListHandler(m_hWnd).GetFirstSelected();
    if (!document || row < 0)
        return 0;
    wchar_t text[260] = {};
    ListView_GetItemText(m_hWnd, row, 0, text, static_cast<int>(std::size(text)));
    // A translation is no format to trust: its conversions are filled as texts.
    const EString question = FillTextFormat(Resource::Translate(L"ConfirmDeleteMood"), {text});
    if (AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES)
        document->DeleteMood(RowMoodId(row));
    return 1;
}

int CMoodListCtrl::RowMoodId(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ListView_GetItem(m_hWnd, &item) ? static_cast<int>(item.lParam) : -1;
}

bool CMoodListCtrl::EditMood(MoodItem& mood)
{
    CMoodDialog dialog;
    dialog.name = mood.GetName();
    dialog.colour = mood.GetColor();
    if (dialog.DoModal(::GetActiveWindow()) != IDOK)
        return false;
    mood.SetName(dialog.name);
    mood.SetColor(dialog.colour);
    return true;
}
