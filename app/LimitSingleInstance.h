// LimitSingleInstance: hands a second start over to the instance that already runs.
#pragma once

#include <windows.h>

#include "foundation/FileSystem.h"

class LimitSingleInstance {
public:
    virtual ~LimitSingleInstance() = default;

    // True when a running main window was found and given the command line:
    // it is restored from the notification area, brought forward, and then
    // told to exit ("exit" exactly) or to open the path. Every send waits
    // for the running instance to handle it.
    bool CheckPreviousInstance(const CommandLine& commandLine) const;
    // Sends the path, made full here, when the command line names one;
    // nothing for a null window.
    void SendFileToPreviousInstance(HWND window, const CommandLine& commandLine) const;
};
