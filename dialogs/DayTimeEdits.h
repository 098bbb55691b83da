// CDayTimeEdits<T>: a dialog's start, finish and duration boxes kept in step as each is left.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "dialogs/DayTimeRules.h"

// T has the members start, finish (times of one day) and duration (hours)
// in its exchange map, names their boxes kStartEdit, kFinishEdit and
// kHoursEdit, and maps the boxes' EN_KILLFOCUS to these handlers.
//
// Only the box left is read, and besides it only the boxes its rule
// changed are written: a start or finish is kept as typed, and the duration
// is kept exact, so only the hours shown are rounded. A text that is no time
// or no number stays as typed for OK to refuse, and so does any other box
// the rule leaves alone.
template <class T>
class CDayTimeEdits {
protected:
    // A new start keeps the duration: the finish moves.
    LRESULT OnStartKillFocus(WORD, WORD, HWND, bool&)
    {
        T& dialog = Self();
        const double before = dialog.start;
        if (!dialog.DoDataExchange(true, T::kStartEdit))
            return 0;
        if (TimeChanged(before, dialog.start)) {
            dialog.finish = FinishFromDuration(dialog.start, dialog.duration);
            Show({T::kFinishEdit});
        }
        Show({T::kStartEdit});
        return 0;
    }
    LRESULT OnFinishKillFocus(WORD, WORD, HWND, bool&)
    {
        T& dialog = Self();
        const double before = dialog.finish;
        if (!dialog.DoDataExchange(true, T::kFinishEdit))
            return 0;
        if (TimeChanged(before, dialog.finish)) {
            // A finish before the start is not kept: the duration puts it back.
            if (dialog.finish >= dialog.start)
                dialog.duration = DurationFromTimes(dialog.start, dialog.finish);
            else
                dialog.finish = FinishFromDuration(dialog.start, dialog.duration);
            Show({T::kHoursEdit});
        }
        Show({T::kFinishEdit});
        return 0;
    }
    // Typed hours set the finish.
    LRESULT OnDurationKillFocus(WORD, WORD, HWND, bool&)
    {
        T& dialog = Self();
        const double before = dialog.duration;
        if (!dialog.DoDataExchange(true, T::kHoursEdit))
            return 0;
        if (dialog.duration != before) {
            dialog.finish = FinishFromDuration(dialog.start, dialog.duration);
            Show({T::kFinishEdit});
        }
        Show({T::kHoursEdit});
        return 0;
    }

private:
    T& Self() { return static_cast<T&>(*this); }
    void Show(std::initializer_list<int> ids)
    {
        for (const int id : ids)
            Self().DoDataExchange(false, id);
    }
};
