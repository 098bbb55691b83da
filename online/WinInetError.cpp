#include "online/WinInetError.h"

#include <wininet.h>

namespace {
struct Reason {
    DWORD code;
    const char* text;
};

constexpr Reason kReasons[] = {
    // Wine reports a receive time-out as the socket's own code.
    {ERROR_INTERNET_TIMEOUT, "The server did not answer in time"},
    {WSAETIMEDOUT, "The server did not answer in time"},
    {ERROR_INTERNET_SEC_CERT_CN_INVALID, "The server's certificate is for another name"},
    {ERROR_INTERNET_SEC_CERT_DATE_INVALID, "The server's certificate has expired or is not yet valid"},
    {ERROR_INTERNET_INVALID_CA, "Invalid certificate authority"},
    {ERROR_INTERNET_SECURITY_CHANNEL_ERROR, "Talking HTTPS to an HTTP server?"},
    {ERROR_INTERNET_CANNOT_CONNECT, "Failed to connect"},
    {ERROR_INTERNET_NAME_NOT_RESOLVED, "Name ! resolved"},
    {ERROR_INTERNET_INVALID_URL, "Invalid URL"},
    {ERROR_INTERNET_CONNECTION_RESET, "Connection reset"},
    {ERROR_INTERNET_NOT_INITIALIZED, "Internet ! initialised"},
    {ERROR_INTERNET_CONNECTION_ABORTED, "Connection aborted"},
};

std::string SystemReason(DWORD code)
{
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof(buffer), nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    if (length == 0)
        return "Error " + std::to_string(static_cast<int>(code));
    return std::string(buffer, length);
}
} // namespace

std::string WinInetErrorText(const char* call, DWORD code)
{
    std::string text = std::string(call) + " : ";
    for (const Reason& reason : kReasons)
        if (reason.code == code)
            return text + reason.text;
    return text + SystemReason(code);
}
