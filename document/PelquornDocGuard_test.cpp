#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <vector>

#include "document/PelquornDocTestSupport.h"
#include "foundation/ComError.h"

namespace {

// The document with its guards open to the test.
class GuardedDoc : public CPelquornDoc {
public:
    using CPelquornDoc::Guarded;
    using CPelquornDoc::GuardedEach;
    using CPelquornDoc::Silently;
};

using Failure = std::function<void()>;

const Failure kComError = [] { ThrowComError(E_FAIL, L"The element is gone."); };
const Failure kStandardError = [] { throw std::runtime_error("index out of step"); };
const Failure kOutOfMemory = [] { throw std::bad_alloc(); };
const Failure kUnknown = [] { throw 42; };

class PlanDocGuardTest : public PlanDocTest {
protected:
    void SetUp() override
    {
        PlanDocTest::SetUp();
        guarded.SetPrompts(&prompts);
    }

    GuardedDoc guarded;
};

} // namespace

// Every failure is logged; a guarded operation shows it once, a silent one never.
TEST_F(PlanDocGuardTest, AnOperationLogsEveryFailureAndShowsItUnlessSilent)
{
    const struct {
        const char* name;
        const Failure& failure;
        const wchar_t* logged;
        const wchar_t* loggedSilently;
        EString shown;
    } cases[] = {
        {"a COM error", kComError, L"CATCH 0x80004005: The element is gone.",
         L"CATCH 0x80004005: The element is gone.", L"The element is gone."},
        {"a standard exception", kStandardError, L"EXCEPTION in a document operation: index out of step",
         L"EXCEPTION in a document query: index out of step",
         L"The command could not be completed: index out of step"},
        {"out of memory", kOutOfMemory, L"EXCEPTION in a document operation: std::bad_alloc",
         L"EXCEPTION in a document query: std::bad_alloc",
         L"The command could not be completed: " + SystemErrorText(E_OUTOFMEMORY)},
        {"an unknown exception", kUnknown, L"EXCEPTION in a document operation: an exception of unknown type",
         L"EXCEPTION in a document query: an exception of unknown type",
         L"The command could not be completed: an exception of unknown type"},
    };
    const auto failing = [](const Failure& failure) {
        return [&failure] {
            failure();
            return 1;
        };
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.errors.clear();
        size_t logBefore = NewLogText().size();
        EXPECT_EQ(guarded.Guarded(-1, failing(c.failure)), -1);
        EXPECT_EQ(prompts.errors, std::vector<EString>{c.shown});
        EXPECT_NE(NewLogText().find(c.logged, logBefore), EString::npos);

        prompts.errors.clear();
        logBefore = NewLogText().size();
        EXPECT_EQ(GuardedDoc::Silently(-1, failing(c.failure)), -1);
        EXPECT_TRUE(prompts.errors.empty());
        EXPECT_NE(NewLogText().find(c.loggedSilently, logBefore), EString::npos);
    }
}

// The items after a failure still have their turn; the first failure is
// shown once they all had it, the others are only logged.
TEST_F(PlanDocGuardTest, EachItemHasItsTurnAndOnlyTheFirstFailureIsShown)
{
    const struct {
        const char* name;
        std::vector<const Failure*> failures; // null: the item succeeds
        EString shown;
    } cases[] = {
        {"COM errors", {&kComError, nullptr, &kComError}, L"The element is gone."},
        {"a standard exception first", {nullptr, &kStandardError, &kComError},
         L"The command could not be completed: index out of step"},
        {"a COM error first", {&kComError, &kStandardError}, L"The element is gone."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.errors.clear();
        const size_t logBefore = NewLogText().size();
        std::vector<int> items;
        for (int i = 0; i < static_cast<int>(c.failures.size()); ++i)
            items.push_back(i);
        std::vector<int> turns;
        guarded.GuardedEach(items, [&](int item) {
            turns.push_back(item);
            if (const Failure* failure = c.failures[static_cast<size_t>(item)])
                (*failure)();
        });
        EXPECT_EQ(turns, items);
        EXPECT_EQ(prompts.errors, std::vector<EString>{c.shown});
        const EString log = NewLogText().substr(logBefore);
        size_t logged = 0;
        for (const wchar_t* line : {L"CATCH 0x", L"EXCEPTION in a document operation"}) {
            for (size_t at = log.find(line); at != EString::npos; at = log.find(line, at + 1))
                ++logged;
        }
        size_t failed = 0;
        for (const Failure* failure : c.failures)
            failed += failure != nullptr;
        EXPECT_EQ(logged, failed) << testing::PrintToString(log);
    }
}
