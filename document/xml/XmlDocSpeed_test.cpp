// Measures how a large plan loads; run by hand with --gtest_also_run_disabled_tests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "document/xml/XmlDoc.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

// 10,000 tasks in 303 categories and 100,000 plan entries over three years.
std::string LargePlan()
{
    std::string xml = "<ROOT>";
    int task = 0;
    for (int category = 1; category <= 303; ++category) {
        xml += "<CATEGORY ID=\"" + std::to_string(category) + "\" NAME=\"Category " + std::to_string(category) +
               "\" STATUS=\"0\" DEADLINE=\"2024-05-01\"><DESCRIPTION>About this category\nsecond line</DESCRIPTION>";
        for (int i = 0; i < 33 && task < 10000; ++i) {
            ++task;
            xml += "<TASK ID=\"" + std::to_string(task) + "\" NAME=\"Task number " + std::to_string(task) +
                   "\" STATUS=\"1\" IMPORTANCE=\"2\" DEADLINE=\"2024-06-01\" ESTIMATION=\"2.5\" COLORDEF=\"14548957\""
                   " ORIGINALESTIMATION=\"2.0\"><DESCRIPTION>Notes on task " + std::to_string(task) +
                   "</DESCRIPTION></TASK>";
        }
        xml += "</CATEGORY>";
    }
    xml += "<DAILY>";
    int entry = 0;
    for (int day = 0; day < 1096 && entry < 100000; ++day) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2022 + day / 365, 1 + day % 365 / 31, 1 + day % 31 % 28);
        xml += std::string("<DAY DATE=\"") + date + "\">";
        for (int i = 0; i < 92 && entry < 100000; ++i) {
            ++entry;
            xml += "<PLANENTRY ID=\"" + std::to_string(entry) + "\" TASKID=\"" + std::to_string(1 + entry % 10000) +
                   "\" STARTTIME=\"09:00\" ENDTIME=\"09:30\" FIXEDTIME=\"0\"><DESCRIPTION/></PLANENTRY>";
        }
        xml += "</DAY>";
    }
    return xml + "</DAILY></ROOT>\n";
}

double MillisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(XmlDocSpeedTest, DISABLED_LoadXmlOfTheTextAgainstLoadOfThePath)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-speed"), L"large.qvr");
    const std::string bytes = LargePlan();
    WriteFileBytes(path, bytes);
    std::printf("document: %.1f MB\n", bytes.size() / 1048576.0);

    XmlDoc doc;
    const double viaText = MillisecondsOf([&] { doc.Load(path); });
    EXPECT_EQ(doc.GetDocument(false).SelectNodes(L"//PLANENTRY").GetLength(), 100000);

    const EString text = Utf8ToWide(bytes.data(), bytes.size());
    const double parseOnly = MillisecondsOf([&] {
        XmlDocument parsed = XmlDoc::CreateDocument(false);
        VARIANT_BOOL ok = VARIANT_FALSE;
        parsed->loadXML(Bstr(text), &ok);
        EXPECT_EQ(ok, VARIANT_TRUE);
    });

    const double viaPath = MillisecondsOf([&] {
        XmlDocument loaded = XmlDoc::CreateDocument(false);
        VARIANT_BOOL ok = VARIANT_FALSE;
        loaded->load(Variant(path), &ok);
        EXPECT_EQ(ok, VARIANT_TRUE);
    });

    const EString saved = path + L".saved";
    const double save = MillisecondsOf([&] { doc.Save(saved); });
    EXPECT_EQ(ReadFileBytes(saved), bytes);

    std::printf("XmlDoc::Load (read, decode, loadXML): %.0f ms\n", viaText);
    std::printf("loadXML of the decoded text alone:    %.0f ms\n", parseOnly);
    std::printf("load() of the path:                   %.0f ms\n", viaPath);
    std::printf("XmlDoc::Save:                         %.0f ms\n", save);
}
