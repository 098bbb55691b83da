#include <gtest/gtest.h>

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "foundation/ComError.h"
#include "foundation/ComPtr.h"
#include "views/common/AtlDropSource.h"
#include "views/common/DragStart.h"
#include "views/common/ViewMessages.h"

namespace {

CLIPFORMAT PrivateFormat()
{
    return Clipboard::GetPrivateClipboardFormat();
}

ComPtr<CAtlDropSource> SourceOf(const PelquornDragData& data)
{
    ComPtr<CAtlDropSource> source(new CAtlDropSource);
    source->SetPayload(PrivateFormat(), data.CreateBlock());
    return source;
}

// A block whose count claims more ids than it holds.
HGLOBAL TruncatedBlock()
{
    const HGLOBAL block = ::GlobalAlloc(GPTR, DragDataSize(1));
    auto* values = static_cast<std::int32_t*>(block);
    values[0] = PelquornDragData::kTasks;
    values[1] = 3;
    values[2] = 7;
    return block;
}

} // namespace

TEST(AtlDropSourceTest, OffersItsBlockOnlyAsGlobalMemoryUnderItsFormat)
{
    const ComPtr<CAtlDropSource> source = SourceOf(PelquornDragData(PelquornDragData::kTasks, {4, 9}));
    const CLIPFORMAT other = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Quorvane other format"));
    const struct {
        const char* what;
        CLIPFORMAT format;
        DWORD tymed;
        HRESULT answer;
    } cases[] = {
        {"global memory", PrivateFormat(), TYMED_HGLOBAL, S_OK},
        {"global memory among others", PrivateFormat(), TYMED_ISTREAM | TYMED_HGLOBAL | TYMED_ISTORAGE, S_OK},
        {"a stream only", PrivateFormat(), TYMED_ISTREAM, DV_E_TYMED},
        {"another format", other, TYMED_HGLOBAL, DV_E_FORMATETC},
        {"text", CF_UNICODETEXT, TYMED_HGLOBAL, DV_E_FORMATETC},
    };
    for (const auto& c : cases) {
        FORMATETC request = {c.format, nullptr, DVASPECT_CONTENT, -1, c.tymed};
        EXPECT_EQ(source->QueryGetData(&request), c.answer) << c.what;
        STGMEDIUM medium = {};
        ASSERT_EQ(source->GetData(&request, &medium), c.answer) << c.what;
        if (c.answer != S_OK)
            continue;
        EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL)) << c.what;
        EXPECT_EQ(medium.pUnkForRelease, nullptr) << c.what;
        EXPECT_EQ(::GlobalSize(medium.hGlobal), DragDataSize(2)) << c.what;
        ::ReleaseStgMedium(&medium);
    }
}

TEST(AtlDropSourceTest, EachReaderGetsItsOwnCopyOfTheRecord)
{
    const ComPtr<CAtlDropSource> source = SourceOf(PelquornDragData(PelquornDragData::kPlanEntries, {12, 5, 30}));
    for (int reader = 0; reader < 2; ++reader) {
        const PelquornDragData read = GetDragData(source, PrivateFormat());
        EXPECT_EQ(read.kind, PelquornDragData::kPlanEntries);
        EXPECT_EQ(read.ids, (std::vector<std::int32_t>{12, 5, 30}));
    }
}

TEST(AtlDropSourceTest, ARecordCountingMoreIdsThanItsBlockHoldsIsRefused)
{
    const ComPtr<CAtlDropSource> source(new CAtlDropSource);
    ASSERT_TRUE(source->SetPayload(PrivateFormat(), TruncatedBlock()));
    EXPECT_THROW(GetDragData(source, PrivateFormat()), ComError);
}

TEST(AtlDropSourceTest, BadCallsAreAnsweredNotFollowed)
{
    const ComPtr<CAtlDropSource> empty(new CAtlDropSource);
    ASSERT_TRUE(empty->SetPayload(PrivateFormat(), nullptr));
    FORMATETC request = GlobalMemoryRequest(PrivateFormat());
    STGMEDIUM medium = {};
    EXPECT_EQ(empty->GetData(&request, &medium), E_UNEXPECTED);
    EXPECT_EQ(empty->GetData(nullptr, &medium), E_POINTER);
    EXPECT_EQ(empty->GetData(&request, nullptr), E_POINTER);
    EXPECT_EQ(empty->QueryGetData(nullptr), E_POINTER);

    const ComPtr<CAtlDropSource> held = SourceOf(PelquornDragData(PelquornDragData::kCategory, {1}));
    EXPECT_FALSE(held->SetPayload(PrivateFormat(), TruncatedBlock())) << "the first block stays";
    EXPECT_EQ(GetDragData(held, PrivateFormat()).ids, std::vector<std::int32_t>{1});
}

TEST(AtlDropSourceTest, TheDragEndsOnEscapeOrWhenTheButtonIsUp)
{
    const ComPtr<CAtlDropSource> source(new CAtlDropSource);
    const struct {
        BOOL escape;
        DWORD keys;
        HRESULT answer;
    } cases[] = {
        {FALSE, MK_LBUTTON, S_OK},
        {FALSE, MK_LBUTTON | MK_CONTROL, S_OK},
        {FALSE, 0, DRAGDROP_S_DROP},
        {FALSE, MK_CONTROL, DRAGDROP_S_DROP},
        {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {TRUE, 0, DRAGDROP_S_CANCEL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.answer) << c.escape << " " << c.keys;
}

TEST(AtlDropSourceTest, ADragStartIsPostedToTheViewWithTheRecord)
{
    const HWND view = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(view);
    ASSERT_TRUE(PostDragStart(view, PelquornDragData(PelquornDragData::kTasks, {8, 2})));
    MSG message = {};
    ASSERT_TRUE(::PeekMessageW(&message, view, WM_PELQUORN_START_DRAG, WM_PELQUORN_START_DRAG, PM_REMOVE));
    ASSERT_NE(message.wParam, 0u);
    const ComPtr<CAtlDropSource> posted(reinterpret_cast<CAtlDropSource*>(message.wParam));
    EXPECT_EQ(GetDragData(posted, PrivateFormat()).ids, (std::vector<std::int32_t>{8, 2}));
    EXPECT_EQ(RunPostedDrag(0), static_cast<DWORD>(DROPEFFECT_NONE));

    ::DestroyWindow(view);
    EXPECT_FALSE(PostDragStart(view, PelquornDragData(PelquornDragData::kTasks, {8})));
}
