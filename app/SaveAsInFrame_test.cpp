// Save As through the real main window and the system's file dialog: a name the dialog cannot hold is refused in words.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/DocumentPrompts.h"
#include "foundation/FileSystem.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

class SaveAsInFrameTest : public FrameTest {
protected:
    SaveAsInFrameTest() : FrameTest(L"save_as_in_frame") {}
};

} // namespace

TEST_F(SaveAsInFrameTest, ANameTooLongForThePathIsRefusedInWordsAndThePlanKeepsItsNameItsChangeAndItsMark)
{
    // The dialog's own copy of the path ran past its end: the program ended
    // and the change was lost.
    DocumentPrompts prompts;
    OpenFrame(prompts);
    const EString plan = FileSystem::JoinPath(m_folder, L"week.qvr");
    Doc().SetPathName(plan);
    ASSERT_TRUE(Doc().Save());
    const std::string saved = ReadFileBytes(plan);
    const int task = NewTask(L"Call the plumber", 1, 0);
    ASSERT_EQ(Doc().IsModified(), 1);

    const EString name(400, L'a');
    EString told;
    RunModalSteps(
        [&] {
            SendCommand(ID_FILE_SAVE_AS);
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
             EXPECT_FALSE(SaveWindowScreenshot(dialog, L"save_as_dialog").IsEmpty());
             SetItemText(dialog, cmb13, name.c_str());
             ClickButton(dialog, IDOK);
             return true;
         },
         AnswerMessageBox(told, L"save_as_name_too_long"),
         [&](HWND dialog) {
             EXPECT_EQ(ItemText(dialog, cmb13), name) << "the name stays for shortening";
             ClickButton(dialog, IDCANCEL);
             return true;
         }});
    ASSERT_TRUE(m_frame->IsWindow());
    EXPECT_NE(told.find(L"The name is too long"), EString::npos) << told.c_str();
    EXPECT_EQ(Doc().GetPathName(), plan);
    EXPECT_EQ(Doc().IsModified(), 1);
    TaskCard kept;
    EXPECT_TRUE(Doc().GetTask(task, kept, false));
    EXPECT_EQ(ReadFileBytes(plan), saved);
}
