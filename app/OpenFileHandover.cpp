#include "app/OpenFileHandover.h"

#include <cwchar>

COPYDATASTRUCT MakeOpenFileRecord(const EString& path)
{
    COPYDATASTRUCT record = {};
    record.dwData = COPYDATA_OPEN_FILE;
    record.cbData = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    record.lpData = const_cast<wchar_t*>(path.c_str());
    return record;
}

bool IsOpenFileRecord(const COPYDATASTRUCT* record)
{
    return record && record->dwData == COPYDATA_OPEN_FILE;
}

std::optional<EString> ReadOpenFileRecord(const COPYDATASTRUCT* record)
{
    if (!IsOpenFileRecord(record) || record->cbData % sizeof(wchar_t) != 0 || !record->lpData)
        return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(record->lpData);
    const size_t length = ::wcsnlen(text, record->cbData / sizeof(wchar_t));
    if (length == 0)
        return std::nullopt;
    return EString(text, length);
}
