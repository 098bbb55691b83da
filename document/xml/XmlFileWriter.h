// XmlFileWriter: writes a DOM document, or a text made from one, to a file through a stream that sees every write.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <functional>

#include "foundation/ComPtr.h"
#include "foundation/EString.h"

namespace XmlFileWriter {

// Writes the document (UTF-8, no declaration). MSXML reports success even when
// the disk filled half way, so the stream itself fails the save on any failed
// or short write or a failed close, raising a ComError. The file written is
// then read back: bytes the program's reader would refuse (a character XML
// cannot hold that the DOM was given) raise a ComError that says why. The
// file may then hold part of the document, or that: callers write to a
// temporary file.
void Write(IXMLDOMDocument* document, const EString& path);

// Writes the text as UTF-16 with its byte order mark (a report's output),
// raising as Write does when the disk takes less.
void WriteUtf16Text(const EString& text, const EString& path);

// Tests put a stream of their own between the document or text and the file (a disk
// that fills); an empty filter takes it out again.
using StreamFilter = std::function<ComPtr<IStream>(const ComPtr<IStream>& file)>;
void SetStreamFilter(StreamFilter filter);

} // namespace XmlFileWriter
