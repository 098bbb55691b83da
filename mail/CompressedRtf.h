// Compressed RTF: the LZFu and uncompressed forms of a message's RTF body.
#pragma once

#include <cstddef>
#include <string>

// The RTF text of a compressed-RTF stream; empty when the stream is not one
// (short, wrong length, unknown type, or a size that could not fit it).
std::string DecompressRtf(const char* data, size_t size);

// Removes every "{\*\datafield" group (through its first "}").
void StripRtfDataFields(std::string& rtf);
