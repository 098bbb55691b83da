// OLE dates: days since 30 December 1899 with the time of day as the fraction.
#pragma once

struct OleDateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 7; // 1 Sunday .. 7 Saturday
};

// The range the system's OLE conversions accept (years 100 to 9999).
bool IsValidOleDate(double date);

// Splits a date, rounded to the nearest second; false for an invalid date.
bool SplitOleDate(double date, OleDateParts& parts);

// The date of a calendar day (month and day may run over: day 0 is the last
// day of the month before).
double MakeOleDate(int year, int month, int day);
double MakeOleTime(int hour, int minute, int second = 0);
double MakeOleDateTime(int year, int month, int day, int hour, int minute, int second = 0);

// 1 Sunday .. 7 Saturday.
int OleDayOfWeek(double date);
int DaysInMonth(int year, int month);
