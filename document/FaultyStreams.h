// FaultyStreams: streams put between a saved document and its file that fail as a full disk does.
#pragma once

#include "document/xml/XmlFileWriter.h"

// Passes the first `limit` bytes on to the file, then fails (STG_E_MEDIUMFULL);
// the write that crosses the limit passes what fits.
XmlFileWriter::StreamFilter FailAfterBytes(ULONG limit);
// Passes on half of every write and reports success with that count, as
// MSXML's file writer under Wine does when the disk fills.
XmlFileWriter::StreamFilter AcceptLessThanOffered();

// Puts the filter between every saved document and its file while it lives.
class ScopedStreamFilter {
public:
    explicit ScopedStreamFilter(XmlFileWriter::StreamFilter filter) { XmlFileWriter::SetStreamFilter(std::move(filter)); }
    ScopedStreamFilter(const ScopedStreamFilter&) = delete;
    ScopedStreamFilter& operator=(const ScopedStreamFilter&) = delete;
    ~ScopedStreamFilter() { XmlFileWriter::SetStreamFilter(nullptr); }
};
