// DroppedFiles: the files a mail program drags out, read from the shell's virtual-file formats.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

#include "foundation/EString.h"

struct DroppedFile {
    EString name;
    std::string bytes;
    // Why the file could not be had, naming it; empty when its bytes were read whole.
    EString unreadable;
};

// A dropped file larger than this is refused rather than read into memory.
constexpr size_t MaxDroppedFileSize = 64 * 1024 * 1024;

// "FileGroupDescriptorW" as global memory; true on S_OK. The caller releases
// the medium.
bool GetFileGroupDescriptor(IDataObject* dataObject, STGMEDIUM& medium);
bool HasFileGroupDescriptor(IDataObject* dataObject);

// Every file the descriptor names, in its order; a file that cannot be
// fetched or read whole comes without bytes and says why. Throws ComError
// when the descriptor is malformed; the list is then left as it was. Without
// a descriptor, reads nothing.
void ReadDroppedFiles(IDataObject* dataObject, std::vector<DroppedFile>& files);

// The medium's bytes: a stream from its current position to its end, a
// storage's message re-serialised as a compound file of what its task takes
// (CopyMessageStreams), or a global memory block.
// Throws ComError for another medium or a file over the size limit.
void ReadMediumBytes(const STGMEDIUM& medium, std::string& bytes);
void ReadStreamBytes(IStream* stream, std::string& bytes);
void ReadStorageBytes(IStorage* storage, std::string& bytes);
void AppendBytes(const void* data, size_t count, std::string& bytes);
