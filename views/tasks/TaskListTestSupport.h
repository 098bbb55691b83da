// Stand-ins the task list's tests share: a frame that reflects notifications, prompts that keep errors, and a list on a new plan.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "document/PelquornDoc.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "testing/TestSupport.h"
#include "views/common/ViewTestSupport.h"
#include "views/tasks/PelquornView.h"
#include "foundation/Reflection.h"

// The main frame hands its children's notifications back to them; so does this one.
class ReflectingFrame : public RecordingFrame {
public:
    BEGIN_MESSAGE_MAP(ReflectingFrame)
        REFLECT_NOTIFICATIONS()
        CHAIN_MESSAGE_MAP(RecordingFrame)
    END_MESSAGE_MAP()
};

// The clock at `now` and a clean program key, before a list is made.
inline void PrepareTaskListTest(double now)
{
    ClearProgramRegistry();
    Clock::SetNowForTesting(now);
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

// A Monday at nine, a clean program key, a new plan with every status
// shown, and the list's window made in `frame`; the caller initialises and
// attaches it.
inline void CreateTaskListOnNewPlan(CPelquornDoc& document, IDocumentPrompts& prompts, CPelquornView& view,
                                    HWND frame, double now)
{
    PrepareTaskListTest(now);
    document.SetPrompts(&prompts);
    ASSERT_TRUE(document.OnNewDocument());
    document.SetStatusFilter(0);
    ASSERT_TRUE(view.Create(frame)) << ::GetLastError();
}
