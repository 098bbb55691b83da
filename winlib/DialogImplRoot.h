// CDialogImplRoot: a dialog object that receives its dialog's messages through its message map.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "winlib/MessageMap.h"
#include "winlib/Window.h"

class CDialogImplRoot : public CWindow, public CMessageMap {
public:
    CDialogImplRoot() = default;
    CDialogImplRoot(const CDialogImplRoot&) = delete;
    CDialogImplRoot& operator=(const CDialogImplRoot&) = delete;
    // Unhooks the object from its dialog first, so that no message reaches a
    // half-destroyed object; then destroys a modeless dialog that is still there.
    virtual ~CDialogImplRoot();

    // Called once the dialog window is gone.
    virtual void OnFinalMessage(HWND) {}

    // Ends a modal dialog; DoModal returns the result.
    bool EndDialog(INT_PTR result) { return ::EndDialog(m_hWnd, result) != FALSE; }
    const MSG* GetCurrentMessage() const { return m_currentMessage; }

protected:
    // Modal: the dialog result, or -1 when the template could not be loaded.
    INT_PTR RunModal(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam);
    HWND CreateModeless(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam);
    // The page description a property sheet builds a page from; this object is its lParam.
    PROPSHEETPAGEW MakePropertyPage(HINSTANCE module, const wchar_t* resource);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Route(CDialogImplRoot* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Unhook();
    INT_PTR Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int m_depth = 0;
    bool m_destroyed = false;
    const MSG* m_currentMessage = nullptr;
};
