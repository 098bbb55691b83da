#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/ISubjectImpl.h"
#include "foundation/Log.h"
#include "testing/TestSupport.h"

namespace {

std::vector<std::string> g_heard;

class RecordingObserver : public IObserver {
public:
    explicit RecordingObserver(std::string name) : m_name(std::move(name)) {}

    void Update(ISubject* subject, DocNotifyCode code) override
    {
        lastSubject = subject;
        g_heard.push_back(m_name + std::to_string(code));
        if (onUpdate)
            onUpdate();
    }
    void OnAttach(ITabOrderProvider*) override {}

    ISubject* lastSubject = nullptr;
    std::function<void()> onUpdate;

private:
    std::string m_name;
};

class SubjectTest : public testing::Test {
protected:
    void SetUp() override { g_heard.clear(); }

    ISubjectImpl subject;
    RecordingObserver a{"a"}, b{"b"}, c{"c"};
};

using Heard = std::vector<std::string>;

} // namespace

TEST_F(SubjectTest, EveryObserverButTheSenderHearsInAttachOrder)
{
    subject.Attach(&b);
    subject.Attach(&a);
    subject.Attach(nullptr);
    subject.Attach(&c);

    subject.Notify(nullptr, -1);
    EXPECT_EQ(g_heard, (Heard{"b-1", "a-1", "c-1"}));
    EXPECT_EQ(a.lastSubject, &subject);

    g_heard.clear();
    subject.Notify(&a, 0);
    EXPECT_EQ(g_heard, (Heard{"b0", "c0"}));

    g_heard.clear();
    RecordingObserver stranger("x");
    subject.Notify(&stranger, 7);
    EXPECT_EQ(g_heard, (Heard{"b7", "a7", "c7"}));
}

TEST_F(SubjectTest, AnObserverAttachedTwiceHearsTwiceAndOneDetachRemovesBoth)
{
    subject.Attach(&a);
    subject.Attach(&b);
    subject.Attach(&a);
    subject.Notify(nullptr, 0);
    EXPECT_EQ(g_heard, (Heard{"a0", "b0", "a0"}));

    g_heard.clear();
    subject.Detach(&a);
    subject.Notify(nullptr, 0);
    EXPECT_EQ(g_heard, (Heard{"b0"}));

    g_heard.clear();
    subject.DetachAll();
    subject.Notify(nullptr, 0);
    EXPECT_TRUE(g_heard.empty());
}

TEST_F(SubjectTest, ObserversMayDetachAndAttachDuringAnUpdate)
{
    struct Case {
        const char* name;
        bool cAttached;
        std::function<void()> firstDoes; // run by a when it hears the code
        Heard first;                     // the notification that runs it
        Heard second;                    // the one after
    } cases[] = {
        {"a detaches itself", true, [&] { subject.Detach(&a); }, {"a0", "b0", "c0"}, {"b0", "c0"}},
        {"a detaches the next one", true, [&] { subject.Detach(&b); }, {"a0", "c0"}, {"a0", "c0"}},
        {"a detaches everybody", true, [&] { subject.DetachAll(); }, {"a0"}, {}},
        {"a attaches c", false, [&] { subject.Attach(&c); }, {"a0", "b0"}, {"a0", "b0", "c0"}},
    };
    for (const auto& test : cases) {
        subject.DetachAll();
        subject.Attach(&a);
        subject.Attach(&b);
        if (test.cAttached)
            subject.Attach(&c);
        bool done = false;
        a.onUpdate = [&] {
            if (!done) {
                done = true;
                test.firstDoes();
            }
        };
        g_heard.clear();
        subject.Notify(nullptr, 0);
        EXPECT_EQ(g_heard, test.first) << test.name;
        g_heard.clear();
        subject.Notify(nullptr, 0);
        EXPECT_EQ(g_heard, test.second) << test.name;
    }
}

TEST_F(SubjectTest, AThrowingObserverDoesNotStopTheOthers)
{
    subject.Attach(&a);
    subject.Attach(&b);
    subject.Attach(&c);
    a.onUpdate = [] { throw std::runtime_error("view failed"); };
    b.onUpdate = [] { throw 42; };
    const size_t logStart = ReadFileBytes(GetLogFilePath()).size();
    subject.Notify(nullptr, -10);
    EXPECT_EQ(g_heard, (Heard{"a-10", "b-10", "c-10"}));
    // Neither failure vanishes.
    const std::string log = ReadFileBytes(GetLogFilePath()).substr(logStart);
    EXPECT_NE(log.find("EXCEPTION in an observer's update: view failed\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("EXCEPTION in an observer's update: an exception of unknown type\r\n"), std::string::npos);
}
