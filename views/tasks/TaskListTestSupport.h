// Stand-ins the task list's tests share: a frame that reflects notifications, and prompts that keep errors.
#pragma once

#include "views/tasks/SilentPrompts.h"
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
