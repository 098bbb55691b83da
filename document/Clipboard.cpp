#include "document/Clipboard.h"

#include <cstring>

namespace {

// Closes the clipboard when the operation is over, however it ends.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

HGLOBAL CopyToGlobalMemory(const EString& text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block)
        return nullptr;
    void* data = ::GlobalLock(block);
    if (!data) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, text.c_str(), bytes);
    ::GlobalUnlock(block);
    return block;
}

} // namespace

FORMATETC GlobalMemoryRequest(CLIPFORMAT format)
{
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

CLIPFORMAT Clipboard::GetPrivateClipboardFormat()
{
    static CLIPFORMAT format = 0;
    if (!format)
        format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(PelquornClipboardFormat));
    return format;
}

bool Clipboard::IsPrivateFormatOnClipboard()
{
    return ::IsClipboardFormatAvailable(GetPrivateClipboardFormat()) != FALSE;
}

bool Clipboard::IsPrivateFormatInDataObject(IDataObject* dataObject)
{
    if (!dataObject)
        return false;
    FORMATETC request = GlobalMemoryRequest(GetPrivateClipboardFormat());
    return dataObject->QueryGetData(&request) == S_OK;
}

bool Clipboard::SetPrivateClipboardText(const EString& text, HWND owner)
{
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return false;
    const HGLOBAL block = CopyToGlobalMemory(text);
    if (!block)
        return false;
    if (!::SetClipboardData(GetPrivateClipboardFormat(), block)) {
        ::GlobalFree(block); // the clipboard took nothing
        return false;
    }
    return true;
}

EString Clipboard::GetPrivateClipboardText(HWND owner)
{
    if (!IsPrivateFormatOnClipboard())
        return EString();
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        return EString();
    const HANDLE block = ::GetClipboardData(GetPrivateClipboardFormat());
    if (!block)
        return EString();
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(block));
    if (!text)
        return EString();
    const size_t room = ::GlobalSize(block) / sizeof(wchar_t);
    EString result(text, wcsnlen(text, room));
    ::GlobalUnlock(block);
    return result;
}
