// BoolSwitch: an int flag set to 1 for the lifetime of a scope.
#pragma once

// The re-entry guard of handlers that cause notifications back into their
// own window; the flag is cleared even when the scope ends by an exception.
class BoolSwitch {
public:
    explicit BoolSwitch(int& flag) : m_flag(flag) { m_flag = 1; }
    BoolSwitch(const BoolSwitch&) = delete;
    BoolSwitch& operator=(const BoolSwitch&) = delete;
    ~BoolSwitch() { m_flag = 0; }

private:
    int& m_flag;
};
