// RecordingFrame: a stand-in for the main frame that writes down what the views send it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <vector>

#include "document/DocumentMessages.h"
#include "views/common/ViewMessages.h"
#include "winlib/WindowImpl.h"

// Registered as the main window while it lives; it is also the views'
// parent, so a list view's key notifications reach it.
class RecordingFrame : public CWindowImpl<RecordingFrame> {
public:
    RecordingFrame();
    ~RecordingFrame() override;

    struct TrackedMenu {
        HMENU popup;
        POINT point;
        // The popup's command ids as the frame got it.
        std::vector<UINT> commandIds;
    };

    // Every frame message in order of arrival, then what some of them carried.
    std::vector<UINT> messages;
    std::vector<CommandUiState> states;
    std::vector<HMENU> preparedMenus;
    std::vector<TrackedMenu> trackedMenus;
    std::vector<WORD> listKeys;

    void Clear();

    BEGIN_MESSAGE_MAP(RecordingFrame)
        ON_MESSAGE(WM_PELQUORN_COMMAND_STATE, OnCommandState)
        ON_MESSAGE(WM_PELQUORN_RESET_COMMANDS, OnPlainMessage)
        ON_MESSAGE(WM_PELQUORN_DOC_CHANGED, OnPlainMessage)
        ON_MESSAGE(WM_PELQUORN_PREPARE_MENU, OnPrepareMenu)
        ON_MESSAGE(WM_PELQUORN_TRACK_MENU, OnTrackMenu)
        ON_NOTIFY_CODE(LVN_KEYDOWN, OnListKeyDown)
    END_MESSAGE_MAP()

private:
    LRESULT OnCommandState(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPlainMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPrepareMenu(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnTrackMenu(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnListKeyDown(int id, NMHDR* header, bool& handled);
};

bool operator==(const CommandUiState& left, const CommandUiState& right);
void PrintTo(const CommandUiState& state, std::ostream* out);
