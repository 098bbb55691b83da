// DialogDriver: drives real dialogs in tests: steps run inside a modal loop, control input and read-back.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "foundation/EString.h"

// One step of a modal run: called with the dialog on a timer tick of the
// modal loop, again and again until it answers true (its condition held).
using DialogStep = std::function<bool(HWND dialog)>;

// Runs `runModal` (a DoModal, a property sheet) and the steps one after the
// other inside its modal loop, so the dialog manager sees every posted key
// between two steps. A step that does not succeed within timeoutMs fails the
// test and cancels the dialog, as does a dialog left open after the last step.
// Returns what runModal returned.
INT_PTR RunModalSteps(const std::function<INT_PTR()>& runModal, std::vector<DialogStep> steps,
                      unsigned timeoutMs = 5000);

// Runs a modal dialog that must end before it shows (its initialisation
// fails); one that shows anyway fails the test and is cancelled.
INT_PTR RunModalExpectingNoDialog(const std::function<INT_PTR()>& runModal);

// While it lives, each dialog of this thread that shows is handed once to
// `answer`, on a timer tick of whichever loop runs (a modal one included):
// for dialogs that a window opens on its own, such as those of a start-up.
// One at a time.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::function<void(HWND dialog)> answer);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    int AnsweredCount() const { return m_count; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> m_answer;
    UINT_PTR m_timer = 0;
    HWND m_last = nullptr;
    int m_count = 0;
};

// A step that waits for a message box over the run's dialog, keeps its text
// in `told` and its picture under `shotName` (build/screenshots; none for
// null), and presses its OK.
DialogStep AnswerMessageBox(EString& told, const wchar_t* shotName);

// Ends a dialog as its Cancel button would (posted).
void CancelDialog(HWND dialog);

// The newest visible dialog (or property sheet) of this thread; null when none.
HWND FindThreadDialog();
// The thread's visible top-level window holding a control of the id; null when none.
HWND FindShownDialogWith(int controlId);

EString WindowText(HWND window);
EString ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const wchar_t* text);
// Posts the click, as a mouse click would arrive: after the step returns.
void ClickButton(HWND dialog, int id);
// Posts a key press (down and up) or typed characters to a window.
void PressKey(HWND window, UINT virtualKey);
void TypeText(HWND window, const wchar_t* text);
int FocusedItemId(HWND dialog);
// The rectangle of a control in its dialog's client coordinates.
RECT ItemRect(HWND dialog, int id);
