#include <gtest/gtest.h>

#include <vector>

#include "foundation/RegistryKey.h"
#include "foundation/RecentDocumentList.h"

namespace {

const wchar_t kAppKey[] = L"Software\\QuorvaneRecentTest";
const wchar_t kListKey[] = L"Software\\QuorvaneRecentTest\\Recent Document List";
constexpr int kFirst = CRecentDocumentList::kFirstId;

// The list as the menu shows it, most recent first.
std::vector<EString> Shown(const CRecentDocumentList& list)
{
    std::vector<EString> shown;
    EString path;
    for (int id = kFirst; list.GetFromList(id, path); ++id)
        shown.push_back(path);
    return shown;
}

std::vector<EString> MenuTexts(HMENU menu)
{
    std::vector<EString> texts;
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        wchar_t text[300] = {};
        ::GetMenuStringW(menu, position, text, 300, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

class RecentDocumentListTest : public testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey); }
};

} // namespace

TEST_F(RecentDocumentListTest, MostRecentComesFirstAndDuplicatesMoveUp)
{
    struct Case {
        const char* name;
        std::vector<const wchar_t*> added;
        std::vector<EString> shown;
    } cases[] = {
        {"order", {L"a", L"b", L"c"}, {L"c", L"b", L"a"}},
        {"same path in other letters moves up", {L"C:\\a.qvr", L"b", L"c:\\A.QVR"}, {L"c:\\A.QVR", L"b"}},
        {"a full list drops its oldest", {L"1", L"2", L"3", L"4", L"5"}, {L"5", L"4", L"3", L"2"}},
        {"empty path refused", {L"a", L""}, {L"a"}},
    };
    for (const auto& c : cases) {
        CRecentDocumentList list;
        for (const auto* path : c.added)
            list.AddToList(path);
        EXPECT_EQ(Shown(list), c.shown) << c.name;
    }
}

TEST_F(RecentDocumentListTest, PathsLongerThanMaxPathAreRefused)
{
    CRecentDocumentList list;
    EXPECT_TRUE(list.AddToList(EString(MAX_PATH, L'x')));
    EXPECT_FALSE(list.AddToList(EString(MAX_PATH + 1, L'y')));
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(RecentDocumentListTest, EntriesAreReachedByTheirCommandId)
{
    CRecentDocumentList list;
    for (const auto* path : {L"a", L"b", L"c", L"d"})
        list.AddToList(path);

    EXPECT_TRUE(list.MoveToTop(kFirst + 2)); // b
    EXPECT_EQ(Shown(list), (std::vector<EString>{L"b", L"d", L"c", L"a"}));
    EXPECT_TRUE(list.RemoveFromList(kFirst + 1)); // d
    EXPECT_EQ(Shown(list), (std::vector<EString>{L"b", L"c", L"a"}));

    EString path = L"unchanged";
    EXPECT_FALSE(list.GetFromList(kFirst + 3, path));
    EXPECT_FALSE(list.GetFromList(kFirst - 1, path));
    EXPECT_EQ(path, L"unchanged");
    EXPECT_FALSE(list.MoveToTop(kFirst + 3));
    EXPECT_FALSE(list.RemoveFromList(CRecentDocumentList::kLastId + 1));
}

TEST_F(RecentDocumentListTest, CapacityStaysWithinTheCommandIds)
{
    CRecentDocumentList list;
    EXPECT_FALSE(list.SetMaxEntries(0));
    EXPECT_FALSE(list.SetMaxEntries(17));
    EXPECT_EQ(list.GetMaxEntries(), 4);
    for (const auto* path : {L"a", L"b", L"c", L"d"})
        list.AddToList(path);
    EXPECT_TRUE(list.SetMaxEntries(2));
    EXPECT_EQ(Shown(list), (std::vector<EString>{L"d", L"c"}));
    EXPECT_TRUE(list.SetMaxEntries(16));
}

TEST_F(RecentDocumentListTest, WritesTheMostRecentFirstAndDeletesOlderValues)
{
    {
        RegistryKey stale;
        ASSERT_TRUE(stale.Create(HKEY_CURRENT_USER, kListKey));
        for (int number = 1; number <= 16; ++number)
            stale.SetString(EString::Formatted(L"Document%d", number).c_str(), L"stale");
    }
    CRecentDocumentList list;
    list.AddToList(L"C:\\old.qvr");
    list.AddToList(L"C:\\new.qvr");
    ASSERT_TRUE(list.WriteToRegistry(kAppKey));

    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kListKey));
    DWORD count = 0;
    EXPECT_TRUE(key.QueryDword(L"DocumentCount", count));
    EXPECT_EQ(count, 4u);
    EString value;
    EXPECT_TRUE(key.QueryString(L"Document1", value));
    EXPECT_EQ(value, L"C:\\new.qvr");
    EXPECT_TRUE(key.QueryString(L"Document2", value));
    EXPECT_EQ(value, L"C:\\old.qvr");
    for (int number = 3; number <= 16; ++number)
        EXPECT_FALSE(key.QueryString(EString::Formatted(L"Document%d", number).c_str(), value)) << number;
}

TEST_F(RecentDocumentListTest, ReadsCapacityAndPathsBack)
{
    struct Case {
        const char* name;
        DWORD storedCount; // 0: none stored
        std::vector<const wchar_t*> stored; // Document1 first; null leaves a gap
        int capacity;
        std::vector<EString> shown;
    } cases[] = {
        {"round trip", 4, {L"x", L"y", L"z"}, 4, {L"x", L"y", L"z"}},
        {"capacity from the count", 2, {L"x", L"y", L"z"}, 2, {L"x", L"y"}},
        {"larger capacity", 6, {L"1", L"2", L"3", L"4", L"5"}, 6, {L"1", L"2", L"3", L"4", L"5"}},
        {"no count keeps four", 0, {L"1", L"2", L"3", L"4", L"5"}, 4, {L"1", L"2", L"3", L"4"}},
        {"count out of range keeps four", 99, {L"1"}, 4, {L"1"}},
        {"reading stops at a gap", 4, {L"x", nullptr, L"z"}, 4, {L"x"}},
        {"a path twice is listed once", 4, {L"x", L"X", L"y"}, 4, {L"x", L"y"}},
    };
    for (const auto& c : cases) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
        {
            RegistryKey key;
            ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kListKey));
            if (c.storedCount)
                key.SetDword(L"DocumentCount", c.storedCount);
            for (size_t i = 0; i < c.stored.size(); ++i)
                if (c.stored[i])
                    key.SetString(EString::Formatted(L"Document%d", static_cast<int>(i + 1)).c_str(), c.stored[i]);
        }
        CRecentDocumentList list;
        list.AddToList(L"in memory before");
        EXPECT_TRUE(list.ReadFromRegistry(kAppKey)) << c.name;
        EXPECT_EQ(list.GetMaxEntries(), c.capacity) << c.name;
        EXPECT_EQ(Shown(list), c.shown) << c.name;
    }
}

TEST_F(RecentDocumentListTest, MissingKeyReadsNothing)
{
    CRecentDocumentList list;
    list.AddToList(L"kept");
    EXPECT_FALSE(list.ReadFromRegistry(kAppKey));
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(RecentDocumentListTest, MenuShowsEntriesInPlaceOfTheEmptyItem)
{
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 100, L"Open");
    ::AppendMenuW(menu, MF_STRING, kFirst, L"No recent files");
    ::AppendMenuW(menu, MF_STRING, 101, L"Exit");

    CRecentDocumentList list;
    list.AttachToMenu(menu);
    EXPECT_EQ(MenuTexts(menu), (std::vector<EString>{L"Open", L"No recent files", L"Exit"}));
    EXPECT_TRUE(::GetMenuState(menu, kFirst, MF_BYCOMMAND) & MF_GRAYED);

    list.AddToList(L"C:\\Plans\\a.qvr");
    list.AddToList(L"C:\\R&D\\b.qvr");
    EXPECT_EQ(MenuTexts(menu),
              (std::vector<EString>{L"Open", L"&1 C:\\R&&D\\b.qvr", L"&2 C:\\Plans\\a.qvr", L"Exit"}));
    EXPECT_EQ(::GetMenuItemID(menu, 1), static_cast<UINT>(kFirst));
    EXPECT_EQ(::GetMenuItemID(menu, 2), static_cast<UINT>(kFirst + 1));
    EXPECT_FALSE(::GetMenuState(menu, kFirst, MF_BYCOMMAND) & MF_GRAYED);

    list.RemoveFromList(kFirst);
    list.RemoveFromList(kFirst);
    EXPECT_EQ(MenuTexts(menu), (std::vector<EString>{L"Open", L"No recent files", L"Exit"}));
    ::DestroyMenu(menu);
}

// A letter typed in the open menu chooses one entry: past 9 only 10 has a letter, its 0.
TEST_F(RecentDocumentListTest, NoTwoEntriesOfAFullListShareALetter)
{
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, kFirst, L"No recent files");
    CRecentDocumentList list;
    ASSERT_TRUE(list.SetMaxEntries(CRecentDocumentList::kMaxEntries));
    list.AttachToMenu(menu);
    for (int number = CRecentDocumentList::kMaxEntries; number >= 1; --number)
        list.AddToList(EString::Formatted(L"C:\\Plans\\%d.qvr", number));
    const std::vector<EString> texts = MenuTexts(menu);
    ASSERT_EQ(texts.size(), 16u);
    const struct {
        size_t position;
        const wchar_t* text;
    } cases[] = {
        {0, L"&1 C:\\Plans\\1.qvr"},   {8, L"&9 C:\\Plans\\9.qvr"},  {9, L"1&0 C:\\Plans\\10.qvr"},
        {10, L"11 C:\\Plans\\11.qvr"}, {15, L"16 C:\\Plans\\16.qvr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(texts[c.position], c.text) << c.position;
    ::DestroyMenu(menu);
}
