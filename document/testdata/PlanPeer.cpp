// A second program for the clipboard tests of the planning document.
//   document_plan_peer paste <plan> <category>  pastes the private clipboard text under the category and saves
//   document_plan_peer copy <plan> <category>   puts the category's branch on the clipboard
#include <windows.h>
#include <ole2.h>

#include <cwchar>
#include <string>

#include "document/PelquornDoc.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 3;
    ::OleInitialize(nullptr);
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const std::wstring command = argv[1];
    const int categoryId = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    int result = 3;
    {
        CPelquornDoc document;
        if (!document.OpenPath(argv[2])) {
            result = 1;
        } else if (command == L"paste") {
            document.SetCurrentCategoryId(categoryId);
            result = document.PasteFromClipboard(owner) && document.DoSave() ? 0 : 2;
        } else if (command == L"copy") {
            result = document.CopyCategoryToClipboard(categoryId, owner) ? 0 : 2;
        }
    }
    ::DestroyWindow(owner);
    ::OleUninitialize();
    return result;
}
