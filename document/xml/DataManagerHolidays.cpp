// DataManager: the stored holidays and the work days they make.
#include "document/xml/DataManager.h"

#include <cmath>

#include "document/xml/ElementRecords.h"
#include "document/xml/XmlVocabulary.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

using namespace Xml;

namespace {

double WholeDay(double date)
{
    if (!std::isfinite(date))
        ThrowComError(E_INVALIDARG, L"A holiday needs a date.");
    return std::floor(date);
}

// Compared by value, as the work-day test compares them: "45427" and "45427.0" are one day.
bool IsHolidayOf(const XmlNode& element, double day)
{
    return element.GetName() == kHoliday &&
           ElementRecords::ParseDayNumber(XmlDoc::GetTextAttribute(element, kDate)) == day;
}

} // namespace

XmlNode DataManager::FindHoliday(double date)
{
    const double day = WholeDay(date);
    for (const XmlNode& child : GetHolidaysSection().GetChildElements())
        if (IsHolidayOf(child, day))
            return child;
    return XmlNode();
}

void DataManager::ToggleHoliday(double date)
{
    const double day = WholeDay(date);
    const XmlNode section = GetHolidaysSection();
    bool removed = false;
    // Every element of the day: one left behind would keep the day a holiday.
    for (const XmlNode& child : section.GetChildElements()) {
        if (IsHolidayOf(child, day)) {
            section.RemoveChild(child);
            removed = true;
        }
    }
    if (!removed)
        XmlDoc::SetAttribute(AddChildElement(section, kHoliday), kDate, ElementRecords::FormatDayNumber(day));
}

WorkCalendar DataManager::GetWorkCalendar()
{
    std::vector<double> holidays;
    GetHolidays(holidays);
    return WorkCalendar(holidays, Options::GetIsAutoSatSun() != 0);
}

double DataManager::GetDayBeginTime()
{
    return TimeParser::ParseTime(Options::GetDayBegin());
}
