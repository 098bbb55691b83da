#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "foundation/FileSystem.h"
#include "foundation/UniqueHandle.h"
#include "testing/TestSupport.h"

namespace {

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

HANDLE NewEvent()
{
    return ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

// Opened without sharing: a second open succeeds only once the first is closed.
HANDLE OpenAlone(const EString& path)
{
    return ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST(UniqueHandle, AFailedOpenOfEitherKindHoldsNothing)
{
    EXPECT_FALSE(UniqueHandle());
    EXPECT_FALSE(UniqueHandle(nullptr));
    EXPECT_FALSE(UniqueHandle(INVALID_HANDLE_VALUE));
    const UniqueHandle missing(OpenAlone(L"Z:\\no\\such\\folder\\file.txt"));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Get(), INVALID_HANDLE_VALUE) << "the handle is handed back as the system gave it";
    WIN32_FIND_DATAW found = {};
    EXPECT_FALSE(UniqueFindHandle(::FindFirstFileW(L"Z:\\no\\such\\folder\\*", &found)));
    UniqueHandle nothing(INVALID_HANDLE_VALUE);
    EXPECT_TRUE(nothing.Close()) << "nothing to close is no failure";
}

TEST(UniqueHandle, TheHandleIsClosedWithItsLastHolder)
{
    HANDLE event = nullptr;
    {
        UniqueHandle first(NewEvent());
        ASSERT_TRUE(first);
        event = first.Get();
        UniqueHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), event);
        UniqueHandle third;
        third = std::move(second);
        EXPECT_TRUE(IsOpenHandle(event));
    }
    EXPECT_FALSE(IsOpenHandle(event));
}

TEST(UniqueHandle, ResetClosesTheOldHandleAndReleaseKeepsItOpen)
{
    UniqueHandle holder(NewEvent());
    const HANDLE first = holder.Get();
    holder.Reset(NewEvent());
    EXPECT_FALSE(IsOpenHandle(first));
    const HANDLE second = holder.Release();
    EXPECT_FALSE(holder);
    EXPECT_TRUE(IsOpenHandle(second));
    ::CloseHandle(second);
}

// What the program's files rely on: the file is free for the next writer as
// soon as its holder has gone.
TEST(UniqueHandle, AFileIsFreeAgainOnceItsHolderHasGone)
{
    const EString path = FileSystem::JoinPath(MakeScratchFolder(L"unique-handle"), L"held.txt");
    WriteFileBytes(path, "held");
    {
        const UniqueHandle held(OpenAlone(path));
        ASSERT_TRUE(held);
        const UniqueHandle refused(OpenAlone(path));
        EXPECT_FALSE(refused);
    }
    EXPECT_TRUE(UniqueHandle(OpenAlone(path)));
}

TEST(ProcessHandles, HoldsTheProcessAndItsThreadUntilTheyGo)
{
    // Real handles of this process and thread stand for a started process's.
    HANDLE process = nullptr;
    HANDLE thread = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &process, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    {
        const ProcessHandles started(PROCESS_INFORMATION{process, thread, 0, 0});
        EXPECT_EQ(started.process.Get(), process);
        EXPECT_EQ(started.thread.Get(), thread);
    }
    EXPECT_FALSE(IsOpenHandle(process));
    EXPECT_FALSE(IsOpenHandle(thread));
}
