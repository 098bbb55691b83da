// ElementRecords: the records of the plan written to and read from their elements, in the document's value forms.
#pragma once

#include "document/model/Category.h"
#include "document/model/DocProperties.h"
#include "document/model/Goal.h"
#include "document/model/MoodItem.h"
#include "document/model/MoodState.h"
#include "document/model/Person.h"
#include "document/model/RecurrenceInfo.h"
#include "document/model/ReminderInfo.h"
#include "document/model/TaskCard.h"
#include "document/model/TaskPlanEntry.h"
#include "document/xml/XmlNode.h"

// A write sets every attribute of the record, creating the missing ones, and
// leaves any other attribute as it was. A read gives missing attributes their
// defaults; an integer attribute that holds no number raises
// DISP_E_TYPEMISMATCH, naming the element and the text. Reading a record with
// a DESCRIPTION creates an empty one when it is missing.
class ElementRecords {
public:
    virtual ~ElementRecords() = default;

    static void Write(const XmlNode& element, const TaskCard& task);
    // Everything but the category path.
    static void Read(const XmlNode& element, TaskCard& task);
    // What filters and sums need: neither name nor description, so nothing is added to the element.
    static void ReadWithoutTexts(const XmlNode& element, TaskCard& task);
    // The entry's own attributes and description; its day, task name and
    // flags come from elsewhere.
    static void Write(const XmlNode& element, const TaskPlanEntry& entry);
    static void Read(const XmlNode& element, TaskPlanEntry& entry);
    static void Write(const XmlNode& element, const Category& category);
    static void Read(const XmlNode& element, Category& category);
    static void Write(const XmlNode& element, const Person& person);
    static void Read(const XmlNode& element, Person& person);
    static void Write(const XmlNode& element, const MoodItem& mood);
    static void Read(const XmlNode& element, MoodItem& mood);
    static void Write(const XmlNode& element, const MoodState& state);
    static void Read(const XmlNode& element, MoodState& state);
    static void Write(const XmlNode& element, const Goal& goal);
    static void Read(const XmlNode& element, Goal& goal);
    // The holiday dates are not part of the element.
    static void Write(const XmlNode& element, const RecurrenceInfo& recurrence);
    static void Read(const XmlNode& element, RecurrenceInfo& recurrence);
    static void Write(const XmlNode& element, const ReminderInfo& reminder);
    static void Read(const XmlNode& element, ReminderInfo& reminder);
    static void Write(const XmlNode& element, const DocProperties& properties);
    static void Read(const XmlNode& element, DocProperties& properties);

    // Value forms.
    static long ReadInt(const XmlNode& element, const wchar_t* name);
    static void WriteInt(const XmlNode& element, const wchar_t* name, long value);
    // "%.1f" with "."; a text that is no finite number reads as 0.
    static double ReadHours(const XmlNode& element, const wchar_t* name);
    static void WriteHours(const XmlNode& element, const wchar_t* name, double hours);
    // A record deadline of 0 is written as the current date.
    static void WriteDeadline(const XmlNode& element, const EstimatedCard& card);
    // The whole day as a serial number, "39814" for 1 January 2009.
    static EString FormatDayNumber(double date);
    static double ParseDayNumber(const EString& text);
    static EString ReadLongText(const XmlNode& element, const wchar_t* child);
    static void WriteLongText(const XmlNode& element, const wchar_t* child, const EString& text);
};
