#include <gtest/gtest.h>

#include "document/PelquornDocTestSupport.h"
#include "document/xml/XmlElement.h"
#include "foundation/Bstr.h"
#include "foundation/Variant.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"

namespace {

using Codes = std::vector<DocNotifyCode>;
using Calls = std::vector<std::string>;

class PlanCommandsTest : public PlanDocTest {
protected:
    void SetUp() override
    {
        PlanDocTest::SetUp();
        StartNew();
    }
    void Command(WORD id)
    {
        LRESULT result = 0;
        document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, id, 0, result);
    }
};

// While it lives, every element of the plan's DOM refuses to have an
// attribute set, as a DOM out of memory would: Wine's MSXML takes every
// write otherwise. The elements share their class's table of methods.
class RefusedAttributeWrites {
public:
    explicit RefusedAttributeWrites(IXMLDOMElement* element)
        : m_slot(*reinterpret_cast<void***>(element) + kSetAttributeSlot)
    {
        Swap(reinterpret_cast<void*>(&Refuse));
    }
    ~RefusedAttributeWrites() { Swap(m_original); }
    RefusedAttributeWrites(const RefusedAttributeWrites&) = delete;
    RefusedAttributeWrites& operator=(const RefusedAttributeWrites&) = delete;

private:
    // IUnknown's 3 methods, IDispatch's 4, IXMLDOMNode's 36, then
    // IXMLDOMElement's get_tagName, getAttribute and setAttribute.
    static constexpr size_t kSetAttributeSlot = 3 + 4 + 36 + 2;
    static HRESULT STDMETHODCALLTYPE Refuse(IXMLDOMElement*, BSTR, VARIANT) { return E_OUTOFMEMORY; }
    void Swap(void* method)
    {
        DWORD protection = 0;
        ASSERT_TRUE(::VirtualProtect(m_slot, sizeof(void*), PAGE_READWRITE, &protection));
        void* previous = *m_slot;
        *m_slot = method;
        ::VirtualProtect(m_slot, sizeof(void*), protection, &protection);
        if (!m_original)
            m_original = previous;
    }

    void** m_slot;
    void* m_original = nullptr;
};

} // namespace

TEST_F(PlanCommandsTest, FindHandsTheEngineTheDocumentsStateAndNotifiesAHit)
{
    Options::SetSortField(0, 3);
    Options::SetSortDirection(0, 0);
    document.SetStatusFilter(2);
    document.SetSelectedTaskIds({9, 7});
    TakeCodes();

    search.hit = true;
    FindOptions options;
    options.matchCase = true;
    options.up = true;
    document.Find(L"offer", options);
    EXPECT_EQ(search.calls, (Calls{"criteria", "options -c-u", "document", "status 2", "selection 0 9", "sort 3 0",
                                   "run"}));
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kFindHit});

    search.calls.clear();
    search.hit = false;
    Command(ID_FIND_NEXT);
    EXPECT_EQ(search.calls, (Calls{"document", "status 2", "selection 0 9", "sort 3 0", "run"}))
        << "criteria and options stay";
    EXPECT_TRUE(TakeCodes().empty()) << "no hit, no notification";
    EXPECT_EQ(findWindow.shown, 0);
}

TEST_F(PlanCommandsTest, FindNextBeforeAnyFindOpensTheFindWindow)
{
    Command(ID_FIND_NEXT);
    EXPECT_EQ(findWindow.shown, 1);
    EXPECT_EQ(findWindow.shownFor, &document);
    EXPECT_TRUE(search.calls.empty());
    Command(ID_FIND);
    EXPECT_EQ(findWindow.shown, 2);
}

TEST_F(PlanCommandsTest, AFailedFindIsShownAndNotifiesNothing)
{
    search.error = E_FAIL;
    search.hit = true;
    document.Find(L"x", FindOptions());
    EXPECT_EQ(prompts.errors, std::vector<EString>{L"The search stylesheet failed."});
    EXPECT_TRUE(TakeCodes().empty());
    EXPECT_NE(NewLogText().find(L"CATCH 0x80004005: The search stylesheet failed."), EString::npos);
}

TEST_F(PlanCommandsTest, PlanEntriesOfATaskAreFoundSilently)
{
    const struct {
        bool found;
        HRESULT error;
        Codes codes;
    } cases[] = {
        {true, S_OK, {NotifyCode::kPlanEntriesFound}},
        {false, S_OK, {}},
        {true, E_FAIL, {}},
    };
    for (const auto& c : cases) {
        finder.found = c.found;
        finder.error = c.error;
        document.FindPlanEntries(7, 3);
        EXPECT_EQ(finder.taskId, 7);
        EXPECT_EQ(finder.secondId, 3);
        EXPECT_EQ(TakeCodes(), c.codes);
    }
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(PlanCommandsTest, PropertiesAreStoredOnlyAfterOK)
{
    document.SetModified(0);
    Command(ID_PROPERTIES);
    EXPECT_EQ(dialogs.asked, Calls{"properties"});
    EXPECT_EQ(document.IsModified(), 0) << "cancel changes nothing";

    DocProperties edited;
    edited.SetAuthor(L"Ann");
    edited.SetTitle(L"Week plan");
    dialogs.properties = {edited};
    Command(ID_PROPERTIES);
    EXPECT_EQ(document.IsModified(), 1);
    DocProperties stored;
    document.GetDataManager().GetProperties(stored);
    EXPECT_EQ(stored, edited);

    document.SetModified(0);
    dialogs.properties = {edited};
    Command(ID_PROPERTIES);
    EXPECT_EQ(dialogs.shownProperties, edited) << "the dialog shows what is stored";
    EXPECT_EQ(document.IsModified(), 1) << "OK marks the document even without a change";
}

TEST_F(PlanCommandsTest, PropertiesThatCannotBeStoredAreShownAndLeaveTheMarkAsItWas)
{
    DocProperties edited;
    edited.SetAuthor(L"Ann");
    const XmlElement root(document.GetDataManager().GetRoot());
    for (const int mark : {0, 1}) {
        document.SetModified(mark);
        prompts.errors.clear();
        dialogs.properties = {edited};
        {
            const RefusedAttributeWrites refused(root.Get());
            ASSERT_EQ(root->setAttribute(Bstr(L"PROBE"), Variant(EString(L"x"))), E_OUTOFMEMORY);
            Command(ID_PROPERTIES);
        }
        EXPECT_EQ(document.IsModified(), mark) << "marked " << mark;
        ASSERT_EQ(prompts.errors.size(), 1u) << "marked " << mark;
        EXPECT_FALSE(prompts.errors.front().IsEmpty());
    }
    EXPECT_NE(NewLogText().find(L"CATCH 0x8007000e"), EString::npos);
}

TEST_F(PlanCommandsTest, LoginIsOfferedAgainUntilItSucceedsOrIsCancelled)
{
    Options::SetUserName(L"ann");
    session.storedPassword = L"secret";
    dialogs.logins = {ScriptedDialogs::Login{L"ann", L"wrong", true}, ScriptedDialogs::Login{L"ann", L"right", false}};
    session.loginAnswers = {false, true};
    Command(ID_LOGIN);
    EXPECT_EQ(session.loginUsers.size(), 2u);
    EXPECT_EQ(prompts.errors, std::vector<EString>{L"Wrong password"});
    ASSERT_EQ(dialogs.shownLogins.size(), 2u);
    EXPECT_EQ(dialogs.shownLogins[0].user, L"ann");
    EXPECT_EQ(dialogs.shownLogins[0].password, L"secret");
    EXPECT_TRUE(dialogs.shownLogins[0].remember);
    EXPECT_EQ(dialogs.shownLogins[1].password, L"wrong") << "as the user left it";
    EXPECT_TRUE(session.IsLoggedIn());

    const struct {
        EString user;
        EString stored;
        bool remember;
    } cases[] = {{L"", L"secret", false}, {L"ann", L"", false}, {L"ann", L"pw", true}};
    for (const auto& c : cases) {
        Options::SetUserName(c.user);
        session.storedPassword = c.stored;
        dialogs.shownLogins.clear();
        Command(ID_LOGIN);
        ASSERT_EQ(dialogs.shownLogins.size(), 1u);
        EXPECT_EQ(dialogs.shownLogins[0].remember, c.remember);
    }
}

TEST_F(PlanCommandsTest, AReportRunsOverTheDocumentFileAndOpensItsOutput)
{
    const EString path = PlanFile(L"week.qvr", kTwoTaskPlan);
    ASSERT_TRUE(document.OpenPath(path));
    document.SetCurrentCategoryId(4);

    Command(ID_PREPARE_REPORT);
    EXPECT_EQ(reports.shownRequest.outputPath, reports.outputPath);
    EXPECT_EQ(reports.shownRequest.categoryId, 4);
    EXPECT_TRUE(reports.reports.empty()) << "cancelled";

    ReportRequest chosen;
    chosen.stylesheet = L"C:\\reports\\week.xsl";
    chosen.outputPath = FileSystem::JoinPath(folder, L"week.htm");
    chosen.categoryId = 4;
    reports.reportChoice = chosen;
    Command(ID_PREPARE_REPORT);
    ASSERT_EQ(reports.reports.size(), 1u);
    EXPECT_EQ(reports.reports[0].second, path) << "an unchanged document is read from its file";
    EXPECT_EQ(reports.opened, std::vector<EString>{chosen.outputPath});

    document.SetModified(1);
    Command(ID_PREPARE_REPORT);
    ASSERT_EQ(reports.reports.size(), 2u);
    EXPECT_EQ(reports.reports[1].second, reports.tempDocPath);

    reports.reportError = E_FAIL;
    Command(ID_PREPARE_REPORT);
    EXPECT_EQ(reports.opened.size(), 2u) << "a failed report is not opened";
    EXPECT_EQ(prompts.errors, std::vector<EString>{L"The stylesheet does not compile."});
}
