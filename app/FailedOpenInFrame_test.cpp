// A file that cannot be opened, by whatever road it comes, leaves the open plan, its name, title and mark as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "app/OpenFileHandover.h"
#include "dialogs/DocumentPrompts.h"
#include "foundation/FileSystem.h"
#include "foundation/UniqueHandle.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

struct BadFile {
    const char* name;
    const wchar_t* fileName;
    // Empty: the file is not there.
    std::string bytes;
    // What the message says of it, besides the file's name.
    const wchar_t* reason;
    // Held open by another program, which lets nobody read it.
    bool locked = false;
};

std::string NestedCategories(int depth)
{
    std::string text = "<ROOT>";
    for (int level = 1; level <= depth; ++level)
        text += "<CATEGORY ID=\"" + std::to_string(level) + "\" NAME=\"c\">";
    for (int level = 0; level < depth; ++level)
        text += "</CATEGORY>";
    return text + "</ROOT>";
}

const BadFile kBadFiles[] = {
    {"missing", L"missing.qvr", "", L""},
    {"locked", L"locked.qvr", "<ROOT/>", L"", true},
    {"binary", L"binary.qvr", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), L""},
    {"document type", L"doctype.qvr", "<!DOCTYPE ROOT [<!ENTITY a \"b\">]><ROOT>&a;</ROOT>", L"document type"},
    {"nested too deeply", L"deep.qvr", NestedCategories(3000), L"deep"},
    {"a web page", L"page.qvr", "<html><body><p>Hello</p></body></html>", L"not a plan"},
};

class FailedOpenTest : public FrameTest {
protected:
    FailedOpenTest() : FrameTest(L"failed_open") {}

    // As a std::wstring, which a failed comparison prints as a text.
    std::wstring Title()
    {
        wchar_t title[MAX_PATH] = {};
        ::GetWindowTextW(*m_frame, title, MAX_PATH);
        return title;
    }
    EString Write(const BadFile& file)
    {
        const EString path = FileSystem::JoinPath(m_folder, file.fileName);
        if (!file.bytes.empty())
            WriteFileBytes(path, file.bytes);
        return path;
    }
    // The file held without sharing when the case says so.
    static HANDLE Hold(const BadFile& file, const EString& path)
    {
        return file.locked ? ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                           : INVALID_HANDLE_VALUE;
    }
    // The file is tried while held as the case says; true once the message was shown.
    bool TryOpen(const BadFile& file, const EString& path, const std::function<void()>& open)
    {
        const UniqueHandle held(Hold(file, path));
        m_prompts.errors.clear();
        open();
        return WaitFor([&] { return !m_prompts.errors.empty(); });
    }

    // A saved plan opened in a new frame, unchanged. The plan keeps a
    // category without subcategories among its open ones, as generated plans
    // do: the tree cannot show it open, so the state the tree stores before
    // another plan replaces this one is a change of this plan.
    EString OpenPlanWithAnOpenCategoryOfNoSubcategories(IDocumentPrompts& prompts)
    {
        m_startupPath.clear();
        OpenFrame(prompts);
        const int home = NewCategory(L"Home");
        Doc().SaveCategoryTreeState({home});
        const EString plan = FileSystem::JoinPath(m_folder, L"plan.qvr");
        Doc().SetPathName(plan);
        EXPECT_TRUE(Doc().Save());
        m_startupPath = plan;
        OpenFrame(prompts);
        EXPECT_EQ(Doc().GetPathName(), plan);
        EXPECT_EQ(Doc().IsModified(), 0);
        return plan;
    }

    struct OpenRoad {
        const char* name;
        std::function<void(const EString& path)> open;
    };
    // The ways a file is opened over the plan in the frame.
    std::vector<OpenRoad> OpenRoads()
    {
        return {
            {"hand-over",
             [this](const EString& path) {
                 COPYDATASTRUCT record = MakeOpenFileRecord(path);
                 m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
             }},
            {"File Open",
             [this](const EString& path) {
                 m_prompts.paths = {path};
                 SendCommand(ID_FILE_OPEN);
             }},
            {"recent file",
             [this](const EString& path) {
                 const EString plan = Doc().GetPathName();
                 Doc().SetPathName(path);
                 Doc().UpdateRecentList();
                 Doc().SetPathName(plan);
                 SendCommand(ID_FILE_MRU_FIRST);
             }},
        };
    }

    ScriptedPrompts m_prompts;
};

TEST_F(FailedOpenTest, AFileThatCannotBeOpenedLeavesThePlanItsNameTitleAndMark)
{
    OpenFrame(m_prompts);
    const EString plan = FileSystem::JoinPath(m_folder, L"plan.qvr");
    Doc().SetPathName(plan);
    ASSERT_TRUE(Doc().Save());
    for (const OpenRoad& road : OpenRoads()) {
        for (const BadFile& file : kBadFiles) {
            SCOPED_TRACE(std::string(road.name) + ", " + file.name);
            for (const int modified : {0, 1}) {
                Doc().SetModified(modified);
                const std::wstring title = Title();
                const EString path = Write(file);
                m_prompts.answers = {IDNO};
                ASSERT_TRUE(TryOpen(file, path, [&] { road.open(path); }));
                EXPECT_NE(m_prompts.errors.front().find(path), EString::npos) << m_prompts.errors.front().c_str();
                EXPECT_NE(m_prompts.errors.front().find(file.reason), EString::npos) << m_prompts.errors.front().c_str();
                EXPECT_EQ(Doc().GetPathName(), plan);
                EXPECT_EQ(Doc().IsModified(), modified);
                EXPECT_EQ(Title(), title);
            }
            if (file.locked) {
                EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"failed_open_plan_kept").IsEmpty());
            }
            // Saved, the plan goes to its own file and never over the one refused.
            ASSERT_TRUE(Doc().Save());
            if (!file.bytes.empty()) {
                EXPECT_EQ(ReadFileBytes(FileSystem::JoinPath(m_folder, file.fileName)), file.bytes);
            }
        }
    }
}

// The message comes while the plan that stays may already be changed by the
// attempt: the title names that plan, not the file that is not there.
TEST_F(FailedOpenTest, WhileTheMessageOfAFailedOpenIsUpTheTitleNamesThePlanThatStays)
{
    const EString missing = FileSystem::JoinPath(m_folder, L"missing.qvr");
    for (const OpenRoad& road : OpenRoads()) {
        SCOPED_TRACE(road.name);
        const EString plan = OpenPlanWithAnOpenCategoryOfNoSubcategories(m_prompts);
        const std::wstring title = Title();
        ASSERT_EQ(title, plan + L" - Quorvane");
        // The file dialog of File Open is read too.
        std::vector<std::wstring> titlesWhileShown;
        m_prompts.whileShown = [&] { titlesWhileShown.push_back(Title()); };
        m_prompts.errors.clear();
        road.open(missing);
        ASSERT_TRUE(WaitFor([&] { return !m_prompts.errors.empty(); }));
        m_prompts.whileShown = nullptr;
        EXPECT_NE(m_prompts.errors.front().find(missing), EString::npos) << m_prompts.errors.front().c_str();
        ASSERT_FALSE(titlesWhileShown.empty());
        for (const std::wstring& shown : titlesWhileShown)
            EXPECT_EQ(shown, title);
        EXPECT_EQ(Title(), title);
        EXPECT_EQ(Doc().GetPathName(), plan);
    }
}

TEST_F(FailedOpenTest, TheSystemsMessageOfAFailedHandOverStandsOverTheTitleOfThePlanThatStays)
{
    DocumentPrompts boxes;
    const EString plan = OpenPlanWithAnOpenCategoryOfNoSubcategories(boxes);
    const std::wstring title = Title();
    const EString missing = FileSystem::JoinPath(m_folder, L"missing.qvr");
    EString message;
    std::wstring titleUnderMessage;
    DialogAnswerer answerer([&](HWND box) {
        message = ItemText(box, 0xFFFF);
        titleUnderMessage = Title();
        EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"failed_handover_frame").IsEmpty());
        EXPECT_FALSE(SaveWindowScreenshot(box, L"failed_handover_message").IsEmpty());
        ClickButton(box, IDOK);
    });
    COPYDATASTRUCT record = MakeOpenFileRecord(missing);
    ASSERT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), 1);
    ASSERT_TRUE(WaitFor([&] { return answerer.AnsweredCount() == 1 && !FindThreadDialog(); }));
    EXPECT_NE(message.find(missing), EString::npos) << message.c_str();
    EXPECT_EQ(titleUnderMessage, title);
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(Doc().GetPathName(), plan);
}

TEST_F(FailedOpenTest, AtStartUpAFileThatCannotBeOpenedLeavesACleanNewPlan)
{
    for (const BadFile& file : kBadFiles) {
        SCOPED_TRACE(file.name);
        m_startupPath = Write(file);
        m_prompts.errors.clear();
        m_prompts.asked = 0;
        UniqueHandle held(Hold(file, m_startupPath));
        OpenFrame(m_prompts);
        held.Reset();
        EXPECT_EQ(m_prompts.errors.size(), 1u);
        EXPECT_EQ(m_prompts.asked, 0) << "nothing to ask about";
        EXPECT_TRUE(Doc().GetPathName().IsEmpty());
        EXPECT_EQ(Title().find(file.fileName), EString::npos) << Title().c_str();
        EXPECT_EQ(Title().find(L"Untitled"), 0u) << Title().c_str();
        // Closing asks about the new plan's own defaults at most, and never names the refused file.
        m_prompts.answers = {IDNO};
        m_frame->SendMessage(WM_CLOSE, 1, 0);
        for (const EString& question : m_prompts.questions)
            EXPECT_EQ(question.find(file.fileName), EString::npos) << question.c_str();
        m_prompts.questions.clear();
        if (!file.bytes.empty()) {
            EXPECT_EQ(ReadFileBytes(m_startupPath), file.bytes);
        }
    }
}

} // namespace
