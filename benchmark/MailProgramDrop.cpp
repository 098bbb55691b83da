#include "benchmark/MailProgramDrop.h"

#include <ole2.h>

#include "foundation/ComPtr.h"
#include "mail/MsgFileBuilder.h"

namespace {

constexpr WORD kDisplayName = 0x3001;
constexpr WORD kEmailAddress = 0x3003;
constexpr WORD kNormalizedSubject = 0x0E1D;
constexpr WORD kBody = 0x1000;
constexpr WORD kDisplayTo = 0x0E04;
constexpr WORD kAttachDataBinary = 0x3701;
constexpr WORD kAttachLongFilename = 0x3707;

// Drops where the cursor rests as soon as the drag starts: no button is down.
class ButtonUpDropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack for the one drag it serves.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override
    {
        if (escapePressed)
            return DRAGDROP_S_CANCEL;
        return keyState & (MK_LBUTTON | MK_RBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

} // namespace

std::string OutlookMessageOfSize(const EString& subject, size_t bytes)
{
    MsgFileBuilder file;
    file.AddUnicodeProperty(L"", kNormalizedSubject, subject);
    file.AddUnicodeProperty(L"", kBody, L"The figures for the quarter are attached.\r\nAnn");
    file.AddUnicodeProperty(L"", kDisplayTo, L"Bob; Carol");
    const wchar_t* const recipients[] = {L"Bob", L"Carol"};
    for (int i = 0; i < 2; ++i) {
        file.AddUnicodeProperty(RecipientStorage(i), kDisplayName, recipients[i]);
        file.AddUnicodeProperty(RecipientStorage(i), kEmailAddress, EString(recipients[i]) + L"@example.com");
    }
    file.AddUnicodeProperty(AttachmentStorage(0), kAttachLongFilename, L"figures.xlsx");
    // Bytes that do not repeat, as a real file's are.
    std::string data(bytes, '\0');
    unsigned state = 20261208;
    for (char& byte : data) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    file.AddBinaryProperty(AttachmentStorage(0), kAttachDataBinary, data);
    return file.GetBytes();
}

bool DropMailFile(POINT at, const EString& name, const std::string& bytes, FakeMailDrop::Medium medium)
{
    if (!::SetCursorPos(at.x, at.y))
        return false;
    const ComPtr<FakeMailDrop> message(new FakeMailDrop({{name, bytes, medium}}));
    ButtonUpDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = ::DoDragDrop(message.Get(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    return result == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE;
}
