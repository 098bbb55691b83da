// sstate::BorrowedKey: a registry key the caller owns, read and written through RegistryKey.
#pragma once

#include "foundation/RegistryKey.h"

namespace sstate {

class BorrowedKey : public RegistryKey {
public:
    explicit BorrowedKey(HKEY key) { Attach(key); }
    ~BorrowedKey() override { Detach(); }
};

} // namespace sstate
