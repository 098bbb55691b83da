// A structural check of compound-file bytes before the system's storage reads them.
#pragma once

#include <string>

// True when every sector chain the storage will follow lies inside the bytes,
// ends, and covers its stream, and the directory is a tree. The system's
// reader trusts those and can loop for ever on a damaged file.
bool IsSoundCompoundFile(const std::string& bytes);
