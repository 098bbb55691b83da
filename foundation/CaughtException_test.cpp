#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "foundation/CaughtException.h"
#include "foundation/ComError.h"
#include "foundation/Log.h"
#include "foundation/SystemEntry.h"
#include "testing/TestSupport.h"

TEST(CaughtExceptionTest, EveryKindOfExceptionIsDescribed)
{
    const struct {
        const char* what;
        std::function<void()> raise;
        const wchar_t* description;
    } cases[] = {
        {"COM error", [] { ThrowComError(E_ACCESSDENIED, L"The file is locked."); },
         L"0x80070005: The file is locked."},
        {"standard exception", [] { throw std::runtime_error("script host crashed"); }, L"script host crashed"},
        {"out of memory", [] { throw std::bad_alloc(); }, L"std::bad_alloc"},
        {"anything else", [] { throw 42; }, L"an exception of unknown type"},
    };
    for (const auto& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << c.what << ": nothing thrown";
        } catch (...) {
            EXPECT_EQ(DescribeCaughtException(), c.description) << c.what;
        }
    }
    EXPECT_EQ(DescribeCaughtException(), L"no exception");
}

TEST(CaughtExceptionTest, TheLogLineNamesWhereItWasCaught)
{
    const std::string before = ReadFileBytes(GetLogFilePath());
    try {
        throw std::runtime_error("disk vanished");
    } catch (...) {
        LogCaughtException(L"a test");
    }
    const std::string after = ReadFileBytes(GetLogFilePath());
    ASSERT_GT(after.size(), before.size());
    EXPECT_NE(after.find("EXCEPTION in a test: disk vanished\r\n", before.size()), std::string::npos);
}

TEST(CaughtExceptionTest, ASystemEntryGivesItsFallbackAndLogsWhatItCaught)
{
    const struct {
        const char* what;
        std::function<int()> body;
        int answer;
        const char* logged;
    } cases[] = {
        {"answer", [] { return 7; }, 7, nullptr},
        {"standard exception", []() -> int { throw std::runtime_error("hook went wrong"); }, -1,
         "EXCEPTION in a hook: hook went wrong\r\n"},
        {"anything else", []() -> int { throw 42; }, -1, "EXCEPTION in a hook: an exception of unknown type\r\n"},
    };
    for (const auto& c : cases) {
        const std::string before = ReadFileBytes(GetLogFilePath());
        EXPECT_EQ(AnswerSystem(L"a hook", -1, c.body), c.answer) << c.what;
        const std::string after = ReadFileBytes(GetLogFilePath());
        if (c.logged)
            EXPECT_NE(after.find(c.logged, before.size()), std::string::npos) << c.what;
        else // other test programs may log meanwhile
            EXPECT_EQ(after.find("EXCEPTION in a hook", before.size()), std::string::npos) << c.what;
    }
    EXPECT_TRUE(RunForSystem(L"a timer", [] {}));
    EXPECT_FALSE(RunForSystem(L"a timer", [] { throw std::bad_alloc(); }));
}
