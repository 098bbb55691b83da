// IStreamLoader: what a message storage's streams and fixed properties are loaded into.
#pragma once

#include <windows.h>
#include <objidl.h>

class IStreamLoader {
public:
    // One property stream of the storage, by its name.
    virtual void LoadStream(const wchar_t* name, IStream* stream) = 0;
    // One record of the storage's fixed-size properties; value points to 8 bytes.
    virtual void OnFixedProperty(WORD id, WORD type, const BYTE* value) = 0;
    virtual ~IStreamLoader() = default;
};
