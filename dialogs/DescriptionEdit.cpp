#include "dialogs/DescriptionEdit.h"

#include "document/model/DateFunctions.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"

EString CDescriptionEdit::ShortcutText(UINT virtualKey, double now)
{
    switch (virtualKey) {
    case 'D':
        return FormatOleDate(now);
    case 'F':
        return FormatOleDate(now) + L" " + FormatTimeOfDay(now);
    case 'T':
        return FormatTimeOfDay(now);
    default:
        return EString();
    }
}

bool CDescriptionEdit::IsControlDown()
{
    // The keyboard now, or as it was when this key went down: a key typed
    // ahead still counts with the Control key it was typed with.
    const auto isDown = [](int key) { return ((::GetAsyncKeyState(key) | ::GetKeyState(key)) & 0x8000) != 0; };
    return isDown(VK_LCONTROL) || isDown(VK_RCONTROL);
}

LRESULT CDescriptionEdit::OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    m_bKeyHandled = 0;
    handled = false;
    if (!IsControlDown())
        return 0;
    const EString text = ShortcutText(static_cast<UINT>(wParam), Clock::Now());
    if (text.empty())
        return 0;
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    handled = true;
    m_bKeyHandled = 1;
    return 0;
}

LRESULT CDescriptionEdit::OnChar(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = m_bKeyHandled != 0;
    return 0;
}
