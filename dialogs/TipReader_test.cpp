#include <gtest/gtest.h>

#include "dialogs/TipReader.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"

namespace {

class TipReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        m_folder = MakeScratchFolder(L"tips");
    }
    void TearDown() override { ClearProgramRegistry(); }

    EString WriteTips(const std::string& bytes)
    {
        const EString path = FileSystem::JoinPath(m_folder, L"TipsEnglish.txt");
        WriteFileBytes(path, bytes);
        return path;
    }

    EString m_folder;
};

TEST_F(TipReaderTest, EachLineIsATipWhateverItsLineEndAndBlankLinesAreNone)
{
    const struct {
        const char* name;
        std::string bytes;
        std::vector<EString> tips;
    } cases[] = {
        {"carriage returns", "one\rtwo\r", {L"one", L"two"}},
        {"line feeds", "one\ntwo\n", {L"one", L"two"}},
        {"both", "one\r\ntwo\r\n", {L"one", L"two"}},
        {"mixed, no end at the last", "one\r\ntwo\nthree\rfour", {L"one", L"two", L"three", L"four"}},
        {"blank lines between and around", "\r\n\r\none\n\n\r\rtwo\r\n\r\n", {L"one", L"two"}},
        {"empty file", "", {}},
        {"only line ends", "\r\n\n\r", {}},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" "Caf\xC3\xA9 first\r\nsecond", {L"Caf\u00e9 first", L"second"}},
        {"spaces are kept", "  indented \n", {L"  indented "}},
    };
    for (const auto& test : cases) {
        const TipReader reader(WriteTips(test.bytes));
        EXPECT_EQ(reader.Tips(), test.tips) << test.name;
    }
}

TEST_F(TipReaderTest, TheStoredIndexPicksTheTipAndMovesOnWrappingToTheFirst)
{
    const EString path = WriteTips("first\r\nsecond\r\nthird\r\n");
    const struct {
        const char* name;
        DWORD stored;
        const wchar_t* shown;
        DWORD storedAfter;
    } cases[] = {
        {"the first", 0, L"first", 1},
        {"the last", 2, L"third", 3},
        {"one past the last", 3, L"first", 1},
        {"far past the last", 40, L"first", 1},
        {"negative, as a DWORD", static_cast<DWORD>(-1), L"first", 1},
    };
    for (const auto& test : cases) {
        Options::SetTipIndex(test.stored);
        EXPECT_EQ(TipReader(path).GetNextTip(), test.shown) << test.name;
        EXPECT_EQ(Options::GetTipIndex(), test.storedAfter) << test.name;
    }
}

TEST_F(TipReaderTest, NoTipsFileGivesAnEmptyTipAndLeavesTheIndex)
{
    Options::SetTipIndex(2);
    TipReader reader(FileSystem::JoinPath(m_folder, L"TipsKlingon.txt"));
    EXPECT_TRUE(reader.Tips().empty());
    EXPECT_EQ(reader.GetNextTip(), L"");
    EXPECT_EQ(Options::GetTipIndex(), 2u);
}

TEST_F(TipReaderTest, TheProgramShipsEnglishTipsBesideItself)
{
    const EString path = TipReader::LanguageTipsPath();
    EXPECT_EQ(path, FileSystem::GetProgramFolderPath(L"Tips\\TipsEnglish.txt"));
    EXPECT_GE(TipReader(SourcePath(L"resources/Tips/TipsEnglish.txt")).Tips().size(), 12u);
}

} // namespace
