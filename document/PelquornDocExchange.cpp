// CPelquornDoc: plan fragments for the clipboard, and export and import of category branches.
#include "document/PelquornDoc.h"

#include "document/Clipboard.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"

namespace {

class WaitCursor {
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { ::SetCursor(m_previous); }

private:
    HCURSOR m_previous;
};

} // namespace

EString CPelquornDoc::GetCategoryXml(int categoryId)
{
    return Guarded(EString(), [&] { return GetDataManager().GetCategoryXml(categoryId); });
}

EString CPelquornDoc::GetTasksXml()
{
    return Guarded(EString(), [&] { return GetDataManager().GetTasksXml(m_selectedTaskIds); });
}

void CPelquornDoc::InsertXml(int categoryId, const EString& text, bool includeActivitiesHistory)
{
    // A fragment that adds nothing, or is refused, leaves the plan as it was
    // and unmodified; a failure once the adds have begun may have added part of it.
    bool changing = false;
    Guarded([&] { GetDataManager().InsertXml(categoryId, text, includeActivitiesHistory, &changing); });
    TellOverlapsLeft();
    if (changing)
        SetModified(1);
}

void CPelquornDoc::PasteXml(const EString& text)
{
    InsertXml(m_currentCategoryId, text, false);
}

bool CPelquornDoc::CopyTasksToClipboard(HWND owner)
{
    const EString text = GetTasksXml();
    return !text.IsEmpty() && Clipboard::SetPrivateClipboardText(text, owner);
}

bool CPelquornDoc::CopyCategoryToClipboard(int categoryId, HWND owner)
{
    const EString text = GetCategoryXml(categoryId);
    return !text.IsEmpty() && Clipboard::SetPrivateClipboardText(text, owner);
}

bool CPelquornDoc::CutCategoryToClipboard(int categoryId, HWND owner)
{
    // The top or a category that is not there: the clipboard keeps what it held.
    if (categoryId <= 0 || !Silently(false, [&] { return !GetDataManager().FindCategory(categoryId).IsEmpty(); }))
        return false;
    const EString text = Guarded(EString(), [&] { return GetDataManager().GetCutCategoryXml(categoryId); });
    // Only what the clipboard holds may leave the plan.
    if (text.IsEmpty() || !Clipboard::SetPrivateClipboardText(text, owner))
        return false;
    SetModified(1);
    Guarded([&] { GetDataManager().CutCategory(categoryId); });
    return true;
}

bool CPelquornDoc::PasteFromClipboard(HWND owner)
{
    const EString text = Clipboard::GetPrivateClipboardText(owner);
    if (text.IsEmpty())
        return false;
    PasteXml(text);
    return true;
}

void CPelquornDoc::ExportCategory(int categoryId)
{
    ExchangeChoice choice;
    if (!m_reports->ChooseExportFile(choice))
        return;
    const WaitCursor wait;
    // The fragment's failure has been shown; nothing goes over the chosen file.
    const EString text = GetCategoryXml(categoryId);
    if (text.IsEmpty())
        return;
    if (choice.transformer.IsEmpty()) {
        Guarded([&] { WriteXmlFile(text, choice.path); });
        return;
    }
    // The script's input holds the plan's text: it never stays behind.
    const EString source = FileSystem::MakeTempFileName();
    Guarded([&] {
        WriteXmlFile(text, source);
        const ScriptParameters parameters = {
            {L"Filter", EString::Formatted(L"%d", m_statusFilter)},
            {L"TransparentCategories", EString::Formatted(L"%d", m_transparentCategories)},
            {L"ProjectPath", GetCategoryPath(categoryId)},
        };
        m_reports->RunConversionScript(choice.transformer, source, choice.path, parameters);
    });
    if (!source.IsEmpty())
        ::DeleteFileW(source.c_str());
}

void CPelquornDoc::ImportCategory(int categoryId)
{
    ExchangeChoice choice;
    choice.includeActivitiesHistory = Options::GetImportSchedules() != 0;
    if (!m_reports->ChooseImportFile(choice))
        return;
    const WaitCursor wait;
    Options::SetImportSchedules(choice.includeActivitiesHistory ? 1 : 0);
    const bool converted = !choice.transformer.IsEmpty();
    const EString temporary = converted ? FileSystem::MakeTempFileName() : EString();
    const EString text = Guarded(EString(), [&] {
        if (converted)
            m_reports->RunConversionScript(choice.transformer, choice.path, temporary, ScriptParameters());
        return ReadXmlFile(converted ? temporary : choice.path);
    });
    if (!text.IsEmpty()) {
        InsertXml(categoryId, text, choice.includeActivitiesHistory);
        Notify(nullptr, NotifyCode::kAll);
    }
    if (converted)
        ::DeleteFileW(temporary.c_str());
}
