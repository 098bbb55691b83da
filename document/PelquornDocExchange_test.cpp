#include <gtest/gtest.h>

#include <stdexcept>

#include "document/Clipboard.h"
#include "document/PelquornDocTestSupport.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "document/xml/XmlDoc.h"
#include "testing/TestSupport.h"

namespace {

using Codes = std::vector<DocNotifyCode>;

class PlanExchangeTest : public PlanDocTest {
protected:
    void SetUp() override
    {
        PlanDocTest::SetUp();
        ASSERT_TRUE(document.OpenPath(PlanFile(L"week.qvr", kTwoTaskPlan)));
        TakeCodes();
    }
    size_t Count(CPelquornDoc& doc, const wchar_t* xpath)
    {
        return doc.GetDataManager().GetDocument(true).SelectNodes(xpath).GetNodes().size();
    }
};

// Runs the plan peer and waits for its end; its exit code, or -1.
int RunPlanPeer(const EString& arguments)
{
    return RunProgramBeside(L"document_plan_peer.exe", arguments);
}

} // namespace

TEST_F(PlanExchangeTest, ExportWritesTheBranchOrHandsItToTheScript)
{
    const EString target = FileSystem::JoinPath(folder, L"export.xml");
    reports.exchangeChoice = ExchangeChoice{target, L"", false};
    document.ExportCategory(4);
    const EString written = Saved(target);
    EXPECT_EQ(written.find(L"<ROOT><CATEGORY ID=\"4\""), 0u) << testing::PrintToString(written);
    EXPECT_NE(written.find(L"Call Ann"), EString::npos);

    document.SetStatusFilter(3);
    reports.exchangeChoice = ExchangeChoice{target, L"C:\\scripts\\csv.js", false};
    EString scriptInput;
    reports.scriptEffect = [&](const ScriptedReports::Script& run) { scriptInput = Saved(run.input); };
    document.ExportCategory(4);
    ASSERT_EQ(reports.scripts.size(), 1u);
    const auto& script = reports.scripts[0];
    EXPECT_EQ(script.script, L"C:\\scripts\\csv.js");
    EXPECT_EQ(script.output, target);
    EXPECT_NE(scriptInput.find(L"Write offer"), EString::npos);
    EXPECT_FALSE(FileSystem::FileExists(script.input)) << "the plan's text never stays in the temporary folder";
    EXPECT_EQ(script.parameters, (ScriptParameters{{L"Filter", L"3"},
                                                   {L"TransparentCategories", document.GetTransparentCategories()
                                                                                  ? L"1"
                                                                                  : L"0"},
                                                   {L"ProjectPath", L""}}));
}

TEST_F(PlanExchangeTest, AFailedExportScriptIsShownAndLeavesNoTemporaryFile)
{
    reports.exchangeChoice = ExchangeChoice{FileSystem::JoinPath(folder, L"out.csv"), L"C:\\scripts\\csv.js", false};
    reports.scriptEffect = [](const ScriptedReports::Script&) { ThrowComError(E_FAIL, L"The script failed."); };
    document.ExportCategory(4);
    ASSERT_EQ(reports.scripts.size(), 1u);
    EXPECT_EQ(prompts.errors, std::vector<EString>{L"The script failed."});
    EXPECT_FALSE(FileSystem::FileExists(reports.scripts[0].input));
}

TEST_F(PlanExchangeTest, AnExportThatCannotWriteLeavesTheTargetAsItWas)
{
    const EString target = PlanFile(L"kept.xml", "<ROOT>mine</ROOT>");
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    reports.exchangeChoice = ExchangeChoice{target, L"", false};
    document.ExportCategory(4);
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(target), "<ROOT>mine</ROOT>");
    EXPECT_EQ(prompts.errors.size(), 1u);

    reports.exchangeChoice.reset();
    document.ExportCategory(4);
    EXPECT_EQ(ReadFileBytes(target), "<ROOT>mine</ROOT>") << "cancelled";
}

TEST_F(PlanExchangeTest, ImportAddsTheBranchUnderTheCategory)
{
    const EString source = PlanFile(L"import.xml", "<ROOT><CATEGORY ID=\"1\" NAME=\"Imported\"><TASK ID=\"7\" "
                                                   "NAME=\"From elsewhere\" STATUS=\"2\"/></CATEGORY></ROOT>");
    Options::SetImportSchedules(1);
    reports.exchangeChoice = ExchangeChoice{source, L"", false};
    document.ImportCategory(4);
    EXPECT_TRUE(reports.shownChoice.includeActivitiesHistory) << "preset from the setting";
    EXPECT_EQ(Options::GetImportSchedules(), 0u) << "the box's state is kept";
    EXPECT_EQ(Count(document, L"//CATEGORY[@ID=\"4\"]/CATEGORY[@NAME=\"Imported\"]/TASK"), 1u);
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kAll});
    EXPECT_EQ(document.IsModified(), 1);

    const struct {
        const char* name;
        EString path;
    } failures[] = {
        {"not well-formed", PlanFile(L"bad.xml", "<ROOT><CATEGORY>")},
        {"missing", FileSystem::JoinPath(folder, L"gone.xml")},
    };
    for (const auto& c : failures) {
        prompts.errors.clear();
        reports.exchangeChoice = ExchangeChoice{c.path, L"", false};
        document.ImportCategory(4);
        EXPECT_TRUE(TakeCodes().empty()) << c.name;
        EXPECT_EQ(prompts.errors.size(), 1u) << c.name;
    }
    EXPECT_EQ(Count(document, L"//CATEGORY[@NAME=\"Imported\"]"), 1u);
}

TEST_F(PlanExchangeTest, AnImportScriptConvertsIntoATemporaryFileThatIsRemoved)
{
    reports.exchangeChoice = ExchangeChoice{L"C:\\data\\tasks.csv", L"C:\\scripts\\csv.js", true};
    reports.scriptEffect = [](const ScriptedReports::Script& script) {
        WriteFileBytes(script.output, "<ROOT><TASK ID=\"1\" NAME=\"Converted\"/></ROOT>");
    };
    document.ImportCategory(4);
    ASSERT_EQ(reports.scripts.size(), 1u);
    EXPECT_EQ(reports.scripts[0].input, L"C:\\data\\tasks.csv");
    EXPECT_FALSE(FileSystem::FileExists(reports.scripts[0].output));
    EXPECT_EQ(Count(document, L"//CATEGORY[@ID=\"4\"]/TASK[@NAME=\"Converted\"]"), 1u);
}

TEST_F(PlanExchangeTest, AnImportScriptThatFailsOutsideComIsLoggedShownAndImportsNothing)
{
    reports.exchangeChoice = ExchangeChoice{L"C:\\data\\tasks.csv", L"C:\\scripts\\csv.js", true};
    reports.scriptEffect = [](const ScriptedReports::Script&) { throw std::runtime_error("script host crashed"); };
    document.ImportCategory(4);
    EXPECT_TRUE(TakeCodes().empty());
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_NE(NewLogText().find(L"EXCEPTION in a document operation: script host crashed"), EString::npos);
    EXPECT_EQ(prompts.errors, std::vector<EString>{L"The command could not be completed: script host crashed"});
}

TEST_F(PlanExchangeTest, TasksCopiedInOneProgramArriveInAnother)
{
    const HWND owner = mainWindow.Handle();
    document.SetSelectedTaskIds({9});
    ASSERT_TRUE(document.CopyTasksToClipboard(owner));
    EXPECT_TRUE(Clipboard::IsPrivateFormatOnClipboard());

    const EString target = PlanFile(L"other.qvr", "<ROOT><CATEGORY ID=\"1\" NAME=\"Inbox\"/></ROOT>");
    ASSERT_EQ(RunPlanPeer(L"paste \"" + target + L"\" 1"), 0);
    CPelquornDoc other;
    ASSERT_TRUE(other.OpenPath(target));
    EXPECT_EQ(Count(other, L"//CATEGORY[@NAME=\"Inbox\"]/TASK[@NAME=\"Call Ann\"]"), 1u);
    EXPECT_EQ(Count(other, L"//TASK[@NAME=\"Write offer\"]"), 0u);

    ASSERT_EQ(RunPlanPeer(L"copy \"" + target + L"\" 1"), 0);
    document.SetCurrentCategoryId(4);
    ASSERT_TRUE(document.PasteFromClipboard(owner));
    EXPECT_EQ(Count(document, L"//CATEGORY[@ID=\"4\"]/CATEGORY[@NAME=\"Inbox\"]/TASK[@NAME=\"Call Ann\"]"), 1u);
}

TEST_F(PlanExchangeTest, PastingNothingChangesNothing)
{
    ASSERT_TRUE(::OpenClipboard(mainWindow.Handle()));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(document.PasteFromClipboard(mainWindow.Handle()));
    EXPECT_EQ(document.IsModified(), 0);
    document.SetSelectedTaskIds({});
    EXPECT_EQ(document.GetTasksXml(), L"<ROOT></ROOT>");
}

// A change that is refused leaves the plan and its mark as they were, so
// its file holds what it held and Exit asks nothing.
TEST_F(PlanExchangeTest, ARefusedPasteOrMoveChangesNothing)
{
    const HWND owner = mainWindow.Handle();
    const EString plan = document.GetPathName();
    ASSERT_TRUE(document.OnSaveDocument(plan));
    const std::string saved = ReadFileBytes(plan);
    const EString fragment = L"<ROOT><TASK ID=\"1\" NAME=\"Pasted\"/></ROOT>";
    const EString badId = L"<ROOT><TASK ID=\"one\" NAME=\"Pasted\"/></ROOT>";
    auto pasteFromClipboard = [&](int categoryId, const EString& text) {
        document.SetCurrentCategoryId(categoryId);
        ASSERT_TRUE(Clipboard::SetPrivateClipboardText(text, owner));
        document.PasteFromClipboard(owner);
    };
    auto import = [&](int categoryId, const EString& text) {
        const EString file = FileSystem::JoinPath(folder, L"import.xml");
        WriteFileBytes(file, WideToAnsi(text));
        reports.exchangeChoice = ExchangeChoice{file, L"", true};
        document.ImportCategory(categoryId);
    };
    const struct {
        const char* name;
        std::function<void()> change;
        bool shown;
    } cases[] = {
        {"a clipboard text that is no plan's fragment",
         [&] { pasteFromClipboard(4, L"<TASK ID=\"1\" NAME=\"Pasted\"/>"); }, true},
        {"a clipboard fragment with an id that is no number", [&] { pasteFromClipboard(4, badId); }, true},
        {"a clipboard fragment with a number that is none",
         [&] {
             pasteFromClipboard(4, L"<ROOT><CATEGORY ID=\"1\" NAME=\"New\"><TASK ID=\"2\" NAME=\"Fine\"/></CATEGORY>"
                                   L"<TASK ID=\"3\" NAME=\"Bad\" STATUS=\"done\"/></ROOT>");
         },
         true},
        {"a clipboard paste into a category that is not there", [&] { pasteFromClipboard(99, fragment); }, true},
        {"a clipboard text that is no XML", [&] { pasteFromClipboard(4, L"<ROOT><TASK ID=\"1\""); }, false},
        {"the tree's paste of a fragment with an id that is no number", [&] { document.InsertXml(4, badId, false); },
         true},
        {"the tree's paste into a category that is not there", [&] { document.InsertXml(99, fragment, false); }, true},
        {"an import with an id that is no number", [&] { import(4, badId); }, true},
        {"an import into a category that is not there", [&] { import(99, fragment); }, true},
        {"a move of a task that is not there", [&] { EXPECT_FALSE(document.MoveTasks(4, {9, 99})); }, false},
        {"a move into a category that is not there", [&] { EXPECT_FALSE(document.MoveTasks(99, {9})); }, false},
        {"a cut of the top", [&] { EXPECT_FALSE(document.CutCategoryToClipboard(0, owner)); }, false},
        {"a cut of a category that is not there", [&] { EXPECT_FALSE(document.CutCategoryToClipboard(99, owner)); },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.errors.clear();
        ASSERT_TRUE(Clipboard::SetPrivateClipboardText(L"<ROOT>kept</ROOT>", owner));
        c.change();
        EXPECT_EQ(document.IsModified(), 0);
        EXPECT_EQ(mainWindow.Title().find(L'*'), EString::npos);
        EXPECT_EQ(prompts.errors.size(), c.shown ? 1u : 0u);
        EXPECT_EQ(ReadFileBytes(plan), saved);
        const EString copy = FileSystem::JoinPath(folder, L"copy.qvr");
        ASSERT_TRUE(document.OnSaveDocument(copy));
        EXPECT_EQ(ReadFileBytes(copy), saved);
    }
    EXPECT_EQ(Clipboard::GetPrivateClipboardText(owner), L"<ROOT>kept</ROOT>") << "the last cut left it";
}

// A name or description from outside longer than the plan keeps is cut where
// it comes in, at a whole character, and the user is told; the plan then
// saves and opens again.
TEST_F(PlanExchangeTest, TextsLongerThanThePlanKeepsAreCutAtAPasteOrImportAndTold)
{
    const EString smile = L"\xD83D\xDE00";
    // The task's name reaches its limit in the middle of a surrogate pair.
    const EString longName = EString(199, L'n') + smile + EString(10000001 - 201, L'n');
    const EString fragment = L"<ROOT><CATEGORY ID=\"1\" NAME=\"" + EString(10000001, L'c') +
                             L"\"><TASK ID=\"2\" NAME=\"" + longName + L"\" STATUS=\"0\"><DESCRIPTION>" +
                             EString(10000001, L'd') + L"</DESCRIPTION></TASK></CATEGORY></ROOT>";
    const EString file = FileSystem::JoinPath(folder, L"long.xml");
    WriteFileBytes(file, WideToUtf8(fragment));
    const struct {
        const char* name;
        std::function<void()> bringIn;
    } roads[] = {
        {"a paste", [&] { document.PasteXml(fragment); }},
        {"the tree's paste", [&] { document.InsertXml(4, fragment, false); }},
        {"an import",
         [&] {
             reports.exchangeChoice = ExchangeChoice{file, L"", false};
             EXPECT_TRUE(document.ImportCategory(4));
         }},
    };
    const EString saved = FileSystem::JoinPath(folder, L"saved.qvr");
    for (const auto& road : roads) {
        SCOPED_TRACE(road.name);
        ASSERT_TRUE(document.OpenPath(PlanFile(L"week.qvr", kTwoTaskPlan)));
        document.SetCurrentCategoryId(4);
        prompts.errors.clear();
        road.bringIn();
        ASSERT_EQ(prompts.errors.size(), 1u);
        const EString& told = prompts.errors[0];
        EXPECT_NE(told.find(L"The name of the task \"nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn...\" was longer than "
                            L"200 characters and was cut there."),
                  EString::npos)
            << WideToAnsi(told);
        EXPECT_NE(told.find(L"The name of the category"), EString::npos) << WideToAnsi(told);
        EXPECT_NE(told.find(L"The description of \"nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn...\" was longer than "
                            L"1000000 characters"),
                  EString::npos)
            << WideToAnsi(told);

        ASSERT_TRUE(document.OnSaveDocument(saved));
        ASSERT_TRUE(document.OpenPath(saved)) << (prompts.errors.empty() ? "" : WideToAnsi(prompts.errors.back()));
        const XmlNode task = document.GetDataManager().GetDocument(true).SelectSingleNode(
            L"//CATEGORY[@ID=\"4\"]/CATEGORY/TASK");
        ASSERT_TRUE(task);
        EXPECT_EQ(XmlDoc::GetTextAttribute(task, L"NAME"), EString(199, L'n')) << "the pair is not split";
        EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(task)), EString(1000000, L'd'));
        EXPECT_EQ(XmlDoc::GetTextAttribute(task.GetParent(), L"NAME"), EString(100, L'c'));
    }
}
