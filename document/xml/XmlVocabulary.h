// XmlVocabulary: the element and attribute names of a plan document.
#pragma once

namespace Xml {

// Elements.
inline constexpr wchar_t kRoot[] = L"ROOT";
inline constexpr wchar_t kCategory[] = L"CATEGORY";
inline constexpr wchar_t kTask[] = L"TASK";
inline constexpr wchar_t kDescription[] = L"DESCRIPTION";
inline constexpr wchar_t kDaily[] = L"DAILY";
inline constexpr wchar_t kDay[] = L"DAY";
inline constexpr wchar_t kPlanEntry[] = L"PLANENTRY";
inline constexpr wchar_t kMoodsDaily[] = L"MOODSDAILY";
inline constexpr wchar_t kMoodState[] = L"MOODSTATE";
inline constexpr wchar_t kAvailableMoods[] = L"AVAILABLEMOODS";
inline constexpr wchar_t kMood[] = L"MOOD";
inline constexpr wchar_t kAvailableGoals[] = L"AVAILABLEGOALS";
inline constexpr wchar_t kGoal[] = L"GOAL";
inline constexpr wchar_t kPeopleSection[] = L"PEOPLESECTION";
inline constexpr wchar_t kPerson[] = L"PERSON";
inline constexpr wchar_t kPeopleState[] = L"PEOPLESTATE";
inline constexpr wchar_t kStateSection[] = L"STATESECTION";
inline constexpr wchar_t kCategoryState[] = L"CATEGORYSTATE";
inline constexpr wchar_t kRecurrenceSection[] = L"RECURRENCESECTION";
inline constexpr wchar_t kRecurrence[] = L"RECURRENCE";
inline constexpr wchar_t kCompletedPlan[] = L"COMPLETEDPLAN";
inline constexpr wchar_t kReminderSection[] = L"REMINDERSECTION";
inline constexpr wchar_t kReminder[] = L"REMINDER";
inline constexpr wchar_t kHolidays[] = L"HOLIDAYS";
inline constexpr wchar_t kHoliday[] = L"HOLIDAY";
inline constexpr wchar_t kProperties[] = L"PROPERTIES";
inline constexpr wchar_t kAddress[] = L"ADDRESS";

// Attributes.
inline constexpr wchar_t kId[] = L"ID";
inline constexpr wchar_t kName[] = L"NAME";
inline constexpr wchar_t kStatus[] = L"STATUS";
inline constexpr wchar_t kDeadline[] = L"DEADLINE";
inline constexpr wchar_t kImportance[] = L"IMPORTANCE";
inline constexpr wchar_t kEstimation[] = L"ESTIMATION";
inline constexpr wchar_t kColorDef[] = L"COLORDEF";
inline constexpr wchar_t kOriginalEstimation[] = L"ORIGINALESTIMATION";
inline constexpr wchar_t kDate[] = L"DATE";
inline constexpr wchar_t kTaskId[] = L"TASKID";
inline constexpr wchar_t kStartTime[] = L"STARTTIME";
inline constexpr wchar_t kEndTime[] = L"ENDTIME";
inline constexpr wchar_t kFixedTime[] = L"FIXEDTIME";
inline constexpr wchar_t kMoodId[] = L"MOODID";
inline constexpr wchar_t kColor[] = L"COLOR";
inline constexpr wchar_t kEmail[] = L"EMAIL";
inline constexpr wchar_t kFullName[] = L"FULLNAME";
inline constexpr wchar_t kIsGroup[] = L"ISGROUP";
inline constexpr wchar_t kSelectedCategory[] = L"SELECTEDCATEGORY";
inline constexpr wchar_t kPatternPeriod[] = L"PATTERNPERIOD";
inline constexpr wchar_t kEveryDayIndex[] = L"EVERYDAYINDEX";
inline constexpr wchar_t kDayWorkday[] = L"DAYWORKDAY";
inline constexpr wchar_t kEveryWeekIndex[] = L"EVERYWEEKINDEX";
inline constexpr wchar_t kSunday[] = L"SUNDAY";
inline constexpr wchar_t kMonday[] = L"MONDAY";
inline constexpr wchar_t kTuesday[] = L"TUESDAY";
inline constexpr wchar_t kWednesday[] = L"WEDNESDAY";
inline constexpr wchar_t kThursday[] = L"THURSDAY";
inline constexpr wchar_t kFriday[] = L"FRIDAY";
inline constexpr wchar_t kSaturday[] = L"SATURDAY";
inline constexpr wchar_t kMonthPattern[] = L"MONTHPATTERN";
inline constexpr wchar_t kMonthDay[] = L"MONTHDAY";
inline constexpr wchar_t kEveryDayOfMonth[] = L"EVERYDAYOFMONTH";
inline constexpr wchar_t kEveryWeekdayOfMonth[] = L"EVERYWEEKDAYOFMONTH";
inline constexpr wchar_t kWeekNoMonth[] = L"WEEKNOMONTH";
inline constexpr wchar_t kWeekdayMonth[] = L"WEEKDAYMONTH";
inline constexpr wchar_t kStartDate[] = L"STARTDATE";
inline constexpr wchar_t kEndDate[] = L"ENDDATE";
inline constexpr wchar_t kEndType[] = L"ENDTYPE";
inline constexpr wchar_t kOccurrencesNumber[] = L"OCCURRENCESNUMBER";
inline constexpr wchar_t kAlarmDate[] = L"ALARMDATE";
inline constexpr wchar_t kAlarmTime[] = L"ALARMTIME";
inline constexpr wchar_t kAuthor[] = L"AUTHOR";
inline constexpr wchar_t kCompany[] = L"COMPANY";
inline constexpr wchar_t kManager[] = L"MANAGER";
inline constexpr wchar_t kTitle[] = L"TITLE";
// Where an import script's record came from, the row of its file: named when
// the record is refused, never stored in the plan.
inline constexpr wchar_t kSourceRow[] = L"ROW";
// On the ROOT of a clipboard fragment whose branch was cut out of its plan.
inline constexpr wchar_t kCut[] = L"CUT";

} // namespace Xml
