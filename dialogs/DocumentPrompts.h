// DocumentPrompts: the document's questions as message boxes and file dialogs.
#pragma once

#include "document/IDocumentPrompts.h"

class DocumentPrompts : public IDocumentPrompts {
public:
    int AskSaveChanges(const EString& question) override;
    bool ChooseOpenPath(const EString& filter, EString& path) override;
    bool ChooseSavePath(const EString& defaultExtension, const EString& filter, EString& path) override;
    void ShowError(const EString& text) override;
    void WaitShowingProgress(const EString& what, HANDLE done) override;
};
