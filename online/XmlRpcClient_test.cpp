#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "online/WinInetError.h"
#include "online/XmlRpcClient.h"

// The transport tests talk to servers that the test's wrapper script runs on
// loopback; the ports come in the environment. Run by hand without them the
// tests skip; under CTest, which sets QUORVANE_LOOPBACK_REQUIRED, they fail.
namespace {
std::string LoopbackUrl(const char* portVariable, const char* path, const char* scheme = "http")
{
    const char* port = std::getenv(portVariable);
    return port ? std::string(scheme) + "://127.0.0.1:" + port + path : std::string();
}

#define REQUIRE_SERVER(url)                                                                      \
    if ((url).empty()) {                                                                         \
        if (std::getenv("QUORVANE_LOOPBACK_REQUIRED"))                                           \
            FAIL() << "the loopback servers are missing: run through online/testdata/loopback_servers.py"; \
        GTEST_SKIP() << "run through online/testdata/loopback_servers.py for the loopback servers"; \
    }

XmlRpcValue LoginParams(const char* password)
{
    XmlRpcValue params;
    params[0] = "dQBzAGUAcgA="; // "user" in UTF-16LE
    params[1] = password;
    return params;
}

constexpr const char* kSecret = "cwBlAGMAcgBlAHQA"; // "secret" in UTF-16LE
} // namespace

TEST(XmlRpcClientTest, OnlyHttpUrlsConnect)
{
    XmlRpcClient ftp("ftp://127.0.0.1/webapi/");
    EXPECT_EQ(ftp.LastError(), "The URI must begin with \"https://\" || \"http://\".");
    XmlRpcValue result;
    EXPECT_FALSE(ftp.Execute("login", LoginParams(kSecret), result));
    EXPECT_EQ(ftp.LastError(), "No connection");

    XmlRpcClient badPort("http://127.0.0.1:99999999999/webapi/");
    EXPECT_EQ(badPort.LastError(), "The URI has an invalid port number.");
    EXPECT_FALSE(badPort.Execute("login", LoginParams(kSecret), result));
    EXPECT_EQ(badPort.LastError(), "No connection");

    XmlRpcClient good("http://127.0.0.1:8080");
    EXPECT_EQ(good.LastError(), "");
    EXPECT_EQ(good.HttpStatus(), -1);
}

TEST(XmlRpcClientTest, NamesTheFailedCallAndItsReason)
{
    const struct {
        DWORD code;
        const char* text;
    } cases[] = {
        {12002, "HttpSendRequest : The server did not answer in time"},
        {10060, "HttpSendRequest : The server did not answer in time"},
        {12038, "HttpSendRequest : The server's certificate is for another name"},
        {12037, "HttpSendRequest : The server's certificate has expired or is not yet valid"},
        {12045, "HttpSendRequest : Invalid certificate authority"},
        {12157, "HttpSendRequest : Talking HTTPS to an HTTP server?"},
        {12029, "HttpSendRequest : Failed to connect"},
        {12007, "HttpSendRequest : Name ! resolved"},
        {12005, "HttpSendRequest : Invalid URL"},
        {12031, "HttpSendRequest : Connection reset"},
        {12172, "HttpSendRequest : Internet ! initialised"},
        {12030, "HttpSendRequest : Connection aborted"},
        {0x7FFFFF01, "HttpSendRequest : Error 2147483393"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WinInetErrorText("HttpSendRequest", c.code), c.text);
    // Other codes take the system's text, without its line break.
    const std::string system = WinInetErrorText("InternetReadFile", ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(system.rfind("InternetReadFile : ", 0), 0u);
    EXPECT_GT(system.size(), 19u);
    EXPECT_EQ(system.find_first_of("\r\n"), std::string::npos);
}

TEST(XmlRpcClientTest, LoginReachesTheServerAndReadsItsReply)
{
    const std::string url = LoopbackUrl("QUORVANE_XMLRPC_PORT", "/webapi/");
    REQUIRE_SERVER(url);
    XmlRpcClient client(url.c_str());
    client.SetIgnoreUnknownCA(true);
    XmlRpcValue result;
    ASSERT_TRUE(client.Execute("login", LoginParams(kSecret), result)) << client.LastError();
    EXPECT_EQ(result, XmlRpcValue("session-1234"));
    EXPECT_EQ(client.LastError(), "");
    EXPECT_FALSE(client.IsFault());

    XmlRpcValue request;
    ASSERT_TRUE(client.Execute("previous_request", XmlRpcValue(), request)) << client.LastError();
    const XmlRpcValue::Bytes& body = request["body"].AsBytes();
    EXPECT_EQ(std::string(body.begin(), body.end()),
              "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>login</methodName>\r\n"
              "<params><param><value>dQBzAGUAcgA=</value></param>"
              "<param><value>cwBlAGMAcgBlAHQA</value></param></params></methodCall>\r\n");
    EXPECT_EQ(request["content_type"], XmlRpcValue("text/xml"));
    EXPECT_EQ(request["content_length"], XmlRpcValue(std::to_string(body.size())));
    EXPECT_EQ(request["path"], XmlRpcValue("/webapi/"));

    const char* port = std::getenv("QUORVANE_XMLRPC_PORT");
    XmlRpcClient fromParts("127.0.0.1", std::atoi(port), "/webapi/");
    EXPECT_TRUE(fromParts.Execute("login", LoginParams(kSecret), result)) << fromParts.LastError();
}

TEST(XmlRpcClientTest, EveryKindRoundTripsThroughTheServer)
{
    const std::string url = LoopbackUrl("QUORVANE_XMLRPC_PORT", "/webapi/");
    REQUIRE_SERVER(url);
    XmlRpcValue params;
    params[0] = true;
    params[1] = -42;
    params[2].AsDouble() = 0.375;
    params[3] = "a<b & 'c' \"d\"";
    params[4] = "";
    std::tm& time = params[5].AsDateTime();
    time.tm_year = 2026;
    time.tm_mon = 11;
    time.tm_mday = 31;
    time.tm_hour = 23;
    params[6] = XmlRpcValue(std::string(100, '\xAB').data(), 100);
    params[7][0] = 1;
    params[7][1]["name"] = "value";
    params[8] = XmlRpcValue::MakeNil();
    params[9].AsStruct();

    XmlRpcClient client(url.c_str());
    XmlRpcValue result;
    ASSERT_TRUE(client.Execute("echo", params, result)) << client.LastError();
    EXPECT_EQ(result, params);
}

TEST(XmlRpcClientTest, AFaultIsAlwaysAFailure)
{
    const std::string url = LoopbackUrl("QUORVANE_XMLRPC_PORT", "/webapi/");
    REQUIRE_SERVER(url);
    const struct {
        const char* method;
        XmlRpcValue params;
        const char* error;
        int code;
    } cases[] = {
        {"login", LoginParams("d3JvbmcA"), "Wrong user name or password", 1},
        {"fail", XmlRpcValue("text"), "Something <broke> & stopped", 4},
        {"fail", XmlRpcValue("empty"), "unspecified error", 2},
        {"fail", XmlRpcValue("int"), "unspecified error", 3},
    };
    XmlRpcClient client(url.c_str());
    for (const auto& c : cases) {
        XmlRpcValue result;
        EXPECT_FALSE(client.Execute(c.method, c.params, result));
        EXPECT_TRUE(client.IsFault());
        EXPECT_EQ(client.LastError(), c.error);
        EXPECT_EQ(result["faultCode"], XmlRpcValue(c.code));
    }
    XmlRpcValue result;
    EXPECT_TRUE(client.Execute("login", LoginParams(kSecret), result));
    EXPECT_FALSE(client.IsFault());
}

TEST(XmlRpcClientTest, HttpAndContentFailuresGiveTheirTexts)
{
    const std::string xmlrpc = LoopbackUrl("QUORVANE_XMLRPC_PORT", "/");
    const std::string canned = LoopbackUrl("QUORVANE_HTTP_PORT", "/");
    REQUIRE_SERVER(canned);
    const struct {
        std::string url;
        std::string error;
        int status;
    } cases[] = {
        {xmlrpc + "wrong/", "Low level (HTTP) error: 404 Not Found", 404},
        {canned + "unavailable", "Low level (HTTP) error: 503 Gone Fishing", 503},
        {canned + "empty", "Invalid XMLRPC response: content size is 0", -1},
        {canned + "text", "Service temporarily unavailable", -1},
        {canned + "badrequest", "Talking HTTP to a HTTPS server?", -1},
        {canned + "nul", "unspecified error", -1},
        {canned + "cut", "Invalid XMLRPC response: the reply ends before </param>", -1},
        {canned + "long", std::string(1254, 'x'), -1},
        {canned + "huge", "Invalid XMLRPC response: content larger than 1 MiB (1048576 bytes)", -1},
    };
    for (const auto& c : cases) {
        XmlRpcClient client(c.url.c_str());
        XmlRpcValue result;
        EXPECT_FALSE(client.Execute("login", LoginParams(kSecret), result)) << c.url;
        EXPECT_EQ(client.LastError(), c.error) << c.url;
        EXPECT_EQ(client.HttpStatus(), c.status) << c.url;
        EXPECT_FALSE(client.IsFault());
    }

    XmlRpcClient exact((canned + "exactly1mib").c_str());
    XmlRpcValue result;
    EXPECT_TRUE(exact.Execute("login", LoginParams(kSecret), result)) << exact.LastError().substr(0, 100);
    EXPECT_EQ(result, XmlRpcValue("fits"));
}

TEST(XmlRpcClientTest, PostsToThePathOfTheUrl)
{
    const std::string canned = LoopbackUrl("QUORVANE_HTTP_PORT", "");
    REQUIRE_SERVER(canned);
    const struct {
        std::string url;
        const char* path;
    } cases[] = {
        {"HTTP://" + canned.substr(7), "/"},
        {canned + "/a/b?c=d", "/a/b?c=d"},
    };
    for (const auto& c : cases) {
        XmlRpcClient client(c.url.c_str());
        XmlRpcValue result;
        ASSERT_TRUE(client.Execute("login", LoginParams(kSecret), result)) << client.LastError();
        EXPECT_EQ(result, XmlRpcValue(c.path));
    }
}

TEST(XmlRpcClientTest, AClosedPortFailsToConnect)
{
    const std::string url = LoopbackUrl("QUORVANE_CLOSED_PORT", "/webapi/");
    REQUIRE_SERVER(url);
    XmlRpcClient client(url.c_str());
    XmlRpcValue result;
    EXPECT_FALSE(client.Execute("login", LoginParams(kSecret), result));
    EXPECT_EQ(client.LastError(), "HttpSendRequest : Failed to connect");
    EXPECT_FALSE(result.IsValid());
}

TEST(XmlRpcClientTest, ReportsProgressAndClosesTheRequestOnEveryPath)
{
    const std::string url = LoopbackUrl("QUORVANE_XMLRPC_PORT", "/webapi/");
    REQUIRE_SERVER(url);
    const std::string urls[] = {url, LoopbackUrl("QUORVANE_XMLRPC_PORT", "/wrong/"),
                                LoopbackUrl("QUORVANE_CLOSED_PORT", "/webapi/"),
                                LoopbackUrl("QUORVANE_HTTP_PORT", "/huge")};
    for (const std::string& target : urls) {
        std::vector<std::string> texts;
        XmlRpcClient client(target.c_str());
        client.SetStatusCallback(
            [](void* data, const char* text) { static_cast<std::vector<std::string>*>(data)->push_back(text); },
            &texts);
        XmlRpcValue result;
        EXPECT_EQ(client.Execute("login", LoginParams(kSecret), result), target == url) << client.LastError();
        ASSERT_FALSE(texts.empty()) << target;
        EXPECT_EQ(texts.front(), "Sending data") << target;
        EXPECT_EQ(texts.back(), "Handle closing") << target;
        if (target == url) {
            for (const char* step : {"Data sent", "Waiting for response", "Response received", "Data sent..."})
                EXPECT_NE(std::find(texts.begin(), texts.end(), step), texts.end()) << step;
        }
    }
}

TEST(XmlRpcClientTest, ARedirectIsNotFollowed)
{
    const std::string canned = LoopbackUrl("QUORVANE_HTTP_PORT", "/redirect");
    REQUIRE_SERVER(canned);
    for (const int status : {301, 302, 303, 307, 308}) {
        XmlRpcClient client((canned + std::to_string(status)).c_str());
        XmlRpcValue result;
        EXPECT_FALSE(client.Execute("login", LoginParams(kSecret), result)) << status;
        EXPECT_EQ(client.LastError(), "The server redirects the call (HTTP " + std::to_string(status) +
                                          ") to \"/moved\"; it is not sent there: check the server address");
        EXPECT_EQ(client.HttpStatus(), status);
        EXPECT_FALSE(result.IsValid());
    }
}

TEST(XmlRpcClientTest, AServerThatStopsAnsweringTimesOut)
{
    const std::string silent = LoopbackUrl("QUORVANE_SILENT_PORT", "/webapi/");
    REQUIRE_SERVER(silent);
    const struct {
        std::string url;
        const char* error;
    } cases[] = {
        {silent, "HttpSendRequest : The server did not answer in time"},
        {LoopbackUrl("QUORVANE_HTTP_PORT", "/stall"), "InternetQueryDataAvailable : The server did not answer in time"},
        {LoopbackUrl("QUORVANE_HTTP_PORT", "/trickle"), "InternetReadFile : The server did not answer in time"},
    };
    for (const auto& c : cases) {
        XmlRpcClient client(c.url.c_str());
        client.SetReceiveTimeout(300);
        XmlRpcValue result;
        EXPECT_FALSE(client.Execute("login", LoginParams(kSecret), result)) << c.url;
        EXPECT_EQ(client.LastError(), c.error) << c.url;
    }
}

TEST(XmlRpcClientTest, HttpsChecksTheCertificatesNameAndDates)
{
    const std::string good = LoopbackUrl("QUORVANE_HTTPS_PORT", "/webapi/", "https");
    REQUIRE_SERVER(good);
    const struct {
        std::string url;
        bool ignoreUnknownCA;
        const char* error;
    } cases[] = {
        {good, true, ""},
        {good, false, "HttpSendRequest : Invalid certificate authority"},
        {LoopbackUrl("QUORVANE_HTTPS_WRONG_NAME_PORT", "/webapi/", "https"), true,
         "HttpSendRequest : The server's certificate is for another name"},
        {LoopbackUrl("QUORVANE_HTTPS_EXPIRED_PORT", "/webapi/", "https"), true,
         "HttpSendRequest : The server's certificate has expired or is not yet valid"},
    };
    for (const auto& c : cases) {
        XmlRpcClient client(c.url.c_str());
        client.SetIgnoreUnknownCA(c.ignoreUnknownCA);
        XmlRpcValue result;
        EXPECT_EQ(client.Execute("login", LoginParams(kSecret), result), !*c.error) << c.url;
        EXPECT_EQ(client.LastError(), c.error) << c.url;
    }
}
