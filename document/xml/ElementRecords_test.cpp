#include <gtest/gtest.h>

#include "document/xml/ElementRecords.h"
#include "document/xml/ElementsTestSupport.h"
#include "document/xml/IdText.h"
#include "document/xml/XmlElement.h"
#include "foundation/OleDate.h"

namespace {

class ElementRecordsTest : public ElementsTest {
protected:
    void SetUp() override
    {
        ElementsTest::SetUp();
        m_doc.New();
    }

    // The one element of a new document.
    XmlNode NewElement(const wchar_t* name)
    {
        m_doc.New();
        return XmlDoc::AddChildElement(m_doc.GetRoot(), name);
    }

    EString Saved() { return SavedContent(m_doc); }

    XmlNode Parsed(const EString& xml)
    {
        m_doc.LoadXml(L"<ROOT>" + xml + L"</ROOT>");
        return m_doc.GetRoot().GetFirstChildElement();
    }

    XmlDataElements m_doc;
};

TaskCard Task(int importance, int colorDef, double originalEstimation)
{
    TaskCard task;
    task.SetId(12);
    task.SetName(L"T\u00E2che <1> & \"x\"");
    task.SetStatus(1);
    task.SetImportance(importance);
    task.SetDeadline(Date(2024, 6, 1) + Time(10, 30));
    task.SetEstimation(2.5);
    task.SetColor(colorDef);
    task.SetOriginalEstimation(originalEstimation);
    task.SetDescription(L"a\r\nb");
    return task;
}

} // namespace

TEST_F(ElementRecordsTest, TaskIsWrittenInTheDocumentsFormsAndOrder)
{
    const XmlNode element = NewElement(L"TASK");
    ElementRecords::Write(element, Task(2, -1, 3));
    EXPECT_EQ(Saved(), L"<TASK ID=\"12\" NAME=\"T\u00E2che &lt;1&gt; &amp; &quot;x&quot;\" STATUS=\"1\" "
                              L"IMPORTANCE=\"2\" DEADLINE=\"2024-06-01\" ESTIMATION=\"2.5\" COLORDEF=\"14548957\" "
                              L"ORIGINALESTIMATION=\"3.0\"><DESCRIPTION>a\nb</DESCRIPTION></TASK>");

    TaskCard read;
    ElementRecords::Read(element, read);
    EXPECT_EQ(read.GetName(), L"T\u00E2che <1> & \"x\"");
    EXPECT_EQ(read.GetDeadline(), Date(2024, 6, 1));
    EXPECT_EQ(read.GetOriginalEstimation(), 3.0);
    EXPECT_EQ(read.GetDescription(), L"a\r\nb");
    // The colour the importance gave is now the task's own.
    EXPECT_EQ(read.GetColorDef(), 14548957);
}

TEST_F(ElementRecordsTest, UnsetColourIsWrittenAsTheColourOfTheImportance)
{
    const struct {
        int importance;
        int colorDef;
        const wchar_t* written;
    } cases[] = {
        {0, -1, L"14540287"}, {1, -1, L"16777215"}, {2, -1, L"14548957"},
        {3, -1, L"16768477"}, {7, -1, L"16777215"}, {1, 255, L"255"},
    };
    for (const auto& c : cases) {
        const XmlNode element = NewElement(L"TASK");
        ElementRecords::Write(element, Task(c.importance, c.colorDef, -1));
        EXPECT_EQ(Attribute(element, L"COLORDEF"), c.written) << c.importance;
        TaskCard read;
        ElementRecords::Read(element, read);
        EXPECT_EQ(read.GetColorDef(), _wtoi(c.written)) << c.importance;
    }
}

TEST_F(ElementRecordsTest, ARecordWithoutADeadlineIsWrittenWithoutOne)
{
    // Written as GetDeadline reads it, it fell due today, and overdue from
    // tomorrow on, after any rewrite such as a rename.
    TaskCard task = Task(1, -1, -1);
    task.SetDeadline(0);
    Category category;
    Goal goal;
    const XmlNode taskElement = Parsed(L"<TASK ID=\"1\" DEADLINE=\"2024-06-01\"/>"),
                  categoryElement = NewElement(L"CATEGORY"), goalElement = NewElement(L"GOAL");
    ElementRecords::Write(taskElement, task);
    ElementRecords::Write(categoryElement, category);
    ElementRecords::Write(goalElement, goal);
    for (const XmlNode& element : {taskElement, categoryElement, goalElement}) {
        EXPECT_EQ(XmlElement(element).GetAttribute(L"DEADLINE").vt, VT_EMPTY) << element.GetName().c_str();
        TaskCard read;
        ElementRecords::Read(element, read);
        EXPECT_FALSE(read.HasDeadline()) << element.GetName().c_str();
    }
    task.SetDeadline(Date(2024, 5, 20));
    ElementRecords::Write(taskElement, task);
    EXPECT_EQ(Attribute(taskElement, L"DEADLINE"), L"2024-05-20");
}

TEST_F(ElementRecordsTest, UnsetOriginalEstimationKeepsWhatTheFileHolds)
{
    const XmlNode element = Parsed(L"<TASK ID=\"1\" ORIGINALESTIMATION=\"-1.0\"/>");
    ElementRecords::Write(element, Task(1, -1, -1));
    EXPECT_EQ(Attribute(element, L"ORIGINALESTIMATION"), L"-1.0");
    TaskCard read;
    ElementRecords::Read(element, read);
    EXPECT_FALSE(read.HasOriginalEstimation());

    ElementRecords::Write(element, Task(1, -1, 0));
    EXPECT_EQ(Attribute(element, L"ORIGINALESTIMATION"), L"0.0");

    const XmlNode fresh = NewElement(L"TASK");
    ElementRecords::Write(fresh, Task(1, -1, -1));
    EXPECT_TRUE(XmlDoc::GetAttribute(fresh, L"ORIGINALESTIMATION").IsEmpty());
}

TEST_F(ElementRecordsTest, MissingTaskAttributesReadAsTheirDefaults)
{
    TaskCard task = Task(0, 5, 4);
    ElementRecords::Read(Parsed(L"<TASK/>"), task);
    EXPECT_EQ(task.GetId(), 0);
    EXPECT_EQ(task.GetName(), L"");
    EXPECT_EQ(task.GetStatus(), 0);
    EXPECT_EQ(task.GetImportance(), 1);
    EXPECT_EQ(task.GetDeadline(), Date(2024, 5, 15)); // none, so today
    EXPECT_EQ(task.GetEstimation(), 0.0);
    EXPECT_EQ(task.GetColorDef(), -1);
    EXPECT_FALSE(task.HasOriginalEstimation());
    EXPECT_EQ(task.GetDescription(), L"");
    EXPECT_EQ(Saved(), L"<TASK><DESCRIPTION/></TASK>");

    ElementRecords::Read(Parsed(L"<TASK IMPORTANCE=\"0\" COLORDEF=\"-1\" ESTIMATION=\"2.5h\"/>"), task);
    EXPECT_EQ(task.GetImportance(), 0);
    EXPECT_EQ(task.GetColorDef(), -1);
    EXPECT_EQ(task.GetEstimation(), 2.5);
}

TEST_F(ElementRecordsTest, IntegerThatIsNoNumberRaisesAndHoursThatAreNoNumberReadAsZero)
{
    const ComError error = RaisedError([&] {
        TaskCard task;
        ElementRecords::Read(Parsed(L"<TASK ID=\"1\" STATUS=\"done\"/>"), task);
    });
    EXPECT_EQ(error.Error(), DISP_E_TYPEMISMATCH);
    EXPECT_NE(error.Description().find(L"\"done\""), EString::npos) << error.Description().c_str();
    EXPECT_NE(error.Description().find(L"STATUS"), EString::npos);

    EXPECT_EQ(RaisedError([&] { ElementRecords::ReadInt(Parsed(L"<X N=\"99999999999\"/>"), L"N"); }).Error(),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(RaisedError([&] { ElementRecords::ReadInt(Parsed(L"<X N=\"\"/>"), L"N"); }).Error(),
              DISP_E_TYPEMISMATCH);

    for (const wchar_t* text : {L"abc", L"inf", L"nan", L"1e999", L""})
        EXPECT_EQ(ElementRecords::ReadHours(Parsed(EString(L"<X H=\"") + text + L"\"/>"), L"H"), 0.0) << text;
}

TEST_F(ElementRecordsTest, NumbersUseAPointWhateverTheUsersLocale)
{
    const LCID saved = ::GetThreadLocale();
    ::SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    const XmlNode element = NewElement(L"TASK");
    ElementRecords::Write(element, Task(1, -1, 1.5));
    TaskCard read;
    ElementRecords::Read(element, read);
    ::SetThreadLocale(saved);
    EXPECT_EQ(Attribute(element, L"ESTIMATION"), L"2.5");
    EXPECT_EQ(Attribute(element, L"ORIGINALESTIMATION"), L"1.5");
    EXPECT_EQ(read.GetEstimation(), 2.5);
    EXPECT_EQ(read.GetOriginalEstimation(), 1.5);
}

TEST_F(ElementRecordsTest, MoodColoursAreLowerCaseRedGreenBlue)
{
    const XmlNode element = NewElement(L"MOOD");
    MoodItem mood;
    mood.SetId(3);
    mood.SetName(L"Creative");
    mood.SetColor(RGB(0x11, 0xEE, 0x11));
    ElementRecords::Write(element, mood);
    EXPECT_EQ(Saved(), L"<MOOD ID=\"3\" NAME=\"Creative\" COLOR=\"11ee11\"/>");

    const struct {
        const wchar_t* text;
        COLORREF color;
    } cases[] = {
        {L"11ee11", RGB(0x11, 0xEE, 0x11)}, {L"1e", RGB(0x1E, 0, 0)}, {L"zz8000", RGB(0, 0x80, 0)}, {L"", 0}};
    for (const auto& c : cases) {
        MoodItem read;
        ElementRecords::Read(Parsed(EString(L"<MOOD COLOR=\"") + c.text + L"\"/>"), read);
        EXPECT_EQ(read.GetColor(), c.color) << c.text;
    }
}

TEST_F(ElementRecordsTest, DayNumbersAreWholeSerialsWithoutExponent)
{
    EXPECT_EQ(ElementRecords::FormatDayNumber(Date(2009, 1, 1)), L"39814");
    EXPECT_EQ(ElementRecords::FormatDayNumber(Date(2009, 1, 1) + Time(18, 0)), L"39814");
    EXPECT_EQ(ElementRecords::FormatDayNumber(Date(9999, 12, 31)), L"2958465");
    EXPECT_EQ(ElementRecords::FormatDayNumber(0.25), L"0");
    EXPECT_EQ(ElementRecords::ParseDayNumber(L"39814"), 39814.0);
    EXPECT_EQ(ElementRecords::ParseDayNumber(L"not a day"), 0.0);
    EXPECT_EQ(ElementRecords::ParseDayNumber(L"1e999"), 0.0);
}

TEST_F(ElementRecordsTest, RecurrenceIsWrittenWithEveryAttributeInOrderAndReadsBackEqual)
{
    TimeRange times(Time(11, 0), Time(11, 45), L"", L"", 1);
    RecurrenceInfo rule(times, 1, 2, 1, 3, {1, 0, 1, 0, 1, 0, 1}, 1, 17, 4, 5, 4, 6, Date(2024, 5, 1),
                        Date(2024, 12, 31), 2, 10);
    rule.SetId(42);
    const XmlNode element = NewElement(L"RECURRENCE");
    ElementRecords::Write(element, rule);
    EXPECT_EQ(Saved(),
              L"<RECURRENCE ID=\"42\" PATTERNPERIOD=\"1\" EVERYDAYINDEX=\"2\" DAYWORKDAY=\"1\" EVERYWEEKINDEX=\"3\" "
              L"SUNDAY=\"1\" MONDAY=\"0\" TUESDAY=\"1\" WEDNESDAY=\"0\" THURSDAY=\"1\" FRIDAY=\"0\" SATURDAY=\"1\" "
              L"MONTHPATTERN=\"1\" MONTHDAY=\"17\" EVERYDAYOFMONTH=\"4\" EVERYWEEKDAYOFMONTH=\"5\" WEEKNOMONTH=\"4\" "
              L"WEEKDAYMONTH=\"6\" STARTDATE=\"2024-05-01\" ENDDATE=\"2024-12-31\" ENDTYPE=\"2\" "
              L"OCCURRENCESNUMBER=\"10\" STARTTIME=\"11:00\" ENDTIME=\"11:45\" FIXEDTIME=\"1\"/>");

    // Read into a record whose times lie after the stored ones.
    RecurrenceInfo read;
    read.SetStartKeepDuration(Time(20, 0));
    read.SetEnd(Time(22, 0));
    ElementRecords::Read(element, read);
    EXPECT_EQ(read, rule);
    EXPECT_EQ(read.GetStartTime(), Time(11, 0));
    EXPECT_EQ(read.GetEndTime(), Time(11, 45));

    RecurrenceInfo empty;
    ElementRecords::Read(Parsed(L"<RECURRENCE/>"), empty);
    EXPECT_EQ(empty.GetMonthDay(), 0);
    EXPECT_EQ(empty.GetOccurrencesNumber(), 0);
    EXPECT_EQ(empty.GetStartDate(), 0.0);
    EXPECT_EQ(empty.GetEndTime(), 0.0);
}

TEST_F(ElementRecordsTest, SmallRecordsAreWrittenInTheirFormsAndReadBackEqual)
{
    Person person(1, L"ann", L"Line one\r\nline two\twith a tab", L"Ann \u00C4rmel", L"ann@example.org", 0);
    person.SetId(2);
    const XmlNode personElement = NewElement(L"PERSON");
    ElementRecords::Write(personElement, person);
    EXPECT_EQ(Saved(), L"<PERSON ID=\"2\" NAME=\"ann\" DESCRIPTION=\"Line one&#13;&#10;line "
                                    L"two&#9;with a tab\" EMAIL=\"ann@example.org\" FULLNAME=\"Ann \u00C4rmel\" "
                                    L"ISGROUP=\"1\"/>");
    Person readPerson;
    ElementRecords::Read(personElement, readPerson);
    EXPECT_EQ(readPerson.GetDescription(), person.GetDescription());
    EXPECT_TRUE(readPerson.IsGroup());

    ReminderInfo reminder(7, Date(2024, 5, 20) + Time(15, 0), Time(8, 30));
    const XmlNode reminderElement = NewElement(L"REMINDER");
    ElementRecords::Write(reminderElement, reminder);
    EXPECT_EQ(Saved(), L"<REMINDER ID=\"7\" ALARMDATE=\"2024-05-20\" ALARMTIME=\"08:30\"/>");

    MoodState state;
    state.SetId(4);
    state.SetMoodId(2);
    state.SetStartTime(Time(13, 40));
    const XmlNode stateElement = NewElement(L"MOODSTATE");
    ElementRecords::Write(stateElement, state);
    EXPECT_EQ(Saved(), L"<MOODSTATE ID=\"4\" STARTTIME=\"13:40\" MOODID=\"2\"/>");
    MoodState readState;
    ElementRecords::Read(stateElement, readState);
    EXPECT_EQ(readState, state);

    TaskPlanEntry entry(9, Time(9, 0), Time(10, 30), L"Call\r\nAnn", L"ignored", 1, 0);
    entry.SetId(3);
    const XmlNode entryElement = NewElement(L"PLANENTRY");
    ElementRecords::Write(entryElement, entry);
    EXPECT_EQ(Saved(), L"<PLANENTRY ID=\"3\" TASKID=\"9\" STARTTIME=\"09:00\" ENDTIME=\"10:30\" FIXEDTIME=\"1\">"
                       L"<DESCRIPTION>Call\nAnn</DESCRIPTION></PLANENTRY>");
    TaskPlanEntry readEntry;
    readEntry.SetStartKeepDuration(Time(20, 0));
    ElementRecords::Read(entryElement, readEntry);
    EXPECT_EQ(readEntry.GetTaskId(), 9);
    EXPECT_EQ(readEntry.GetStartTime(), Time(9, 0));
    EXPECT_EQ(readEntry.GetEndTime(), Time(10, 30));
    EXPECT_EQ(readEntry.GetFixedTime(), 1);
    EXPECT_EQ(readEntry.GetDescription(), L"Call\r\nAnn");

    Category category(L"A & B", L"x", Date(2024, 7, 1), 1);
    category.SetId(5);
    const XmlNode categoryElement = NewElement(L"CATEGORY");
    ElementRecords::Write(categoryElement, category);
    EXPECT_EQ(Saved(), L"<CATEGORY ID=\"5\" NAME=\"A &amp; B\" STATUS=\"1\" DEADLINE=\"2024-07-01\">"
                                      L"<DESCRIPTION>x</DESCRIPTION></CATEGORY>");
    Category readCategory;
    ElementRecords::Read(categoryElement, readCategory);
    EXPECT_EQ(readCategory, category);

    DocProperties properties;
    properties.SetAuthor(L"Zo\u00EB");
    properties.SetCompany(L"Mellowbrake");
    properties.SetTitle(L"Plan");
    properties.SetAddress(L"Street 1\r\nTown");
    const XmlNode propertiesElement = NewElement(L"PROPERTIES");
    ElementRecords::Write(propertiesElement, properties);
    EXPECT_EQ(Saved(), L"<PROPERTIES AUTHOR=\"Zo\u00EB\" COMPANY=\"Mellowbrake\" MANAGER=\"\" "
                                        L"TITLE=\"Plan\"><ADDRESS>Street 1\nTown</ADDRESS></PROPERTIES>");
    DocProperties readProperties;
    ElementRecords::Read(propertiesElement, readProperties);
    EXPECT_EQ(readProperties, properties);
}

TEST(IdTextTest, CanonicalTextsAreReadFastAndOthersAsTheSystemConverts)
{
    const struct {
        const wchar_t* text;
        IdText::Form form;
        long value;
    } cases[] = {
        {L"0", IdText::kCanonical, 0},
        {L"42", IdText::kCanonical, 42},
        {L"-7", IdText::kCanonical, -7},
        {L"2147483647", IdText::kCanonical, 2147483647},
        {L"-2147483648", IdText::kCanonical, -2147483647 - 1},
        {L"007", IdText::kConverted, 7},
        {L"+7", IdText::kConverted, 7},
        {L" 7", IdText::kConverted, 7},
        {L"-0", IdText::kConverted, 0},
        {L"2147483648", IdText::kNotANumber, 0},
        {L"99999999999", IdText::kNotANumber, 0},
        {L"x1", IdText::kNotANumber, 0},
        {L"1x", IdText::kNotANumber, 0},
        {L"", IdText::kNotANumber, 0},
        {L"-", IdText::kNotANumber, 0},
    };
    for (const auto& c : cases) {
        long value = 0;
        EXPECT_EQ(IdText::Parse(c.text, value), c.form) << c.text;
        if (c.form != IdText::kNotANumber) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}
