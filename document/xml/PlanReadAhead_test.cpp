#include <gtest/gtest.h>

#include <functional>

#include "document/xml/PlanReadAhead.h"
#include "document/xml/XmlDoc.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

constexpr const char kPlan[] = "<ROOT><TASK ID=\"1\" NAME=\"read ahead\"/></ROOT>";
constexpr const char kRewritten[] = "<ROOT><TASK ID=\"2\" NAME=\"written after the read began\"/></ROOT>";

// What an open gives: the document's text, or the error it raised.
EString Opened(const EString& path)
{
    XmlDoc doc;
    try {
        doc.Load(path);
    } catch (const ComError& error) {
        return L"error: " + error.Description();
    }
    return doc.GetXml().Trim(L"\r\n");
}

} // namespace

// Whatever happens to the file after it was read ahead, the open gives what
// an open without a read-ahead gives afterwards.
TEST(PlanReadAheadTest, TheOpenGivesWhatTheFileHoldsWhenItOpens)
{
    struct Case {
        const char* name;
        const char* before; // nullptr: no file
        std::function<void(const EString& path)> meanwhile;
        bool openOther;
    };
    const auto rewrite = [](const EString& path) { WriteFileBytes(path, kRewritten); };
    const Case cases[] = {
        {"unchanged", kPlan, nullptr, false},
        {"rewritten", kPlan, rewrite, false},
        {"removed", kPlan, [](const EString& path) { ::DeleteFileW(path.c_str()); }, false},
        {"made after the read began", nullptr, rewrite, false},
        {"not well-formed", "<ROOT><TASK></ROOT>", nullptr, false},
        {"another file opened", kPlan, nullptr, true},
    };
    const EString folder = MakeScratchFolder(L"plan-read-ahead");
    const EString path = FileSystem::JoinPath(folder, L"plan.qvr");
    const EString other = FileSystem::JoinPath(folder, L"other.qvr");
    WriteFileBytes(other, kRewritten);
    for (const Case& c : cases) {
        ::DeleteFileW(path.c_str());
        if (c.before)
            WriteFileBytes(path, c.before);
        EString underReadAhead;
        {
            const PlanReadAhead readAhead(path);
            readAhead.WaitUntilRead();
            if (c.meanwhile)
                c.meanwhile(path);
            underReadAhead = Opened(c.openOther ? other : path);
        }
        EXPECT_EQ(underReadAhead, Opened(c.openOther ? other : path)) << c.name;
    }
}

// The first open of the file takes the parse; opens of other files leave it,
// and after the start-up's open it is gone.
TEST(PlanReadAheadTest, TheParseIsHandedOnlyToTheFirstOpenOfItsFile)
{
    const EString folder = MakeScratchFolder(L"plan-read-ahead-once");
    const EString path = FileSystem::JoinPath(folder, L"plan.qvr");
    WriteFileBytes(path, kPlan);
    {
        const PlanReadAhead readAhead(path);
        EXPECT_TRUE(PlanReadAhead::Take(FileSystem::JoinPath(folder, L"other.qvr")).IsEmpty());
        const XmlDocument taken = PlanReadAhead::Take(path);
        ASSERT_FALSE(taken.IsEmpty());
        EXPECT_EQ(XmlNode(taken.Get()).GetXml().Trim(L"\r\n"), Opened(path));
        EXPECT_TRUE(PlanReadAhead::Take(path).IsEmpty());
    }
    const PlanReadAhead readAhead(path);
    PlanReadAhead::Forget();
    EXPECT_TRUE(PlanReadAhead::Take(path).IsEmpty());
}

// One at a time: a second read-ahead while one waits reads nothing; once the
// first has been taken or given up, the next open may read ahead again.
TEST(PlanReadAheadTest, AnotherReadsAheadOnlyOnceTheOneBeforeIsTakenOrGivenUp)
{
    const EString folder = MakeScratchFolder(L"plan-read-ahead-next");
    const EString path = FileSystem::JoinPath(folder, L"plan.qvr");
    WriteFileBytes(path, kPlan);
    const struct {
        const char* name;
        std::function<void()> end;
    } endings[] = {
        {"taken", [&] { EXPECT_FALSE(PlanReadAhead::Take(path).IsEmpty()); }},
        {"given up", [] { PlanReadAhead::Forget(); }},
    };
    for (const auto& ending : endings) {
        const PlanReadAhead first(path);
        ASSERT_NE(first.GetReadEvent(), nullptr) << ending.name;
        EXPECT_EQ(PlanReadAhead(path).GetReadEvent(), nullptr) << ending.name;
        ending.end();
        const PlanReadAhead next(path);
        ASSERT_NE(next.GetReadEvent(), nullptr) << ending.name;
        EXPECT_EQ(::WaitForSingleObject(next.GetReadEvent(), 30000), WAIT_OBJECT_0) << ending.name;
        const XmlDocument taken = PlanReadAhead::Take(path);
        ASSERT_FALSE(taken.IsEmpty()) << ending.name;
        EXPECT_EQ(XmlNode(taken.Get()).GetXml().Trim(L"\r\n"), Opened(path)) << ending.name;
    }
}
