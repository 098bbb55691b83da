// How a large plan loads: loadXML of the decoded text against load() of the path.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "benchmark/BenchmarkTimer.h"
#include "benchmark/LargePlan.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlWellFormed.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

double MillisecondsOf(const std::function<void()>& work)
{
    return MedianMilliseconds(1, work);
}

} // namespace

TEST(XmlDocSpeedTest, LoadXmlOfTheTextAgainstLoadOfThePath)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"xmldoc-speed"), L"large.qvr");
    const std::string bytes = LargePlanXml();
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

    // The check a save makes of its file, and an open of a plan this large before its parse.
    const double check = MillisecondsOf([&] { EXPECT_FALSE(FindXmlFault(bytes)); });

    const EString saved = path + L".saved";
    const double save = MillisecondsOf([&] { doc.Save(saved); });
    EXPECT_EQ(ReadFileBytes(saved), bytes);

    std::printf("XmlDoc::Load (read, decode, loadXML): %.0f ms\n", viaText);
    std::printf("loadXML of the decoded text alone:    %.0f ms\n", parseOnly);
    std::printf("load() of the path:                   %.0f ms\n", viaPath);
    std::printf("XmlDoc::Save:                         %.0f ms\n", save);
    std::printf("FindXmlFault of the file:             %.0f ms\n", check);
}
