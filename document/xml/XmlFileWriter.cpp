#include "document/xml/XmlFileWriter.h"

#include "document/xml/FileWriteStream.h"
#include "foundation/ComError.h"
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

void XmlFileWriter::Write(IXMLDOMDocument* document, const EString& path)
{
    const ComPtr<FileWriteStream> file = FileWriteStream::Create(path);
    const ComPtr<IStream> destination = Filter() ? Filter()(ComPtr<IStream>(file.Get())) : ComPtr<IStream>(file.Get());
    const ComPtr<CheckedWriteStream> checked = CheckedWriteStream::Create(destination);
    const HRESULT saved = document->save(Variant(static_cast<IUnknown*>(static_cast<IStream*>(checked.Get()))));
    HRESULT result = checked->Result();
    // MSXML answers S_FALSE when its own writer gave up.
    if (SUCCEEDED(result) && saved != S_OK)
        result = FAILED(saved) ? saved : E_FAIL;
    const HRESULT closed = file->Close();
    if (SUCCEEDED(result))
        result = closed;
    if (FAILED(result))
        ThrowComError(result, SystemErrorText(result));
}

void XmlFileWriter::SetStreamFilter(StreamFilter filter)
{
    Filter() = std::move(filter);
}
