#include <gtest/gtest.h>

#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Log.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "foundation/RegistryKey.h"
#include "foundation/UniqueHandle.h"
#include "testing/TestSupport.h"

TEST(FileSystemTest, PathPieces)
{
    struct Join {
        const wchar_t* a;
        const wchar_t* b;
        const wchar_t* joined;
    } joins[] = {
        {L"C:\\a\\", L"\\b.txt", L"C:\\a\\b.txt"},
        {L"C:\\a", L"b", L"C:\\a\\b"},
        {L"C:\\a\\", L"b", L"C:\\a\\b"},
        {L"", L"b.txt", L"b.txt"},
        {L"", L"\\b.txt", L"b.txt"},
        {L"Software\\X", L"Options", L"Software\\X\\Options"},
    };
    for (const Join& j : joins)
        EXPECT_EQ(FileSystem::JoinPath(j.a, j.b), j.joined) << j.a << " + " << j.b;

    EXPECT_EQ(FileSystem::GetExtension(L"x.tar.gz"), L"gz");
    EXPECT_EQ(FileSystem::GetExtension(L"x"), L"");
    EXPECT_EQ(FileSystem::GetExtension(L"C:\\my.folder\\plan"), L"");
    EXPECT_EQ(FileSystem::GetExtension(L"C:/my.folder/plan"), L"");
    EXPECT_EQ(FileSystem::GetExtension(L"name."), L"");
    EXPECT_EQ(FileSystem::GetFileTitle(L"C:\\a\\plan.qvr.auto"), L"plan.qvr");
    EXPECT_EQ(FileSystem::GetFolder(L"C:\\a\\plan.qvr"), L"C:\\a\\");
    EXPECT_EQ(FileSystem::GetPathWithoutExtension(L"C:\\a\\plan.qvr.auto"), L"C:\\a\\plan.qvr");
    EXPECT_EQ(FileSystem::MakeNumberedFileName(L"C:\\r\\Week.xsl", 0), L"Week.xsl");
    EXPECT_EQ(FileSystem::MakeNumberedFileName(L"C:\\r\\Week.xsl", 3), L"Week3.xsl");
    EXPECT_TRUE(FileSystem::IsFullPath(L"C:\\a\\b.txt"));
    EXPECT_FALSE(FileSystem::IsFullPath(L"b.txt"));
    EXPECT_FALSE(FileSystem::FileExists(L""));
}

TEST(FileSystemTest, FoldersAndFileNames)
{
    const EString folder = MakeScratchFolder(L"files");
    EXPECT_TRUE(FileSystem::FileExists(folder));
    WriteFileBytes(FileSystem::JoinPath(folder, L"r.xsl"), "a");
    WriteFileBytes(FileSystem::JoinPath(folder, L"r1.xsl"), "b");
    EXPECT_EQ(FileSystem::MakeUniqueFileName(folder, L"r", L"xsl"), L"r2.xsl");
    EXPECT_EQ(FileSystem::MakeUniqueFileName(folder, L"new", L"xsl"), L"new.xsl");

    const EString temp = FileSystem::MakeTempFileName();
    EXPECT_TRUE(FileSystem::FileExists(temp));
    EXPECT_EQ(FileSystem::GetFileTitle(temp).Left(3).CompareNoCase(L"zem"), 0);
    ::DeleteFileW(temp.c_str());

    const EString appData = FileSystem::GetAppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(FileSystem::GetFileTitle(appData), L"Quorvane");
    EXPECT_TRUE(FileSystem::FileExists(appData));
    EXPECT_FALSE(FileSystem::GetDocumentsFolder().empty());
    EXPECT_EQ(FileSystem::GetFileTitle(FileSystem::GetModuleFileName()), L"foundation_tests");
    EXPECT_EQ(FileSystem::GetProgramFolderPath(L"Language\\English.txt"),
              FileSystem::GetFolder(FileSystem::GetModuleFileName()) + L"Language\\English.txt");

    const EString nested = FileSystem::JoinPath(folder, L"sub");
    EXPECT_TRUE(FileSystem::EnsureFolder(nested));
    EXPECT_TRUE(FileSystem::EnsureFolder(nested));
}

TEST(FileSystemTest, CopyRefusesTheSameFile)
{
    const EString folder = MakeScratchFolder(L"copy");
    const EString source = FileSystem::JoinPath(folder, L"Plan.qvr");
    WriteFileBytes(source, "<ROOT/>");
    EXPECT_FALSE(FileSystem::CopyFileChecked(FileSystem::JoinPath(folder, L"PLAN.QVR"), source, true));
    EXPECT_EQ(ReadFileBytes(source), "<ROOT/>");

    const EString target = FileSystem::JoinPath(folder, L"copy.qvr");
    EXPECT_TRUE(FileSystem::CopyFileChecked(target, source, false));
    EXPECT_FALSE(FileSystem::CopyFileChecked(target, source, false));
    EXPECT_TRUE(FileSystem::CopyFileChecked(target, source, true));
    EXPECT_EQ(ReadFileBytes(target), "<ROOT/>");
}

TEST(FileSystemTest, ChooseNewerFileByLastWrite)
{
    const EString folder = MakeScratchFolder(L"newer");
    const EString document = FileSystem::JoinPath(folder, L"plan.qvr");
    const EString copy = document + L".auto";
    WriteFileBytes(document, "doc");

    // The automatic copy is named first, the document second.
    EXPECT_EQ(FileSystem::ChooseNewerFile(copy, document), document);

    WriteFileBytes(copy, "copy");
    auto setTime = [](const EString& path, int second) {
        SYSTEMTIME system = {2024, 3, 5, 1, 10, 0, static_cast<WORD>(second), 0};
        FILETIME time;
        ::SystemTimeToFileTime(&system, &time);
        const UniqueHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ::SetFileTime(file.Get(), nullptr, nullptr, &time);
    };
    setTime(document, 0);
    setTime(copy, 1);
    EXPECT_EQ(FileSystem::ChooseNewerFile(copy, document), copy);
    setTime(copy, 0);
    EXPECT_EQ(FileSystem::ChooseNewerFile(copy, document), document);
    EXPECT_EQ(FileSystem::ChooseNewerFile(copy, FileSystem::JoinPath(folder, L"missing.qvr")), copy);

    CTFile file(document.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_DOUBLE_EQ(file.GetLastWriteTime(), MakeOleDateTime(2024, 3, 1, 10, 0, 0));
    CTFile closed;
    EXPECT_DOUBLE_EQ(closed.GetLastWriteTime(), MakeOleDate(1601, 1, 1));
}

TEST(CTFileTest, ReadsAndWritesText)
{
    const EString folder = MakeScratchFolder(L"ctfile");
    const EString path = FileSystem::JoinPath(folder, L"text.txt");

    WriteFileBytes(path, "\xEF\xBB\xBFkey=Gr\xC3\xBC\xC3\x9F" "e");
    {
        CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_FALSE(file.IsUnicode());
        EXPECT_EQ(file.ReadAll(), L"key=Gr\u00fc\u00dfe");
    }

    // Every UTF-16 character survives, also those outside the ANSI code page.
    const EString text = L"\u041f\u043b\u0430\u043d \u8a08\u753b \U0001F600";
    {
        CTFile file(path.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS);
        file.WriteText(text);
    }
    EXPECT_EQ(ReadFileBytes(path).substr(0, 2), "\xFF\xFE");
    {
        CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        EXPECT_TRUE(file.IsUnicode());
        EXPECT_EQ(file.ReadText(), text);
    }
    {
        CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        EXPECT_EQ(file.ReadText(2), text.substr(1));
        EXPECT_EQ(file.ReadAll(), text);
    }

    CTFile file;
    EXPECT_FALSE(file.Open(FileSystem::JoinPath(folder, L"missing.txt").c_str(), GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_THROW(file.ReadAll(), ComError);
    ASSERT_TRUE(file.Open(path.c_str(), GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_FALSE(file.Open(path.c_str(), GENERIC_READ, 0, OPEN_EXISTING));
}

TEST(ProcessTest, StartFailureIsReported)
{
    EXPECT_FALSE(RunProcessAndWait(L"Z:\\no\\such\\program.exe", true));
    EXPECT_TRUE(RunProcessAndWait(L"cmd.exe /c exit 3", true));
}

TEST(CommandLineTest, QuotesAreTrimmed)
{
    struct Case {
        const wchar_t* arguments;
        bool hasDocument;
        const wchar_t* argument;
    } cases[] = {
        {L"\"C:\\My plans\\a.qvr\"", true, L"C:\\My plans\\a.qvr"},
        {L"C:\\a.qvr", true, L"C:\\a.qvr"},
        {L"", false, L""},
        {L"\"\"\"", false, L""},
        {L"exit", true, L"exit"},
        {L"\"exit\"", true, L"exit"},
        {L"C:\\a\"b.qvr", true, L"C:\\a\"b.qvr"},
    };
    for (const Case& c : cases) {
        CommandLine line;
        EXPECT_EQ(line.Parse(c.arguments), c.hasDocument) << c.arguments;
        EXPECT_EQ(line.HasDocument(), c.hasDocument) << c.arguments;
        EXPECT_EQ(line.GetArgument(), c.argument) << c.arguments;
    }
}

TEST(MigrateRecentFileListTest, CarriesTheFirstEntryOnce)
{
    ClearProgramRegistry();
    MigrateRecentFileList();
    EXPECT_FALSE(FileSystem::AppKeyExists(L"Recent Document List"));

    Options::WriteString(L"Recent File List", L"File1", L"C:\\old.qvr");
    Options::WriteString(L"Recent File List", L"File2", L"C:\\older.qvr");
    MigrateRecentFileList();
    EXPECT_EQ(Options::ReadString(L"Recent Document List", L"Document1", L""), L"C:\\old.qvr");
    EXPECT_EQ(Options::ReadDword(L"Recent Document List", L"DocumentCount", 0), 4u);
    EXPECT_EQ(Options::ReadString(L"Recent Document List", L"Document2", L"-"), L"-");

    Options::WriteString(L"Recent Document List", L"Document1", L"C:\\new.qvr");
    MigrateRecentFileList();
    EXPECT_EQ(Options::ReadString(L"Recent Document List", L"Document1", L""), L"C:\\new.qvr");
    ClearProgramRegistry();
}

TEST(LogTest, AppendsLines)
{
    const EString path = GetLogFilePath();
    ASSERT_FALSE(path.empty());
    // The test executables share the log and run side by side: the file is
    // never deleted here, and their lines may come between ours.
    const size_t start = ReadFileBytes(path).size();
    LogMessage(L"CATCH 0x%x: %s\n", 0x80004005u, L"Unspecified");
    LogMessage(L"OnNewPlan(%d)\n", 7);
    const std::string log = ReadFileBytes(path);
    const size_t first = log.find("CATCH 0x80004005: Unspecified\r\n", start);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find("OnNewPlan(7)\r\n", first), std::string::npos);
}
