// SystemEntry: the barrier where the system calls the program outside a window
// or dialog procedure: hook procedures, timer callbacks, status callbacks and
// the COM methods that ole32's drag loop calls.
#pragma once

#include "foundation/CaughtException.h"

// Runs the body and gives its answer. An exception must never unwind through
// the system's frames: it is logged as caught at `entry` and the system gets
// `fallback` instead.
template <class Answer, class Body>
Answer AnswerSystem(const wchar_t* entry, Answer fallback, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        try {
            LogCaughtException(entry);
        } catch (...) {
            // Nothing more can be done without the log.
        }
        return fallback;
    }
}

// The same for a body without an answer; false when it threw.
template <class Body>
bool RunForSystem(const wchar_t* entry, Body&& body) noexcept
{
    return AnswerSystem(entry, false, [&] {
        body();
        return true;
    });
}
