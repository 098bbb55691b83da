// CMoodDialog: edits a mood's name and colour; the colour as RRGGBB text or from the system's colour dialog.
#pragma once

#include <windows.h>

#include "dialogs/ZemDialogImpl.h"
#include "foundation/EString.h"
#include "resources/MoodDialogIds.h"
#include "winlib/GdiObject.h"

class CMoodDialog : public CZemDialogImpl<CMoodDialog> {
public:
    enum { IDD = IDD_MOOD };

    CMoodDialog() = default;
    ~CMoodDialog() override = default;
    CMoodDialog(const CMoodDialog&) = delete;
    CMoodDialog& operator=(const CMoodDialog&) = delete;

    EString GetDialogName() override { return L"MoodDialog"; }

    EString name;
    COLORREF colour = 0;

    BEGIN_MESSAGE_MAP(CMoodDialog)
        ON_COMMAND_CODE(IDC_MOOD_NAME, EN_CHANGE, OnNameChanged)
        ON_COMMAND_CODE(IDC_MOOD_COLOR, EN_KILLFOCUS, OnColourLeft)
        ON_COMMAND_CODE(IDC_MOOD_SWATCH, STN_CLICKED, OnSwatchClicked)
        ON_MESSAGE(WM_CTLCOLORSTATIC, OnColourStatic)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CMoodDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CMoodDialog)
        DDX_TEXT(IDC_MOOD_NAME, name)
        DDX_COLOUR(IDC_MOOD_COLOR, colour)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CMoodDialog)
        RESIZE_CONTROL(IDC_MOOD_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDOK, ResizeMoveX)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX)
    END_RESIZE_MAP()

    void OnInitDialog();

private:
    LRESULT OnNameChanged(WORD, WORD, HWND, bool&);
    LRESULT OnColourLeft(WORD, WORD, HWND, bool&);
    LRESULT OnSwatchClicked(WORD, WORD, HWND, bool&);
    LRESULT OnColourStatic(UINT, WPARAM, LPARAM, bool&);

    void UpdateOkButton();
    // A new brush in the current colour, and the swatch painted with it.
    void RepaintSwatch();

    HWND m_okButton = nullptr;
    HWND m_swatch = nullptr;
    CBrush m_brush;
};
