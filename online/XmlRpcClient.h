// XmlRpcClient: sends one XML-RPC method call at a time as an HTTP POST through WinInet.
#pragma once

#include <memory>
#include <string>

#include "online/XmlRpcValue.h"

// Synchronous, and it never throws: a failed call returns false and leaves
// its reason in LastError().
class XmlRpcClient {
public:
    enum Protocol { ProtocolDefault = 0, ProtocolHttp = 1, ProtocolHttps = 2 };
    using StatusCallback = void (*)(void* userData, const char* text);

    // "http://host[:port]/path" or "https://..."; a bad URL leaves no
    // connection and its reason as the last error.
    explicit XmlRpcClient(const char* url);
    // Without a protocol, port 443 means HTTPS and any other port HTTP.
    XmlRpcClient(const char* server, int port, const char* object, Protocol protocol = ProtocolDefault);
    ~XmlRpcClient();
    XmlRpcClient(const XmlRpcClient&) = delete;
    XmlRpcClient& operator=(const XmlRpcClient&) = delete;

    // True when a normal result was read into `result`. A fault reply is a
    // failure; its value is left in `result` and its text in LastError().
    bool Execute(const char* methodName, const XmlRpcValue& params, XmlRpcValue& result);

    // Empty after a successful call; at most 1254 characters.
    const std::string& LastError() const;
    bool IsFault() const;
    // The status of the last HTTP exchange that failed with one; -1 before.
    int HttpStatus() const;

    // Accepts a certificate of an unknown authority; its name and dates are
    // still checked.
    void SetIgnoreUnknownCA(bool ignore);
    // How long a call waits for the server to connect, to take the call and
    // to answer it whole; 30 seconds unless set.
    void SetReceiveTimeout(unsigned milliseconds);
    void SetStatusCallback(StatusCallback callback, void* userData);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};
