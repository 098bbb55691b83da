#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/Language.h"
#include "foundation/Options.h"
#include "online/RpcSession.h"
#include "testing/TestSupport.h"

// The session talks to the loopback servers of the test's wrapper script
// (online/testdata/loopback_servers.py): its XML-RPC server takes "user" with
// "secret", refuses others with a fault, and answers "empty-reply" with an
// empty text and "number-reply" with a number.
namespace {

std::string Endpoint(const char* portVariable, const char* path = "/webapi/", const char* scheme = "http")
{
    const char* port = std::getenv(portVariable);
    return port ? std::string(scheme) + "://127.0.0.1:" + port + path : std::string();
}

#define REQUIRE_ENDPOINT(url)                                                                    \
    if ((url).empty()) {                                                                         \
        if (std::getenv("QUORVANE_LOOPBACK_REQUIRED"))                                           \
            FAIL() << "the loopback servers are missing: run through online/testdata/loopback_servers.py"; \
        GTEST_SKIP() << "run through online/testdata/loopback_servers.py for the loopback servers"; \
    }

class RpcSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
        server = Endpoint("QUORVANE_XMLRPC_PORT");
        closed = Endpoint("QUORVANE_CLOSED_PORT");
    }
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    static EString Prompt() { return Resource::Translate(L"InvalidPasswordPrompt"); }
    // A successful login first, as on a computer where one has happened.
    void LogInOnce()
    {
        CRpcSession session(server);
        ASSERT_TRUE(session.Login(L"user", L"secret", true)) << session.GetLastError().c_str();
    }
    static void ExpectNothingStored()
    {
        EXPECT_EQ(Options::GetUserName(), L"");
        EXPECT_EQ(Options::GetCustomToolBarButtons(), L"");
        EXPECT_EQ(Options::GetResetCookie(), 0u);
    }

    std::string server;
    std::string closed;
};

TEST_F(RpcSessionTest, ARightPasswordLogsInAndRemembersTheUser)
{
    REQUIRE_ENDPOINT(server);
    for (const bool remember : {true, false}) {
        ClearProgramRegistry();
        CRpcSession session(server);
        EXPECT_FALSE(session.IsLoggedIn());
        ASSERT_TRUE(session.Login(L"user", L"secret", remember)) << session.GetLastError().c_str();
        EXPECT_TRUE(session.IsLoggedIn());
        EXPECT_EQ(session.GetLastError(), L"");
        EXPECT_EQ(Options::GetUserName(), L"user");
        EXPECT_NE(Options::GetResetCookie(), 0u);
        EXPECT_EQ(session.GetStoredPassword(), remember ? L"secret" : L"") << remember;
        if (remember) {
            EXPECT_EQ(Options::GetCustomToolBarButtons().find(L"dpapi:"), 0u) << "stored protected";
        } else {
            EXPECT_EQ(Options::GetCustomToolBarButtons(), L"");
        }
    }
}

TEST_F(RpcSessionTest, AWrongPasswordFailsWithThePromptAndStoresNothing)
{
    REQUIRE_ENDPOINT(server);
    // Never logged in here: the refusal is still no offline success.
    CRpcSession session(server);
    EXPECT_FALSE(session.Login(L"user", L"wrong", true));
    EXPECT_FALSE(session.IsLoggedIn());
    EXPECT_EQ(session.GetLastError(), Prompt());
    EXPECT_EQ(session.GetLastError(), L"The user name or the password is wrong. Please type them again.");
    ExpectNothingStored();

    LogInOnce();
    const DWORD check = Options::GetResetCookie();
    const EString stored = Options::GetCustomToolBarButtons();
    CRpcSession again(server);
    EXPECT_FALSE(again.Login(L"user", L"wrong", false));
    EXPECT_EQ(again.GetLastError(), Prompt());
    EXPECT_EQ(Options::GetResetCookie(), check);
    EXPECT_EQ(Options::GetCustomToolBarButtons(), stored);
}

TEST_F(RpcSessionTest, AServerThatCannotBeReachedOffersOfflineWork)
{
    REQUIRE_ENDPOINT(closed);
    const std::string unreachable[] = {
        closed,                                                 // stopped
        Endpoint("QUORVANE_XMLRPC_PORT", "/wrong/"),            // HTTP 404
        Endpoint("QUORVANE_HTTPS_PORT", "/webapi/", "https"),   // a certificate of no known authority
    };
    const struct {
        const char* name;
        bool loggedInBefore;
        const wchar_t* password;
        bool accepted;
    } cases[] = {
        {"never logged in here", false, L"anything", true},
        {"the last login's password", true, L"secret", true},
        {"another password", true, L"other", false},
    };
    for (const std::string& endpoint : unreachable) {
        for (const auto& c : cases) {
            ClearProgramRegistry();
            if (c.loggedInBefore)
                LogInOnce();
            const DWORD check = Options::GetResetCookie();
            CRpcSession session(endpoint);
            EXPECT_EQ(session.Login(L"user", c.password, true), c.accepted) << c.name << " " << endpoint;
            EXPECT_FALSE(session.IsLoggedIn()) << c.name << " " << endpoint;
            EXPECT_EQ(session.GetLastError(), c.accepted ? L"" : Prompt().c_str()) << c.name;
            EXPECT_EQ(Options::GetResetCookie(), check) << "an offline login stores nothing";
        }
    }
}

TEST_F(RpcSessionTest, AnEmptyOrNonStringReplyFails)
{
    REQUIRE_ENDPOINT(server);
    const struct {
        const wchar_t* user;
        const wchar_t* error;
    } cases[] = {
        {L"empty-reply", nullptr},
        {L"number-reply", L"type error"},
    };
    for (const auto& c : cases) {
        CRpcSession session(server);
        EXPECT_FALSE(session.Login(c.user, L"secret", true)) << c.user;
        EXPECT_FALSE(session.IsLoggedIn()) << c.user;
        EXPECT_EQ(session.GetLastError(), c.error ? EString(c.error) : Prompt()) << c.user;
        ExpectNothingStored();
    }
}

TEST_F(RpcSessionTest, AnOldFormPasswordIsReadAndStoredProtectedAtTheNextLogin)
{
    REQUIRE_ENDPOINT(server);
    Options::SetCustomToolBarButtons(L"cwBlAGMAcgBlAHQA");
    CRpcSession session(server);
    EXPECT_EQ(session.GetStoredPassword(), L"secret");
    ASSERT_TRUE(session.Login(L"user", session.GetStoredPassword(), true)) << session.GetLastError().c_str();
    EXPECT_EQ(Options::GetCustomToolBarButtons().find(L"dpapi:"), 0u);
    EXPECT_EQ(session.GetStoredPassword(), L"secret");
}

} // namespace
