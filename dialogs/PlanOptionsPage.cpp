#include "dialogs/PlanOptionsPage.h"

#include <cmath>

#include "dialogs/ChooseFileToOpen.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

const wchar_t kSoundFilter[] = L"Wave Files (*.wav)\0*.wav\0All Files (*.*)\0*.*\0";

} // namespace

CPlanOptionsPage::CPlanOptionsPage() : dayBegin(Clock::Now()) {}

void CPlanOptionsPage::OnInitDialog()
{
    sound = Options::GetPlanSound();
    deadlineDays = static_cast<int>(Options::GetDeadlinePeriod());
    prolongPrevious = static_cast<int>(Options::GetProlongPrevious());
    allowSimultaneous = static_cast<int>(Options::GetAllowSimultaneous());
    regularHours = Options::GetRegularHours();
    dayBegin = TimeParser::ParseTime(Options::GetDayBegin());

    SendDlgItemMessageW(m_hWnd, IDC_PLAN_DEADLINE_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(kMinDeadlineDays),
                        kMaxDeadlineDays);
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_HOURS_SPIN, UDM_SETRANGE32, 1, static_cast<LPARAM>(kMaxRegularHours));
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_DAY_BEGIN, EM_LIMITTEXT, static_cast<WPARAM>(Locale::GetTimeEditLimit()), 0);
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_DEADLINE_SPIN, UDM_SETPOS32, 0, deadlineDays);
    PositionHoursArrows();
}

void CPlanOptionsPage::PositionHoursArrows()
{
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_HOURS_SPIN, UDM_SETPOS32, 0, std::lround(regularHours));
}

LRESULT CPlanOptionsPage::OnBrowseSound(WORD, WORD, HWND, bool&)
{
    const EString path = ChooseFileToOpen(EString(kSoundFilter, std::size(kSoundFilter) - 1), m_hWnd);
    if (path.IsEmpty())
        return 0;
    // Only the sound's field: what was typed in the others stays.
    sound = path;
    DoDataExchange(false, IDC_PLAN_SOUND);
    return 0;
}

LRESULT CPlanOptionsPage::OnChange(WORD, WORD, HWND, bool&)
{
    MarkChanged();
    return 0;
}

LRESULT CPlanOptionsPage::OnFieldLeft(WORD, WORD id, HWND, bool&)
{
    if (!DoDataExchange(true, id))
        return 0;
    Filling filling(*this);
    if (id == IDC_PLAN_REGULAR_HOURS)
        PositionHoursArrows();
    LoadControls(id);
    return 0;
}

int CPlanOptionsPage::OnApply()
{
    if (!ReadFieldsForOk())
        return PSNRET_INVALID;
    Options::SetPlanSound(sound);
    Options::SetDeadlinePeriod(static_cast<DWORD>(deadlineDays));
    Options::SetProlongPrevious(static_cast<DWORD>(prolongPrevious));
    Options::SetAllowSimultaneous(static_cast<DWORD>(allowSimultaneous));
    Options::SetRegularHours(regularHours);
    Options::SetDayBegin(TimeParser::FormatTime24(dayBegin));
    return PSNRET_NOERROR;
}
