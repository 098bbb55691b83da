// AtomicFileWriter: replaces a file by new content in one rename, so that it is never left half written.
#pragma once

#include <functional>

#include "foundation/EString.h"

class AtomicFileWriter {
public:
    virtual ~AtomicFileWriter() = default;

    // Lets `write` fill a new temporary file in the target's folder, flushes
    // it to the disk and renames it over the target. When any step fails
    // (write raises, writes nothing, or the target is read-only or locked)
    // the temporary file is removed, the target keeps its bytes, and the
    // error is raised as a ComError naming the target.
    static void Write(const EString& target, const std::function<void(const EString& temporaryPath)>& write);
};
