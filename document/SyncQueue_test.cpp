#include <gtest/gtest.h>

#include <map>

#include "document/SyncQueue.h"
#include "foundation/ComError.h"

namespace {

class FakeSession : public IRpcSession {
public:
    bool Login(const EString&, const EString&, bool) override { return false; }
    bool IsLoggedIn() override { return loggedIn; }
    void SyncPerson(const Person& person) override { synced.push_back(person.GetName()); }
    void SyncPersonRemoved(const EString& name) override { removed.push_back(name); }
    bool loggedIn = false;
    std::vector<EString> synced, removed;
};

class FakePeople : public IDataManager {
public:
    void GetPersonById(int id, Person& person) override
    {
        const auto found = names.find(id);
        if (found == names.end())
            ThrowComError(E_POINTER);
        person.SetId(id);
        person.SetName(found->second);
    }
    std::map<int, EString> names = {{1, L"ann"}, {2, L"bob"}};
};

} // namespace

TEST(SyncQueue, KeepsChangesWhileLoggedOutAndHandsThemOverWhileLoggedIn)
{
    FakeSession session;
    FakePeople people;
    CSyncQueue queue(session, people);
    queue.PersonChanged(1);
    queue.PersonRemoved(2);
    EXPECT_EQ(queue.GetPendingIds(), std::deque<int>{1});
    EXPECT_EQ(queue.GetPendingNames(), std::deque<EString>{L"bob"});
    EXPECT_TRUE(session.synced.empty() && session.removed.empty());

    session.loggedIn = true;
    queue.PersonChanged(2);
    queue.PersonRemoved(1);
    EXPECT_EQ(session.synced, std::vector<EString>{L"bob"});
    EXPECT_EQ(session.removed, std::vector<EString>{L"ann"});
    EXPECT_EQ(queue.GetPendingIds().size(), 1u) << "nothing hands the old ones over";
}

TEST(SyncQueue, APersonThatCannotBeReadRaisesAndStaysOutOfTheQueue)
{
    FakeSession session;
    FakePeople people;
    CSyncQueue queue(session, people);
    EXPECT_THROW(queue.PersonRemoved(99), ComError);
    EXPECT_TRUE(queue.GetPendingNames().empty());
    session.loggedIn = true;
    EXPECT_THROW(queue.PersonChanged(99), ComError);
    EXPECT_TRUE(session.synced.empty());
}
