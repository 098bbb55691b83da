#include "document/xml/ElementRecords.h"

#include <cmath>
#include <cwchar>

#include "document/model/DateFunctions.h"
#include "document/model/TextLimits.h"
#include "document/xml/AttributeReader.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Bstr.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

namespace {

using namespace Xml;

constexpr long kDefaultImportance = 1;
constexpr double kUnsetEstimation = -1.0;

// Enough of a hostile text to recognise it in a message box.
EString Excerpt(const EString& text)
{
    return text.size() <= 40 ? text : EString(text.substr(0, 40) + L"...");
}

[[noreturn]] void ThrowNotANumber(const XmlNode& element, const wchar_t* name, const EString& text)
{
    ThrowComError(DISP_E_TYPEMISMATCH,
                  EString::Formatted(L"The %s attribute of a %s element holds \"%s\", which is not a whole number.",
                                     name, element.GetName().c_str(), Excerpt(text).c_str()));
}

EString Text(const XmlNode& element, const wchar_t* name)
{
    return XmlDoc::GetTextAttribute(element, name);
}

// Every road that brings a text in holds it to its limit and says so; what
// reaches a record longer still (a script, a rename in place) is cut here,
// so that no text the XML reader refuses is ever stored.
EString HeldTo(const EString& text, size_t limit)
{
    EString held = text;
    TextLimits::Cut(held, limit);
    return held;
}

void SetText(const XmlNode& element, const wchar_t* name, const EString& text, size_t limit = TextLimits::kDescription)
{
    XmlDoc::SetAttribute(element, name, text.size() > limit ? HeldTo(text, limit) : text);
}

struct Names {
    const Bstr id{kId}, name{kName}, status{kStatus}, importance{kImportance}, deadline{kDeadline},
        estimation{kEstimation}, colorDef{kColorDef}, originalEstimation{kOriginalEstimation}, taskId{kTaskId},
        startTime{kStartTime}, endTime{kEndTime}, fixedTime{kFixedTime};
};

const Names& AttributeNames()
{
    static const Names names;
    return names;
}

// Unsigned as written; "-1", which means unset, is read as well.
int ParseColorDef(const AttributeReader& attributes)
{
    const EString text(std::wstring(attributes.Text()));
    ULONG color = 0;
    if (SUCCEEDED(::VarUI4FromStr(const_cast<wchar_t*>(text.c_str()), LOCALE_INVARIANT, 0, &color)))
        return static_cast<int>(color);
    long signedColor = 0;
    if (IdText::Parse(text, signedColor) == IdText::kNotANumber)
        attributes.ThrowNotANumber(AttributeNames().colorDef);
    return static_cast<int>(signedColor);
}

void ReadTaskAttributes(AttributeReader& attributes, TaskCard& task)
{
    const Names& names = AttributeNames();
    task.SetId(attributes.Int(names.id));
    task.SetStatus(attributes.Int(names.status));
    // Documents older than importances hold none.
    task.SetImportance(attributes.Read(names.importance) ? attributes.IntOfText(names.importance) : kDefaultImportance);
    attributes.Read(names.deadline);
    task.SetDeadlineXmlText(EString(std::wstring(attributes.Text())));
    task.SetEstimation(attributes.Hours(names.estimation));
    task.SetColor(attributes.Read(names.colorDef) ? ParseColorDef(attributes) : -1);
    // Older documents store "-1.0" for unset, which reads as -1 as well.
    task.SetOriginalEstimation(attributes.Read(names.originalEstimation) ? attributes.HoursOfText() : kUnsetEstimation);
}

} // namespace

long ElementRecords::ReadInt(const XmlNode& element, const wchar_t* name)
{
    const Variant value = XmlDoc::GetAttribute(element, name);
    if (value.IsEmpty())
        return 0;
    const EString text = value.ToString();
    long number = 0;
    if (IdText::Parse(text, number) == IdText::kNotANumber)
        ThrowNotANumber(element, name, text);
    return number;
}

void ElementRecords::WriteInt(const XmlNode& element, const wchar_t* name, long value)
{
    XmlDoc::SetIntAttribute(element, name, value);
}

double ElementRecords::ReadHours(const XmlNode& element, const wchar_t* name)
{
    const double hours = XmlDoc::GetDoubleAttribute(element, name);
    return std::isfinite(hours) ? hours : 0;
}

void ElementRecords::WriteHours(const XmlNode& element, const wchar_t* name, double hours)
{
    XmlDoc::SetDoubleAttribute(element, name, hours, 1);
}

void ElementRecords::WriteDeadline(const XmlNode& element, const EstimatedCard& card)
{
    // A record without a deadline stays without one: GetDeadline gives today
    // for it, which written would make it due today for good.
    if (!card.HasDeadline()) {
        XmlElement(element).RemoveAttribute(kDeadline);
        return;
    }
    SetText(element, kDeadline, DateParser::FormatDate(card.GetDeadline()));
}

EString ElementRecords::FormatDayNumber(double date)
{
    // "%g" would turn days after the year 4637 into an exponent and lose them.
    const double day = OleDateFloor(date);
    return EString::Formatted(L"%.0f", day == 0 ? 0.0 : day);
}

double ElementRecords::ParseDayNumber(const EString& text)
{
    const double day = ParseInvariantNumber(text);
    return std::isfinite(day) ? day : 0;
}

EString ElementRecords::ReadLongText(const XmlNode& element, const wchar_t* child)
{
    return XmlDoc::GetText(XmlDoc::GetChildElement(element, child));
}

void ElementRecords::WriteLongText(const XmlNode& element, const wchar_t* child, const EString& text)
{
    XmlDoc::SetText(XmlDoc::GetChildElement(element, child),
                    text.size() > TextLimits::kDescription ? HeldTo(text, TextLimits::kDescription) : text);
}

void ElementRecords::Write(const XmlNode& element, const TaskCard& task)
{
    WriteInt(element, kId, task.GetId());
    SetText(element, kName, task.GetName(), TextLimits::kTaskName);
    WriteInt(element, kStatus, task.GetStatus());
    WriteInt(element, kImportance, task.GetImportance());
    WriteDeadline(element, task);
    WriteHours(element, kEstimation, task.GetEstimation());
    const int colorDef = task.GetColorDef();
    XmlDoc::SetUnsignedAttribute(element, kColorDef,
                                 colorDef == -1 ? task.GetDefaultColor() : static_cast<unsigned long>(colorDef));
    // An unset original estimation keeps what the file holds.
    if (task.GetOriginalEstimation() >= 0)
        WriteHours(element, kOriginalEstimation, task.GetOriginalEstimation());
    WriteLongText(element, kDescription, task.GetDescription());
}

void ElementRecords::Read(const XmlNode& element, TaskCard& task)
{
    AttributeReader attributes(element);
    ReadTaskAttributes(attributes, task);
    task.SetName(attributes.Text(AttributeNames().name));
    task.SetDescription(ReadLongText(element, kDescription));
}

void ElementRecords::ReadWithoutTexts(const XmlNode& element, TaskCard& task)
{
    AttributeReader attributes(element);
    ReadTaskAttributes(attributes, task);
}

void ElementRecords::Write(const XmlNode& element, const TaskPlanEntry& entry)
{
    WriteInt(element, kId, entry.GetId());
    WriteInt(element, kTaskId, entry.GetTaskId());
    SetText(element, kStartTime, entry.GetStartTimeXmlText());
    SetText(element, kEndTime, entry.GetEndTimeXmlText());
    WriteInt(element, kFixedTime, entry.GetFixedTime());
    WriteLongText(element, kDescription, entry.GetDescription());
}

void ElementRecords::Read(const XmlNode& element, TaskPlanEntry& entry)
{
    const Names& names = AttributeNames();
    AttributeReader attributes(element);
    entry.SetId(attributes.Int(names.id));
    entry.SetTaskId(attributes.Int(names.taskId));
    entry.SetStartTimeText(attributes.Text(names.startTime));
    entry.SetEndTimeText(attributes.Text(names.endTime));
    entry.SetFixedTime(attributes.Int(names.fixedTime));
    entry.SetDescription(ReadLongText(element, kDescription));
}

void ElementRecords::Write(const XmlNode& element, const Category& category)
{
    WriteInt(element, kId, category.GetId());
    SetText(element, kName, category.GetName(), TextLimits::kCategoryName);
    WriteInt(element, kStatus, category.GetStatus());
    WriteDeadline(element, category);
    WriteLongText(element, kDescription, category.GetDescription());
}

void ElementRecords::Read(const XmlNode& element, Category& category)
{
    category.SetId(ReadInt(element, kId));
    category.SetName(Text(element, kName));
    category.SetStatus(ReadInt(element, kStatus));
    category.SetDeadlineXmlText(Text(element, kDeadline));
    category.SetDescription(ReadLongText(element, kDescription));
}

void ElementRecords::Write(const XmlNode& element, const Person& person)
{
    WriteInt(element, kId, person.GetId());
    SetText(element, kName, person.GetName());
    SetText(element, kDescription, person.GetDescription());
    SetText(element, kEmail, person.GetEmail());
    SetText(element, kFullName, person.GetFullName());
    WriteInt(element, kIsGroup, person.IsGroup() ? 1 : 0);
}

void ElementRecords::Read(const XmlNode& element, Person& person)
{
    person.SetId(ReadInt(element, kId));
    person.SetName(Text(element, kName));
    person.SetDescription(Text(element, kDescription));
    person.SetEmail(Text(element, kEmail));
    person.SetFullName(Text(element, kFullName));
    person.SetIsGroup(ReadInt(element, kIsGroup) != 0);
}

void ElementRecords::Write(const XmlNode& element, const MoodItem& mood)
{
    WriteInt(element, kId, mood.GetId());
    SetText(element, kName, mood.GetName());
    SetText(element, kColor, mood.GetColorText());
}

void ElementRecords::Read(const XmlNode& element, MoodItem& mood)
{
    mood.SetId(ReadInt(element, kId));
    mood.SetName(Text(element, kName));
    mood.SetColorText(Text(element, kColor));
}

void ElementRecords::Write(const XmlNode& element, const MoodState& state)
{
    WriteInt(element, kId, state.GetId());
    SetText(element, kStartTime, state.GetStartTimeXmlText());
    WriteInt(element, kMoodId, state.GetMoodId());
}

void ElementRecords::Read(const XmlNode& element, MoodState& state)
{
    state.SetId(ReadInt(element, kId));
    state.SetStartTimeXmlText(Text(element, kStartTime));
    state.SetMoodId(ReadInt(element, kMoodId));
}

void ElementRecords::Write(const XmlNode& element, const Goal& goal)
{
    WriteInt(element, kId, goal.GetId());
    SetText(element, kName, goal.GetName());
    WriteDeadline(element, goal);
    WriteLongText(element, kDescription, goal.GetDescription());
}

void ElementRecords::Read(const XmlNode& element, Goal& goal)
{
    goal.SetId(ReadInt(element, kId));
    goal.SetName(Text(element, kName));
    goal.SetDeadlineXmlText(Text(element, kDeadline));
    goal.SetDescription(ReadLongText(element, kDescription));
}

void ElementRecords::Write(const XmlNode& element, const RecurrenceInfo& recurrence)
{
    WriteInt(element, kId, recurrence.GetId());
    WriteInt(element, kPatternPeriod, recurrence.GetPatternPeriod());
    WriteInt(element, kEveryDayIndex, recurrence.GetEveryDayIndex());
    WriteInt(element, kDayWorkday, recurrence.GetDayWorkday());
    WriteInt(element, kEveryWeekIndex, recurrence.GetEveryWeekIndex());
    WriteInt(element, kSunday, recurrence.GetSunday());
    WriteInt(element, kMonday, recurrence.GetMonday());
    WriteInt(element, kTuesday, recurrence.GetTuesday());
    WriteInt(element, kWednesday, recurrence.GetWednesday());
    WriteInt(element, kThursday, recurrence.GetThursday());
    WriteInt(element, kFriday, recurrence.GetFriday());
    WriteInt(element, kSaturday, recurrence.GetSaturday());
    WriteInt(element, kMonthPattern, recurrence.GetMonthPattern());
    WriteInt(element, kMonthDay, recurrence.GetMonthDay());
    WriteInt(element, kEveryDayOfMonth, recurrence.GetEveryDayOfMonth());
    WriteInt(element, kEveryWeekdayOfMonth, recurrence.GetEveryWeekdayOfMonth());
    WriteInt(element, kWeekNoMonth, recurrence.GetWeekNoMonth());
    WriteInt(element, kWeekdayMonth, recurrence.GetWeekdayMonth());
    SetText(element, kStartDate, recurrence.GetStartDateXmlText());
    SetText(element, kEndDate, recurrence.GetEndDateXmlText());
    WriteInt(element, kEndType, recurrence.GetEndType());
    WriteInt(element, kOccurrencesNumber, recurrence.GetOccurrencesNumber());
    SetText(element, kStartTime, recurrence.GetStartTimeXmlText());
    SetText(element, kEndTime, recurrence.GetEndTimeXmlText());
    WriteInt(element, kFixedTime, recurrence.GetFixedTime());
}

void ElementRecords::Read(const XmlNode& element, RecurrenceInfo& recurrence)
{
    recurrence.SetId(ReadInt(element, kId));
    recurrence.SetPatternPeriod(ReadInt(element, kPatternPeriod));
    recurrence.SetEveryDayIndex(ReadInt(element, kEveryDayIndex));
    recurrence.SetDayWorkday(ReadInt(element, kDayWorkday));
    recurrence.SetEveryWeekIndex(ReadInt(element, kEveryWeekIndex));
    recurrence.SetSunday(ReadInt(element, kSunday));
    recurrence.SetMonday(ReadInt(element, kMonday));
    recurrence.SetTuesday(ReadInt(element, kTuesday));
    recurrence.SetWednesday(ReadInt(element, kWednesday));
    recurrence.SetThursday(ReadInt(element, kThursday));
    recurrence.SetFriday(ReadInt(element, kFriday));
    recurrence.SetSaturday(ReadInt(element, kSaturday));
    recurrence.SetMonthPattern(ReadInt(element, kMonthPattern));
    recurrence.SetMonthDay(ReadInt(element, kMonthDay));
    recurrence.SetEveryDayOfMonth(ReadInt(element, kEveryDayOfMonth));
    recurrence.SetEveryWeekdayOfMonth(ReadInt(element, kEveryWeekdayOfMonth));
    recurrence.SetWeekNoMonth(ReadInt(element, kWeekNoMonth));
    recurrence.SetWeekdayMonth(ReadInt(element, kWeekdayMonth));
    recurrence.SetStartDateXmlText(Text(element, kStartDate));
    recurrence.SetEndDateXmlText(Text(element, kEndDate));
    recurrence.SetEndType(ReadInt(element, kEndType));
    recurrence.SetOccurrencesNumber(ReadInt(element, kOccurrencesNumber));
    // The start moves the end along; the end read next is kept at or after it.
    recurrence.SetStartTimeText(Text(element, kStartTime));
    recurrence.SetEndTimeText(Text(element, kEndTime));
    recurrence.SetFixedTime(ReadInt(element, kFixedTime));
}

void ElementRecords::Write(const XmlNode& element, const ReminderInfo& reminder)
{
    WriteInt(element, kId, reminder.GetId());
    SetText(element, kAlarmDate, reminder.GetAlarmDateXmlText());
    SetText(element, kAlarmTime, reminder.GetAlarmTimeXmlText());
}

void ElementRecords::Read(const XmlNode& element, ReminderInfo& reminder)
{
    reminder.SetId(ReadInt(element, kId));
    reminder.SetAlarmDateXmlText(Text(element, kAlarmDate));
    reminder.SetAlarmTimeXmlText(Text(element, kAlarmTime));
}

void ElementRecords::Write(const XmlNode& element, const DocProperties& properties)
{
    SetText(element, kAuthor, properties.GetAuthor());
    SetText(element, kCompany, properties.GetCompany());
    SetText(element, kManager, properties.GetManager());
    SetText(element, kTitle, properties.GetTitle());
    WriteLongText(element, kAddress, properties.GetAddress());
}

void ElementRecords::Read(const XmlNode& element, DocProperties& properties)
{
    properties.SetAuthor(Text(element, kAuthor));
    properties.SetCompany(Text(element, kCompany));
    properties.SetManager(Text(element, kManager));
    properties.SetTitle(Text(element, kTitle));
    properties.SetAddress(ReadLongText(element, kAddress));
}
