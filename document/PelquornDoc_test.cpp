#include <gtest/gtest.h>

#include <functional>

#include "document/PelquornDocTestSupport.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"
#include "testing/TestSupport.h"

namespace {

using Codes = std::vector<DocNotifyCode>;

constexpr DocNotifyCode kStore = NotifyCode::kStoreViewState;
constexpr DocNotifyCode kLoaded = NotifyCode::kDocumentLoaded;
constexpr DocNotifyCode kAll = NotifyCode::kAll;

int CountTasks(CPelquornDoc& document)
{
    return static_cast<int>(document.GetDataManager().GetDocument(true).SelectNodes(L"//TASK").GetNodes().size());
}

bool HasTask(CPelquornDoc& document, const wchar_t* name)
{
    return static_cast<bool>(
        document.GetDataManager().GetDocument(true).SelectSingleNode(EString(L"//TASK[@NAME=\"") + name + L"\"]"));
}

// Removes the files a test left in the user's documents folder.
class DocumentsFolderFiles {
public:
    ~DocumentsFolderFiles()
    {
        for (const EString& path : paths)
            ::DeleteFileW(path.c_str());
    }
    std::vector<EString> paths;
};

using PlanDocLifeTest = PlanDocTest;

} // namespace

TEST_F(PlanDocLifeTest, NewDocumentWithoutTemplateStartsEmptyAndOffersGoals)
{
    document.SetModified(1);
    prompts.answers = {IDNO};
    document.NewDocument();
    EXPECT_EQ(TakeCodes(), (Codes{NotifyCode::kEndEditsInPlace, kStore, kLoaded, kAll}));
    EXPECT_EQ(dialogs.asked, std::vector<std::string>{"goals"});
    EXPECT_FALSE(dialogs.offeredGoals.empty()) << "the suggested goals";
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(mainWindow.Title(), L"Untitled - Quorvane");
    EXPECT_EQ(CountTasks(document), 0);
    EXPECT_EQ(document.GetPathName(), L"");
}

TEST_F(PlanDocLifeTest, NewDocumentStartsFromTheTemplateWithItsIdsInUse)
{
    reports.templatePath = PlanFile(L"template.qvr", kTwoTaskPlan);
    StartNew();
    EXPECT_EQ(CountTasks(document), 2);
    TaskCard task(L"Next", L"", 1, 0, 0, 0, 0, 0, -1);
    EXPECT_EQ(task.GetId(), 10) << "counters seeded from the template";
    EXPECT_EQ(ReadFileBytes(reports.templatePath), kTwoTaskPlan) << "the template is not changed";
}

// A template is a file from outside, as a paste's text is: what no parser
// reads is left out, and what is refused still is told with the file.
TEST_F(PlanDocLifeTest, ANewPlanStartsFromATemplateWithCharactersXmlCannotHoldLeftOut)
{
    reports.templatePath = PlanFile(L"odd.qvr", "<ROOT><CATEGORY ID=\"1\" NAME=\"Work\x01\"><TASK ID=\"2\" "
                                                 "NAME=\"Pay\x0B bills\"><DESCRIPTION>Due\x1B soon</DESCRIPTION>"
                                                 "</TASK></CATEGORY></ROOT>");
    StartNew();
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(HasTask(document, L"Pay bills"));
    TaskCard task;
    ASSERT_TRUE(document.GetTask(2, task, false));
    EXPECT_EQ(task.GetDescription(), L"Due soon");
    Category category;
    ASSERT_TRUE(document.GetCategory(1, category));
    EXPECT_EQ(category.GetName(), L"Work");

    const EString broken = PlanFile(L"broken.qvr", "<ROOT><CATEGORY ID=\"1\">");
    reports.templatePath = broken;
    EXPECT_FALSE(document.OnNewDocument());
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].find(L"The template " + broken + L" could not be read: "), 0u)
        << WideToAnsi(prompts.errors[0]);
    EXPECT_NE(prompts.errors[0].find(L"not well-formed"), EString::npos) << WideToAnsi(prompts.errors[0]);
    EXPECT_TRUE(HasTask(document, L"Pay bills")) << "the plan stays";
}

TEST_F(PlanDocLifeTest, GoalsChosenForANewDocumentAreChangesToSave)
{
    dialogs.goalChoices = {std::vector<int>{0}};
    prompts.answers = {};
    document.NewDocument();
    const Codes codes = TakeCodes();
    ASSERT_EQ(codes.size(), 5u);
    EXPECT_GT(codes[3], 0) << "the goals category is selected";
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(mainWindow.Title(), L"Untitled* - Quorvane");
    EXPECT_EQ(CountTasks(document), 1);
}

TEST_F(PlanDocLifeTest, OpenLoadsTheFileAndTellsEveryone)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    document.SetModified(1);
    ASSERT_TRUE(document.OpenPath(path));
    EXPECT_EQ(TakeCodes(), (Codes{kStore, kLoaded, kAll}));
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(mainWindow.Title(), path + L" - Quorvane");
    EXPECT_TRUE(HasTask(document, L"Call Ann"));
    ASSERT_FALSE(mainWindow.messages.empty());
    EXPECT_EQ(mainWindow.messages.front().message, WM_MAINFRAME_MOODS_CHANGED);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(PlanDocLifeTest, AFileThatCannotBeOpenedLeavesTheLoadedPlan)
{
    const EString good = PlanFile(L"good.qvr", kTwoTaskPlan);
    const struct {
        const char* name;
        EString path;
        EString reason;
    } cases[] = {
        {"not well-formed", PlanFile(L"bad.qvr", "<ROOT><CATEGORY ID=\"1\"></ROOT>"), L"not well-formed"},
        {"an id that is no number", PlanFile(L"id.qvr", "<ROOT><TASK ID=\"x\" NAME=\"a\"/></ROOT>"),
         L"not a whole number"},
        {"missing", FileSystem::JoinPath(folder, L"gone.qvr"),
         SystemErrorText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))},
        {"empty", PlanFile(L"empty.qvr", ""), L"not well-formed"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(document.OpenPath(good));
        document.SetCurrentCategoryId(4);
        TakeCodes();
        prompts.errors.clear();
        EXPECT_FALSE(document.OpenPath(c.path)) << c.name;
        EXPECT_EQ(TakeCodes(), Codes{kStore}) << c.name << ": no load follows";
        ASSERT_EQ(prompts.errors.size(), 1u) << c.name;
        EXPECT_EQ(prompts.errors[0].find(L"The plan " + c.path + L" could not be opened: "), 0u)
            << c.name << ": " << testing::PrintToString(prompts.errors[0]);
        EXPECT_NE(prompts.errors[0].find(c.reason), EString::npos)
            << c.name << ": " << testing::PrintToString(prompts.errors[0]);
        EXPECT_EQ(document.GetPathName(), good) << c.name;
        EXPECT_EQ(mainWindow.Title(), good + L" - Quorvane") << c.name;
        EXPECT_EQ(CountTasks(document), 2) << c.name;
        EXPECT_TRUE(HasTask(document, L"Write offer")) << c.name;
        EXPECT_EQ(document.GetCurrentCategoryId(), 4) << c.name;
    }
    EXPECT_NE(NewLogText().find(L"CATCH 0x"), EString::npos);
}

TEST_F(PlanDocLifeTest, ALoadForgetsTrackingAndTheCachedMood)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    StartNew();
    std::vector<MoodItem> moods;
    document.GetMoods(moods);
    document.SetCurrentMood(moods.at(1).GetId());
    document.StartTracking();
    ASSERT_TRUE(document.IsTracking());
    document.SetTrackedPlanEntryId(5);
    document.SetPreviousPlanEntryId(3);
    document.SetSelectedTaskIds({7});
    document.SetCurrentCategoryId(4);
    ASSERT_TRUE(document.OpenPath(path));
    EXPECT_EQ(document.GetTrackedPlanEntryId(), 0);
    EXPECT_EQ(document.GetPreviousPlanEntryId(), 0);
    EXPECT_FALSE(document.IsTracking());
    EXPECT_EQ(document.GetFirstSelectedTaskId(), 0);
    EXPECT_EQ(document.GetCurrentCategoryId(), 0);
    EXPECT_EQ(document.GetCurrentMoodId(), 0) << "the opened plan records no mood";
}

TEST_F(PlanDocLifeTest, SaveWritesTheWholePlanAndClearsTheMark)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    ASSERT_TRUE(document.OpenPath(path));
    document.SetCurrentCategoryId(4);
    TaskCard task(L"Book the train", L"", 1, 0, 0, 0, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(task));
    EXPECT_EQ(mainWindow.Title(), path + L"* - Quorvane");
    ASSERT_TRUE(document.DoSave());
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(mainWindow.Title(), path + L" - Quorvane");

    CPelquornDoc reopened;
    reopened.SetPrompts(&prompts);
    ASSERT_TRUE(reopened.OpenPath(path));
    EXPECT_TRUE(HasTask(reopened, L"Book the train"));
    EXPECT_EQ(CountTasks(reopened), 3);
    EXPECT_EQ(FileSystem::GetFolder(path), folder + L"\\");
    WIN32_FIND_DATAW found;
    EXPECT_FALSE(UniqueFindHandle(::FindFirstFileW(FileSystem::JoinPath(folder, L"*.tmp").c_str(), &found)))
        << "no temporary file is left behind";
}

TEST_F(PlanDocLifeTest, AFailedSaveLeavesTheFileAndTheMark)
{
    const struct {
        const char* name;
        bool readOnly;
        bool locked;
    } cases[] = {
        {"read-only file", true, false},
        {"file held open by another program", false, true},
    };
    for (const auto& c : cases) {
        const EString path = PlanFile(L"held.qvr", kTwoTaskPlan);
        const std::string before = ReadFileBytes(path);
        ASSERT_TRUE(document.OpenPath(path)) << c.name;
        TaskCard task(L"Unsaved", L"", 1, 0, 0, 0, 0, 0, -1);
        document.AddTask(task);
        if (c.readOnly)
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        UniqueHandle held;
        if (c.locked)
            held.Reset(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        prompts.errors.clear();
        EXPECT_FALSE(document.DoSave()) << c.name;
        held.Reset();
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(path), before) << c.name;
        EXPECT_EQ(document.IsModified(), 1) << c.name;
        EXPECT_EQ(mainWindow.Title(), path + L"* - Quorvane") << c.name;
        ASSERT_EQ(prompts.errors.size(), 1u) << c.name;
        EXPECT_NE(prompts.errors[0].find(L"left as it was"), EString::npos) << c.name;
        EXPECT_TRUE(HasTask(document, L"Unsaved")) << c.name;
    }
}

TEST_F(PlanDocLifeTest, AStartUpFileThatCannotBeReadIsNeverSavedOver)
{
    const EString path = PlanFile(L"broken.qvr", "<ROOT><TASK");
    document.SetPathName(path);
    bool handled = false;
    LRESULT result = 0;
    handled = document.ProcessWindowMessage(mainWindow.Handle(), WM_PELQUORN_START_OPEN, 0, 0, result);
    EXPECT_TRUE(handled);
    EXPECT_EQ(document.GetPathName(), L"");
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(mainWindow.Title(), L"Untitled - Quorvane");
    prompts.paths = {EString()};
    document.SetModified(1);
    EXPECT_FALSE(document.DoSave()) << "a save asks for a name";
    EXPECT_EQ(ReadFileBytes(path), "<ROOT><TASK");
}

TEST_F(PlanDocLifeTest, AutoCopyLeavesTheDocumentAsItWasAndRestoresToTheRealFile)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    const std::string before = ReadFileBytes(path);
    ASSERT_TRUE(document.OpenPath(path));
    document.SetCurrentCategoryId(4);
    TaskCard task(L"Since the last save", L"", 1, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);

    document.SaveAutoCopy();
    const EString copy = path + L".auto";
    EXPECT_EQ(document.GetAutoCopyPath(), copy);
    EXPECT_EQ(Options::GetRestorePath(), copy);
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(mainWindow.Title(), path + L"* - Quorvane");
    EXPECT_EQ(ReadFileBytes(path), before);

    // The next start opens the copy, as the start-up chose it.
    CPelquornDoc restored;
    restored.SetPrompts(&prompts);
    restored.SetPathName(copy);
    LRESULT result = 0;
    restored.ProcessWindowMessage(mainWindow.Handle(), WM_PELQUORN_START_OPEN, 0, 0, result);
    EXPECT_TRUE(HasTask(restored, L"Since the last save"));
    EXPECT_EQ(restored.GetPathName(), path);
    EXPECT_EQ(restored.IsModified(), 1);
    EXPECT_EQ(mainWindow.Title(), path + L"* - Quorvane");
    ASSERT_TRUE(restored.DoSave());
    CPelquornDoc reopened;
    ASSERT_TRUE(reopened.OpenPath(path));
    EXPECT_TRUE(HasTask(reopened, L"Since the last save"));
    EXPECT_EQ(restored.GetRecentList().GetEntries().back(), path);

    bool handled = true;
    prompts.answers = {IDCANCEL};
    restored.SetModified(1);
    handled = restored.ProcessWindowMessage(mainWindow.Handle(), WM_CLOSE, 0, 0, result);
    EXPECT_TRUE(handled) << "cancel stops the close";
    EXPECT_EQ(Options::GetRestorePath(), L"") << "cleared whatever the answer";
}

TEST_F(PlanDocLifeTest, APlanThatReplacesAnotherLeavesNoCopyOfTheOneThatWentToRestore)
{
    const EString first = PlanFile(L"week.qvr", kTwoTaskPlan);
    const EString second = PlanFile(L"month.qvr", kTwoTaskPlan);
    const struct {
        const char* name;
        std::function<void()> replace;
    } roads[] = {
        {"an open", [&] { document.OpenPath(second); }},
        {"a new plan", [&] { document.NewDocument(); }},
    };
    for (const auto& road : roads) {
        ASSERT_TRUE(document.OpenPath(first)) << road.name;
        document.SetModified(1);
        document.SaveAutoCopy();
        ASSERT_EQ(Options::GetRestorePath(), first + L".auto") << road.name;
        // The user gives up the changes: a kill now must not bring them back at the next start.
        prompts.answers = {IDNO};
        road.replace();
        EXPECT_EQ(Options::GetRestorePath(), L"") << road.name;
    }
}

TEST_F(PlanDocLifeTest, AutoCopyOfAnUnnamedDocumentUsesTheDefaultName)
{
    DocumentsFolderFiles files;
    StartNew();
    TaskCard task(L"Unnamed work", L"", 1, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);
    const EString copy = document.GetDefaultFileName() + L".auto";
    files.paths.push_back(copy);
    document.SaveAutoCopy();
    EXPECT_TRUE(FileSystem::FileExists(copy));
    EXPECT_EQ(FileSystem::GetFolder(copy), FileSystem::GetFolder(FileSystem::JoinPath(FileSystem::GetDocumentsFolder(), L"x")));
    EXPECT_EQ(document.GetPathName(), L"");
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(mainWindow.Title(), L"Untitled* - Quorvane");

    CPelquornDoc restored;
    ASSERT_TRUE(restored.OpenPath(copy));
    EXPECT_EQ(restored.GetPathName(), L"") << "restored unnamed: its default name was never saved";
    EXPECT_EQ(restored.IsModified(), 1);
    EXPECT_TRUE(HasTask(restored, L"Unnamed work"));
}

TEST_F(PlanDocLifeTest, AFailedAutoCopyRecordsNoRestorePath)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    ASSERT_TRUE(document.OpenPath(path));
    const EString copy = path + L".auto";
    ASSERT_TRUE(::CreateDirectoryW(copy.c_str(), nullptr));
    document.SetModified(1);
    document.SaveAutoCopy();
    EXPECT_EQ(Options::GetRestorePath(), L"");
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(prompts.errors.size(), 1u);
    ::RemoveDirectoryW(copy.c_str());
}

TEST_F(PlanDocLifeTest, DefaultFileNameCountsPastExistingPlans)
{
    EXPECT_EQ(FileSystem::GetDocumentsFolder(), FileSystem::JoinPath(FileSystem::GetTempFolder(), L"qv-documents"))
        << "a folder of the tests' own";
    DocumentsFolderFiles files;
    const EString first = document.GetDefaultFileName();
    EXPECT_EQ(first.Right(9), L"\\plan.qvr");
    WriteFileBytes(first, "<ROOT/>");
    files.paths.push_back(first);
    const EString second = document.GetDefaultFileName();
    EXPECT_EQ(second.Right(10), L"\\plan1.qvr");
    WriteFileBytes(second, "<ROOT/>");
    files.paths.push_back(second);
    EXPECT_EQ(document.GetDefaultFileName().Right(10), L"\\plan2.qvr");
}

TEST_F(PlanDocLifeTest, QuickSaveNamesAnUnnamedDocument)
{
    DocumentsFolderFiles files;
    StartNew();
    const EString expected = document.GetDefaultFileName();
    files.paths.push_back(expected);
    TaskCard task(L"Before logoff", L"", 1, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);
    document.QuickSave();
    EXPECT_EQ(document.GetPathName(), expected);
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(document.GetRecentList().GetEntries().back(), expected);
    CPelquornDoc reopened;
    ASSERT_TRUE(reopened.OpenPath(expected));
    EXPECT_TRUE(HasTask(reopened, L"Before logoff"));
}

TEST_F(PlanDocLifeTest, QuickSaveOfANamedPlanThatCannotBeWrittenOverwritesNothing)
{
    DocumentsFolderFiles files;
    const EString someoneElses = document.GetDefaultFileName();
    WriteFileBytes(someoneElses, "<ROOT>another plan</ROOT>");
    files.paths.push_back(someoneElses);
    const EString rescue = document.GetDefaultFileName();
    files.paths.push_back(rescue);
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    ASSERT_TRUE(document.OpenPath(path));
    TaskCard task(L"Before logoff", L"", 1, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);
    Options::SetRestorePath(EString());
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    document.QuickSave();
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(ReadFileBytes(path), kTwoTaskPlan);
    EXPECT_EQ(ReadFileBytes(someoneElses), "<ROOT>another plan</ROOT>");
    EXPECT_EQ(Options::GetRestorePath(), rescue);
    EXPECT_EQ(document.GetPathName(), path) << "the document keeps its own name";
    EXPECT_EQ(document.IsModified(), 1);
    CPelquornDoc restored;
    ASSERT_TRUE(restored.OpenPath(rescue));
    EXPECT_TRUE(HasTask(restored, L"Before logoff"));
}

TEST_F(PlanDocLifeTest, ReportsReadTheFileOrACopyOfUnsavedChanges)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    ASSERT_TRUE(document.OpenPath(path));
    EXPECT_EQ(document.SaveTempCopyForReport(), path);
    EXPECT_FALSE(FileSystem::FileExists(reports.tempDocPath));

    TaskCard task(L"Unsaved", L"", 1, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);
    EXPECT_EQ(document.SaveTempCopyForReport(), reports.tempDocPath);
    EXPECT_NE(Saved(reports.tempDocPath).find(L"Unsaved"), EString::npos);
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(Saved(path).find(L"Unsaved"), EString::npos);
}

TEST_F(PlanDocLifeTest, CopiesAreKnownByTheirExtension)
{
    const EString existing = PlanFile(L"real.qvr", kTwoTaskPlan);
    const struct {
        EString path;
        bool copy;
        EString original;
    } cases[] = {
        {existing + L".auto", true, existing},
        {existing + L".AUTO", true, existing},
        {FileSystem::JoinPath(folder, L"never.qvr.auto"), true, L""},
        {FileSystem::JoinPath(folder, L"NEVER.QVR.Auto"), true, L""},
        {existing, false, L""},
        {L".auto", false, L""},
        {PlanFile(L"notes.txt", "mine") + L".auto", false, L""},
        {FileSystem::JoinPath(folder, L"real.auto"), false, L""},
        {FileSystem::JoinPath(folder, L"realqvr.auto"), false, L""},
        {existing + L".auto.auto", false, L""},
    };
    for (const auto& c : cases) {
        EString original;
        EXPECT_EQ(document.IsCopyOf(c.path, original), c.copy) << testing::PrintToString(c.path);
        EXPECT_EQ(original, c.original) << testing::PrintToString(c.path);
    }
}

TEST_F(PlanDocLifeTest, CommandStateShowsTransparentCategories)
{
    StartNew();
    const bool transparent = document.GetTransparentCategories();
    document.UpdateCommandStates(true);
    document.UpdateCommandStates(false);
    LRESULT result = 0;
    document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, ID_TRANSPARENT_CATEGORIES, 0, result);
    EXPECT_EQ(document.GetTransparentCategories(), !transparent);
    EXPECT_EQ(Options::GetTransparentCategories(), transparent ? 0u : 1u);
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kTasksChanged});
    document.UpdateCommandStates(true);

    std::vector<CommandUiState> states;
    for (const auto& message : mainWindow.messages)
        if (message.message == WM_PELQUORN_COMMAND_STATE)
            states.push_back(message.state);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].commandId, ID_TRANSPARENT_CATEGORIES);
    EXPECT_EQ(states[0].enabled, 1);
    EXPECT_EQ(states[0].checked, transparent ? 1 : 0);
    EXPECT_EQ(states[1].enabled, 0);
    EXPECT_EQ(states[1].checked, 0);
    EXPECT_EQ(states[2].checked, transparent ? 0 : 1);
}

// Written by hand or by another program: dates at the ends of what the date
// fields take, and no moods or people, which the views read at once.
TEST_F(PlanDocLifeTest, APlanWithoutMoodsOrPeopleOpensUnmodified)
{
    const EString path = PlanFile(
        L"edges.qvr",
        "<ROOT><CATEGORY ID=\"1\" NAME=\"Edges\" STATUS=\"0\" DEADLINE=\"9999-12-31\"><DESCRIPTION/>"
        "<TASK ID=\"1\" NAME=\"Early\" STATUS=\"1\" IMPORTANCE=\"1\" DEADLINE=\"1601-01-01\" ESTIMATION=\"1.0\"/>"
        "<TASK ID=\"2\" NAME=\"Late\" STATUS=\"1\" IMPORTANCE=\"1\" DEADLINE=\"9999-12-31\" ESTIMATION=\"1.0\"/>"
        "</CATEGORY><DAILY><DAY DATE=\"1601-01-01\"><PLANENTRY ID=\"1\" TASKID=\"1\" STARTTIME=\"09:00\" "
        "ENDTIME=\"10:00\" FIXEDTIME=\"0\"/></DAY><DAY DATE=\"9999-12-31\"><PLANENTRY ID=\"2\" TASKID=\"2\" "
        "STARTTIME=\"22:00\" ENDTIME=\"23:30\" FIXEDTIME=\"0\"/></DAY></DAILY><REMINDERSECTION><REMINDER ID=\"2\" "
        "ALARMDATE=\"9999-12-31\" ALARMTIME=\"08:00\"/></REMINDERSECTION></ROOT>");
    ASSERT_TRUE(document.OpenPath(path));
    std::vector<MoodItem> moods;
    document.GetMoods(moods);
    std::vector<Person> people;
    ASSERT_TRUE(document.GetPeople(0, people));
    EXPECT_FALSE(moods.empty());
    EXPECT_FALSE(people.empty());
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(mainWindow.Title(), path + L" - Quorvane");
    EXPECT_TRUE(prompts.errors.empty());
}
