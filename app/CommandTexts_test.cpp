#include <gtest/gtest.h>

#include <windows.h>

#include "app/CommandTexts.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ResourceModule.h"
#include "resources/resource.h"

namespace {

TEST(CommandTextsTest, HelpBeforeThePairAndTheTipAfterIt)
{
    const EString longTip(100, L't');
    const EString fullTip(79, L'f');
    const struct {
        EString text;
        EString help;
        EString tip;
    } cases[] = {
        {L"Create a new plan\\nNew", L"Create a new plan", L"New"},
        {L"No pair here", L"", L""},
        {L"Line\nbreak", L"", L""}, // a real line break is not the pair
        {L"\\nTip only", L"", L"Tip only"},
        {L"Help only\\n", L"Help only", L""},
        {L"First\\nsecond\\nthird", L"First", L"second\\nthird"},
        {L"Help\\n" + longTip, L"Help", EString(79, L't')},
        {L"Help\\n" + fullTip, L"Help", fullTip},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandStatusHelp(c.text), c.help) << c.text.c_str();
        EXPECT_EQ(CommandToolTip(c.text), c.tip) << c.text.c_str();
    }
}

TEST(CommandTextsTest, MenuHelpStringOfAnItem)
{
    const struct {
        UINT id;
        UINT string;
    } cases[] = {
        {ID_FILE_NEW, ID_FILE_NEW},
        {0xF000, 0xEF00},         // SC_SIZE
        {0xF060, 0xEF06},         // SC_CLOSE
        {0xF1EF, 0xEF1E},         // last system command
        {0xF1F0, 0xF1F0},         // past the system commands
        {0xEFFF, 0xEFFF},
        {ID_FILE_MRU_FIRST, IDS_RECENT_FILE_PROMPT},
        {ID_FILE_MRU_LAST, IDS_RECENT_FILE_PROMPT},
        {ID_FILE_MRU_LAST + 1, ID_FILE_MRU_LAST + 1},
        {ID_FILE_MRU_FIRST - 1, ID_FILE_MRU_FIRST - 1},
        {65279, 65279},
        {65280, 61215},
        {0xFFFF, 61215},
        {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuHelpStringId(c.id), c.string) << c.id;
}

// The strings are keys of the program's own resources; their texts come from
// the English file beside the program.
class CommandTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = ::LoadLibraryExW(FileSystem::GetProgramFolderPath(L"Quorvane.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(program);
        SetResourceModule(program);
        ASSERT_TRUE(Resource::Load(FileSystem::GetProgramFolderPath(L"Language\\English.txt")));
    }
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        SetResourceModule(::GetModuleHandleW(nullptr));
        if (program)
            ::FreeLibrary(program);
    }

    HMODULE program = nullptr;
};

TEST_F(CommandTextTest, TheTranslatedStringOfACommand)
{
    const struct {
        UINT id;
        const wchar_t* text;
    } cases[] = {
        {ID_FILE_NEW, L"Create a new plan\\nNew"},
        {IDS_RECENT_FILE_PROMPT, L"Open this plan\\nRecent Plan"},
        {IDS_IDLE_MESSAGE, L"Ready"}, // not a key: the string itself
        {65000, L""},                 // no such string
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandText(c.id), c.text) << c.id;

    Resource::Dictionary().Clear();
    EXPECT_EQ(CommandText(ID_FILE_NEW), L"SNew");
    EXPECT_EQ(CommandToolTip(CommandText(ID_FILE_NEW)), L"");
}

} // namespace
