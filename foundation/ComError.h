// ComError: the one exception type of the program, a result code and its description.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

class ComError {
public:
    explicit ComError(HRESULT code, EString description = EString());
    virtual ~ComError() = default;

    HRESULT Error() const { return m_code; }
    // The description the failing object gave, or the system text of the code.
    EString Description() const;

private:
    HRESULT m_code;
    EString m_description;
};

// The system's message text of a result code, without the trailing line break.
EString SystemErrorText(HRESULT code);

// Throws a ComError for a failed code, taking the description from the
// thread's IErrorInfo when the failing object left one.
void ThrowIfFailed(HRESULT code);
[[noreturn]] void ThrowComError(HRESULT code);
[[noreturn]] void ThrowComError(HRESULT code, const EString& description);
[[noreturn]] void ThrowLastWin32Error();

// Appends "CATCH 0x%x: %s\n" to the log for a caught error.
void LogComError(const ComError& error);
