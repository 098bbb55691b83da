// StartupDocumentPath: which document a new instance opens.
#pragma once

#include "foundation/EString.h"
#include "foundation/FileSystem.h"

// The command line's path, made full, when it names one; otherwise, after a
// run that ended without closing its window ("RestorePath" still names its
// automatic copy), the copy when it was written after its document, else the
// document; otherwise empty, and the document falls back on its recent list.
// Give the result to CDocument::SetPathName before the start-up open: a
// chosen ".auto" copy is opened under its document's path and marked
// modified, so the next save writes the real file.
EString ChooseStartupDocumentPath(const CommandLine& commandLine);
