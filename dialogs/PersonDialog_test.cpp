#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/PersonDialog.h"
#include "foundation/Language.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

class PersonDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
    }
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    INT_PTR Run(std::vector<DialogStep> steps)
    {
        return RunModalSteps([&] { return dialog.DoModal(nullptr); }, std::move(steps));
    }

    CPersonDialog dialog;
};

bool OkEnabled(HWND box)
{
    return ::IsWindowEnabled(::GetDlgItem(box, IDOK)) != FALSE;
}

TEST_F(PersonDialogTest, TheFieldsAreShownAndOkGivesBackWhatWasTyped)
{
    dialog.fields.name = L"ann";
    dialog.fields.fullName = L"Ann Smith";
    dialog.fields.email = L"ann@example.org";
    dialog.fields.description = L"met at school";
    dialog.fields.requireInvitation = 1;
    struct Shown {
        EString name, fullName, email, comments;
        UINT invitation = 0;
        bool ok = false;
    } shown;
    const INT_PTR result = Run({[&](HWND box) {
        shown = {ItemText(box, IDC_PERSON_NAME), ItemText(box, IDC_PERSON_FULL_NAME), ItemText(box, IDC_PERSON_EMAIL),
                 ItemText(box, IDC_PERSON_COMMENTS), ::IsDlgButtonChecked(box, IDC_PERSON_INVITATION), OkEnabled(box)};
        SaveWindowScreenshot(box, L"person_dialog");
        SetItemText(box, IDC_PERSON_NAME, L"annie");
        SetItemText(box, IDC_PERSON_FULL_NAME, L"");
        SetItemText(box, IDC_PERSON_COMMENTS, L"line one\r\nline two");
        ::SendMessageW(::GetDlgItem(box, IDC_PERSON_INVITATION), BM_CLICK, 0, 0);
        ClickButton(box, IDOK);
        return true;
    }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown.name, EString(L"ann"));
    EXPECT_EQ(shown.fullName, EString(L"Ann Smith"));
    EXPECT_EQ(shown.email, EString(L"ann@example.org"));
    EXPECT_EQ(shown.comments, EString(L"met at school"));
    EXPECT_EQ(shown.invitation, static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(shown.ok);
    EXPECT_EQ(dialog.fields.name, EString(L"annie"));
    EXPECT_EQ(dialog.fields.fullName, EString(L""));
    EXPECT_EQ(dialog.fields.email, EString(L"ann@example.org")) << "loading the e-mail overwrote nothing";
    EXPECT_EQ(dialog.fields.description, EString(L"line one\r\nline two"));
    EXPECT_EQ(dialog.fields.requireInvitation, 0);
}

// A name of blanks is no name: the people tree would show the person
// without a label.
TEST_F(PersonDialogTest, OkIsEnabledOnlyWhileTheNameShowsSomething)
{
    const struct {
        const wchar_t* name;
        bool enabled;
    } cases[] = {
        {L"", false},         {L" ", false},          {L"   \t  ", false}, {L"\r\n", false},
        {L"\u3000", false},  {L"\x01\x1F", false},   {L"x", true},        {L"  ann  ", true},
        {L".", true},
    };
    std::vector<bool> enabled;
    Run({[&](HWND box) {
        enabled.push_back(OkEnabled(box));
        SetItemText(box, IDC_PERSON_EMAIL, L"someone@example.org");
        enabled.push_back(OkEnabled(box));
        for (const auto& c : cases) {
            SetItemText(box, IDC_PERSON_NAME, c.name);
            EXPECT_EQ(OkEnabled(box), c.enabled) << testing::PrintToString(std::wstring(c.name));
        }
        ClickButton(box, IDCANCEL);
        return true;
    }});
    EXPECT_EQ(enabled, (std::vector<bool>{false, false}));
}

TEST_F(PersonDialogTest, OkWithoutItsButtonStillNeedsAName)
{
    const struct {
        const char* name;
        void (*pressOk)(HWND box);
    } presses[] = {
        {"a posted command",
         [](HWND box) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }},
        {"a click sent to the disabled button", [](HWND box) { ::SendDlgItemMessageW(box, IDOK, BM_CLICK, 0, 0); }},
    };
    for (const auto& press : presses) {
        for (const wchar_t* typed : {L"", L"   "}) {
            SCOPED_TRACE(testing::Message() << press.name << ", \"" << EString(typed).c_str() << "\"");
            dialog.fields.name = L"ann";
            const INT_PTR result = Run({[&](HWND box) {
                                            SetItemText(box, IDC_PERSON_NAME, typed);
                                            EXPECT_FALSE(OkEnabled(box));
                                            press.pressOk(box);
                                            return true;
                                        },
                                        [&](HWND box) {
                                            if (FocusedItemId(box) != IDC_PERSON_NAME)
                                                return false;
                                            EXPECT_EQ(ItemText(box, IDC_PERSON_NAME), typed);
                                            SetItemText(box, IDC_PERSON_NAME, L"bob");
                                            ClickButton(box, IDOK);
                                            return true;
                                        }});
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(dialog.fields.name, EString(L"bob"));
        }
    }
}

} // namespace
