// CPelquornDoc: plan fragments for the clipboard, and export and import of category branches.
#include "document/PelquornDoc.h"

#include "document/Clipboard.h"
#include "document/DocumentText.h"
#include "document/TextCutNotice.h"
#include "document/xml/XmlFileText.h"
#include "foundation/ComError.h"
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

// The body's refusal, when it reads or inserts an imported file, told with
// that file: the user chose it, and mends it, not the fragment a script wrote.
template <class Body>
auto NamingImportedFile(const EString& path, Body&& body)
{
    if (path.IsEmpty())
        return body();
    try {
        return body();
    } catch (const ComError& error) {
        ThrowComError(error.Error(), FillTextFormat(TranslatedText(L"ImportRefused",
                                                                   L"The file \"%s\" could not be imported: %s"),
                                                    {path, error.Description()}));
    }
}

} // namespace

EString CPelquornDoc::GetCategoryXml(int categoryId)
{
    return Guarded(EString(), [&] { return GetDataManager().GetCategoryXml(categoryId); });
}

EString CPelquornDoc::GetTasksXml()
{
    return Guarded(EString(), [&] { return GetDataManager().GetTasksXml(m_selectedTaskIds); });
}

bool CPelquornDoc::InsertFragment(int categoryId, const EString& text, bool includeActivitiesHistory,
                                  const EString& importedFile)
{
    DataManager::FragmentInsert insert;
    insert.raiseUnreadable = !importedFile.IsEmpty();
    // A fragment that adds nothing, or is refused, leaves the plan as it was
    // and unmodified; a failure once the adds have begun may have added part of it.
    Guarded([&] {
        NamingImportedFile(importedFile, [&] {
            return GetDataManager().InsertXml(categoryId, text, includeActivitiesHistory, &insert);
        });
    });
    TellOverlapsLeft();
    if (!insert.changing)
        return false;
    SetModified(1);
    if (insert.cuts.Any())
        Prompts().ShowError(TextCutNotice(insert.cuts));
    return true;
}

void CPelquornDoc::InsertXml(int categoryId, const EString& text, bool includeActivitiesHistory)
{
    InsertFragment(categoryId, text, includeActivitiesHistory);
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

bool CPelquornDoc::ImportCategory(int categoryId)
{
    ExchangeChoice choice;
    choice.includeActivitiesHistory = Options::GetImportSchedules() != 0;
    if (!m_reports->ChooseImportFile(choice))
        return false;
    const WaitCursor wait;
    Options::SetImportSchedules(choice.includeActivitiesHistory ? 1 : 0);
    const bool converted = !choice.transformer.IsEmpty();
    const EString temporary = converted ? FileSystem::MakeTempFileName() : EString();
    // The file's text, as the paste's, loses the characters XML cannot hold
    // before its parse; what is refused still is told with the file the user chose.
    const EString text = Guarded(EString(), [&] {
        return NamingImportedFile(choice.path, [&] {
            if (converted)
                m_reports->RunConversionScript(choice.transformer, choice.path, temporary, ScriptParameters());
            EString read = XmlFileText::Read(converted ? temporary : choice.path);
            if (read.IsEmpty())
                ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), TranslatedText(L"The file is empty."));
            return read;
        });
    });
    if (converted)
        ::DeleteFileW(temporary.c_str());
    if (text.IsEmpty())
        return false;
    const bool changed = InsertFragment(categoryId, text, choice.includeActivitiesHistory, choice.path);
    if (changed)
        Notify(nullptr, NotifyCode::kAll);
    return changed;
}
