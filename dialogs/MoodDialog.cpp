#include "dialogs/MoodDialog.h"

#include <commdlg.h>

void CMoodDialog::OnInitDialog()
{
    m_okButton = GetDlgItem(IDOK);
    m_swatch = GetDlgItem(IDC_MOOD_SWATCH);
    m_brush.Attach(::CreateSolidBrush(colour));
    ::EnableWindow(m_okButton, !name.IsEmpty());
}

LRESULT CMoodDialog::OnNameChanged(WORD, WORD, HWND, bool&)
{
    // Only while the dialog runs: loading the fields changes the text too.
    DoDataExchange(true);
    UpdateOkButton();
    return 0;
}

LRESULT CMoodDialog::OnColourLeft(WORD, WORD, HWND, bool&)
{
    // Shows what was understood of the text, six digits.
    DoDataExchange(true);
    DoDataExchange(false);
    RepaintSwatch();
    return 0;
}

LRESULT CMoodDialog::OnSwatchClicked(WORD, WORD, HWND, bool&)
{
    static COLORREF customColours[16] = {};
    CHOOSECOLORW choice = {};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = ::GetActiveWindow();
    choice.rgbResult = colour;
    choice.lpCustColors = customColours;
    choice.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (!::ChooseColorW(&choice))
        return 0;
    colour = choice.rgbResult;
    DoDataExchange(false, IDC_MOOD_COLOR);
    RepaintSwatch();
    return 0;
}

LRESULT CMoodDialog::OnColourStatic(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    if (reinterpret_cast<HWND>(lParam) != m_swatch || m_brush.IsNull()) {
        handled = false;
        return 0;
    }
    return reinterpret_cast<LRESULT>(m_brush.Get());
}

void CMoodDialog::UpdateOkButton()
{
    ::EnableWindow(m_okButton, ::GetWindowTextLengthW(GetDlgItem(IDC_MOOD_NAME)) > 0);
}

void CMoodDialog::RepaintSwatch()
{
    m_brush.Attach(::CreateSolidBrush(colour));
    ::InvalidateRect(m_swatch, nullptr, TRUE);
    ::UpdateWindow(m_swatch);
}
