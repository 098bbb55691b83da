#include "views/tasks/CategoryTree.h"

#include "document/Clipboard.h"
#include "foundation/Language.h"
#include "views/common/CategoriesTreeMan.h"

namespace {

constexpr int kCategoryCompleted = 1;

// The commands in the order their states are pushed.
constexpr int kCommandOrder[] = {
    ID_TASK_DELETE, ID_TASK_EDIT, ID_TASK_ADD, ID_TASK_COMPLETE, ID_EDIT_COPY,
    ID_EDIT_CUT,    ID_EDIT_PASTE, ID_EXPORT,  ID_IMPORT,        ID_TASK_REBASE_ESTIMATE,
};

EString TranslatedOr(const wchar_t* key, const wchar_t* fallback)
{
    const EString text = Resource::Translate(key);
    return text.empty() ? EString(fallback) : text;
}

} // namespace

bool CCategoryTree::IsCommandEnabled(int commandId)
{
    const HTREEITEM current = GetCurrentItem();
    const bool category = current && !IsRoot(current);
    switch (commandId) {
    case ID_TASK_ADD:
    case ID_IMPORT:
        return true;
    case ID_TASK_COMPLETE:
        return category && GetDocument() && !GetDocument()->HasUncompletedTasks(ItemCategoryId(current));
    case ID_EDIT_PASTE:
        return Clipboard::IsPrivateFormatOnClipboard();
    case ID_EXPORT:
        return ItemCategoryId(current) != 0;
    case ID_TASK_DELETE:
    case ID_TASK_EDIT:
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_TASK_REBASE_ESTIMATE:
        return category;
    default:
        return false;
    }
}

bool CCategoryTree::IsCommandChecked(int commandId)
{
    if (commandId != ID_TASK_COMPLETE || !GetDocument())
        return false;
    Category category;
    return GetDocument()->GetCategory(GetCurrentCategoryId(), category) && category.GetStatus() != 0;
}

void CCategoryTree::UpdateCommandUI(bool active)
{
    for (const int command : kCommandOrder) {
        const bool enabled = active && IsCommandEnabled(command);
        // The status is read only for an enabled command.
        SendCommandState(active, command, enabled, enabled && IsCommandChecked(command));
    }
}

// A command the frame sends while its state says disabled (an accelerator)
// does nothing, but is still taken: no other handler acts on it for the tree.
#define RETURN_UNLESS_ENABLED(command)                                                                                 \
    if (!GetDocument() || !IsWindow() || !IsCommandEnabled(command))                                                   \
        return 1;

LRESULT CCategoryTree::OnAdd(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_ADD)
    ICategoryTreeDocument& document = *GetDocument();
    const HTREEITEM parent = GetCurrentItem();
    const int parentId = ItemCategoryId(parent);
    CategoryDialogFields fields;
    fields.name = TranslatedOr(L"NEW_CATEGORY", L"New category");
    fields.deadline = document.GetDefaultDeadline();
    if (!m_dialogs->EditCategory(::GetActiveWindow(), fields))
        return 1;
    Category category(fields.name, fields.description, fields.deadline, 0);
    if (!document.AddCategory(parentId, category))
        return 1;
    PrepareTreeMan();
    if (const HTREEITEM item = m_treeMan.InsertCategory(parent, category))
        PostMessage(WM_SELECT_ITEM, reinterpret_cast<WPARAM>(item), 0);
    return 1;
}

LRESULT CCategoryTree::OnEdit(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_EDIT)
    ICategoryTreeDocument& document = *GetDocument();
    const HTREEITEM item = GetCurrentItem();
    const int id = ItemCategoryId(item);
    Category category;
    if (!document.GetCategory(id, category))
        return 1;
    CategoryDialogFields fields;
    fields.name = category.GetName();
    fields.description = category.GetDescription();
    fields.deadline = category.GetDeadline();
    fields.hasUncompletedTasks = document.HasUncompletedTasks(id);
    if (!fields.hasUncompletedTasks)
        fields.completed = category.GetStatus() != 0;
    if (!m_dialogs->EditCategory(::GetActiveWindow(), fields))
        return 1;
    category.SetName(fields.name);
    category.SetDescription(fields.description);
    category.SetStatus(fields.completed ? kCategoryCompleted : 0);
    category.SetDeadline(fields.deadline);
    if (!document.UpdateCategory(category))
        return 1;
    TVITEMW text = {};
    text.mask = TVIF_TEXT | TVIF_HANDLE;
    text.hItem = item;
    text.pszText = fields.name.data();
    TreeView_SetItem(m_hWnd, &text);
    NotifyDocument(this, NotifyCode::kAll);
    return 1;
}

void CCategoryTree::DeleteCurrentItem()
{
    GetDocument()->DeleteCategory(ItemCategoryId(GetCurrentItem()));
    RemoveCurrentItem();
}

void CCategoryTree::RemoveCurrentItem()
{
    const HTREEITEM item = GetCurrentItem();
    if (m_currentItem == item)
        m_currentItem = nullptr;
    TreeView_DeleteItem(m_hWnd, item);
    // The category's tasks went with it: the task list and the summary follow.
    NotifyDocument(this, NotifyCode::kAll);
}

LRESULT CCategoryTree::OnDelete(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_DELETE)
    if (m_dialogs->ConfirmDelete(TranslatedOr(L"ConfirmDeleteCategory",
                                              L"Delete the category with its subcategories and tasks?")))
        DeleteCurrentItem();
    return 1;
}

LRESULT CCategoryTree::OnComplete(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_COMPLETE)
    ICategoryTreeDocument& document = *GetDocument();
    Category category;
    if (!document.GetCategory(GetCurrentCategoryId(), category))
        return 1;
    category.SetStatus(category.GetStatus() != 0 ? 0 : kCategoryCompleted);
    if (document.UpdateCategory(category) && !document.IsCategoryShown(category)) {
        const HTREEITEM item = GetCurrentItem();
        if (m_currentItem == item)
            m_currentItem = nullptr;
        TreeView_DeleteItem(m_hWnd, item);
    }
    NotifyDocument(this, NotifyCode::kAll);
    return 1;
}

bool CCategoryTree::CopyCurrentItem()
{
    return GetDocument()->CopyCategoryToClipboard(GetCurrentCategoryId(), m_hWnd);
}

LRESULT CCategoryTree::OnCopy(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EDIT_COPY)
    CopyCurrentItem();
    return 1;
}

LRESULT CCategoryTree::OnCut(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EDIT_CUT)
    if (GetDocument()->CutCategoryToClipboard(ItemCategoryId(GetCurrentItem()), m_hWnd))
        RemoveCurrentItem();
    return 1;
}

LRESULT CCategoryTree::OnPaste(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EDIT_PASTE)
    const EString text = Clipboard::GetPrivateClipboardText(m_hWnd);
    if (!text.IsEmpty())
        GetDocument()->InsertXml(GetCurrentCategoryId(), text, false);
    NotifyDocument(nullptr, NotifyCode::kAll);
    return 1;
}

LRESULT CCategoryTree::OnExport(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EXPORT)
    GetDocument()->ExportCategory(GetCurrentCategoryId());
    return 1;
}

LRESULT CCategoryTree::OnImport(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_IMPORT)
    // The category the menu was opened on shows what came in; a refused
    // import leaves the selection, a change of the plan, where it was.
    const int id = GetCurrentCategoryId();
    if (GetDocument()->ImportCategory(id))
        SelectCategory(id);
    return 1;
}

LRESULT CCategoryTree::OnRebaseEstimate(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_REBASE_ESTIMATE)
    GetDocument()->ResetOriginalEstimations(GetCurrentCategoryId());
    NotifyDocument(this, NotifyCode::kCategorySelected);
    return 1;
}
