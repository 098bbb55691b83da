#include "docking/dockwins/TabToolTip.h"

bool CTabToolTip::Create(HWND owner)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_owner = owner;
    m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWnd)
        return false;
    const UINT doubleClick = ::GetDoubleClickTime();
    ::SendMessageW(m_hWnd, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(doubleClick, 0));
    ::SendMessageW(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(doubleClick * 20, 0));
    ::SendMessageW(m_hWnd, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(doubleClick / 5, 0));
    return true;
}

void CTabToolTip::Destroy()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void CTabToolTip::Activate(bool active)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, TTM_ACTIVATE, active, 0);
}

TTTOOLINFOW CTabToolTip::Tool(UINT_PTR id) const
{
    TTTOOLINFOW tool = {};
    // The size every version of the common controls takes.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_owner;
    tool.uId = id;
    return tool;
}

void CTabToolTip::SetTool(UINT_PTR id, const RECT& rect, const wchar_t* text)
{
    if (!m_hWnd)
        return;
    TTTOOLINFOW tool = Tool(id);
    tool.rect = rect;
    if (HasTool(id)) {
        ::SendMessageW(m_hWnd, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    tool.lpszText = text ? const_cast<wchar_t*>(text) : LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CTabToolTip::RemoveTool(UINT_PTR id)
{
    if (!m_hWnd)
        return;
    TTTOOLINFOW tool = Tool(id);
    ::SendMessageW(m_hWnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CTabToolTip::HasTool(UINT_PTR id) const
{
    if (!m_hWnd)
        return false;
    TTTOOLINFOW tool = Tool(id);
    return ::SendMessageW(m_hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

int CTabToolTip::ToolCount() const
{
    return m_hWnd ? static_cast<int>(::SendMessageW(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

void CTabToolTip::Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return;
    MSG relayed = {window, message, wParam, lParam, 0, {}};
    ::SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
