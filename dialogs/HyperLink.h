// CHyperLink: a dialog's static text made a link: blue and underlined, a hand over it, a click opens its page.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "winlib/GdiObject.h"
#include "winlib/WindowImpl.h"

class CHyperLink : public CWindowImpl<CHyperLink> {
public:
    // How a page is opened; the shell's browser unless a test puts a stand-in.
    using PageOpener = bool (*)(const EString& url);
    static void SetPageOpener(PageOpener opener);

    // Takes over the static `control`; false when it does not exist.
    bool Attach(HWND control, const EString& url);
    const EString& GetUrl() const { return m_url; }

    BEGIN_MESSAGE_MAP(CHyperLink)
        ON_MESSAGE(WM_NCHITTEST, OnHitTest)
        ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
        ON_MESSAGE(WM_LBUTTONUP, OnClick)
        ON_MESSAGE(WM_PAINT, OnPaint)
    END_MESSAGE_MAP()

private:
    // A plain static lets the mouse through to the dialog.
    LRESULT OnHitTest(UINT, WPARAM, LPARAM, bool&) { return HTCLIENT; }
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClick(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);

    EString m_url;
    CFont m_underlined;
};
