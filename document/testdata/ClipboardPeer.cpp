// A second process for the clipboard tests.
//   document_clipboard_peer put <file>  puts the UTF-16 text of the file under the private format
//   document_clipboard_peer get <file>  writes the private text to the file (UTF-16); exit code 2 when there is none
#include <windows.h>

#include <string>

#include "document/Clipboard.h"
#include "foundation/CTFile.h"
#include "foundation/UniqueHandle.h"

namespace {

std::string ReadBytes(const wchar_t* path)
{
    CTFile file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return file.IsOpen() ? file.ReadBytes() : std::string();
}

bool WriteBytes(const wchar_t* path, const std::string& bytes)
{
    const UniqueHandle file(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 3;
    // The clipboard wants a window to own what is put on it.
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const std::wstring command = argv[1];
    int result = 3;
    if (command == L"put") {
        const std::string bytes = ReadBytes(argv[2]);
        const EString text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        result = Clipboard::SetPrivateClipboardText(text, owner) ? 0 : 1;
    } else if (command == L"get") {
        if (!Clipboard::IsPrivateFormatOnClipboard()) {
            result = 2;
        } else {
            const EString text = Clipboard::GetPrivateClipboardText(owner);
            const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
            result = WriteBytes(argv[2], bytes) ? 0 : 1;
        }
    }
    ::DestroyWindow(owner);
    return result;
}
