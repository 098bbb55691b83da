// SilentPrompts: the document's questions answered No and its errors kept, never shown, for the views' tests.
#pragma once

#include <vector>

#include "document/IDocumentPrompts.h"

class SilentPrompts : public IDocumentPrompts {
public:
    int AskSaveChanges(const EString&) override { return IDNO; }
    bool ChooseOpenPath(const EString&, EString&) override { return false; }
    bool ChooseSavePath(const EString&, const EString&, EString&) override { return false; }
    void ShowError(const EString& text) override { errors.push_back(text); }
    std::vector<EString> errors;
};
