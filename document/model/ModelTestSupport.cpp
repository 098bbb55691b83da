#include "document/model/ModelTestSupport.h"

#include "foundation/Clock.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"

void ModelTest::SetUp()
{
    ClearProgramRegistry();
    Options::SetTimeFormat(1);
    Options::SetStartOfWeek(2);
    SetNow(DateTime(2024, 5, 15, 10, 30));
}

void ModelTest::TearDown()
{
    Clock::ResetForTesting();
    ClearProgramRegistry();
}

void ModelTest::SetNow(double now)
{
    Clock::SetNowForTesting(now);
}

double Date(int year, int month, int day)
{
    return MakeOleDate(year, month, day);
}

double Time(int hour, int minute, int second)
{
    return MakeOleTime(hour, minute, second);
}

double DateTime(int year, int month, int day, int hour, int minute)
{
    return MakeOleDateTime(year, month, day, hour, minute);
}

void PrintTo(const EString& text, std::ostream* out)
{
    *out << '"';
    for (wchar_t ch : text)
        *out << (ch >= 32 && ch < 127 ? static_cast<char>(ch) : '?');
    *out << '"';
}
