#include "dialogs/MoodDialog.h"

#include <commdlg.h>

#include "foundation/BlankName.h"

void CMoodDialog::OnInitDialog()
{
    m_okButton = GetDlgItem(IDOK);
    m_swatch = GetDlgItem(IDC_MOOD_SWATCH);
    m_brush.Attach(::CreateSolidBrush(colour));
    ::EnableWindow(m_okButton, !IsBlankName(name));
}

LRESULT CMoodDialog::OnNameChanged(WORD, WORD, HWND, bool&)
{
    UpdateOkButton();
    return 0;
}

// Shows what was understood of the text, six digits; a text that is no
// colour stays as typed, for OK to refuse.
LRESULT CMoodDialog::OnColourLeft(WORD, WORD, HWND, bool&)
{
    if (!DoDataExchange(true, IDC_MOOD_COLOR))
        return 0;
    DoDataExchange(false, IDC_MOOD_COLOR);
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
    // A name of blanks is none: the mood list would show a row without a label.
    ::EnableWindow(m_okButton, !IsBlankName(GetDlgItemText(IDC_MOOD_NAME)));
}

void CMoodDialog::RepaintSwatch()
{
    m_brush.Attach(::CreateSolidBrush(colour));
    ::InvalidateRect(m_swatch, nullptr, TRUE);
    ::UpdateWindow(m_swatch);
}
