#include "document/xml/FileWriteStream.h"

#include "foundation/ComError.h"

namespace {

HRESULT LastError()
{
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

} // namespace

ComPtr<FileWriteStream> FileWriteStream::Create(const EString& path)
{
    // Readers may look at it meanwhile; nobody may write or delete it under us.
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowLastWin32Error();
    ComPtr<FileWriteStream> stream;
    stream.Attach(new FileWriteStream(std::move(file)));
    return stream;
}

FileWriteStream::~FileWriteStream()
{
    Close();
}

HRESULT FileWriteStream::Write(const void* data, ULONG size, ULONG* written)
{
    ULONG total = 0;
    HRESULT result = S_OK;
    if (!m_file)
        result = E_UNEXPECTED;
    while (SUCCEEDED(result) && total < size) {
        DWORD done = 0;
        if (!::WriteFile(m_file.Get(), static_cast<const char*>(data) + total, size - total, &done, nullptr))
            result = LastError();
        else if (done == 0)
            // A write that takes nothing and says nothing is a full disk.
            result = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
        total += done;
    }
    if (written)
        *written = total;
    return result;
}

HRESULT FileWriteStream::Close()
{
    return m_file.Close() ? S_OK : LastError();
}
