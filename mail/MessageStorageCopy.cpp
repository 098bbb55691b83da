#include "mail/MessageStorageCopy.h"

#include <algorithm>
#include <set>
#include <vector>

#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "foundation/EString.h"
#include "mail/MessageStorage.h"
#include "mail/OulookMessage.h"

namespace {

// Elements asked for at once, and bytes read at once: each call may be a
// round trip to the program the storage lives in.
constexpr ULONG ElementsPerCall = 64;
constexpr ULONG ChunkBytes = 64 * 1024;

// One answer of the enumerator; frees the names it handed out.
class ElementBatch {
public:
    ElementBatch() = default;
    ~ElementBatch()
    {
        for (ULONG i = 0; i < count; ++i)
            ::CoTaskMemFree(elements[i].pwcsName);
    }
    ElementBatch(const ElementBatch&) = delete;
    ElementBatch& operator=(const ElementBatch&) = delete;

    STATSTG elements[ElementsPerCall] = {};
    ULONG count = 0;
};

ULARGE_INTEGER Size(ULONGLONG bytes)
{
    ULARGE_INTEGER size;
    size.QuadPart = bytes;
    return size;
}

void CopyStream(IStorage* source, IStorage* target, const wchar_t* name, size_t byteLimit, size_t& bytesLeft)
{
    ComPtr<IStream> from;
    // A stream the source will not open is left out, as the reader passes over it.
    if (FAILED(source->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &from)) || !from)
        return;
    ComPtr<IStream> to;
    ThrowIfFailed(target->CreateStream(name, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &to));
    std::vector<char> chunk(ChunkBytes);
    ULONGLONG copied = 0;
    ULONGLONG reserved = 0;
    // Read to the end rather than trust Stat: the other program's sizes are its word.
    for (;;) {
        ULONG got = 0;
        const HRESULT read = from->Read(chunk.data(), ChunkBytes, &got);
        if (FAILED(read))
            ThrowComError(read);
        if (got == 0)
            break;
        if (got > ChunkBytes)
            ThrowComError(STG_E_READFAULT);
        if (got > bytesLeft)
            ThrowComError(E_OUTOFMEMORY, EString::Formatted(L"The message's texts are larger than %u MB.",
                                                            static_cast<unsigned>(byteLimit >> 20)));
        bytesLeft -= got;
        // The system's storage takes time that grows with the square of a
        // stream grown write by write: it is grown ahead, twice as far each time.
        if (copied + got > reserved) {
            reserved = std::max(copied + got, std::min(2 * reserved, copied + got + bytesLeft));
            ThrowIfFailed(to->SetSize(Size(reserved)));
        }
        ULONG written = 0;
        ThrowIfFailed(to->Write(chunk.data(), got, &written));
        if (written != got)
            ThrowComError(STG_E_MEDIUMFULL);
        copied += got;
    }
    if (reserved != copied)
        ThrowIfFailed(to->SetSize(Size(copied)));
}

} // namespace

void CopyMessageStreams(IStorage* source, IStorage* target, size_t byteLimit)
{
    ComPtr<IEnumSTATSTG> elements;
    ThrowIfFailed(source->EnumElements(0, nullptr, 0, &elements));
    if (!elements)
        ThrowComError(E_POINTER);
    size_t bytesLeft = byteLimit;
    size_t listed = 0;
    // A name listed twice is copied once.
    std::set<EString> copied;
    for (;;) {
        ElementBatch batch;
        const HRESULT next = elements->Next(ElementsPerCall, batch.elements, &batch.count);
        if (FAILED(next)) {
            batch.count = 0;
            ThrowComError(next);
        }
        if (batch.count > ElementsPerCall) {
            batch.count = ElementsPerCall;
            ThrowComError(STG_E_READFAULT);
        }
        for (ULONG i = 0; i < batch.count; ++i) {
            const STATSTG& element = batch.elements[i];
            if (++listed > MaxMessageElements)
                ThrowComError(STG_E_DOCFILECORRUPT, EString::Formatted(L"The message holds more than %d elements.",
                                                                       MaxMessageElements));
            if (element.type == STGTY_STREAM && element.pwcsName && OulookMessage::ReadsRootStream(element.pwcsName) &&
                copied.insert(element.pwcsName).second)
                CopyStream(source, target, element.pwcsName, byteLimit, bytesLeft);
        }
        if (next != S_OK || batch.count == 0)
            return;
    }
}
