#include "foundation/ComError.h"

#include <windows.h>
#include <oleauto.h>

#include "foundation/Log.h"

ComError::ComError(HRESULT code, EString description)
    : m_code(code), m_description(std::move(description))
{
}

EString ComError::Description() const
{
    return m_description.IsEmpty() ? SystemErrorText(m_code) : m_description;
}

EString SystemErrorText(HRESULT code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    EString text;
    if (length && buffer)
        text.assign(buffer, length);
    if (buffer)
        ::LocalFree(buffer);
    text.TrimRight(L"\r\n ");
    if (text.IsEmpty())
        text.Format(L"Error 0x%08x", static_cast<unsigned>(code));
    return text;
}

void ThrowIfFailed(HRESULT code)
{
    if (FAILED(code))
        ThrowComError(code);
}

void ThrowComError(HRESULT code)
{
    EString description;
    IErrorInfo* info = nullptr;
    if (::GetErrorInfo(0, &info) == S_OK && info) {
        BSTR text = nullptr;
        // Some objects hand out a plain string whose length prefix is not
        // set: it is read up to its terminator, never past the length.
        if (SUCCEEDED(info->GetDescription(&text)) && text)
            description.assign(text, wcsnlen(text, ::SysStringLen(text)));
        ::SysFreeString(text);
        info->Release();
    }
    throw ComError(code, description);
}

void ThrowComError(HRESULT code, const EString& description)
{
    throw ComError(code, description);
}

void ThrowLastWin32Error()
{
    const DWORD error = ::GetLastError();
    ThrowComError(error ? HRESULT_FROM_WIN32(error) : E_FAIL);
}

void LogComError(const ComError& error)
{
    LogMessage(L"CATCH 0x%x: %s\n", static_cast<unsigned>(error.Error()), error.Description().c_str());
}
