// CMessageFilter: a window that sees each message of the loop before it is dispatched.
#pragma once

#include <windows.h>

class CMessageFilter {
public:
    // True when the message was taken (translated, or handled as a dialog key).
    virtual bool PreTranslateMessage(MSG* message) = 0;

protected:
    ~CMessageFilter() = default;
};
