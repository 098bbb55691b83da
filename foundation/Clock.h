// Clock: the one source of "now" (local time as an OLE date); tests can set it.
#pragma once

class Clock {
public:
    virtual ~Clock() = default;

    static double Now();
    static double Today();

    // Fixes "now" until ResetForTesting; rules that depend on today are then deterministic.
    static void SetNowForTesting(double now);
    static void ResetForTesting();
};
