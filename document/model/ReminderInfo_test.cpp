#include <gtest/gtest.h>

#include "document/model/ModelTestSupport.h"
#include "document/model/ReminderInfo.h"
#include "foundation/TimeParser.h"

using ReminderInfoTest = ModelTest;

TEST_F(ReminderInfoTest, DefaultFiresNow)
{
    const ReminderInfo reminder;
    EXPECT_EQ(reminder.GetId(), 0);
    EXPECT_EQ(reminder.GetAlarmDate(), DateTime(2024, 5, 15, 10, 30));
    EXPECT_EQ(reminder.GetAlarmTime(), DateTime(2024, 5, 15, 10, 30));
    EXPECT_EQ(reminder.GetAlarmDateXmlText(), L"2024-05-15");
    EXPECT_EQ(reminder.GetAlarmTimeXmlText(), L"10:30");
}

TEST_F(ReminderInfoTest, SnoozeMovesToTheNextDayPastMidnight)
{
    struct Case {
        double now;
        int minutes;
        const wchar_t* date;
        const wchar_t* time;
        double exactTime;
    } cases[] = {
        {DateTime(2024, 5, 15, 10, 30), 15, L"2024-05-15", L"10:45", Time(10, 45)},
        {DateTime(2024, 5, 15, 23, 50), 15, L"2024-05-16", L"00:05", Time(0, 5)},
        {DateTime(2024, 5, 15, 23, 45), 15, L"2024-05-16", L"00:00", 0},
        {DateTime(2024, 5, 15, 23, 59), 1, L"2024-05-16", L"00:00", 0},
        {DateTime(2024, 2, 28, 23, 30), 60, L"2024-02-29", L"00:30", Time(0, 30)},
        {DateTime(2023, 12, 31, 22, 0), 24 * 60, L"2024-01-01", L"22:00", Time(22, 0)},
        {DateTime(2024, 5, 15, 10, 30), 0, L"2024-05-15", L"10:30", Time(10, 30)},
        {DateTime(2024, 5, 15, 0, 10), -15, L"2024-05-14", L"23:55", Time(23, 55)},
    };
    for (const Case& c : cases) {
        SetNow(c.now);
        ReminderInfo reminder(12, 0, 0);
        reminder.SnoozeFor(c.minutes);
        EXPECT_EQ(reminder.GetAlarmDateXmlText(), c.date) << c.now << " + " << c.minutes;
        EXPECT_EQ(reminder.GetAlarmTimeXmlText(), c.time) << c.now << " + " << c.minutes;
        // Exact, so that the reminder clock's comparison with the time of day holds at that minute.
        EXPECT_EQ(reminder.GetAlarmTime(), c.exactTime) << c.now << " + " << c.minutes;
        EXPECT_EQ(reminder.GetAlarmDate(), static_cast<long long>(reminder.GetAlarmDate()));
        EXPECT_EQ(reminder.GetId(), 12);
    }
}

TEST_F(ReminderInfoTest, StoredTextsRoundTrip)
{
    const ReminderInfo reminder(4, Date(2024, 2, 29), Time(7, 5));
    ReminderInfo read(4, 0, 0);
    read.SetAlarmDateXmlText(reminder.GetAlarmDateXmlText());
    read.SetAlarmTimeXmlText(reminder.GetAlarmTimeXmlText());
    EXPECT_EQ(read, reminder);

    read.SetAlarmTimeXmlText(L"");
    EXPECT_EQ(read.GetAlarmTime(), 0);
    read.SetAlarmDateXmlText(L"");
    EXPECT_EQ(read.GetAlarmDate(), 0);
}
