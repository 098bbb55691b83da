#include <gtest/gtest.h>

#include <cstring>

#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "document/testdata/FakeDataObject.h"
#include "foundation/ComPtr.h"
#include "foundation/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

const EString kFragment =
    L"<ROOT><CATEGORY ID=\"3\" NAME=\"Caf\u00e9 & \u65e5\u672c\"><TASK ID=\"7\" NAME=\"Call\"/></CATEGORY></ROOT>";

std::string Utf16Bytes(const EString& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

EString Utf16Text(const std::string& bytes)
{
    return EString(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// Runs the peer process and waits for its end; its exit code, or -1.
int RunPeer(const wchar_t* command, const EString& file)
{
    return RunProgramBeside(L"document_clipboard_peer.exe", EString::Formatted(L"%s \"%s\"", command, file.c_str()));
}

bool PutRawBlock(HWND owner, UINT format, const std::string& bytes)
{
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    const bool put = ::SetClipboardData(format, block) != nullptr;
    ::CloseClipboard();
    return put;
}

std::string RecordBytes(const PelquornDragData& record)
{
    const HGLOBAL block = record.CreateBlock();
    std::string bytes(static_cast<const char*>(block), DragDataSize(record.ids.size()));
    ::GlobalFree(block);
    return bytes;
}

// What OLE hands a paste or a drop of data put on the clipboard by any program.
ComPtr<IDataObject> ClipboardDataObject()
{
    ComPtr<IDataObject> dataObject;
    EXPECT_EQ(::OleGetClipboard(&dataObject), S_OK);
    return dataObject;
}

HRESULT GetDataAnswer(IDataObject* dataObject, FORMATETC request)
{
    STGMEDIUM medium = {};
    const HRESULT hr = dataObject->GetData(&request, &medium);
    if (SUCCEEDED(hr))
        ::ReleaseStgMedium(&medium);
    return hr;
}

class ClipboardTest : public testing::Test {
protected:
    void SetUp() override
    {
        owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        folder = MakeScratchFolder(L"clipboard");
    }
    void TearDown() override { ::DestroyWindow(owner); }

    HWND owner = nullptr;
    EString folder;
};

} // namespace

TEST_F(ClipboardTest, TheFormatIsRegisteredOnceByName)
{
    const CLIPFORMAT format = Clipboard::GetPrivateClipboardFormat();
    EXPECT_GE(format, 0xC000u);
    EXPECT_EQ(Clipboard::GetPrivateClipboardFormat(), format);
    wchar_t name[32] = {};
    ::GetClipboardFormatNameW(format, name, 32);
    EXPECT_STREQ(name, L"Pelquorn");
}

TEST_F(ClipboardTest, PrivateTextReplacesEverythingOnTheClipboard)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const HGLOBAL other = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(::GlobalLock(other), L"abc", 8);
    ::GlobalUnlock(other);
    ::SetClipboardData(CF_UNICODETEXT, other);
    ::CloseClipboard();

    ASSERT_TRUE(Clipboard::SetPrivateClipboardText(kFragment, owner));
    EXPECT_TRUE(Clipboard::IsPrivateFormatOnClipboard());
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(Clipboard::GetPrivateClipboardText(owner), kFragment);
}

TEST_F(ClipboardTest, NoPrivateTextReadsEmpty)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(Clipboard::IsPrivateFormatOnClipboard());
    EXPECT_EQ(Clipboard::GetPrivateClipboardText(owner), L"");
}

TEST_F(ClipboardTest, BlocksFromOtherProgramsAreReadWithinTheirSize)
{
    const UINT format = Clipboard::GetPrivateClipboardFormat();
    const struct {
        const char* name;
        std::string bytes;
        EString expected;
    } cases[] = {
        {"no terminator", Utf16Bytes(L"<ROOT/>"), L"<ROOT/>"},
        {"odd byte count", Utf16Bytes(L"<ROOT/>") + "x", L"<ROOT/>"},
        {"text after the terminator", Utf16Bytes(EString(L"ab\0cd", 5)), L"ab"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PutRawBlock(owner, format, c.bytes)) << c.name;
        EXPECT_EQ(Clipboard::GetPrivateClipboardText(owner), c.expected) << c.name;
    }
}

TEST_F(ClipboardTest, TextCopiedInOneProcessIsPastedInAnother)
{
    const EString received = FileSystem::JoinPath(folder, L"received.txt");
    ASSERT_TRUE(Clipboard::SetPrivateClipboardText(kFragment, owner));
    ASSERT_EQ(RunPeer(L"get", received), 0);
    EXPECT_EQ(Utf16Text(ReadFileBytes(received)), kFragment);

    const EString sent = FileSystem::JoinPath(folder, L"sent.txt");
    const EString other = L"<ROOT><TASK ID=\"12\" NAME=\"From the other copy\"/></ROOT>";
    WriteFileBytes(sent, Utf16Bytes(other));
    ASSERT_EQ(RunPeer(L"put", sent), 0);
    EXPECT_TRUE(WaitFor([&] { return Clipboard::GetPrivateClipboardText(owner) == other; }));
}

TEST_F(ClipboardTest, AnotherProcessSeesNoPrivateTextAfterPlainText)
{
    ASSERT_TRUE(PutRawBlock(owner, CF_UNICODETEXT, Utf16Bytes(EString(L"plain\0", 6))));
    EXPECT_EQ(RunPeer(L"get", FileSystem::JoinPath(folder, L"none.txt")), 2);
}

// The drop tests' stand-in refuses whatever the system's data object refuses:
// a kinder one would pass requests that fail for a real drop or paste. (It
// may be stricter: Wine's GetData, unlike its QueryGetData, lets any aspect
// through.)
TEST_F(ClipboardTest, TheStandInRefusesWhatTheSystemsDataObjectRefuses)
{
    const CLIPFORMAT format = Clipboard::GetPrivateClipboardFormat();
    const std::string bytes = RecordBytes(PelquornDragData(PelquornDragData::kCategory, {5}));
    ASSERT_TRUE(PutRawBlock(owner, format, bytes));
    ComPtr<IDataObject> system = ClipboardDataObject();
    ASSERT_TRUE(system);
    FakeDataObject standIn(format, bytes);

    const FORMATETC requests[] = {
        GlobalMemoryRequest(format),
        {format, nullptr, 0, 0, 0},
        {format, nullptr, 0, 0, TYMED_HGLOBAL},
        {format, nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL},
        {format, nullptr, DVASPECT_CONTENT, -1, 0},
        {format, nullptr, DVASPECT_THUMBNAIL, -1, TYMED_HGLOBAL},
        {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
    };
    for (const FORMATETC& request : requests) {
        const auto text = testing::Message() << "aspect " << request.dwAspect << ", index " << request.lindex
                                             << ", medium " << request.tymed << ", format " << request.cfFormat;
        FORMATETC asked = request;
        if (system->QueryGetData(&asked) != S_OK) {
            EXPECT_NE(standIn.QueryGetData(&asked), S_OK) << text;
        }
        if (FAILED(GetDataAnswer(system, request))) {
            EXPECT_TRUE(FAILED(GetDataAnswer(&standIn, request))) << text;
        }
    }
    FORMATETC ours = GlobalMemoryRequest(format);
    EXPECT_EQ(system->QueryGetData(&ours), S_OK);
    EXPECT_EQ(standIn.QueryGetData(&ours), S_OK);
}

// A copy put on the clipboard through OLE pastes, and still pastes once the
// copying object is gone (the clipboard then holds the rendered block).
TEST_F(ClipboardTest, ARecordTravelsThroughTheOleClipboard)
{
    const CLIPFORMAT format = Clipboard::GetPrivateClipboardFormat();
    const PelquornDragData tasks(PelquornDragData::kTasks, {17, 42, -1});
    FakeDataObject source(format, RecordBytes(tasks));
    ASSERT_EQ(::OleSetClipboard(&source), S_OK);
    // The clipboard must not keep the stack object past this test.
    struct Release {
        IDataObject* source;
        ~Release()
        {
            if (::OleIsCurrentClipboard(source) == S_OK)
                ::OleSetClipboard(nullptr);
        }
    } release{&source};

    for (const char* stage : {"while the copying object lives", "after it is flushed"}) {
        ComPtr<IDataObject> pasted = ClipboardDataObject();
        ASSERT_TRUE(pasted) << stage;
        EXPECT_TRUE(Clipboard::IsPrivateFormatInDataObject(pasted)) << stage;
        const PelquornDragData read = GetDragData(pasted, format);
        EXPECT_EQ(read.kind, tasks.kind) << stage;
        EXPECT_EQ(read.ids, tasks.ids) << stage;
        EXPECT_TRUE(Clipboard::IsPrivateFormatOnClipboard()) << stage;
        pasted.Release();
        if (::OleIsCurrentClipboard(&source) == S_OK) {
            ASSERT_EQ(::OleFlushClipboard(), S_OK);
        }
    }
    EXPECT_NE(::OleIsCurrentClipboard(&source), S_OK);
}
