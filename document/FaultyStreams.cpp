#include "document/FaultyStreams.h"

#include <algorithm>

#include "document/xml/WriteOnlyStream.h"

namespace {

class LimitedStream : public WriteOnlyStream {
public:
    enum class Fault { kFailAtLimit, kHalfOfEachWrite };

    static ComPtr<IStream> Create(const ComPtr<IStream>& file, Fault fault, ULONG limit)
    {
        ComPtr<IStream> stream;
        stream.Attach(new LimitedStream(file, fault, limit));
        return stream;
    }

    HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG size, ULONG* written) override
    {
        ULONG passed = 0;
        const ULONG wanted = m_fault == Fault::kHalfOfEachWrite ? size / 2 : std::min(size, m_left);
        HRESULT result = wanted ? m_file->Write(data, wanted, &passed) : S_OK;
        m_left -= std::min(m_left, passed);
        if (SUCCEEDED(result) && m_fault == Fault::kFailAtLimit && passed < size)
            result = STG_E_MEDIUMFULL;
        if (written)
            *written = passed;
        return result;
    }

private:
    LimitedStream(const ComPtr<IStream>& file, Fault fault, ULONG limit) : m_file(file), m_fault(fault), m_left(limit)
    {
    }

    ComPtr<IStream> m_file;
    Fault m_fault;
    ULONG m_left;
};

} // namespace

XmlFileWriter::StreamFilter FailAfterBytes(ULONG limit)
{
    return [limit](const ComPtr<IStream>& file) {
        return LimitedStream::Create(file, LimitedStream::Fault::kFailAtLimit, limit);
    };
}

XmlFileWriter::StreamFilter AcceptLessThanOffered()
{
    return [](const ComPtr<IStream>& file) {
        return LimitedStream::Create(file, LimitedStream::Fault::kHalfOfEachWrite, 0);
    };
}
