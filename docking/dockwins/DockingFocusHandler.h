// dockwins::CDockingFocusHandler: remembers the focus inside each docked window and repaints the captions it moves between.
#pragma once

#include <windows.h>

#include <deque>
#include <map>

#include "foundation/MessageMap.h"

namespace dockwins {

// Docked windows live inside package windows, which the system does not see
// as top-level, so it neither keeps their focus nor repaints their captions.
// The docking frame holds one and chains its message map to it.
class CDockingFocusHandler : public CMessageMap {
public:
    CDockingFocusHandler();
    CDockingFocusHandler(const CDockingFocusHandler&) = delete;
    CDockingFocusHandler& operator=(const CDockingFocusHandler&) = delete;
    virtual ~CDockingFocusHandler();

    // A non-null handler becomes the process-wide one; returns the current one.
    static CDockingFocusHandler* Instance(CDockingFocusHandler* handler = nullptr);

    // At the frame's creation: hooks the thread's focus changes (E_UNEXPECTED
    // when the hook cannot be set; the frame then works without restoring).
    HRESULT AddFrame(HWND frame);
    // At the frame's WM_DESTROY.
    HRESULT RemoveFrame(HWND frame);

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The window itself or its ancestor that is a direct child of a package
    // window; null when there is none.
    static HWND FindPackageChild(HWND window);
    // Inside a dialog the dialog moves the focus, so its default button follows.
    static HWND SetFocusSafe(HWND window);
    // The caption of the docked window around `window` repaints a moment later.
    void QueueFocusFix(HWND window);

    // The window that last had the focus inside a docked window; null when none.
    HWND RememberedFocus(HWND docked) const;
    HWND SavedFocus() const { return s_savedFocus; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void OnCbt(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_hook = nullptr;
    HWND m_frame = nullptr;
    HWND m_window = nullptr; // the window of the message being handled
    std::deque<HWND> m_repaint;
    std::map<HWND, HWND> m_focus;

    static CDockingFocusHandler* s_instance;
    static HWND s_savedFocus;
    static ATOM s_packageAtom;
};

} // namespace dockwins
