// The document-core benchmark: generates plans of 1,000 and 10,000 tasks and
// prints, for each, the time of every measured operation and its ratio to the
// bare MSXML parse of the file.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "benchmark/BenchmarkTimer.h"
#include "benchmark/PlanGenerator.h"
#include "document/xml/XmlDoc.h"
#include "document/xml/XmlFileText.h"
#include "foundation/Bstr.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"

namespace {

constexpr unsigned kSeed = 20261208;
constexpr int kRuns = 5;

struct Figure {
    const char* name;
    double milliseconds;
};

void WriteText(const EString& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        ThrowComError(E_FAIL, L"cannot write the generated plan");
}

std::vector<Figure> Measure(const EString& path, const std::string& bytes)
{
    std::vector<Figure> figures;
    const EString text = Utf8ToWide(bytes.data(), bytes.size());
    figures.push_back({"1 bare parse (loadXML of the text)", MedianMilliseconds(kRuns, [&] {
                           XmlDocument parsed = XmlDoc::CreateDocument(false);
                           VARIANT_BOOL ok = VARIANT_FALSE;
                           parsed->loadXML(Bstr(text), &ok);
                           if (ok != VARIANT_TRUE)
                               ThrowComError(E_FAIL, L"the generated plan does not parse");
                       })});
    figures.push_back({"  read and decode the file", MedianMilliseconds(kRuns, [&] { XmlFileText::ReadToBstr(path); })});
    figures.push_back({"  XmlDoc::Load (read, decode, parse)", MedianMilliseconds(kRuns, [&] {
                           XmlDoc doc;
                           doc.Load(path);
                       })});
    return figures;
}

void Report(const char* title, size_t bytes, const std::vector<Figure>& figures)
{
    std::printf("\n%s (%.1f MB)\n", title, bytes / 1048576.0);
    const double reference = figures.empty() ? 0 : figures.front().milliseconds;
    for (const Figure& figure : figures)
        std::printf("  %-48s %10.2f ms  %6.3fx\n", figure.name, figure.milliseconds,
                    reference > 0 ? figure.milliseconds / reference : 0.0);
}

} // namespace

int wmain()
{
    ::OleInitialize(nullptr);
    int result = 0;
    try {
        const EString folder = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"qv-benchmark");
        FileSystem::EnsureFolder(folder);
        struct Run {
            const char* title;
            PlanSize size;
            const wchar_t* file;
        } runs[] = {
            {"1,000 tasks, 10,000 plan entries", PlanSize::Tenth(), L"plan-1000.qvr"},
            {"10,000 tasks, 100,000 plan entries", PlanSize(), L"plan-10000.qvr"},
        };
        for (const Run& run : runs) {
            const std::string bytes = GeneratePlan(run.size, kSeed);
            const EString path = FileSystem::JoinPath(folder, run.file);
            WriteText(path, bytes);
            Report(run.title, bytes.size(), Measure(path, bytes));
        }
    } catch (const ComError& error) {
        std::fprintf(stderr, "benchmark failed: 0x%08lx %ls\n", static_cast<unsigned long>(error.Error()),
                     error.Description().c_str());
        result = 1;
    }
    ::OleUninitialize();
    return result;
}
