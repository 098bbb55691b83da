#include "document/xml/XmlFileWriter.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "document/xml/FileWriteStream.h"
#include "document/xml/XmlWellFormed.h"
#include "foundation/ComError.h"
#include "foundation/UniqueHandle.h"
#include "foundation/Variant.h"

namespace {

XmlFileWriter::StreamFilter& Filter()
{
    static XmlFileWriter::StreamFilter filter;
    return filter;
}

// Stands between MSXML and the file: remembers the first write that failed or
// took less than offered, and refuses every later one, so that MSXML stops.
class CheckedWriteStream : public WriteOnlyStream {
public:
    static ComPtr<CheckedWriteStream> Create(const ComPtr<IStream>& destination)
    {
        ComPtr<CheckedWriteStream> stream;
        stream.Attach(new CheckedWriteStream(destination));
        return stream;
    }

    HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG size, ULONG* written) override
    {
        ULONG done = 0;
        if (SUCCEEDED(m_result)) {
            const HRESULT result = m_destination->Write(data, size, &done);
            if (FAILED(result))
                m_result = result;
            else if (done != size)
                m_result = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
        }
        if (written)
            *written = done;
        return m_result;
    }

    HRESULT Result() const { return m_result; }

private:
    explicit CheckedWriteStream(const ComPtr<IStream>& destination) : m_destination(destination) {}

    ComPtr<IStream> m_destination;
    HRESULT m_result = S_OK;
};

} // namespace

namespace {

// The file, and the stream in front of it that every byte goes through.
struct CheckedFile {
    explicit CheckedFile(const EString& path)
        : file(FileWriteStream::Create(path)),
          checked(CheckedWriteStream::Create(Filter() ? Filter()(ComPtr<IStream>(file.Get()))
                                                      : ComPtr<IStream>(file.Get())))
    {
    }

    // Closes the file; raises the first failure of the writing, or of `written`.
    void Close(HRESULT written = S_OK)
    {
        HRESULT result = checked->Result();
        if (SUCCEEDED(result))
            result = written;
        const HRESULT closed = file->Close();
        if (SUCCEEDED(result))
            result = closed;
        if (FAILED(result))
            ThrowComError(result, SystemErrorText(result));
    }

    ComPtr<FileWriteStream> file;
    ComPtr<CheckedWriteStream> checked;
};

HRESULT LastError()
{
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

struct ViewUnmapper {
    void operator()(const void* view) const { ::UnmapViewOfFile(view); }
};
using MappedView = std::unique_ptr<const void, ViewUnmapper>;

// Scans the file's bytes as the system maps them: a plan of many megabytes
// without a copy, in half the time of a read into memory.
void CheckReadable(const EString& path)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        ThrowLastWin32Error();
    LARGE_INTEGER size = {};
    UniqueHandle mapping;
    MappedView view;
    HRESULT failure = S_OK;
    if (!::GetFileSizeEx(file.Get(), &size))
        failure = LastError();
    else if (static_cast<ULONGLONG>(size.QuadPart) > SIZE_MAX)
        failure = HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    // An empty file has no mapping, and nothing to map.
    else if (size.QuadPart > 0) {
        mapping.Reset(::CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (mapping)
            view.reset(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
        if (!view)
            failure = LastError();
    }
    std::optional<XmlFault> fault;
    if (SUCCEEDED(failure))
        fault = FindXmlFault(view ? std::string_view(static_cast<const char*>(view.get()),
                                                     static_cast<size_t>(size.QuadPart))
                                  : std::string_view());
    if (FAILED(failure))
        ThrowComError(failure, SystemErrorText(failure));
    if (fault)
        ThrowComError(HRESULT_FROM_WIN32(ERROR_INVALID_DATA),
                      EString::Formatted(L"The file written would not open again: %s (byte %lu).",
                                         fault->reason.c_str(), static_cast<unsigned long>(fault->offset)));
}

} // namespace

void XmlFileWriter::Write(IXMLDOMDocument* document, const EString& path)
{
    CheckedFile output(path);
    const HRESULT saved =
        document->save(Variant(static_cast<IUnknown*>(static_cast<IStream*>(output.checked.Get()))));
    // MSXML answers S_FALSE when its own writer gave up.
    output.Close(saved == S_OK ? S_OK : FAILED(saved) ? saved : E_FAIL);
    // MSXML writes whatever the DOM holds, an escape character or half a
    // surrogate pair too: the file is checked as the next open would read it.
    CheckReadable(path);
}

void XmlFileWriter::WriteUtf16Text(const EString& text, const EString& path)
{
    CheckedFile output(path);
    static const unsigned char kByteOrderMark[] = {0xFF, 0xFE};
    output.checked->Write(kByteOrderMark, sizeof(kByteOrderMark), nullptr);
    // In pieces the size of a ULONG can count, the last one shorter.
    constexpr size_t kPiece = 1 << 20;
    const auto* bytes = reinterpret_cast<const char*>(text.data());
    const size_t size = text.size() * sizeof(wchar_t);
    for (size_t done = 0; done < size && SUCCEEDED(output.checked->Result()); done += kPiece)
        output.checked->Write(bytes + done, static_cast<ULONG>(std::min(kPiece, size - done)), nullptr);
    output.Close();
}

void XmlFileWriter::SetStreamFilter(StreamFilter filter)
{
    Filter() = std::move(filter);
}
