#include <gtest/gtest.h>

#include "app/OpenFileHandover.h"

namespace {

TEST(OpenFileHandoverTest, ReadsThePathWithinTheByteCount)
{
    static wchar_t text[] = L"C:\\plans\\a.qvr\0junk";
    static wchar_t empty[] = L"";
    constexpr DWORD kPathBytes = 14 * sizeof(wchar_t);
    struct Case {
        const char* name;
        COPYDATASTRUCT record;
        const wchar_t* expected; // null: nothing to open
    } cases[] = {
        {"terminated", {152, kPathBytes + 2, text}, L"C:\\plans\\a.qvr"},
        {"terminator inside the count", {152, sizeof(text), text}, L"C:\\plans\\a.qvr"},
        {"no terminator: cut at the count", {152, 8 * sizeof(wchar_t), text}, L"C:\\plans"},
        {"odd byte count", {152, kPathBytes + 1, text}, nullptr},
        {"another data code", {151, kPathBytes + 2, text}, nullptr},
        {"only the terminator", {152, 2, empty}, nullptr},
        {"no data", {152, kPathBytes, nullptr}, nullptr},
    };
    for (const Case& c : cases) {
        const auto expected = c.expected ? std::optional<EString>(c.expected) : std::optional<EString>();
        EXPECT_EQ(ReadOpenFileRecord(&c.record), expected) << c.name;
    }
    EXPECT_FALSE(ReadOpenFileRecord(nullptr).has_value());
}

TEST(OpenFileHandoverTest, RecordsOfOtherCodesAreLeftToTheMessageChain)
{
    COPYDATASTRUCT own = {152, 0, nullptr};
    COPYDATASTRUCT other = {0, 0, nullptr};
    EXPECT_TRUE(IsOpenFileRecord(&own));
    EXPECT_FALSE(IsOpenFileRecord(&other));
    EXPECT_FALSE(IsOpenFileRecord(nullptr));
}

} // namespace
