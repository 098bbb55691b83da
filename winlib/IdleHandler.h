// CIdleHandler: work done by the message loop when no message is waiting.
#pragma once

class CIdleHandler {
public:
    // Returns non-zero while it has more idle work to do.
    virtual int OnIdle(int idleCount) = 0;

protected:
    ~CIdleHandler() = default;
};
