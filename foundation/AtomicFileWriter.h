// AtomicFileWriter: replaces a file by new content in one rename, so that it is never left half written.
#pragma once

#include <functional>

#include "foundation/EString.h"

struct AtomicWriteRules {
    // False: a target that exists (or appears meanwhile) is never replaced.
    bool replaceExisting = true;
    // A virus scanner or indexer often holds the target for a moment.
    int renameAttempts = 5;
    // Between attempts; empty waits a short while.
    std::function<void()> waitBeforeRetry;
    // False: a file that holds nothing is a write that failed.
    bool mayBeEmpty = false;
    // The failure as the user reads it: %1 the target, %2 the reason.
    const wchar_t* failureText = L"The plan could not be saved to %1: %2 The file was left as it was.";
};

class AtomicFileWriter {
public:
    virtual ~AtomicFileWriter() = default;

    // Lets `write` fill a new temporary file in the target's folder, flushes
    // it to the disk, gives it the target's attributes and security, and
    // renames it over the target. When any step fails (write raises, writes
    // nothing, or the target is read-only or stays locked) the temporary file
    // is removed, the target keeps its bytes, and the error is raised as a
    // ComError naming the target. Once the target is replaced, the leftovers
    // of its saves that were killed half way are removed.
    static void Write(const EString& target, const std::function<void(const EString& temporaryPath)>& write,
                      const AtomicWriteRules& rules = {});

    // Removes the temporary files that interrupted saves of the target left
    // beside it, under every name a save of it gives them (a target near the
    // path limit gets a shortened one); files still open (a save in progress)
    // and every other file, those of other targets too, stay. Files of the
    // shortened form earlier versions gave every such target alike go when no
    // other file of the folder could have made them.
    static void RemoveLeftovers(const EString& target);
    // True for the names Write gives its temporary files, of every target.
    static bool IsTemporaryName(const EString& fileName);
};
