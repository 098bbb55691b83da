#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "winlib/MessageLoop.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr UINT kEaten = WM_USER + 1;
constexpr UINT kSeen = WM_USER + 2;
constexpr UINT kQuit = WM_USER + 3;

std::vector<std::string> g_log;

class CLoopWindow : public CWindowImpl<CLoopWindow> {
public:
    BEGIN_MESSAGE_MAP(CLoopWindow)
        ON_MESSAGE(kEaten, OnMessage)
        ON_MESSAGE(kSeen, OnMessage)
        ON_MESSAGE(kQuit, OnQuit)
    END_MESSAGE_MAP()
    LRESULT OnMessage(UINT message, WPARAM, LPARAM, bool&)
    {
        g_log.push_back("dispatched " + std::to_string(message - WM_USER));
        return 0;
    }
    LRESULT OnQuit(UINT, WPARAM, LPARAM, bool&)
    {
        ::PostQuitMessage(5);
        return 0;
    }
};

class CNamedFilter : public CMessageFilter {
public:
    CNamedFilter(std::string name, UINT takes, CMessageLoop* loop = nullptr)
        : m_name(std::move(name)), m_takes(takes), m_loop(loop)
    {
    }
    bool PreTranslateMessage(MSG* message) override
    {
        if (message->message < WM_USER)
            return false;
        g_log.push_back(m_name + " sees " + std::to_string(message->message - WM_USER));
        // Like a dialog that closes on its key: it leaves the loop while being asked.
        if (m_loop)
            m_loop->RemoveMessageFilter(this);
        return message->message == m_takes;
    }

private:
    std::string m_name;
    UINT m_takes;
    CMessageLoop* m_loop;
};

class CCountingIdle : public CIdleHandler {
public:
    explicit CCountingIdle(size_t quitOnCall = 0) : m_quitOnCall(quitOnCall) {}
    int OnIdle(int idleCount) override
    {
        counts.push_back(idleCount);
        if (counts.size() == m_quitOnCall)
            ::PostQuitMessage(0);
        return 1; // always more to do
    }
    std::vector<int> counts;

private:
    size_t m_quitOnCall;
};

// Notes that it was asked, then does what the test gives it to do.
class CActingFilter : public CMessageFilter {
public:
    CActingFilter(std::string name, std::vector<std::string>& asked) : m_name(std::move(name)), m_asked(asked) {}
    bool PreTranslateMessage(MSG*) override
    {
        m_asked.push_back(m_name);
        if (act)
            act();
        return false;
    }
    std::function<void()> act;

private:
    std::string m_name;
    std::vector<std::string>& m_asked;
};

class CActingIdle : public CIdleHandler {
public:
    CActingIdle(std::string name, std::vector<std::string>& called) : m_name(std::move(name)), m_called(called) {}
    int OnIdle(int) override
    {
        m_called.push_back(m_name);
        if (act)
            act();
        return 0;
    }
    std::function<void()> act;

private:
    std::string m_name;
    std::vector<std::string>& m_called;
};

} // namespace

TEST(MessageLoopTest, FiltersSeeMessagesLastAddedFirstAndMayTakeThem)
{
    g_log.clear();
    CMessageLoop loop;
    CLoopWindow window;
    ASSERT_TRUE(window.Create(CreateArgs{}));
    CNamedFilter first("first", kEaten);
    CNamedFilter second("second", 0, &loop);
    loop.AddMessageFilter(&first);
    loop.AddMessageFilter(&second);
    loop.AddMessageFilter(&second); // added once only
    window.PostMessage(kSeen);
    window.PostMessage(kEaten);
    window.PostMessage(kQuit);
    EXPECT_EQ(loop.Run(), 5);
    EXPECT_EQ(g_log, (std::vector<std::string>{"second sees 2", "first sees 2", "dispatched 2", "first sees 1",
                                                "first sees 3"}));
}

TEST(MessageLoopTest, IdleHandlersRunWhileTheQueueIsEmptyAndTheyHaveMoreToDo)
{
    CMessageLoop loop;
    CCountingIdle idle, removed, quitting(3);
    loop.AddIdleHandler(&idle);
    loop.AddIdleHandler(&removed);
    loop.AddIdleHandler(&quitting);
    loop.RemoveIdleHandler(&removed);
    loop.Run();
    // The third pass posted the quit: a waiting message ends the passes.
    EXPECT_EQ(idle.counts, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(removed.counts.empty());
}

TEST(MessageLoopTest, OnlyMessagesThatChangeSomethingStartAnotherIdlePass)
{
    CMessageLoop loop;
    MSG move = {nullptr, WM_MOUSEMOVE, 0, 0, 0, {10, 10}};
    EXPECT_TRUE(loop.IsIdleMessage(move));
    EXPECT_FALSE(loop.IsIdleMessage(move)); // the mouse did not move
    move.pt = {11, 10};
    EXPECT_TRUE(loop.IsIdleMessage(move));
    for (UINT message : {static_cast<UINT>(WM_PAINT), 0x0118u})
        EXPECT_FALSE(loop.IsIdleMessage(MSG{nullptr, message, 0, 0, 0, {0, 0}})) << message;
    for (UINT message : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_TIMER)})
        EXPECT_TRUE(loop.IsIdleMessage(MSG{nullptr, message, 0, 0, 0, {0, 0}})) << message;
}

// A member removed while the loop walks the list is not asked after that; one
// added meanwhile waits for the next message or pass; a walk inside a member's
// own call sees the same list.
TEST(MessageLoopTest, MembersMayAddAndRemoveMembersWhileTheLoopWalksThem)
{
    std::vector<std::string> asked;
    CMessageLoop loop;
    CActingFilter first("first", asked), second("second", asked), last("last", asked), added("added", asked);
    loop.AddMessageFilter(&first);
    loop.AddMessageFilter(&second);
    loop.AddMessageFilter(&last);
    last.act = [&] {
        loop.RemoveMessageFilter(&second);
        loop.RemoveMessageFilter(&last);
        loop.AddMessageFilter(&added);
    };
    MSG message = {nullptr, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(loop.PreTranslateMessage(&message));
    EXPECT_EQ(asked, (std::vector<std::string>{"last", "first"}));
    asked.clear();
    EXPECT_FALSE(loop.PreTranslateMessage(&message));
    EXPECT_EQ(asked, (std::vector<std::string>{"added", "first"}));

    // The added filter asks the loop once more from inside its own call and
    // leaves it there; the outer walk goes on without it.
    bool nested = false;
    added.act = [&] {
        if (std::exchange(nested, true))
            return;
        loop.RemoveMessageFilter(&added);
        loop.PreTranslateMessage(&message);
    };
    asked.clear();
    loop.PreTranslateMessage(&message);
    EXPECT_EQ(asked, (std::vector<std::string>{"added", "first", "first"}));
    asked.clear();
    loop.PreTranslateMessage(&message);
    EXPECT_EQ(asked, (std::vector<std::string>{"first"}));

    std::vector<std::string> called;
    CActingIdle early("early", called), late("late", called), joining("joining", called);
    loop.AddIdleHandler(&early);
    loop.AddIdleHandler(&late);
    early.act = [&] {
        loop.RemoveIdleHandler(&late);
        loop.AddIdleHandler(&joining);
        loop.AddIdleHandler(&early); // already there: once only
    };
    EXPECT_FALSE(loop.OnIdle(0));
    EXPECT_EQ(called, (std::vector<std::string>{"early"}));
    called.clear();
    loop.OnIdle(1);
    EXPECT_EQ(called, (std::vector<std::string>{"early", "joining"}));
}
