// CRpcSession: the online account session: one "login" call to the service, and the credentials of the last successful login.
#pragma once

#include <string>

#include "document/IOnlineSession.h"

// Lives as long as the document; logged in after a login the server
// accepted, until the end. When the server cannot be reached, a login is
// still accepted offline (never logged in) with the credentials of the last
// successful login here, or with any while none has succeeded here yet.
class CRpcSession : public IOnlineSession {
public:
    // The service's web API; its certificate is checked.
    static constexpr const char* kServiceEndpoint = "https://api1.quorvane.org/webapi/";
    // The longest wait for the server.
    static constexpr unsigned kTimeoutMs = 30000;

    explicit CRpcSession(std::string endpoint = kServiceEndpoint);

    bool Login(const EString& user, const EString& password, bool remember) override;
    bool IsLoggedIn() override { return !m_sessionText.empty(); }
    void SyncPerson(const Person&) override {}
    void SyncPersonRemoved(const EString&) override {}
    EString GetStoredPassword() override;
    EString GetLastError() override { return m_lastError; }

private:
    // The server's answer, or the offline decision when it could not be reached.
    bool CallLogin();
    bool StoredCheckMatches() const;
    void SaveCredentials() const;

    std::string m_endpoint;
    EString m_lastError;
    std::string m_sessionText;
    EString m_user;
    EString m_password;
    bool m_remember = false;
};
