// DependencyCopy: the files a user file refers to, copied beside its copy in the user's folder.
#pragma once

#include "foundation/EString.h"
#include "reports/CustomFiles.h"

// Whether a reference, taken relative to the file that names it, stays in
// that file's folder or below: not empty, no drive, stream or root, no ".."
// step. A full path is never copied, and a reference out of the folder would
// write outside the user's folder.
bool IsContainedReference(const EString& reference);

// Copies each contained reference of `source` (as `kind` reads them) from the
// source's folder to the same relative place under `destinationFolder`,
// replacing an older copy and making sub folders as needed, then the
// references of each copied file relative to it. Every file is copied once:
// a stylesheet that includes itself, or two that include each other, end.
void CopyDependencies(CustomFiles& kind, const EString& destinationFolder, const EString& source);
