#include "testing/DialogDriver.h"

#include <gtest/gtest.h>

#include "testing/WindowShot.h"

namespace {

struct ModalRun {
    std::vector<DialogStep> steps;
    size_t next = 0;
    unsigned timeoutMs = 0;
    ULONGLONG stepStarted = 0;
    HWND dialog = nullptr;
    // A run may go on after its last dialog closed (a start-up waiting on
    // more): `dialog` is then null again, but one did open.
    bool opened = false;
    bool closing = false;
};

ModalRun* g_run = nullptr;

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM found)
{
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window) && lstrcmpW(className, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void Cancel(HWND dialog)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// A message box left over the dialog would hold its modal loop for ever.
void CancelWithBoxes(HWND dialog)
{
    const HWND newest = FindThreadDialog();
    if (newest && newest != dialog)
        Cancel(newest);
    Cancel(dialog);
}

void CALLBACK OnStepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ModalRun* run = g_run;
    if (!run || run->closing)
        return;
    if (!run->dialog || !::IsWindow(run->dialog)) {
        run->dialog = FindThreadDialog();
        if (!run->dialog)
            return;
        run->opened = true;
        run->stepStarted = ::GetTickCount64();
    }
    if (run->next == run->steps.size()) {
        run->closing = true;
        ADD_FAILURE() << "the dialog is still open after the last step";
        CancelWithBoxes(run->dialog);
        return;
    }
    // A step may pump messages itself; keep this tick from running it twice.
    static bool inStep = false;
    if (inStep)
        return;
    inStep = true;
    const bool done = run->steps[run->next](run->dialog);
    inStep = false;
    if (done) {
        ++run->next;
        run->stepStarted = ::GetTickCount64();
    } else if (::GetTickCount64() - run->stepStarted > run->timeoutMs) {
        run->closing = true;
        ADD_FAILURE() << "step " << run->next << " did not succeed in time";
        CancelWithBoxes(run->dialog);
    }
}

} // namespace

INT_PTR RunModalSteps(const std::function<INT_PTR()>& runModal, std::vector<DialogStep> steps, unsigned timeoutMs)
{
    ModalRun run;
    run.steps = std::move(steps);
    run.timeoutMs = timeoutMs;
    ModalRun* outer = g_run;
    g_run = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, OnStepTimer);
    const INT_PTR result = runModal();
    ::KillTimer(nullptr, timer);
    g_run = outer;
    EXPECT_TRUE(run.opened) << "no dialog opened";
    EXPECT_TRUE(run.closing || run.next == run.steps.size()) << "the dialog closed before step " << run.next;
    return result;
}

namespace {
DialogAnswerer* g_answerer = nullptr;
}

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> answer) : m_answer(std::move(answer))
{
    EXPECT_EQ(g_answerer, nullptr) << "one dialog answerer at a time";
    g_answerer = this;
    m_timer = ::SetTimer(nullptr, 0, 10, &DialogAnswerer::OnTick);
}

DialogAnswerer::~DialogAnswerer()
{
    ::KillTimer(nullptr, m_timer);
    if (g_answerer == this)
        g_answerer = nullptr;
}

void CALLBACK DialogAnswerer::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    DialogAnswerer* answerer = g_answerer;
    const HWND dialog = FindThreadDialog();
    // The answer is posted: the same dialog may still stand at the next tick.
    if (!answerer || !dialog || dialog == answerer->m_last)
        return;
    answerer->m_last = dialog;
    ++answerer->m_count;
    answerer->m_answer(dialog);
}

DialogStep AnswerMessageBox(EString& told, const wchar_t* shotName)
{
    return [&told, shotName](HWND dialog) {
        const HWND box = FindThreadDialog();
        if (!box || box == dialog || ::GetDlgItem(box, 0xFFFF) == nullptr)
            return false;
        told = ItemText(box, 0xFFFF);
        if (shotName) {
            EXPECT_FALSE(SaveWindowScreenshot(box, shotName).empty()) << shotName;
        }
        ClickButton(box, IDOK);
        return true;
    };
}

void CancelDialog(HWND dialog)
{
    Cancel(dialog);
}

INT_PTR RunModalExpectingNoDialog(const std::function<INT_PTR()>& runModal)
{
    static bool shown = false;
    shown = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND dialog = FindThreadDialog()) {
            shown = true;
            Cancel(dialog);
        }
    });
    const INT_PTR result = runModal();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(shown) << "the dialog showed";
    return result;
}

HWND FindThreadDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The visible top-level window of this thread that holds a control of the id.
HWND FindShownDialogWith(int controlId)
{
    struct Search {
        int id;
        HWND found;
    } search = {controlId, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!::IsWindowVisible(window) || !::GetDlgItem(window, s->id))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

EString WindowText(HWND window)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return text;
}

EString ItemText(HWND dialog, int id)
{
    return WindowText(::GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, const wchar_t* text)
{
    ::SetDlgItemTextW(dialog, id, text);
}

void ClickButton(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PressKey(HWND window, UINT virtualKey)
{
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void TypeText(HWND window, const wchar_t* text)
{
    for (; *text; ++text)
        ::PostMessageW(window, WM_CHAR, *text, 1);
}

int FocusedItemId(HWND dialog)
{
    const HWND focus = ::GetFocus();
    return focus && ::IsChild(dialog, focus) ? ::GetDlgCtrlID(focus) : 0;
}

RECT ItemRect(HWND dialog, int id)
{
    RECT rect = {};
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
