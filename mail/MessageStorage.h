// A compound file held in memory, opened for reading.
#pragma once

#include <objidl.h>

#include <string>

#include "foundation/ComPtr.h"

// Elements a walk of a message's storage visits at most: a damaged or
// hostile storage can list any number, or the same storages over and over.
constexpr int MaxMessageElements = 100000;

// The root storage of the bytes (copied into global memory of its own);
// throws a ComError when they are not a compound file.
ComPtr<IStorage> OpenStorageOnMemory(const std::string& bytes);
