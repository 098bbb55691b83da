#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "document/testdata/FakeDataObject.h"
#include "foundation/ComError.h"

namespace {

using Ids = std::vector<std::int32_t>;

std::string Int32Bytes(std::initializer_list<std::int32_t> values)
{
    std::string bytes;
    for (const std::int32_t value : values)
        bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
    return bytes;
}

std::string BlockBytes(HGLOBAL block)
{
    return std::string(static_cast<const char*>(::GlobalLock(block)), ::GlobalSize(block));
}

HRESULT ReadError(const std::string& bytes)
{
    try {
        PelquornDragData(bytes.data(), bytes.size());
    } catch (const ComError& error) {
        return error.Error();
    }
    return S_OK;
}

const HRESULT kMalformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

} // namespace

TEST(DragDataTest, SizesAndIdsOfARecord)
{
    EXPECT_EQ(DragDataSize(0), 8u);
    EXPECT_EQ(DragDataSize(3), 20u);
    EXPECT_EQ(DragDataIds(nullptr), nullptr);
    const char block[12] = {};
    EXPECT_EQ(DragDataIds(block), block + 8);
}

TEST(DragDataTest, BlockHoldsThe32BitLayout)
{
    const PelquornDragData tasks(PelquornDragData::kTasks, {17, 42});
    const HGLOBAL block = tasks.CreateBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(BlockBytes(block), Int32Bytes({1, 2, 17, 42}));
    ::GlobalUnlock(block);
    ::GlobalFree(block);
}

TEST(DragDataTest, RecordsTravelThroughADataObject)
{
    const struct {
        std::int32_t kind;
        Ids ids;
    } cases[] = {
        {PelquornDragData::kCategory, {5}},
        {PelquornDragData::kTasks, {17, 42}},
        {PelquornDragData::kPlanEntries, {3, -1, 2147483647, 0}},
        {PelquornDragData::kTasks, {}},
    };
    const CLIPFORMAT format = Clipboard::GetPrivateClipboardFormat();
    for (const auto& c : cases) {
        const HGLOBAL block = PelquornDragData(c.kind, c.ids).CreateBlock();
        ASSERT_NE(block, nullptr);
        FakeDataObject dataObject(format, BlockBytes(block));
        ::GlobalUnlock(block);
        ::GlobalFree(block);

        const PelquornDragData read = GetDragData(&dataObject, format);
        EXPECT_EQ(read.kind, c.kind);
        EXPECT_EQ(read.ids, c.ids);
    }
}

TEST(DragDataTest, BlocksShorterThanTheirCountAreRefused)
{
    const struct {
        const char* name;
        std::string bytes;
        HRESULT expected;
    } cases[] = {
        {"empty", "", kMalformed},
        {"part of the header", std::string(7, '\0'), kMalformed},
        {"two ids counted, one there", Int32Bytes({1, 2, 17}), kMalformed},
        {"a huge count", Int32Bytes({1, 0x7fffffff}), kMalformed},
        {"a negative count", Int32Bytes({1, -1, 5}), kMalformed},
        {"a count cut short by a byte", Int32Bytes({1, 1}) + std::string(3, '\0'), kMalformed},
        {"exact", Int32Bytes({2, 1, 9}), S_OK},
        {"bytes beyond the count", Int32Bytes({2, 1, 9, 10}), S_OK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadError(c.bytes), c.expected) << c.name;

    const PelquornDragData longer(Int32Bytes({0, 1, 9, 10}).data(), 16);
    EXPECT_EQ(longer.ids, Ids{9});
    EXPECT_THROW(PelquornDragData(nullptr, 8), ComError);
}

TEST(DragDataTest, ADataObjectWithoutTheFormatIsRefusedWithItsAnswer)
{
    const CLIPFORMAT format = Clipboard::GetPrivateClipboardFormat();
    FakeDataObject text(CF_UNICODETEXT, "a\0b\0\0\0");
    try {
        GetDragData(&text, format);
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), DV_E_FORMATETC);
    }

    FakeDataObject shortRecord(format, Int32Bytes({1, 3, 17}));
    EXPECT_THROW(GetDragData(&shortRecord, format), ComError);
}

TEST(DragDataTest, DropTargetsAskForThePrivateFormat)
{
    const CLIPFORMAT format = Clipboard::GetPrivateClipboardFormat();
    FakeDataObject ours(format, Int32Bytes({0, 1, 4}));
    FakeDataObject theirs(CF_HDROP, "");
    EXPECT_TRUE(Clipboard::IsPrivateFormatInDataObject(&ours));
    EXPECT_FALSE(Clipboard::IsPrivateFormatInDataObject(&theirs));
    EXPECT_FALSE(Clipboard::IsPrivateFormatInDataObject(nullptr));
}
