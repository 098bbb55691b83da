#include "online/RpcSession.h"

#include <oleauto.h>

#include <utility>

#include "foundation/Language.h"
#include "foundation/Options.h"
#include "online/CredentialText.h"
#include "online/StoredPassword.h"
#include "online/XmlRpcClient.h"
#include "online/XmlRpcException.h"

namespace {

constexpr LCID kCheckLocale = 1033;

// The value that tells a later offline login its credentials are those of
// the last successful one, without keeping the password itself.
DWORD CheckValue(const EString& user, const EString& password)
{
    const EString text = EString::Formatted(L"58%s mixed tag %s", password.c_str(), user.c_str());
    return static_cast<DWORD>(::LHashValOfNameSys(SYS_WIN32, kCheckLocale, text.c_str()));
}

EString InvalidPasswordText()
{
    return Resource::Translate(L"InvalidPasswordPrompt");
}

EString Widen(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    EString wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

CRpcSession::CRpcSession(std::string endpoint) : m_endpoint(std::move(endpoint)) {}

bool CRpcSession::Login(const EString& user, const EString& password, bool remember)
{
    m_user = user;
    m_password = password;
    m_remember = remember;
    m_lastError.clear();
    try {
        return CallLogin();
    } catch (const XmlRpcException& error) {
        m_lastError = Widen(error.Message());
        return false;
    }
}

bool CRpcSession::CallLogin()
{
    XmlRpcClient client(m_endpoint.c_str());
    client.SetReceiveTimeout(kTimeoutMs);
    XmlRpcValue params;
    params[0] = CredentialText::Encode(m_user);
    params[1] = CredentialText::Encode(m_password);
    XmlRpcValue result;
    if (client.Execute("login", params, result)) {
        // Read-only, so that a reply of another kind throws "type error"
        // instead of turning into an empty text.
        const XmlRpcValue& answer = result;
        m_sessionText = answer.AsString();
        if (m_sessionText.empty()) {
            m_lastError = InvalidPasswordText();
            return false;
        }
        SaveCredentials();
        return true;
    }
    // The server answered and refused: the credentials are wrong, and
    // working offline must not get round that.
    if (client.IsFault() || !StoredCheckMatches()) {
        m_lastError = InvalidPasswordText();
        return false;
    }
    return true;
}

bool CRpcSession::StoredCheckMatches() const
{
    const DWORD stored = Options::GetResetCookie();
    return stored == 0 || stored == CheckValue(m_user, m_password);
}

void CRpcSession::SaveCredentials() const
{
    Options::SetResetCookie(CheckValue(m_user, m_password));
    Options::SetUserName(m_user);
    Options::SetCustomToolBarButtons(m_remember ? StoredPassword::Protect(m_password) : EString());
}

EString CRpcSession::GetStoredPassword()
{
    return StoredPassword::Read(Options::GetCustomToolBarButtons());
}
