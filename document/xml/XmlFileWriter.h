// XmlFileWriter: writes a DOM document to a file through a stream that sees every write and its result.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <functional>

#include "foundation/ComPtr.h"
#include "foundation/EString.h"

namespace XmlFileWriter {

// Writes the document (UTF-8, no declaration). MSXML reports success even when
// the disk filled half way, so the stream itself fails the save on any failed
// or short write or a failed close, raising a ComError. The file may then hold
// part of the document: callers write to a temporary file.
void Write(IXMLDOMDocument* document, const EString& path);

// Tests put a stream of their own between the document and the file (a disk
// that fills); an empty filter takes it out again.
using StreamFilter = std::function<ComPtr<IStream>(const ComPtr<IStream>& file)>;
void SetStreamFilter(StreamFilter filter);

} // namespace XmlFileWriter
