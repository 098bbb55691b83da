// IViewDocument: what every view asks of its document, whatever it shows: telling the other views of a change, and the active view's window.
#pragma once

#include <windows.h>

#include "document/DocNotifyCode.h"

class IObserver;

// Each view's own face of the document extends this one (virtually: the
// document is one subject to all its views).
class IViewDocument {
public:
    virtual ~IViewDocument() = default;

    // Every attached view but the sender hears the code; a null sender
    // reaches them all.
    virtual void Notify(IObserver* sender, DocNotifyCode code) = 0;
    // The active view's window: the document posts it its changes and the
    // frame forwards it the commands.
    virtual HWND GetDocumentWindow() const = 0;
    virtual void SetDocumentWindow(HWND window) = 0;
    // The document's own command states, pushed to the frame.
    virtual void RefreshUI() = 0;
};
