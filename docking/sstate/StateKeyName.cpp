#include "docking/sstate/StateKeyName.h"

namespace sstate {

std::wstring StateKeyName(std::int32_t id)
{
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::uint32_t value = static_cast<std::uint32_t>(id);
    std::wstring hex;
    do {
        hex.insert(hex.begin(), digits[value & 0xFu]);
        value >>= 4;
    } while (value != 0);
    return L"0x" + hex;
}

} // namespace sstate
