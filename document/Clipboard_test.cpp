#include <gtest/gtest.h>

#include <cstring>

#include "document/Clipboard.h"
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
