#include "online/XmlRpcClient.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "foundation/SystemEntry.h"
#include "online/InternetHandle.h"
#include "online/WinInetError.h"
#include "online/XmlRpcException.h"
#include "online/XmlRpcReader.h"
#include "online/XmlRpcWriter.h"

namespace {
constexpr size_t kMaxErrorLength = 1254;
constexpr size_t kMaxResponseBytes = 1024 * 1024;
constexpr size_t kMaxHeaderTextBytes = 4096;
constexpr DWORD kReceiveTimeoutMs = 30000;
// A redirect is never followed: WinInet would send a POST on as a GET.
constexpr DWORD kHttpFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_AUTO_REDIRECT;
// The certificate's name and dates are always checked: the login sends a password.
constexpr DWORD kHttpsFlags = kHttpFlags | INTERNET_FLAG_SECURE;

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char ch = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (ch != prefix[i])
            return false;
    }
    return true;
}

bool IsRedirect(DWORD status)
{
    return status == HTTP_STATUS_MOVED || status == HTTP_STATUS_REDIRECT || status == HTTP_STATUS_REDIRECT_METHOD ||
           status == HTTP_STATUS_REDIRECT_KEEP_VERB || status == 308;
}

// A header of the reply as text; false when it is missing or too long.
bool QueryHeaderText(HINTERNET request, DWORD infoLevel, std::string& text)
{
    text.assign(256, '\0');
    DWORD size = static_cast<DWORD>(text.size());
    bool got = ::HttpQueryInfoA(request, infoLevel, text.data(), &size, nullptr);
    if (!got && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && size <= kMaxHeaderTextBytes) {
        text.resize(size);
        got = ::HttpQueryInfoA(request, infoLevel, text.data(), &size, nullptr);
    }
    text.resize(got ? size : 0);
    return got;
}

std::string FaultText(const XmlRpcValue& fault)
{
    if (fault.HasMember("faultString")) {
        const XmlRpcValue& text = fault.AsStruct().at("faultString");
        if (text.GetKind() == XmlRpcValue::KindString && !text.AsString().empty())
            return text.AsString();
    }
    return "unspecified error";
}
} // namespace

class XmlRpcClient::Impl {
public:
    void ConnectToUrl(std::string_view url);
    void Connect(const std::string& host);
    bool Execute(const char* methodName, const XmlRpcValue& params, XmlRpcValue& result);
    void SetError(std::string text);
    void ApplyReceiveTimeout();

    Protocol protocol = ProtocolHttp;
    bool ignoreUnknownCA = false;
    DWORD receiveTimeout = kReceiveTimeoutMs;
    InternetHandle session;
    InternetHandle connection;
    std::string object;
    int port = INTERNET_DEFAULT_HTTP_PORT;
    StatusCallback callback = nullptr;
    void* callbackData = nullptr;
    DWORD bytesReceived = 0;
    // The time-out bounds the whole call, however slowly an answer trickles in.
    std::chrono::steady_clock::time_point callStart;
    std::string lastError;
    int httpStatus = -1;
    bool fault = false;

private:
    bool Send(HINTERNET request, const std::string& body);
    bool ReadBody(HINTERNET request, std::string& body);
    void Report(const char* text);
    void ReportStatus(DWORD status);
    static void CALLBACK OnStatus(HINTERNET handle, DWORD_PTR context, DWORD status, void* info, DWORD infoLength);
};

void XmlRpcClient::Impl::SetError(std::string text)
{
    if (text.empty())
        text = "unspecified error";
    if (text.size() > kMaxErrorLength)
        text.resize(kMaxErrorLength);
    lastError = std::move(text);
}

void XmlRpcClient::Impl::Report(const char* text)
{
    if (callback)
        callback(callbackData, text);
}

void CALLBACK XmlRpcClient::Impl::OnStatus(HINTERNET, DWORD_PTR context, DWORD status, void*, DWORD)
{
    auto* impl = reinterpret_cast<Impl*>(context);
    if (!impl || !impl->callback)
        return;
    RunForSystem(L"the connection's status callback", [&] { impl->ReportStatus(status); });
}

void XmlRpcClient::Impl::ReportStatus(DWORD status)
{
    switch (status) {
    case INTERNET_STATUS_SENDING_REQUEST: Report("Sending data"); break;
    case INTERNET_STATUS_REQUEST_SENT: Report("Data sent"); break;
    case INTERNET_STATUS_RECEIVING_RESPONSE:
        Report(bytesReceived == 0 ? "Waiting for response" : "Receiving response");
        break;
    case INTERNET_STATUS_RESPONSE_RECEIVED: Report("Response received"); break;
    case INTERNET_STATUS_HANDLE_CLOSING: Report("Handle closing"); break;
    default: {
        char text[32];
        std::snprintf(text, sizeof(text), "Status %lu", static_cast<unsigned long>(status));
        Report(text);
        break;
    }
    }
}

void XmlRpcClient::Impl::ConnectToUrl(std::string_view url)
{
    if (StartsWithNoCase(url, "https://")) {
        protocol = ProtocolHttps;
        port = INTERNET_DEFAULT_HTTPS_PORT;
        url.remove_prefix(8);
    } else if (StartsWithNoCase(url, "http://")) {
        protocol = ProtocolHttp;
        port = INTERNET_DEFAULT_HTTP_PORT;
        url.remove_prefix(7);
    } else {
        SetError("The URI must begin with \"https://\" || \"http://\".");
        return;
    }
    const size_t hostEnd = std::min(url.find_first_of(":/"), url.size());
    const std::string host(url.substr(0, hostEnd));
    url.remove_prefix(hostEnd);
    if (!url.empty() && url.front() == ':') {
        url.remove_prefix(1);
        int number = 0;
        while (!url.empty() && url.front() >= '0' && url.front() <= '9') {
            number = number * 10 + (url.front() - '0');
            if (number > 65535) {
                SetError("The URI has an invalid port number.");
                return;
            }
            url.remove_prefix(1);
        }
        port = number;
    }
    object = std::string(url);
    Connect(host);
}

void XmlRpcClient::Impl::Connect(const std::string& host)
{
    session.Reset(::InternetOpenA("XmlRpc", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        SetError(WinInetErrorText("InternetOpen", ::GetLastError()));
        return;
    }
    connection.Reset(::InternetConnectA(session.Get(), host.c_str(), static_cast<INTERNET_PORT>(port), nullptr,
                                        nullptr, INTERNET_SERVICE_HTTP, 0, reinterpret_cast<DWORD_PTR>(this)));
    if (!connection) {
        SetError(WinInetErrorText("InternetConnect", ::GetLastError()));
        return;
    }
    ApplyReceiveTimeout();
}

void XmlRpcClient::Impl::ApplyReceiveTimeout()
{
    // WinInet's own waits to connect and to send are longer: the one limit holds for all three.
    for (const InternetHandle* handle : {&session, &connection})
        if (*handle)
            for (const DWORD option :
                 {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
                ::InternetSetOptionA(handle->Get(), option, &receiveTimeout, sizeof(receiveTimeout));
}

bool XmlRpcClient::Impl::Execute(const char* methodName, const XmlRpcValue& params, XmlRpcValue& result)
{
    lastError.clear();
    fault = false;
    bytesReceived = 0;
    if (!connection) {
        SetError("No connection");
        return false;
    }
    const std::string call = WriteXmlRpcMethodCall(methodName ? methodName : "", params);
    Report("Sending data");
    callStart = std::chrono::steady_clock::now();

    const char* acceptTypes[] = {"text/*", nullptr};
    InternetHandle request(::HttpOpenRequestA(connection.Get(), "POST", object.c_str(), "HTTP/1.0", nullptr,
                                              acceptTypes, protocol == ProtocolHttps ? kHttpsFlags : kHttpFlags,
                                              reinterpret_cast<DWORD_PTR>(this)));
    if (!request) {
        SetError(WinInetErrorText("HttpOpenRequest", ::GetLastError()));
        return false;
    }
    ::InternetSetStatusCallbackA(request.Get(), &Impl::OnStatus);
    if (!Send(request.Get(), call))
        return false;
    Report("Data sent...");

    std::string body;
    const bool bodyRead = ReadBody(request.Get(), body);
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        SetError("Could not query HTTP result status");
        return false;
    }
    if (status != HTTP_STATUS_OK) {
        std::string text;
        if (IsRedirect(status)) {
            QueryHeaderText(request.Get(), HTTP_QUERY_LOCATION, text);
            SetError("The server redirects the call (HTTP " + std::to_string(status) + ") to \"" + text +
                     "\"; it is not sent there: check the server address");
        } else if (QueryHeaderText(request.Get(), HTTP_QUERY_STATUS_TEXT, text)) {
            SetError("Low level (HTTP) error: " + std::to_string(status) + " " + text);
        } else {
            SetError("Could not query HTTP result status");
        }
        httpStatus = static_cast<int>(status);
        return false;
    }
    request.Close();
    if (!bodyRead)
        return false;
    if (bytesReceived == 0) {
        SetError("Invalid XMLRPC response: content size is 0");
        return false;
    }
    // The body is read as one NUL-terminated text.
    body.resize(std::string_view(body.c_str()).size());
    try {
        if (!XmlRpcReader::ReadMethodResponse(body, result)) {
            fault = true;
            SetError(FaultText(result));
        }
    } catch (const XmlRpcException& error) {
        SetError(error.Message());
    }
    return lastError.empty();
}

bool XmlRpcClient::Impl::Send(HINTERNET request, const std::string& body)
{
    if (ignoreUnknownCA) {
        DWORD flags = 0;
        DWORD size = sizeof(flags);
        if (::InternetQueryOptionA(request, INTERNET_OPTION_SECURITY_FLAGS, &flags, &size)) {
            flags |= SECURITY_FLAG_IGNORE_UNKNOWN_CA;
            ::InternetSetOptionA(request, INTERNET_OPTION_SECURITY_FLAGS, &flags, sizeof(flags));
        }
    }
    const std::string headers = "Content-Type: text/xml\r\nContent-length: " + std::to_string(body.size());
    ::HttpAddRequestHeadersA(request, headers.c_str(), static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD);
    const auto start = std::chrono::steady_clock::now();
    if (!::HttpSendRequestA(request, nullptr, 0, const_cast<char*>(body.data()), static_cast<DWORD>(body.size()))) {
        DWORD code = ::GetLastError();
        // Wine reports an answer that never came as an aborted connection:
        // one that ended only when the whole wait was spent is a time-out.
        if (code == ERROR_INTERNET_CONNECTION_ABORTED &&
            std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(receiveTimeout))
            code = ERROR_INTERNET_TIMEOUT;
        SetError(WinInetErrorText("HttpSendRequest", code));
        return false;
    }
    return true;
}

// Reads the whole body, refusing more than 1 MiB: the server is not trusted.
bool XmlRpcClient::Impl::ReadBody(HINTERNET request, std::string& body)
{
    for (;;) {
        if (std::chrono::steady_clock::now() - callStart >= std::chrono::milliseconds(receiveTimeout)) {
            SetError(WinInetErrorText("InternetReadFile", ERROR_INTERNET_TIMEOUT));
            return false;
        }
        DWORD available = 0;
        if (!::InternetQueryDataAvailable(request, &available, 0, 0)) {
            SetError(WinInetErrorText("InternetQueryDataAvailable", ::GetLastError()));
            return false;
        }
        if (available == 0)
            return true;
        if (available > kMaxResponseBytes - body.size()) {
            SetError("Invalid XMLRPC response: content larger than 1 MiB (1048576 bytes)");
            return false;
        }
        const size_t start = body.size();
        body.resize(start + available);
        DWORD read = 0;
        if (!::InternetReadFile(request, body.data() + start, available, &read)) {
            body.resize(start);
            SetError(WinInetErrorText("InternetReadFile", ::GetLastError()));
            return false;
        }
        body.resize(start + read);
        bytesReceived = static_cast<DWORD>(body.size());
        if (read == 0)
            return true;
    }
}

XmlRpcClient::XmlRpcClient(const char* url) : m_impl(std::make_unique<Impl>())
{
    m_impl->ConnectToUrl(url ? url : "");
}

XmlRpcClient::XmlRpcClient(const char* server, int port, const char* object, Protocol protocol)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->protocol = protocol != ProtocolDefault ? protocol
                       : port == INTERNET_DEFAULT_HTTPS_PORT ? ProtocolHttps
                                                              : ProtocolHttp;
    m_impl->port = port;
    m_impl->object = object ? object : "";
    m_impl->Connect(server ? server : "");
}

XmlRpcClient::~XmlRpcClient() = default;

bool XmlRpcClient::Execute(const char* methodName, const XmlRpcValue& params, XmlRpcValue& result)
{
    try {
        return m_impl->Execute(methodName, params, result);
    } catch (const XmlRpcException& error) {
        m_impl->SetError(error.Message());
    } catch (const std::exception& error) {
        m_impl->SetError(error.what());
    }
    return false;
}

const std::string& XmlRpcClient::LastError() const { return m_impl->lastError; }
bool XmlRpcClient::IsFault() const { return m_impl->fault; }
int XmlRpcClient::HttpStatus() const { return m_impl->httpStatus; }
void XmlRpcClient::SetIgnoreUnknownCA(bool ignore) { m_impl->ignoreUnknownCA = ignore; }

void XmlRpcClient::SetReceiveTimeout(unsigned milliseconds)
{
    m_impl->receiveTimeout = milliseconds;
    m_impl->ApplyReceiveTimeout();
}

void XmlRpcClient::SetStatusCallback(StatusCallback callback, void* userData)
{
    m_impl->callback = callback;
    m_impl->callbackData = userData;
}
