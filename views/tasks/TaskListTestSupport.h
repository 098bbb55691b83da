// Stand-ins the task list's tests share: a frame that reflects notifications, and prompts that keep errors.
#pragma once

#include <vector>

#include "document/IDocumentPrompts.h"
#include "views/tasks/ViewTestSupport.h"
#include "winlib/Reflection.h"

// The main frame hands its children's notifications back to them; so does this one.
class ReflectingFrame : public RecordingFrame {
public:
    BEGIN_MESSAGE_MAP(ReflectingFrame)
        REFLECT_NOTIFICATIONS()
        CHAIN_MESSAGE_MAP(RecordingFrame)
    END_MESSAGE_MAP()
};

// The document's errors are kept, never shown.
class SilentPrompts : public IDocumentPrompts {
public:
    int AskSaveChanges(const EString&) override { return IDNO; }
    bool ChooseOpenPath(const EString&, EString&) override { return false; }
    bool ChooseSavePath(const EString&, const EString&, EString&) override { return false; }
    void ShowError(const EString& text) override { errors.push_back(text); }
    std::vector<EString> errors;
};
