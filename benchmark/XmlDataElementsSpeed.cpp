// The element layer on a large plan: open, look-ups and edits, with the times they should keep.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "benchmark/BenchmarkTimer.h"
#include "benchmark/FigureLines.h"
#include "benchmark/LargePlan.h"
#include "document/model/Category.h"
#include "document/model/TaskCard.h"
#include "document/xml/XmlDataElements.h"
#include "foundation/Bstr.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

double MillisecondsOf(const std::function<void()>& work)
{
    return MedianMilliseconds(1, work);
}

} // namespace

TEST(XmlDataElementsSpeedTest, OpenLookUpAndEditALargePlan)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"elements-speed"), L"large.qvr");
    WriteFileBytes(path, LargePlanXml());

    XmlDoc bare;
    const double parse = MillisecondsOf([&] { bare.Load(path); });
    XmlDataElements doc;
    const double open = MillisecondsOf([&] {
        doc.Load(path);
        doc.AfterLoad();
    });
    std::printf("XmlDoc::Load (bare parse):              %.0f ms\n", parse);
    std::printf("XmlDataElements::Load and AfterLoad:    %.0f ms (%.2fx)\n", open, open / parse);

    constexpr int kLookups = 2000;
    long found = 0;
    const double lookups = MillisecondsOf([&] {
        for (int i = 0; i < kLookups; ++i)
            found += doc.FindTask(1 + i * 5 % 10000) ? 1 : 0;
    });
    EXPECT_EQ(found, kLookups);
    std::printf("FindTask:                               %.4f ms each\n", lookups / kLookups);

    TaskCard task;
    const double read = MillisecondsOf([&] {
        for (int i = 0; i < kLookups; ++i)
            doc.GetTask(1 + i * 5 % 10000, task);
    });
    std::printf("GetTask (find and read):                %.4f ms each\n", read / kLookups);

    const double day = MillisecondsOf([&] {
        for (int i = 0; i < kLookups; ++i)
            doc.GetPlanDay(45000 + i % 500);
    });
    std::printf("GetPlanDay:                             %.4f ms each\n", day / kLookups);

    const double recurrence = MillisecondsOf([&] {
        for (int i = 0; i < kLookups; ++i)
            doc.HasRecurrence(1 + i);
    });
    std::printf("HasRecurrence:                          %.4f ms each\n", recurrence / kLookups);

    double worstEdit = 0;
    auto edit = [&](const char* name, const std::function<void()>& work) {
        const double ms = MillisecondsOf(work);
        worstEdit = std::max(worstEdit, ms);
        std::printf("%-40s%.2f ms\n", name, ms);
    };
    const TaskCard added(L"Added", L"", 1, 0, 1, 0, 0, 0, -1);
    edit("AddTask:", [&] { doc.AddTask(150, added); });
    edit("UpdateTask:", [&] {
        doc.GetTask(9000, task);
        task.SetName(L"Renamed");
        doc.UpdateTask(task);
    });
    edit("DeleteTask:", [&] { doc.DeleteTask(8000); });
    const Category category(L"New", L"", 0, 0);
    edit("AddCategory:", [&] { doc.AddCategory(12, category); });
    RecurrenceInfo rule;
    rule.SetId(7000);
    edit("SetRecurrence:", [&] { doc.SetRecurrence(rule, true); });
    edit("AddReminder:", [&] { doc.AddReminder(ReminderInfo(7000, 45000, 0.5)); });
    edit("DeleteCategory (33 tasks):", [&] { doc.DeleteCategory(200); });
    PrintAim("the slowest edit", worstEdit, 10.0);
    PrintAim("a lookup", lookups / kLookups, 0.1);
}
