// OpenFileHandover: the WM_COPYDATA record that hands a document path to the running instance.
#pragma once

#include <windows.h>

#include <optional>

#include "foundation/EString.h"

// The data code of a handed-over path.
inline constexpr ULONG_PTR COPYDATA_OPEN_FILE = 152;

// The record for `path`: UTF-16 with its terminating zero. It points into
// `path`, which must outlive the send.
COPYDATASTRUCT MakeOpenFileRecord(const EString& path);

// True for a record this program sends; any other WM_COPYDATA belongs to
// someone else further along the message chain.
bool IsOpenFileRecord(const COPYDATASTRUCT* record);

// The path a record carries, read no further than its byte count and up to
// its first zero character. Nothing for a null record, a record of another
// code, an odd byte count or an empty path: the sender is another process,
// so its count is all that can be trusted.
std::optional<EString> ReadOpenFileRecord(const COPYDATASTRUCT* record);
