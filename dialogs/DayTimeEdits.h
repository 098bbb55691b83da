// CDayTimeEdits<T>: a dialog's start, finish and duration boxes kept in step as each is left.
#pragma once

#include <windows.h>

#include "dialogs/DayTimeRules.h"

// T has the members start, finish (times of one day) and duration (hours)
// in its exchange map, and maps the boxes' EN_KILLFOCUS to these handlers.
template <class T>
class CDayTimeEdits {
protected:
    // A new start keeps the duration: the finish moves.
    LRESULT OnStartKillFocus(WORD, WORD, HWND, bool&)
    {
        T& dialog = Self();
        const double before = dialog.start;
        dialog.DoDataExchange(true);
        if (TimeChanged(before, dialog.start))
            dialog.finish = FinishFromDuration(dialog.start, dialog.duration);
        dialog.DoDataExchange(false);
        return 0;
    }
    LRESULT OnFinishKillFocus(WORD, WORD, HWND, bool&)
    {
        T& dialog = Self();
        const double before = dialog.finish;
        dialog.DoDataExchange(true);
        if (TimeChanged(before, dialog.finish)) {
            // A finish before the start is not kept: the duration puts it back.
            if (dialog.finish >= dialog.start)
                dialog.duration = DurationFromTimes(dialog.start, dialog.finish);
            else
                dialog.finish = FinishFromDuration(dialog.start, dialog.duration);
        }
        dialog.DoDataExchange(false);
        return 0;
    }
    LRESULT OnDurationKillFocus(WORD, WORD, HWND, bool&)
    {
        T& dialog = Self();
        const double before = dialog.duration;
        dialog.DoDataExchange(true);
        if (dialog.duration != before)
            dialog.finish = FinishFromDuration(dialog.start, dialog.duration);
        dialog.DoDataExchange(false);
        return 0;
    }

private:
    T& Self() { return static_cast<T&>(*this); }
};
