#include "dialogs/DateRangeDialog.h"

#include "foundation/Clock.h"

CDateRangeDialog::CDateRangeDialog() : from(Clock::Now()), to(from) {}

// A "to" before "since" becomes a one-day range; the base then takes both and ends.
LRESULT CDateRangeDialog::OnOrderDates(WORD, WORD, HWND, bool& handled)
{
    DoDataExchange(true);
    if (from > to)
        to = from;
    DoDataExchange(false);
    handled = false;
    return 0;
}
