// sstate::StateKeyName: the registry name of a child of a container ("0xffffffff" for id -1).
#pragma once

#include <cstdint>
#include <string>

namespace sstate {

// The id as an unsigned 32-bit number in lower-case hexadecimal, "0x" first, no padding.
std::wstring StateKeyName(std::int32_t id);

} // namespace sstate
