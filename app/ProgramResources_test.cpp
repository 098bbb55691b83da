#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <span>
#include <tuple>
#include <vector>

#include "app/MainFrameTables.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/Translator.h"
#include "resources/resource.h"
#include "winlib/MenuText.h"
#include "winlib/UniqueMenu.h"

namespace {

EString ProgramPath()
{
    return FileSystem::GetProgramFolderPath(L"Quorvane.exe");
}

// The activation context the system makes from the program's manifest when
// it starts the program.
class ProgramContext {
public:
    ProgramContext()
    {
        const EString program = ProgramPath();
        ACTCTXW description = {};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = program.c_str();
        description.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        m_context = ::CreateActCtxW(&description);
    }
    ~ProgramContext()
    {
        if (IsValid())
            ::ReleaseActCtx(m_context);
    }
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    bool IsValid() const { return m_context != INVALID_HANDLE_VALUE; }

    // What QueryActCtxW answers for the class; empty when it has no answer.
    template <class T>
    std::vector<BYTE> Query(ULONG infoClass, DWORD index = 0) const
    {
        SIZE_T size = 0;
        ::QueryActCtxW(0, m_context, &index, infoClass, nullptr, 0, &size);
        std::vector<BYTE> answer(std::max<SIZE_T>(size, sizeof(T)));
        if (!::QueryActCtxW(0, m_context, &index, infoClass, answer.data(), answer.size(), &size))
            answer.clear();
        return answer;
    }

    // The identities of the assemblies the context has resolved, the
    // program's own first.
    std::vector<EString> Assemblies() const
    {
        std::vector<EString> identities;
        const auto details = Query<ACTIVATION_CONTEXT_DETAILED_INFORMATION>(ActivationContextDetailedInformation);
        if (details.empty())
            return identities;
        const auto count = reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(details.data())->ulAssemblyCount;
        for (DWORD i = 1; i <= count; ++i) {
            const auto assembly = Query<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION>(
                AssemblyDetailedInformationInActivationContext, i);
            const auto* info = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(assembly.data());
            identities.push_back(!assembly.empty() && info->lpAssemblyEncodedAssemblyIdentity
                                     ? EString(info->lpAssemblyEncodedAssemblyIdentity)
                                     : EString());
        }
        return identities;
    }

private:
    HANDLE m_context = INVALID_HANDLE_VALUE;
};

EString VersionText(const wchar_t* name)
{
    const EString program = ProgramPath();
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
    std::vector<BYTE> block(size);
    if (!size || !::GetFileVersionInfoW(program.c_str(), 0, size, block.data()))
        return EString();
    void* value = nullptr;
    UINT length = 0;
    const EString path = EString(L"\\StringFileInfo\\040904b0\\") + name;
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || !length)
        return EString();
    return EString(static_cast<const wchar_t*>(value));
}

bool Contains(const EString& text, const wchar_t* part)
{
    return text.find(part) != EString::npos;
}

// The built program loaded for its resources only.
class ProgramModule {
public:
    ProgramModule() : m_module(::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ProgramModule()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    ProgramModule(const ProgramModule&) = delete;
    ProgramModule& operator=(const ProgramModule&) = delete;

    HMODULE Get() const { return m_module; }

    // The raw bytes of a resource; empty when it is missing.
    std::vector<BYTE> Data(const wchar_t* type, int id) const
    {
        const HRSRC found = ::FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
        const HGLOBAL loaded = found ? ::LoadResource(m_module, found) : nullptr;
        const auto* bytes = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
        if (!bytes)
            return {};
        return std::vector<BYTE>(bytes, bytes + ::SizeofResource(m_module, found));
    }

    EString String(UINT id) const
    {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(m_module, id, reinterpret_cast<LPWSTR>(&text), 0);
        return length > 0 ? EString(text, length) : EString();
    }

private:
    HMODULE m_module;
};

// The pictures besides those of the frame's tables: the people tree's items,
// the daily plan's navigation bar and the task list's rows.
const int kOtherPictures[] = {
    IDI_PEOPLE_GROUP, IDI_PEOPLE_GROUP_OPEN, IDI_PEOPLE_PERSON, IDI_RECURRING, IDI_DAY_PREVIOUS, IDI_DAY_TODAY,
    IDI_DAY_NEXT, IDI_ADJUST_START_TIME, IDI_ADJUST_STOP_TIME, IDI_RESCHEDULE_TOMORROW, IDI_DAY_ZOOM_OUT,
    IDI_DAY_ZOOM_IN, IDI_TASK_NEW, IDI_TASK_IN_PROGRESS, IDI_TASK_COMPLETED, IDI_TASK_RECURRING,
    IDI_TASK_DRAG_MOVE, IDI_TASK_DRAG_COPY,
};

// The frame's toolbar buttons, separators left out.
std::vector<ToolbarItem> ToolbarButtons()
{
    std::vector<ToolbarItem> buttons;
    for (const std::span<const ToolbarItem> bar : MainFrameTables::kToolbars)
        for (const ToolbarItem& item : bar)
            if (item.commandId)
                buttons.push_back(item);
    return buttons;
}

// Every picture of the frame's tables and the views.
std::set<int> CommandPictures()
{
    std::set<int> pictures(std::begin(kOtherPictures), std::end(kOtherPictures));
    for (const ToolbarItem& button : ToolbarButtons())
        pictures.insert(static_cast<int>(button.iconId));
    for (const MainFrameTables::MenuIcon& icon : MainFrameTables::kMenuIcons)
        pictures.insert(static_cast<int>(icon.iconId));
    return pictures;
}

struct Accelerator {
    BYTE modifiers;
    WORD key;
    WORD command;
    bool operator<(const Accelerator& other) const
    {
        return std::tie(modifiers, key, command) < std::tie(other.modifiers, other.key, other.command);
    }
    bool operator==(const Accelerator& other) const = default;
};

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kShift = FVIRTKEY | FSHIFT;
constexpr BYTE kAlt = FVIRTKEY | FALT;
constexpr BYTE kKey = FVIRTKEY;

const Accelerator kAccelerators[] = {
    {kCtrl, '1', ID_TASK_PRIORITY_URGENT_AND_IMPORTANT},
    {kCtrl, '2', ID_TASK_PRIORITY_IMPORTANT},
    {kCtrl, '3', ID_TASK_PRIORITY_URGENT},
    {kCtrl, '4', ID_TASK_PRIORITY_FUTURE},
    {kCtrl, 'A', ID_EDIT_SELECT_ALL},
    {kCtrl, 'B', ID_TASK_REBASE_ESTIMATE},
    {kCtrl, 'C', ID_EDIT_COPY},
    {kCtrl, VK_INSERT, ID_EDIT_COPY},
    {kCtrl, 'D', ID_RECURRING_TASKS},
    {kCtrl, 'E', ID_TASK_COMPLETE},
    {kCtrl, 'F', ID_FIND},
    {kKey, VK_F3, ID_FIND_NEXT},
    {kCtrl, 'G', ID_ADJUST_STOP_TIME},
    {kCtrl, 'H', ID_RESCHEDULE_TOMORROW},
    {kCtrl, VK_F7, ID_RESCHEDULE_TOMORROW},
    {kCtrl, 'I', ID_TASK_ADD},
    {kKey, VK_DELETE, ID_TASK_DELETE},
    {kCtrl, 'J', ID_LOCATE_SCHEDULE},
    {kCtrl, 'K', ID_LOCATE_CATEGORY},
    {kCtrl, 'L', ID_TRACK_TIME},
    {kCtrl | FSHIFT, 'L', ID_TRACK_NOW_NAME_LATER},
    {kCtrl, 'M', ID_ADJUST_START_TIME},
    {kCtrl, 'N', ID_FILE_NEW},
    {kCtrl, 'O', ID_FILE_OPEN},
    {kCtrl, 'S', ID_FILE_SAVE},
    {kCtrl, 'R', ID_PREPARE_REPORT},
    {kCtrl, 'T', ID_TRANSPARENT_CATEGORIES},
    {kCtrl, 'U', ID_TASK_SPLIT},
    {kCtrl, 'V', ID_EDIT_PASTE},
    {kShift, VK_INSERT, ID_EDIT_PASTE},
    {kCtrl, 'X', ID_EDIT_CUT},
    {kShift, VK_DELETE, ID_EDIT_CUT},
    {kCtrl, 'Z', ID_EDIT_UNDO},
    {kAlt, VK_BACK, ID_EDIT_UNDO},
    {kCtrl, 'W', ID_DAY_TODAY},
    {kCtrl, 'Y', ID_TASK_RECURRING},
    {kKey, VK_F1, ID_HELP_TOPICS},
    {kKey, VK_F2, ID_BACK_TO_ALL_TASKS},
    {kCtrl, VK_F2, ID_IMPORT},
    {kCtrl, VK_F3, ID_EXPORT},
    {kKey, VK_F4, ID_FIND_GOALS_WIZARD},
    {kCtrl, VK_F4, ID_VIEW_DAILY_PLAN},
    {kShift, VK_F7, ID_VIEW_CATEGORIES},
    {kKey, VK_F7, ID_VIEW_PEOPLE_LIST},
    {kKey, VK_F9, ID_ARRANGE_DEADLINES},
    {kKey, VK_F6, ID_NEXT_PANE},
    {kShift, VK_F6, ID_PREVIOUS_PANE},
    {kCtrl, 'P', ID_FILE_PRINT},
    {kKey, VK_TAB, ID_NEXT_FIELD},
};

// The accelerator resource as stored: eight bytes an entry, the last one
// marked with 0x80.
std::vector<Accelerator> StoredAccelerators(const std::vector<BYTE>& data)
{
    std::vector<Accelerator> entries;
    for (size_t at = 0; at + 8 <= data.size(); at += 8) {
        const auto word = [&](size_t offset) { return static_cast<WORD>(data[at + offset] | data[at + offset + 1] << 8); };
        entries.push_back({static_cast<BYTE>(data[at] & ~0x80), word(2), word(4)});
        if (data[at] & 0x80)
            break;
    }
    return entries;
}

// Every command of a menu and its popups, and the texts of all its items.
void CollectMenu(HMENU menu, std::set<UINT>& commands, std::vector<EString>& texts)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[260] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 260;
        if (!::GetMenuItemInfoW(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        texts.push_back(text);
        if (info.hSubMenu)
            CollectMenu(info.hSubMenu, commands, texts);
        else
            commands.insert(info.wID);
    }
}

struct MenuContents {
    bool loaded = false;
    std::set<UINT> commands;
    std::vector<EString> texts;
};

// The main menu as the built program holds it.
MenuContents MainMenu(const ProgramModule& program)
{
    MenuContents contents;
    const UniqueMenu menu(::LoadMenuW(program.Get(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    if (!menu)
        return contents;
    contents.loaded = true;
    CollectMenu(menu, contents.commands, contents.texts);
    return contents;
}

// The ids of the program's resources of a type, in the order the module holds them.
std::vector<ULONG_PTR> ResourceIds(const ProgramModule& program, const wchar_t* type)
{
    std::vector<ULONG_PTR> ids;
    ::EnumResourceNamesW(program.Get(), type,
                         [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
                             reinterpret_cast<std::vector<ULONG_PTR>*>(found)->push_back(reinterpret_cast<ULONG_PTR>(name));
                             return TRUE;
                         },
                         reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// Items of one popup (of the menu or of its submenus) that share a letter,
// as "<popup path>: <item> and <item>".
void CollectSharedLetters(HMENU menu, const EString& path, std::vector<EString>& shared)
{
    std::map<wchar_t, EString> owners;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[260] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 260;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        if (info.hSubMenu)
            CollectSharedLetters(info.hSubMenu, path + L" > " + text, shared);
        const std::wstring_view shown = MenuText::Label(text);
        const EString label(shown.data(), shown.size());
        const wchar_t letter = MenuText::Mnemonic(label);
        if (!letter)
            continue;
        const auto [owner, first] = owners.emplace(letter, label);
        if (!first)
            shared.push_back(path + L": " + owner->second + L" and " + label);
    }
}

// The UI dictionary a test replaces, put back when it ends.
class KeptDictionary {
public:
    KeptDictionary() : m_kept(Resource::Dictionary()) {}
    ~KeptDictionary() { Resource::Dictionary() = m_kept; }
    KeptDictionary(const KeptDictionary&) = delete;
    KeptDictionary& operator=(const KeptDictionary&) = delete;

private:
    IniParser m_kept;
};

} // namespace

// A manifest the system cannot read, or whose dependency it cannot resolve,
// stops the program before it starts.
TEST(ProgramResourcesTest, TheManifestResolvesToCommonControls6)
{
    ASSERT_TRUE(FileSystem::FileExists(ProgramPath()));
    const ProgramContext context;
    ASSERT_TRUE(context.IsValid());
    const std::vector<EString> assemblies = context.Assemblies();
    ASSERT_EQ(assemblies.size(), 2u);
    EXPECT_TRUE(Contains(assemblies[0], L"Quorvane")) << assemblies[0].c_str();
    EXPECT_TRUE(Contains(assemblies[1], L"Microsoft.Windows.Common-Controls")) << assemblies[1].c_str();
    EXPECT_TRUE(Contains(assemblies[1], L"6.0.")) << assemblies[1].c_str();
}

TEST(ProgramResourcesTest, TheVersionResourceNamesTheProgram)
{
    EXPECT_EQ(VersionText(L"ProductName"), L"Quorvane");
    EXPECT_EQ(VersionText(L"OriginalFilename"), L"Quorvane.exe");
    EXPECT_EQ(VersionText(L"FileVersion"), VersionText(L"ProductVersion"));
    EXPECT_FALSE(VersionText(L"FileVersion").empty());
}

TEST(ProgramResourcesTest, EveryCommandPictureLoadsAs16By16WithAlpha)
{
    const ProgramModule program;
    ASSERT_TRUE(program.Get());
    for (const int id : CommandPictures()) {
        const auto icon = static_cast<HICON>(::LoadImageW(program.Get(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
        ASSERT_TRUE(icon) << id;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info)) << id;
        BITMAP colour = {};
        ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, 16) << id;
        EXPECT_EQ(colour.bmHeight, 16) << id;
        EXPECT_EQ(colour.bmBitsPixel, 32) << id;
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

namespace {

// The caption of a dialog template (DLGTEMPLATEEX or DLGTEMPLATE): after the
// fixed part come the menu and the class, each none, an ordinal or a text.
EString DialogCaption(const std::vector<BYTE>& data)
{
    const bool extended = data.size() >= 4 && data[2] == 0xFF && data[3] == 0xFF;
    size_t at = extended ? 26 : 18;
    const auto word = [&](size_t offset) {
        return offset + 1 < data.size() ? static_cast<WORD>(data[offset] | data[offset + 1] << 8) : WORD{0};
    };
    const auto skipNameOrOrdinal = [&] {
        if (word(at) == 0xFFFF) {
            at += 4;
            return;
        }
        while (at + 1 < data.size() && word(at))
            at += 2;
        at += 2;
    };
    skipNameOrOrdinal();
    skipNameOrOrdinal();
    EString caption;
    for (; at + 1 < data.size() && word(at); at += 2)
        caption += static_cast<wchar_t>(word(at));
    return caption;
}

} // namespace

// An ellipsis promises that a command opens a dialog; a window's own caption never ends in one.
TEST(ProgramResourcesTest, NoDialogCaptionEndsInAnEllipsis)
{
    const ProgramModule program;
    ASSERT_TRUE(program.Get());
    std::vector<int> ids;
    ::EnumResourceNamesW(
        program.Get(), RT_DIALOG,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<int>*>(found)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    EXPECT_GT(ids.size(), 20u);
    IniParser english;
    ASSERT_TRUE(english.Load(FileSystem::GetProgramFolderPath(L"Language\\English.txt")));
    for (const int id : ids) {
        const EString key = DialogCaption(program.Data(RT_DIALOG, id));
        const EString translated = english.GetValue(key);
        const EString shown = translated.empty() ? key : translated;
        EXPECT_FALSE(shown.ends_with(L"...") || shown.ends_with(L"\u2026")) << "dialog " << id << ": " << shown.c_str();
    }
}

// The notification area takes the small picture and the shell the large one;
// the shell shows the icon that comes first as the program's.
TEST(ProgramResourcesTest, TheProgramIconHasBothSizesAndComesFirst)
{
    const ProgramModule program;
    const std::vector<BYTE> group = program.Data(RT_GROUP_ICON, IDI_QUORVANE);
    ASSERT_FALSE(group.empty());
    for (const int size : {16, 32}) {
        const int image = ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data()), TRUE, size, size, LR_DEFAULTCOLOR);
        const std::vector<BYTE> bits = program.Data(RT_ICON, image);
        ASSERT_GE(bits.size(), sizeof(BITMAPINFOHEADER)) << size;
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits.data());
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biBitCount, 32);
    }
    const std::vector<ULONG_PTR> order = ResourceIds(program, RT_GROUP_ICON);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), static_cast<ULONG_PTR>(IDI_PROGRAM_FILE));
    const std::vector<BYTE> first = program.Data(RT_GROUP_ICON, IDI_PROGRAM_FILE);
    EXPECT_EQ(first.size(), group.size());
}

TEST(ProgramResourcesTest, TheStringsAreTheTitleAndTheStatusBarTexts)
{
    const struct {
        UINT id;
        EString text;
    } cases[] = {
        {IDS_PRODUCT_NAME, L"Quorvane"},
        {IDS_IDLE_MESSAGE, L"Ready"},
        {ID_PANE_TASK_SUMMARY, EString(122, L' ')},
        {ID_PANE_CLOCK, L"00:00 AM"},
    };
    const ProgramModule program;
    for (const auto& c : cases)
        EXPECT_EQ(program.String(c.id), c.text) << c.id;
}

TEST(ProgramResourcesTest, TheAcceleratorTableHoldsExactlyTheFramesKeys)
{
    const ProgramModule program;
    std::vector<Accelerator> stored = StoredAccelerators(program.Data(RT_ACCELERATOR, IDR_MAINFRAME));
    std::vector<Accelerator> expected(std::begin(kAccelerators), std::end(kAccelerators));
    std::sort(stored.begin(), stored.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(stored.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(stored[i], expected[i]) << "key " << expected[i].key << " command " << expected[i].command;
}

TEST(ProgramResourcesTest, TheFileMenusNinthItemIsTheRecentFilesPopup)
{
    const ProgramModule program;
    const UniqueMenu menu(::LoadMenuW(program.Get(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    ASSERT_TRUE(menu.Get());
    const HMENU recent = ::GetSubMenu(::GetSubMenu(menu, 0), 8);
    ASSERT_TRUE(recent);
    EXPECT_EQ(::GetMenuItemID(recent, 0), static_cast<UINT>(ID_FILE_MRU_FIRST));
}

// The keys without a handler (Shift+F6, Ctrl+P, Tab) need no menu item.
TEST(ProgramResourcesTest, TheMenuReachesEveryCommandOfTheKeysAndPictures)
{
    const ProgramModule program;
    const MenuContents menu = MainMenu(program);
    ASSERT_TRUE(menu.loaded);
    const std::set<UINT>& commands = menu.commands;
    for (const MainFrameTables::MenuIcon& icon : MainFrameTables::kMenuIcons)
        EXPECT_TRUE(commands.count(icon.commandId)) << icon.commandId;
    for (const Accelerator& key : kAccelerators) {
        if (key.command != ID_PREVIOUS_PANE && key.command != ID_FILE_PRINT && key.command != ID_NEXT_FIELD) {
            EXPECT_TRUE(commands.count(key.command)) << key.command;
        }
    }
}

// A renumbered command or picture would leave a button or a menu picture
// that nothing answers or that shows nothing.
TEST(ProgramResourcesTest, EveryButtonAndMenuPictureNamesACommandOfTheMenuOrKeysAndAPictureOfTheProgram)
{
    const ProgramModule program;
    const MenuContents menu = MainMenu(program);
    ASSERT_TRUE(menu.loaded);
    std::set<UINT> commands = menu.commands;
    for (const Accelerator& key : StoredAccelerators(program.Data(RT_ACCELERATOR, IDR_MAINFRAME)))
        commands.insert(key.command);
    const auto hasPicture = [&](UINT icon) {
        return ::FindResourceW(program.Get(), MAKEINTRESOURCEW(icon), RT_GROUP_ICON) != nullptr;
    };
    const std::vector<ToolbarItem> buttons = ToolbarButtons();
    EXPECT_EQ(buttons.size(), 24u);
    for (const ToolbarItem& button : buttons) {
        EXPECT_TRUE(commands.count(button.commandId)) << button.text;
        EXPECT_TRUE(hasPicture(button.iconId)) << button.text;
    }
    for (const MainFrameTables::MenuIcon& icon : MainFrameTables::kMenuIcons) {
        EXPECT_TRUE(commands.count(icon.commandId)) << icon.commandId;
        EXPECT_TRUE(hasPicture(icon.iconId)) << icon.commandId;
    }
}

// A command shows one picture, on its button and on its menu item.
TEST(ProgramResourcesTest, AMenuItemShowsThePictureOfItsButton)
{
    std::map<UINT, UINT> menuPicture;
    for (const MainFrameTables::MenuIcon& icon : MainFrameTables::kMenuIcons)
        EXPECT_TRUE(menuPicture.emplace(icon.commandId, icon.iconId).second) << "twice: " << icon.commandId;
    for (const ToolbarItem& button : ToolbarButtons()) {
        const auto found = menuPicture.find(button.commandId);
        ASSERT_NE(found, menuPicture.end()) << button.text;
        EXPECT_EQ(found->second, button.iconId) << button.text;
    }
}

// The menu holds keys: without an English text a user would see the key.
TEST(ProgramResourcesTest, EveryMenuTextHasAnEnglishTranslation)
{
    const ProgramModule program;
    const MenuContents menu = MainMenu(program);
    ASSERT_TRUE(menu.loaded);
    IniParser english;
    ASSERT_TRUE(english.Load(FileSystem::GetProgramFolderPath(L"Language\\English.txt")));
    for (const EString& key : menu.texts)
        EXPECT_FALSE(english.GetValue(key).empty()) << key.c_str();
}

// A command's string is a key whose English text is the status-bar help, a
// backslash-n, and the tool tip, which the tool-tip field holds to 79
// characters.
TEST(ProgramResourcesTest, EveryCommandHasHelpAndATip)
{
    const ProgramModule program;
    const MenuContents menu = MainMenu(program);
    ASSERT_TRUE(menu.loaded);
    std::set<UINT> commands = menu.commands;
    for (const ToolbarItem& button : ToolbarButtons())
        commands.insert(button.commandId);
    commands.erase(ID_FILE_MRU_FIRST);
    commands.insert(IDS_RECENT_FILE_PROMPT);
    IniParser english;
    ASSERT_TRUE(english.Load(FileSystem::GetProgramFolderPath(L"Language\\English.txt")));
    for (const UINT command : commands) {
        const EString text = english.GetValue(program.String(command));
        const size_t split = text.find(L"\\n");
        ASSERT_NE(split, EString::npos) << command;
        EXPECT_GT(split, 0u) << command;
        const size_t tip = text.size() - split - 2;
        EXPECT_GT(tip, 0u) << command;
        EXPECT_LE(tip, 79u) << command;
    }
}

// A letter typed in an open menu chooses one item: in every language the
// program ships, no two items of one menu or submenu share a letter.
TEST(ProgramResourcesTest, NoTwoItemsOfAMenuShareALetterInAnyLanguage)
{
    const ProgramModule program;
    const std::vector<ULONG_PTR> menus = ResourceIds(program, RT_MENU);
    ASSERT_GE(menus.size(), 8u);
    std::map<unsigned, EString> languages;
    Language::GetInstalledLanguages(languages);
    ASSERT_TRUE(languages.count(Language::kEnglish));
    const KeptDictionary kept;
    for (const auto& [id, name] : languages) {
        const EString file = Language(static_cast<unsigned short>(id)).GetFilePath();
        Resource::Dictionary().Clear();
        if (!Resource::Load(file)) {
            // Another test program's language file may come and go meanwhile.
            EXPECT_FALSE(FileSystem::FileExists(file)) << file.c_str();
            continue;
        }
        for (const ULONG_PTR menuId : menus) {
            const UniqueMenu menu(::LoadMenuW(program.Get(), MAKEINTRESOURCEW(menuId)));
            ASSERT_TRUE(menu.Get()) << menuId;
            Translator::TranslateMenu(menu);
            std::vector<EString> shared;
            CollectSharedLetters(menu, EString::Formatted(L"%s menu %u", name.c_str(), static_cast<unsigned>(menuId)),
                                 shared);
            for (const EString& items : shared)
                ADD_FAILURE() << items.c_str();
        }
    }
}
