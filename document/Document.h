// CDocument: the document base: observers, path, title, modified flag, recent documents and the File commands.
#pragma once

#include <windows.h>

#include <memory>

#include "document/DocumentMessages.h"
#include "document/IDocumentPrompts.h"
#include "document/ISubjectImpl.h"
#include "document/IViewDocument.h"
#include "foundation/EString.h"
#include "resources/DocumentCommandIds.h"
#include "foundation/MessageMap.h"
#include "foundation/RecentDocumentList.h"

class ComError;

// Knows nothing of plans: the derived document loads, saves and empties
// itself in OnNewDocument, OnOpenDocument and OnSaveDocument. What every view
// asks of it, it answers here.
class CDocument : public ISubjectImpl, public CMessageMap, public virtual IViewDocument {
public:
    CDocument();
    ~CDocument() override;

    // Also posts WM_PELQUORN_DOC_CHANGED to the document window, once the
    // observers have been told.
    void Notify(IObserver* sender, DocNotifyCode code) override;

    virtual void SetModified(int modified);
    // Leaves the modified flag as the new document needs it.
    virtual bool OnNewDocument()
    {
        SetModified(0);
        return true;
    }
    virtual bool OnOpenDocument(const EString& /*path*/) { return true; }
    virtual bool OnSaveDocument(const EString& /*path*/) { return true; }
    virtual void UpdateCommandStates(bool /*enable*/) {}
    // Called once a new or opened document is in place.
    virtual void OnDocumentReady() {}
    // Called once a plan the user asked for has replaced the one before it
    // (New, Open, a recent file, a hand-over), not at the start-up's open.
    virtual void OnPlanReplaced() {}
    // True when the file is a copy that stands in for another document: it
    // is opened under `original` (empty: unnamed) and stays modified, so
    // that the next save goes to the document and never to the copy.
    virtual bool IsCopyOf(const EString& /*path*/, EString& /*original*/) const { return false; }
    // The application key under HKEY_CURRENT_USER.
    virtual EString GetRegistryKey() const = 0;
    // Pairs of a description and a pattern, each ending with a NUL; the
    // second pair names the document files.
    virtual EString GetFileFilter() const = 0;
    virtual EString GetDefaultExtension() const = 0;

    int IsModified() const { return m_modified; }
    // True while an open, a new plan or a save under another name is under
    // way: the path and the plan held may then belong to different files.
    bool IsChangingPlan() const { return m_planChanges > 0; }
    // True while another plan is being read, made or put in place of the one
    // held (an open, New, the start-up's open): what the document holds is
    // then of no file, or of another file than its path. Nothing may read,
    // change or save it meanwhile; the document itself writes nothing.
    bool IsOpeningPlan() const { return m_planOpens > 0; }
    // From the window's making until the start-up open has run, the path
    // names a plan that is not read yet: the document counts as opening.
    void HoldUntilStartupOpen();
    const EString& GetPathName() const { return m_path; }
    void SetPathName(const EString& path) { m_path = path; }
    // The file the start-up open will try first: the path set, else the most
    // recent file; empty when there is neither.
    EString GetStartupOpenPath() const;
    HWND GetDocumentWindow() const override { return m_documentWindow; }
    // The active view sets its window here.
    void SetDocumentWindow(HWND window) override { m_documentWindow = window; }
    const CRecentDocumentList& GetRecentList() const { return m_recentList; }
    // The program puts its message boxes and file dialogs here, tests their
    // own answers; null: every question cancelled.
    void SetPrompts(IDocumentPrompts* prompts) { m_prompts = prompts ? prompts : &m_inertPrompts; }

    // "path* - Quorvane": the path or "Untitled", "*" while modified.
    EString GetTitle() const;
    // While the plan changes the window keeps the title of the plan it had:
    // the path and the mark may be of a file not read yet, or never read. The
    // title follows when the change is over.
    void UpdateTitle();
    // True when the document may be dropped: it is unchanged, the user said
    // No, or said Yes and the save succeeded. Edits in place end first, on
    // this plan, so that the question covers them.
    bool SaveModified();
    void NewDocument();
    bool OpenCurrentPath();
    // A failed open leaves path, title and recent list as they were.
    bool OpenPath(const EString& path);
    bool DoSave();
    bool SaveAs();
    bool Save();
    void UpdateRecentList();
    void RefreshUI() override;

    BEGIN_MESSAGE_MAP(CDocument)
        ON_MESSAGE(WM_PELQUORN_START_OPEN, OnStartupOpen)
        ON_MESSAGE(WM_CLOSE, OnClose)
        ON_COMMAND(ID_FILE_NEW, OnFileNew)
        ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
        ON_COMMAND(ID_FILE_SAVE, OnFileSave)
        ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
        ON_COMMAND_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnFileMru)
    END_MESSAGE_MAP()

    LRESULT OnStartupOpen(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The start-up path, else the most recent file; else, or when it fails, a new plan.
    void OpenAtStartup();
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnFileNew(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnFileOpen(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnFileSave(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnFileSaveAs(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnFileMru(WORD code, WORD id, HWND control, bool& handled);

protected:
    IDocumentPrompts& Prompts() { return *m_prompts; }

    // Held from the moment the path or the plan starts to change until both
    // name the same plan again; nested holds count. The last to go renews
    // the title. What arrives during an opening (a command, a hand-over,
    // Exit) waits for its end, which the main window hears of as
    // WM_MODAL_WORK_ENDED, as it hears of the end of modal work.
    class PlanChange {
    public:
        // Renaming: the plan held stays whole and only its path changes (Save As).
        enum Kind { Opening, Renaming };
        PlanChange(CDocument& document, Kind kind);
        ~PlanChange();
        PlanChange(const PlanChange&) = delete;
        PlanChange& operator=(const PlanChange&) = delete;

    private:
        CDocument& m_document;
        const Kind m_kind;
    };

private:
    EString GetDisplayName() const;
    // Gives the document back its path, its modified mark and its title.
    void KeepAfterFailedOpen(const EString& previousPath, int wasModified);
    void ShowFileError(const ComError& error);
    // The same for an exception that is no ComError, which is logged too.
    void ShowCaughtFileFailure();

    int m_modified = 0;
    int m_planChanges = 0;
    int m_planOpens = 0;
    std::unique_ptr<PlanChange> m_startupHold;
    CRecentDocumentList m_recentList;
    EString m_path;
    HWND m_documentWindow = nullptr;
    InertPrompts m_inertPrompts;
    IDocumentPrompts* m_prompts = &m_inertPrompts;
};
