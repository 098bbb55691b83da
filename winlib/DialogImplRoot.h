// CDialogImplRoot: a dialog object that receives its dialog's messages through its message map.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "winlib/MessageDispatcher.h"

class CDialogImplRoot : public CMessageDispatcher {
public:
    // Ends a modal dialog; DoModal returns the result.
    bool EndDialog(INT_PTR result) { return ::EndDialog(m_hWnd, result) != FALSE; }

protected:
    // Modal: the dialog result, or -1 when the template could not be loaded
    // or the dialog could not be initialised.
    INT_PTR RunModal(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam);
    // Null when the template could not be loaded or the dialog could not be initialised.
    HWND CreateModeless(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam);
    // The page description a property sheet builds a page from; this object is its lParam.
    PROPSHEETPAGEW MakePropertyPage(HINSTANCE module, const wchar_t* resource);

    // The dialog base owns WM_INITDIALOG: it prepares the dialog here and
    // calls the derived dialog's hook, so no derived map can keep the message
    // from the base (the map never sees it). The system then sets the default focus.
    virtual void InitDialog() = 0;
    // The caller's initParam of DoModal or Create; 0 for a property page.
    LPARAM GetInitParam() const { return m_initParam; }
    // A page whose initialisation threw shows disabled, and the sheet's
    // notifications pass it by: its controls hold nothing to apply.
    bool InitFailed() const { return m_initFailed; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches to the object and maps its answer; `threw`, when given, learns that a handler threw.
    static INT_PTR Route(CDialogImplRoot* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                         bool* threw = nullptr);
    bool Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

    LPARAM m_initParam = 0;
    bool m_initFailed = false;
};
