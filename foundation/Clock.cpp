#include "foundation/Clock.h"

#include <windows.h>

#include <cmath>

#include "foundation/OleDate.h"

namespace {
bool g_fixed = false;
double g_fixedNow = 0;
} // namespace

double Clock::Now()
{
    if (g_fixed)
        return g_fixedNow;
    SYSTEMTIME local;
    ::GetLocalTime(&local);
    return MakeOleDateTime(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond);
}

double Clock::Today()
{
    return std::floor(Now());
}

void Clock::SetNowForTesting(double now)
{
    g_fixed = true;
    g_fixedNow = now;
}

void Clock::ResetForTesting()
{
    g_fixed = false;
}
