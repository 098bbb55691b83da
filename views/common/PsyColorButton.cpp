#include "views/common/PsyColorButton.h"

#include "foundation/WindowState.h"

namespace {

constexpr int kSwatchMargin = 4;
constexpr COLORREF kBlankColour = RGB(204, 204, 204);

} // namespace

HWND CPsyColorButton::Create(HWND parent, const RECT& rect, UINT id)
{
    if (!CWindowImpl<CPsyColorButton>::Create(
            CreateArgs{.parent = parent, .style = WS_CHILD | WS_VISIBLE | BS_BITMAP, .rect = rect, .id = id}))
        return nullptr;
    if (!m_dropDown.Create(m_hWnd) || !m_list.Create(m_dropDown, m_hWnd, &m_entries)) {
        DestroyWindow();
        return nullptr;
    }
    return m_hWnd;
}

void CPsyColorButton::AddColor(const wchar_t* name, COLORREF colour, INT_PTR data)
{
    const RECT client = GetClientRect();
    ColorEntry entry;
    entry.name = name;
    entry.colour = colour;
    entry.data = data;
    entry.swatchSize = {client.right - client.left - 2 * kSwatchMargin, client.bottom - client.top - 2 * kSwatchMargin};
    m_entries.push_back(std::move(entry));
}

void CPsyColorButton::SetCurrent(INT_PTR data)
{
    ColorEntry* current = nullptr;
    for (ColorEntry& entry : m_entries) {
        if (entry.data == data) {
            current = &entry;
            break;
        }
    }
    if (!current) {
        if (m_entries.empty())
            AddColor(L"Blank", kBlankColour, 0);
        current = &m_entries.front();
    }
    m_current = current->data;
    SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(current->Swatch()));
}

void CPsyColorButton::ClearColors()
{
    // The button must not keep showing a bitmap about to be deleted.
    SendMessage(BM_SETIMAGE, IMAGE_BITMAP, 0);
    m_entries.clear();
}

void CPsyColorButton::DropDown()
{
    const RECT button = GetWindowRect();
    const RECT below = {button.right - 300, button.bottom - 1, button.right - 1, button.bottom + 300};
    m_dropDown.SetWindowPos(nullptr, FitRectToMonitor(below), SWP_SHOWWINDOW);
    m_list.Fill();
    m_list.SetFocus();
    m_list.SelectData(m_current);
}

LRESULT CPsyColorButton::OnCommand(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
{
    // Chained from the parent, this map sees all of the parent's commands.
    if (reinterpret_cast<HWND>(lParam) != m_hWnd || HIWORD(wParam) != BN_CLICKED) {
        handled = false;
        return 0;
    }
    DropDown();
    return 0;
}

LRESULT CPsyColorButton::OnColorPicked(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    // Only the button's own window takes it, not a parent that chains to this map.
    if (!GetCurrentMessage() || GetCurrentMessage()->hwnd != m_hWnd) {
        handled = false;
        return 0;
    }
    SetCurrent(lParam);
    ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELENDOK), reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}
