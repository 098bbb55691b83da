// A compound file held in memory, opened for reading.
#pragma once

#include <objidl.h>

#include <string>

#include "foundation/ComPtr.h"

// The root storage of the bytes (copied into global memory of its own);
// throws a ComError when they are not a compound file.
ComPtr<IStorage> OpenStorageOnMemory(const std::string& bytes);
