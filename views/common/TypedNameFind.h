// The row an owner-data list goes to when the user types a name's first
// letters: the list asks its owner (LVN_ODFINDITEM) instead of reading rows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "foundation/EString.h"

// The next row from the search's start whose name begins with the typed
// text (or equals it, for a whole-text search); -1 when none does.
// `nameOf(row)` gives a row's name.
template <typename NameOf>
int FindRowByTypedName(const NMLVFINDITEMW& find, int count, NameOf nameOf)
{
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || count <= 0)
        return -1;
    const int length = ::lstrlenW(find.lvfi.psz);
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    const int tries = (find.lvfi.flags & LVFI_WRAP) ? count : count - start;
    for (int i = 0; i < tries; ++i) {
        const int row = (start + i) % count;
        const auto& name = nameOf(row);
        const bool matches =
            partial ? ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(),
                                       std::min(length, static_cast<int>(name.size())), find.lvfi.psz,
                                       length) == CSTR_EQUAL
                    : ::lstrcmpiW(name.c_str(), find.lvfi.psz) == 0;
        if (matches)
            return row;
    }
    return -1;
}
