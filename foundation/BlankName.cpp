#include "foundation/BlankName.h"

#include <cwctype>

bool IsBlankName(const EString& name)
{
    for (const wchar_t ch : name)
        if (ch >= L' ' && !std::iswspace(ch) && ch != 0x7F && ch != 0x200B && ch != 0xFEFF)
            return false;
    return true;
}
