// IDocumentPrompts: the questions and file choices the document puts to the user.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "foundation/Log.h"
#include "foundation/WaitPumpingMessages.h"

class IDocumentPrompts {
public:
    virtual ~IDocumentPrompts() = default;

    // Yes, No or Cancel to the question: IDYES, IDNO or IDCANCEL.
    virtual int AskSaveChanges(const EString& question) = 0;
    // The file to open; false when the user cancelled. filter: the pairs of
    // the file dialogs, each ending with a NUL; its second pair is preselected.
    virtual bool ChooseOpenPath(const EString& filter, EString& path) = 0;
    // The file to save to, offered as "untitled" with the default extension. path: on entry the document's own,
    // empty while it has none; the dialog starts in its folder, or else in the user's documents folder.
    virtual bool ChooseSavePath(const EString& defaultExtension, const EString& filter, EString& path) = 0;
    virtual void ShowError(const EString& text) = 0;
    // Until the event is set, while the user is told what is under way; the
    // windows repaint and answer meanwhile.
    virtual void WaitShowingProgress(const EString& /*what*/, HANDLE done) { WaitPumpingMessages(done); }
};

// The document's prompts until the program hands it its message boxes and
// file dialogs: every question is cancelled, so nothing is lost, and errors
// go to the log.
class InertPrompts : public IDocumentPrompts {
public:
    int AskSaveChanges(const EString&) override { return IDCANCEL; }
    bool ChooseOpenPath(const EString&, EString&) override { return false; }
    bool ChooseSavePath(const EString&, const EString&, EString&) override { return false; }
    void ShowError(const EString& text) override { LogMessage(L"%s\n", text.c_str()); }
};
