#include "document/xml/DataManagerTestSupport.h"

#include "document/xml/ElementRecords.h"
#include "foundation/FileSystem.h"
#include "foundation/TimeParser.h"
#include "testing/TestSupport.h"

const wchar_t kSmallPlan[] =
    L"<ROOT><CATEGORY ID=\"10\" NAME=\"Work\" STATUS=\"0\" DEADLINE=\"2024-06-30\"><DESCRIPTION/>"
    L"<TASK ID=\"1\" NAME=\"Write\" STATUS=\"0\" IMPORTANCE=\"0\" DEADLINE=\"2024-05-20\" ESTIMATION=\"4.0\"/>"
    L"<TASK ID=\"2\" NAME=\"Read\" STATUS=\"1\" IMPORTANCE=\"1\" DEADLINE=\"2024-05-22\" ESTIMATION=\"2.5\"/>"
    L"<CATEGORY ID=\"11\" NAME=\"Deep\" STATUS=\"0\" DEADLINE=\"2024-06-30\"><DESCRIPTION/>"
    L"<TASK ID=\"3\" NAME=\"Think\" STATUS=\"2\" IMPORTANCE=\"2\" DEADLINE=\"2024-05-18\" ESTIMATION=\"1.0\"/>"
    L"<TASK ID=\"4\" NAME=\"Dream\" STATUS=\"0\" IMPORTANCE=\"3\" DEADLINE=\"2024-07-01\" ESTIMATION=\"3.0\"/>"
    L"</CATEGORY></CATEGORY>"
    L"<TASK ID=\"5\" NAME=\"Loose\" STATUS=\"0\" IMPORTANCE=\"1\" DEADLINE=\"2024-05-15\" ESTIMATION=\"1.0\"/>"
    L"</ROOT>";

void DataManagerTest::Open(const EString& xml)
{
    m_doc.LoadXml(xml);
    m_doc.AfterLoad();
}

void DataManagerTest::Reopen()
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"data-manager"), L"reopened.qvr");
    m_doc.Save(path);
    m_doc.Load(path);
    m_doc.AfterLoad();
}

EString DataManagerTest::Day(double date, bool withIds)
{
    const XmlNode day = m_doc.GetRoot().SelectSingleNode(L"DAILY/DAY[@DATE=\"" + DateParser::FormatDate(date) + L"\"]");
    EString text;
    if (!day)
        return text;
    for (const XmlNode& entry : day.GetChildElements()) {
        if (!text.empty())
            text += L" ";
        if (withIds)
            text += L"#" + Attribute(entry, L"ID") + L" ";
        text += Attribute(entry, L"STARTTIME") + L"-" + Attribute(entry, L"ENDTIME");
        if (Attribute(entry, L"FIXEDTIME") == L"1")
            text += L"f";
    }
    return text;
}

int DataManagerTest::Add(double date, int taskId, const wchar_t* start, const wchar_t* end, bool fixed)
{
    TaskPlanEntry entry(taskId, TimeParser::ParseTime(start), TimeParser::ParseTime(end), L"", L"", fixed ? 1 : 0, 0);
    m_doc.AddPlanEntry(date, entry, true, true);
    return entry.GetId();
}

TaskPlanEntry DataManagerTest::Entry(int id)
{
    TaskPlanEntry entry;
    EXPECT_TRUE(m_doc.GetPlanEntry(id, entry)) << id;
    return entry;
}

long DataManagerTest::TaskStatus(int taskId)
{
    return ElementRecords::ReadInt(m_doc.FindTask(taskId), L"STATUS");
}

EString DataManagerTest::TaskAttribute(int taskId, const wchar_t* name)
{
    return Attribute(m_doc.FindTask(taskId), name);
}
