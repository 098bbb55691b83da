#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "foundation/SystemLibrary.h"

TEST(SystemLibraryTest, LibrariesBesideTheProgramAreNeverLoadedByName)
{
    constexpr wchar_t kPlanted[] = L"foundation_planted_library.dll";
    const EString besideProgram = FileSystem::GetProgramFolderPath(kPlanted);
    ASSERT_TRUE(FileSystem::FileExists(besideProgram));

    EXPECT_EQ(LoadSystemLibrary(kPlanted), nullptr);
    const HMODULE system = LoadSystemLibrary(L"msxml4.dll");
    EXPECT_NE(system, nullptr);
    ::FreeLibrary(system);

    SearchLibrariesInSystemFolderOnly();
    EXPECT_EQ(::LoadLibraryW(kPlanted), nullptr);
    // The library itself loads: only the search refused it.
    const HMODULE byPath = ::LoadLibraryW(besideProgram.c_str());
    EXPECT_NE(byPath, nullptr);
    ::FreeLibrary(byPath);
}

TEST(SystemLibraryTest, WineIsRecognised)
{
    EXPECT_TRUE(IsRunningOnWine());
}
