// TypedValues: a time of day or a decimal read from what a user typed, all of it or not at all.
#pragma once

#include "foundation/EString.h"

// The longest text either reader looks at: a longer one is no value.
constexpr int kLongestTypedValue = 40;

// "9", "930", "9.30", "09:30", "9:30:15", "9:30 PM", "9pm", "21:30" (blanks
// around the parts allowed); AM and PM as A, P, AM or PM in either case.
// False for anything else: a text that is partly a time is none.
bool ReadTypedTime(const EString& text, double& time);
// Digits with at most one "." or "," and a sign in front, blanks around;
// false for anything else ("", "1e3", "3h", "1,000.5", "nan").
bool ReadTypedDecimal(const EString& text, double& value);
