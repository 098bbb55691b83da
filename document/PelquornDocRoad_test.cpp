#include <gtest/gtest.h>

#include "document/PelquornDocTestSupport.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"

// A new task on its way from the task dialog to the saved file, as the task
// list view drives it.
TEST_F(PlanDocTest, ANewTaskTravelsFromTheViewIntoTheSavedFile)
{
    StartNew();
    Category work(L"Work", L"", 0, 0);
    ASSERT_TRUE(document.AddCategory(0, work));
    document.SetModified(0);
    // The category tree selects the category.
    document.SetCurrentCategoryId(work.GetId());
    statusBar.texts.clear();
    TakeCodes();

    // The task dialog's OK.
    Options::SetDeadlinePeriod(2);
    TaskCard task(L"Book the train", L"to Basel", 2, document.GetDefaultDeadline(), 1, TaskCard::kNew, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(task));
    EXPECT_EQ(document.IsModified(), 1);
    EXPECT_EQ(mainWindow.Title(), L"Untitled* - Quorvane");
    const XmlNode element = document.GetDataManager().GetDocument(true).SelectSingleNode(
        EString::Formatted(L"/ROOT/CATEGORY[@ID=\"%d\"]/TASK[@ID=\"%d\"]", work.GetId(), task.GetId()));
    ASSERT_TRUE(element);
    EXPECT_EQ(XmlDoc::GetTextAttribute(element, L"NAME"), L"Book the train");
    EXPECT_EQ(XmlDoc::GetTextAttribute(element, L"DEADLINE"), L"2024-05-17");
    EXPECT_EQ(XmlDoc::GetText(XmlDoc::GetDescriptionElement(element)), L"to Basel");
    EXPECT_EQ(document.GetFilteredTaskCount(), 1);
    ASSERT_FALSE(statusBar.texts.empty());
    EXPECT_NE(statusBar.texts.back().second.find(L"Tasks: 1, 2 h (1 day)"), EString::npos);

    // The view tells every other view.
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_EQ(TakeCodes(), std::vector<DocNotifyCode>{NotifyCode::kTasksChanged});

    const EString path = FileSystem::JoinPath(folder, L"road.qvr");
    prompts.paths = {path};
    ASSERT_TRUE(document.DoSave());
    EXPECT_EQ(mainWindow.Title(), path + L" - Quorvane");
    CPelquornDoc reopened;
    ASSERT_TRUE(reopened.OpenPath(path));
    TaskCard read;
    ASSERT_TRUE(reopened.GetTask(task.GetId(), read));
    EXPECT_EQ(read.GetName(), L"Book the train");
    EXPECT_EQ(reopened.GetTaskCategory(task.GetId()), work.GetId());
}
