#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "benchmark/PlanGenerator.h"
#include "document/PelquornDoc.h"
#include "document/SilentPrompts.h"
#include "document/xml/XmlDoc.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "reports/ReportServices.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"

namespace {

// What a row of the export script shows of a task.
struct TaskRow {
    EString category, name, status, deadline;
    bool operator==(const TaskRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TaskRow& row)
{
    return out << testing::PrintToString(row.category + L" | " + row.name + L" | " + row.status + L" | " + row.deadline);
}

// Rows of fields; quoted fields hold commas, doubled quotes and line breaks.
std::vector<std::vector<EString>> ParseCsv(const EString& text)
{
    std::vector<std::vector<EString>> rows;
    std::vector<EString> row;
    EString field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (quoted) {
            if (c != L'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == L'"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == L'"') {
            quoted = true;
        } else if (c == L',') {
            row.push_back(field);
            field.clear();
        } else if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

EString StatusName(const EString& code)
{
    static const wchar_t* const names[] = {L"New", L"In progress", L"Completed"};
    const int status = code.empty() ? 0 : _wtoi(code.c_str());
    return status >= 0 && status <= 2 ? names[status] : code;
}

// Picks a file type and a file name in the export or import dialog and confirms.
std::vector<DialogStep> ChooseFile(int filterIndex, const EString& path)
{
    return {
        [filterIndex](HWND d) {
            const HWND types = ::GetDlgItem(d, cmb1);
            ::SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(filterIndex - 1), 0);
            ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
            ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
            return true;
        },
        [path](HWND d) {
            SetItemText(d, cmb13, path.c_str());
            ClickButton(d, IDOK);
            return true;
        },
    };
}

class ExchangeRoadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Load(FileSystem::GetProgramFolderPath(L"Language\\English.txt"));
        folder = MakeScratchFolder(L"exchange-road");
        const EString plan = FileSystem::JoinPath(folder, L"plan.qvr");
        WriteFileBytes(plan, GeneratePlan(PlanSize::Tenth(), 23));
        document.SetPrompts(&prompts);
        document.SetReportServices(&services);
        ASSERT_TRUE(document.OpenPath(plan));
        document.SetStatusFilter(0);
        // The top category with the most tasks in its branch, and another.
        size_t most = 0;
        for (const XmlNode& category : Root().SelectNodes(L"CATEGORY").GetNodes()) {
            const int id = _wtoi(XmlDoc::GetTextAttribute(category, L"ID").c_str());
            const size_t count = Tasks(id).size();
            if (count > most) {
                most = count;
                otherId = exportedId ? exportedId : otherId;
                exportedId = id;
            } else if (!otherId) {
                otherId = id;
            }
        }
        ASSERT_GT(most, 50u);
        ASSERT_NE(otherId, 0);
    }
    void TearDown() override { ClearProgramRegistry(); }

    XmlNode Root() { return document.GetDataManager().GetDocument(true).GetDocumentElement(); }
    std::vector<XmlNode> Tasks(int categoryId)
    {
        return Root().SelectNodes(EString::Formatted(L"//CATEGORY[@ID=\"%d\"]//TASK", categoryId)).GetNodes();
    }
    // The branch's tasks as rows, their category paths starting at the branch.
    std::vector<TaskRow> Rows(const XmlNode& branch)
    {
        std::vector<TaskRow> rows;
        for (const XmlNode& task : branch.SelectNodes(L".//TASK").GetNodes()) {
            EString path;
            for (XmlNode category = task.GetParent();; category = category.GetParent()) {
                const EString name = XmlDoc::GetTextAttribute(category, L"NAME");
                path = path.empty() ? name : EString(name + L"\\" + path);
                if (category.IsSameNode(branch))
                    break;
            }
            rows.push_back({path, XmlDoc::GetTextAttribute(task, L"NAME"),
                            StatusName(XmlDoc::GetTextAttribute(task, L"STATUS")),
                            XmlDoc::GetTextAttribute(task, L"DEADLINE")});
        }
        return rows;
    }
    XmlNode Category(int id) { return Root().SelectSingleNode(EString::Formatted(L"//CATEGORY[@ID=\"%d\"]", id)); }
    void Export(int filterIndex, const EString& path)
    {
        RunModalSteps(
            [&] {
                document.ExportCategory(exportedId);
                return IDOK;
            },
            ChooseFile(filterIndex, path));
    }
    void Import(int filterIndex, const EString& path)
    {
        RunModalSteps(
            [&] {
                document.ImportCategory(otherId);
                return IDOK;
            },
            ChooseFile(filterIndex, path));
    }
    // The branch the last import added under the other category.
    XmlNode Imported() { return Root().SelectSingleNode(EString::Formatted(L"//CATEGORY[@ID=\"%d\"]/CATEGORY[last()]", otherId)); }

    EString folder;
    CPelquornDoc document;
    SilentPrompts prompts;
    ReportServices services;
    int exportedId = 0;
    int otherId = 0;
};

} // namespace

TEST_F(ExchangeRoadTest, TheShippedScriptWritesOneRowPerTaskOfTheBranch)
{
    const EString csv = FileSystem::JoinPath(folder, L"tasks.csv");
    Export(2, csv);
    EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front().c_str();

    CTFile file;
    ASSERT_TRUE(file.Open(csv.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    const std::vector<std::vector<EString>> rows = ParseCsv(file.ReadAll());
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (std::vector<EString>{L"Category", L"Task", L"Status", L"Deadline", L"Importance",
                                             L"Estimation", L"Description"}));
    std::vector<TaskRow> written;
    for (size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 7u) << "row " << i;
        written.push_back({rows[i][0], rows[i][1], rows[i][2], rows[i][3]});
    }
    const std::vector<TaskRow> expected = Rows(Category(exportedId));
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_EQ(written, expected);
}

TEST_F(ExchangeRoadTest, APlanXmlExportImportedGivesTheSameTasks)
{
    const EString xml = FileSystem::JoinPath(folder, L"branch.xml");
    Export(1, xml);
    Options::SetImportSchedules(1);
    Import(1, xml);
    EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front().c_str();
    const XmlNode imported = Imported();
    ASSERT_TRUE(imported);
    EXPECT_EQ(XmlDoc::GetTextAttribute(imported, L"NAME"), XmlDoc::GetTextAttribute(Category(exportedId), L"NAME"));
    // Their plan entries come along and put the planned tasks in progress:
    // the status is left out here.
    auto withoutStatus = [](std::vector<TaskRow> rows) {
        for (TaskRow& row : rows)
            row.status.clear();
        return rows;
    };
    EXPECT_EQ(withoutStatus(Rows(imported)), withoutStatus(Rows(Category(exportedId))));
}

TEST_F(ExchangeRoadTest, TheShippedScriptsCarryTasksThroughCsv)
{
    const EString csv = FileSystem::JoinPath(folder, L"round.csv");
    Export(2, csv);
    Options::SetImportSchedules(1);
    Import(2, csv);
    EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front().c_str();
    const XmlNode imported = Imported();
    ASSERT_TRUE(imported);
    EXPECT_EQ(Rows(imported), Rows(Category(exportedId)));
}

TEST_F(ExchangeRoadTest, AFailedImportLeavesThePlanUnchanged)
{
    const EString bad = FileSystem::JoinPath(folder, L"bad.csv");
    WriteFileBytes(bad, "Name,Status\r\nno task column,New\r\n");
    const size_t tasks = Root().SelectNodes(L"//TASK").GetNodes().size();
    Import(2, bad);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_NE(prompts.errors[0].find(L"The file \"" + bad + L"\" could not be imported: "), EString::npos)
        << prompts.errors[0].c_str();
    EXPECT_NE(prompts.errors[0].find(L"failed: Its first row names no column \"Task\"."), EString::npos)
        << prompts.errors[0].c_str();
    EXPECT_EQ(Root().SelectNodes(L"//TASK").GetNodes().size(), tasks);
    EXPECT_EQ(document.IsModified(), 0);
}

TEST_F(ExchangeRoadTest, TasksWithoutADeadlineComeInThroughCsvWithoutOne)
{
    const EString csv = FileSystem::JoinPath(folder, L"deadlines.csv");
    WriteFileBytes(csv, "Category,Task,Deadline\r\nTrip,Pack,2026-05-01\r\nTrip,Someday,\r\n");
    Import(2, csv);
    EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front().c_str();
    const XmlNode trip = Imported();
    ASSERT_TRUE(trip);
    EXPECT_TRUE(XmlDoc::GetAttribute(trip, L"DEADLINE").IsEmpty()) << "the category came without one too";
    const struct {
        const wchar_t* task;
        const wchar_t* deadline; // empty: none
    } cases[] = {
        {L"Pack", L"2026-05-01"},
        {L"Someday", L""},
    };
    for (const auto& c : cases) {
        const XmlNode task = trip.SelectSingleNode(EString::Formatted(L"TASK[@NAME=\"%s\"]", c.task));
        ASSERT_TRUE(task) << WideToAnsi(c.task);
        const Variant deadline = XmlDoc::GetAttribute(task, L"DEADLINE");
        EXPECT_EQ(WideToAnsi(deadline.IsEmpty() ? EString() : deadline.ToString()), WideToAnsi(c.deadline))
            << WideToAnsi(c.task);
    }
}

// A spreadsheet's cells may hold anything: the characters XML cannot hold
// are left out, as from a paste, and the good rows come in with the others.
TEST_F(ExchangeRoadTest, CsvCellsWithCharactersXmlCannotHoldComeInWithoutThem)
{
    const EString ansi = FileSystem::JoinPath(folder, L"controls.csv");
    WriteFileBytes(ansi, "Category,Task,Description\r\nTrip,Pack,fine\r\nTrip,Book\x01 hotel,call\x0B first\r\n");
    const EString unicode = FileSystem::JoinPath(folder, L"unicode.csv");
    const std::wstring text = L"\xFEFF" L"Category,Task,Description\r\nTrip,Pack,fine\r\nTrip,Book\x0001 hotel,"
                              L"call\xFFFF first\xFFFE\r\n";
    WriteFileBytes(unicode, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    for (const EString& csv : {ansi, unicode}) {
        SCOPED_TRACE(WideToAnsi(csv));
        prompts.errors.clear();
        Import(2, csv);
        EXPECT_TRUE(prompts.errors.empty()) << prompts.errors.front().c_str();
        const XmlNode trip = Imported();
        ASSERT_TRUE(trip);
        ASSERT_TRUE(trip.SelectSingleNode(L"TASK[@NAME=\"Pack\"]"));
        const XmlNode book = trip.SelectSingleNode(L"TASK[@NAME=\"Book hotel\"]");
        ASSERT_TRUE(book);
        EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(book)), L"call first");
        EXPECT_TRUE(XmlDoc::GetAttribute(book, L"ROW").IsEmpty()) << "the row stays in the file";
    }
}

// What is refused still names the file the user chose and, where it lies
// in a row, the row; the plan is left as it was.
TEST_F(ExchangeRoadTest, ARefusedCsvNamesTheFileAndTheRowAndLeavesThePlan)
{
    const struct {
        const char* name;
        const char* bytes;
        const wchar_t* reason;
    } cases[] = {
        {"an importance the plan has not",
         "Task,Importance\r\nPack,1\r\nBook,high\r\n", L"failed: Row 3: the Importance \"high\" is none of 0, 1, 2 and 3."},
        {"an empty file", "\r\n\r\n", L"failed: Its first row names no column \"Task\"."},
    };
    const EString csv = FileSystem::JoinPath(folder, L"refused.csv");
    const size_t tasks = Root().SelectNodes(L"//TASK").GetNodes().size();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(csv, c.bytes);
        prompts.errors.clear();
        Import(2, csv);
        ASSERT_EQ(prompts.errors.size(), 1u);
        EXPECT_EQ(prompts.errors[0].find(L"The file \"" + csv + L"\" could not be imported: "), 0u)
            << prompts.errors[0].c_str();
        EXPECT_NE(prompts.errors[0].find(c.reason), EString::npos) << prompts.errors[0].c_str();
        EXPECT_EQ(Root().SelectNodes(L"//TASK").GetNodes().size(), tasks);
        EXPECT_EQ(document.IsModified(), 0);
    }
}
