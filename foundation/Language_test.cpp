#include <gtest/gtest.h>

#include <map>

#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/Translator.h"
#include "testing/TestSupport.h"

class LanguageTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        Text::Dictionary().Clear();
    }
    void TearDown() override
    {
        ClearProgramRegistry();
        Resource::Dictionary().Clear();
        Text::Dictionary().Clear();
    }
};

TEST_F(LanguageTest, DictionaryLines)
{
    IniParser parser;
    parser.Parse(L"  Open  =  Ouvrir  \r\n"
                 L"a=b=c\n"
                 L"x=\n"
                 L"=y\n"
                 L"   \n"
                 L"no equals sign\r\r\n"
                 L"dup=first\n"
                 L"dup=second\n"
                 L"Tab=Save\\tCtrl+S\n"
                 L"Case=lower\r"
                 L"case=other");
    EXPECT_EQ(parser.GetValue(L"Open"), L"Ouvrir");
    EXPECT_EQ(parser.GetValue(L"a"), L"b=c");
    EXPECT_EQ(parser.GetValue(L"dup"), L"second");
    EXPECT_EQ(parser.GetValue(L"Case"), L"lower");
    EXPECT_EQ(parser.GetValue(L"case"), L"other");
    EXPECT_EQ(parser.GetValue(L"x"), L"");
    EXPECT_EQ(parser.GetValue(L""), L"");
    EXPECT_EQ(parser.Entries().size(), 6u);

    Resource::Dictionary().Parse(L"Tab=Save\\tCtrl+S\n");
    EXPECT_EQ(Resource::Translate(L"Tab"), L"Save\tCtrl+S");
    EXPECT_EQ(Resource::Translate(L"Missing"), L"");
}

TEST_F(LanguageTest, FilesAreUtf8WithOrWithoutMark)
{
    const EString folder = MakeScratchFolder(L"language");
    const EString withMark = FileSystem::JoinPath(folder, L"a.txt");
    WriteFileBytes(withMark, "\xEF\xBB\xBFGreeting=Gr\xC3\xBC\xC3\x9F Gott\n");
    IniParser parser;
    EXPECT_TRUE(parser.Load(withMark));
    EXPECT_EQ(parser.GetValue(L"Greeting"), L"Gr\u00fc\u00df Gott");
    EXPECT_FALSE(parser.Load(FileSystem::JoinPath(folder, L"missing.txt")));
    EXPECT_EQ(parser.Entries().size(), 1u);
}

TEST_F(LanguageTest, LanguagesAndTheirFiles)
{
    EXPECT_EQ(Language(0x07).GetName(), L"German");
    EXPECT_EQ(Language(0x0409).GetName(), L"");
    EXPECT_EQ(Language(0x0409).GetFilePath(), L"");
    EXPECT_EQ(Language(0x09).GetFilePath(), FileSystem::GetProgramFolderPath(L"Language\\English.txt"));

    // The English file ships with the program; Russian does not.
    ASSERT_TRUE(Language::IsAvailable(0x09));
    EXPECT_FALSE(Language::IsAvailable(0x19));
    EXPECT_EQ(Language::GetAvailableLanguage(0x19), 0x09u);
    std::map<unsigned, EString> installed;
    Language::GetInstalledLanguages(installed);
    EXPECT_EQ(installed.count(0x09), 1u);
    EXPECT_EQ(installed.count(0x19), 0u);

    Options::SetUiLanguage(0x19);
    EXPECT_TRUE(Resource::LoadUiLanguageFile());
    EXPECT_EQ(Resource::Translate(L"January"), L"January");

    // English keeps user-file folders as they are.
    Options::SetUiLanguage(0x09);
    EXPECT_EQ(Locale::GetLocalizedFolder(L"C:\\Reports", true), L"C:\\Reports");
    Options::SetUiLanguage(0x19);
    EXPECT_EQ(Locale::GetLocalizedFolder(L"C:\\Reports", true), L"C:\\Reports");
}

TEST_F(LanguageTest, LocalizedFolderOfAnAvailableLanguage)
{
    const EString file = FileSystem::GetProgramFolderPath(L"Language\\Finnish.txt");
    WriteFileBytes(file, "January=Tammikuu\n");
    Options::SetUiLanguage(0x0B);
    const EString folder = MakeScratchFolder(L"localized");
    EXPECT_EQ(Locale::GetLocalizedFolder(folder, false), folder);
    const EString finnish = FileSystem::JoinPath(folder, L"Finnish");
    EXPECT_EQ(Locale::GetLocalizedFolder(folder, true), finnish);
    EXPECT_TRUE(FileSystem::FileExists(finnish));
    EXPECT_EQ(Locale::GetLocalizedFolder(folder, false), finnish);
    EXPECT_TRUE(Resource::LoadUiLanguageFile());
    EXPECT_EQ(Resource::Translate(L"January"), L"Tammikuu");
    ::DeleteFileW(file.c_str());
}

TEST_F(LanguageTest, ReportPlaceholders)
{
    Text::Dictionary().Parse(L"Sum=42\nName={Sum} tasks\n");
    EXPECT_EQ(Text::ExpandPlaceholders(L"Total: {Sum}"), L"Total: 42");
    EXPECT_EQ(Text::ExpandPlaceholders(L"{Missing} and {Sum}{Sum}"), L"{Missing} and 4242");
    EXPECT_EQ(Text::ExpandPlaceholders(L"sum {sum}"), L"sum {sum}");
    EXPECT_EQ(Text::ExpandPlaceholders(L"{{Sum}} {Sum {} }{"), L"{42} {Sum {} }{") << "stray braces stay as written";
    EXPECT_EQ(Text::ExpandPlaceholders(L"{Name}!"), L"42 tasks!") << "a text holding a key";
}

TEST_F(LanguageTest, TranslatesMenus)
{
    Resource::Dictionary().Parse(L"File=Fichier\nOpen\tCtrl+O=Ouvrir\\tCtrl+O\nRecent=R\u00e9cents\n");
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    HMENU recent = ::CreatePopupMenu();
    ::AppendMenuW(recent, MF_STRING, 3, L"Untranslated");
    ::AppendMenuW(file, MF_STRING, 1, L"Open\tCtrl+O");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Recent");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");

    Translator::TranslateMenu(bar);

    auto text = [](HMENU menu, int position) {
        wchar_t buffer[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(position), buffer, 64, MF_BYPOSITION);
        return EString(buffer);
    };
    EXPECT_EQ(text(bar, 0), L"Fichier");
    EXPECT_EQ(text(file, 0), L"Ouvrir\tCtrl+O");
    EXPECT_EQ(::GetMenuItemID(file, 0), 1u);
    EXPECT_EQ(::GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(text(file, 2), L"R\u00e9cents");
    EXPECT_EQ(::GetSubMenu(file, 2), recent);
    EXPECT_EQ(text(recent, 0), L"Untranslated");
    ::DestroyMenu(bar);
}

TEST_F(LanguageTest, TranslatesWindowsButNotScrollingControls)
{
    Resource::Dictionary().Parse(L"Title=Titre\nLabel=\u00c9tiquette\nNotes=Remarques\nInner=Int\u00e9rieur\n");
    HWND top = ::CreateWindowExW(0, L"STATIC", L"Title", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND label = ::CreateWindowExW(0, L"STATIC", L"Label", WS_CHILD, 0, 0, 50, 20, top, nullptr, nullptr, nullptr);
    HWND notes = ::CreateWindowExW(0, L"EDIT", L"Notes", WS_CHILD | ES_MULTILINE | WS_VSCROLL, 0, 30, 100, 50, top,
                                   nullptr, nullptr, nullptr);
    HWND inner = ::CreateWindowExW(0, L"STATIC", L"Inner", WS_CHILD, 0, 0, 20, 20, notes, nullptr, nullptr, nullptr);
    HWND other = ::CreateWindowExW(0, L"STATIC", L"Unknown", WS_CHILD, 0, 0, 20, 20, top, nullptr, nullptr, nullptr);

    Translator::TranslateWindow(top);

    auto text = [](HWND window) {
        wchar_t buffer[64] = {};
        ::GetWindowTextW(window, buffer, 64);
        return EString(buffer);
    };
    EXPECT_EQ(text(top), L"Titre");
    EXPECT_EQ(text(label), L"\u00c9tiquette");
    EXPECT_EQ(text(notes), L"Notes");
    EXPECT_EQ(text(inner), L"Int\u00e9rieur");
    EXPECT_EQ(text(other), L"Unknown");
    ::DestroyWindow(top);
}
