// IdCounter: the process-wide id counter of one element kind.
#pragma once

#include <atomic>

class IdCounter {
public:
    virtual ~IdCounter() = default;

    int Next() { return ++m_value; }
    void Set(int value) { m_value = value; }

private:
    std::atomic<int> m_value{0};
};
