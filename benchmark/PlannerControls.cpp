#include "benchmark/PlannerControls.h"

#include <oleauto.h>

#include <cmath>

#include "benchmark/PlannerProcess.h"

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD patienceMs, DWORD_PTR& answer)
{
    answer = 0;
    return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, patienceMs, &answer) != 0;
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer)
{
    return SendWithin(window, message, wParam, lParam, kReadMs, answer);
}

HWND FindChildOfClass(HWND parent, const wchar_t* className)
{
    struct Search {
        const wchar_t* className;
        HWND found;
    } search = {className, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            ::GetClassNameW(child, name, 64);
            if (lstrcmpW(name, search->className) != 0)
                return TRUE;
            search->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildWithId(HWND parent, int id)
{
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            if (::GetDlgCtrlID(child) != search->id)
                return TRUE;
            search->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindThreadDialog(DWORD threadId, int controlId)
{
    struct Search {
        int controlId;
        HWND found;
    } search = {controlId, nullptr};
    ::EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t name[16] = {};
            ::GetClassNameW(window, name, 16);
            if (lstrcmpW(name, L"#32770") != 0 || !::IsWindowVisible(window) ||
                (search->controlId != 0 && !::GetDlgItem(window, search->controlId)))
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size) : m_process(process)
{
    m_address = ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer()
{
    if (m_address)
        ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size, size_t offset)
{
    SIZE_T written = 0;
    return m_address &&
           ::WriteProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(void* data, size_t size, size_t offset) const
{
    SIZE_T read = 0;
    return m_address && ::ReadProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, &read) &&
           read == size;
}

HTREEITEM FindCategoryItem(HANDLE process, HWND tree, int categoryId)
{
    DWORD_PTR root = 0;
    if (!Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, root) || !root)
        return nullptr;
    if (categoryId == 0)
        return reinterpret_cast<HTREEITEM>(root);
    RemoteBuffer buffer(process, sizeof(TVITEMW));
    DWORD_PTR item = 0, ignored = 0;
    for (Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, root, item); item;) {
        TVITEMW info = {};
        info.mask = TVIF_PARAM | TVIF_HANDLE;
        info.hItem = reinterpret_cast<HTREEITEM>(item);
        if (!buffer.Write(&info, sizeof(info)) || !Ask(tree, TVM_GETITEMW, 0, buffer.At(), ignored) ||
            !buffer.Read(&info, sizeof(info)))
            return nullptr;
        if (info.lParam == categoryId)
            return info.hItem;
        if (!Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, item, item))
            return nullptr;
    }
    return nullptr;
}

HTREEITEM SelectedTreeItem(HWND tree)
{
    DWORD_PTR item = 0;
    return Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, item) ? reinterpret_cast<HTREEITEM>(item) : nullptr;
}

bool TreeItemRect(HANDLE process, HWND tree, HTREEITEM item, RECT& rect)
{
    RemoteBuffer buffer(process, sizeof(RECT));
    DWORD_PTR found = 0;
    // The item goes in where the rectangle comes out.
    return buffer.Write(&item, sizeof(item)) && Ask(tree, TVM_GETITEMRECT, TRUE, buffer.At(), found) && found &&
           buffer.Read(&rect, sizeof(rect));
}

bool ListRowRect(HANDLE process, HWND list, int row, int part, RECT& rect)
{
    RemoteBuffer buffer(process, sizeof(RECT));
    RECT request = {part, 0, 0, 0};
    DWORD_PTR found = 0;
    return buffer.Write(&request, sizeof(request)) &&
           Ask(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), buffer.At(), found) && found &&
           buffer.Read(&rect, sizeof(rect));
}

int ListCount(HWND list, UINT message)
{
    DWORD_PTR count = 0;
    return list && Ask(list, message, 0, 0, count) ? static_cast<int>(count) : -1;
}

EString ListItemText(HANDLE process, HWND list, int row)
{
    constexpr int kTextLength = 256;
    RemoteBuffer buffer(process, sizeof(LVITEMW) + kTextLength * sizeof(wchar_t));
    LVITEMW item = {};
    item.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(LVITEMW)));
    item.cchTextMax = kTextLength;
    wchar_t text[kTextLength] = {};
    DWORD_PTR length = 0;
    if (!buffer.Write(&item, sizeof(item)) ||
        !Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), buffer.At(), length) ||
        !buffer.Read(text, sizeof(text), sizeof(LVITEMW)))
        return {};
    text[kTextLength - 1] = L'\0';
    return text;
}

bool HeaderItem(HANDLE process, HWND header, int index, RECT& rect, EString& text)
{
    constexpr int kTextLength = 128;
    RemoteBuffer buffer(process, sizeof(HDITEMW) + kTextLength * sizeof(wchar_t));
    DWORD_PTR found = 0;
    if (!buffer || !Ask(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), buffer.At(), found) || !found ||
        !buffer.Read(&rect, sizeof(rect)))
        return false;
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(HDITEMW)));
    item.cchTextMax = kTextLength;
    wchar_t name[kTextLength] = {};
    if (buffer.Write(&item, sizeof(item)) && Ask(header, HDM_GETITEMW, static_cast<WPARAM>(index), buffer.At(), found) &&
        found && buffer.Read(name, sizeof(name), sizeof(HDITEMW))) {
        name[kTextLength - 1] = L'\0';
        text = name;
    }
    return true;
}

double PickerDate(HANDLE process, HWND picker)
{
    RemoteBuffer buffer(process, sizeof(SYSTEMTIME));
    SYSTEMTIME time = {};
    DWORD_PTR valid = 0;
    double date = 0;
    if (!buffer || !Ask(picker, DTM_GETSYSTEMTIME, 0, buffer.At(), valid) || valid != GDT_VALID ||
        !buffer.Read(&time, sizeof(time)) || !::SystemTimeToVariantTime(&time, &date))
        return 0;
    return std::floor(date);
}
