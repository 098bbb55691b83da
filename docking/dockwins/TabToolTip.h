// CTabToolTip: the tooltip window of a tab strip, with a tool per item and per button.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CTabToolTip {
public:
    CTabToolTip() = default;
    CTabToolTip(const CTabToolTip&) = delete;
    CTabToolTip& operator=(const CTabToolTip&) = delete;
    ~CTabToolTip() { Destroy(); }

    bool Create(HWND owner);
    void Destroy();
    HWND Get() const { return m_hWnd; }

    void Activate(bool active);
    // Adds the tool or moves it; a null text asks the owner (TTN_GETDISPINFO).
    void SetTool(UINT_PTR id, const RECT& rect, const wchar_t* text = nullptr);
    void RemoveTool(UINT_PTR id);
    bool HasTool(UINT_PTR id) const;
    int ToolCount() const;
    void Relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    TTTOOLINFOW Tool(UINT_PTR id) const;

    HWND m_hWnd = nullptr;
    HWND m_owner = nullptr;
};
