#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "app/TrayIconImpl.h"
#include "foundation/FileSystem.h"
#include "foundation/ResourceModule.h"
#include "resources/AppCommandIds.h"
#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "testing/TestSupport.h"
#include "winlib/WindowImpl.h"

namespace {

// The shell as strict as the real one: it takes only the record sizes it
// knows, adds an icon once and modifies or deletes only an added one.
struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW record;
};
std::vector<ShellCall> g_shellCalls;
std::set<std::pair<HWND, UINT>> g_shellIcons;
bool g_shellTakesIcons = true;

BOOL WINAPI StandInShellNotify(DWORD message, PNOTIFYICONDATAW data)
{
    if (!data)
        return FALSE;
    ShellCall call{message, {}};
    const DWORD size = data->cbSize;
    if (size != NOTIFYICONDATAW_V1_SIZE && size != NOTIFYICONDATAW_V2_SIZE && size != NOTIFYICONDATAW_V3_SIZE &&
        size != sizeof(NOTIFYICONDATAW))
        return FALSE;
    memcpy(&call.record, data, size);
    g_shellCalls.push_back(call);
    const auto icon = std::make_pair(data->hWnd, data->uID);
    switch (message) {
    case NIM_ADD:
        return g_shellTakesIcons && g_shellIcons.insert(icon).second;
    case NIM_MODIFY:
        return g_shellIcons.count(icon) != 0;
    case NIM_DELETE:
        return g_shellIcons.erase(icon) != 0;
    default:
        return FALSE;
    }
}

class CTrayWindow : public CWindowImpl<CTrayWindow>, public CTrayIconImpl<CTrayWindow> {
public:
    BEGIN_MESSAGE_MAP(CTrayWindow)
        ON_MESSAGE(WM_COMMAND, OnCommand)
        CHAIN_MESSAGE_MAP(CTrayIconImpl<CTrayWindow>)
    END_MESSAGE_MAP()

    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM, bool&)
    {
        commands.push_back(LOWORD(wParam));
        return 0;
    }
    void PrepareMenu(HMENU popup) override
    {
        std::vector<UINT> ids;
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i)
            ids.push_back(::GetMenuItemID(popup, i));
        preparedMenus.push_back(ids);
    }

    // The shell's callback for a mouse message on an icon.
    void SendTrayMouse(UINT iconId, UINT mouseMessage)
    {
        ::SendMessageW(m_hWnd, GetCallbackMessage(), iconId, mouseMessage);
    }

    std::vector<UINT> commands;
    std::vector<std::vector<UINT>> preparedMenus;
};

HICON TestIcon()
{
    return ::LoadIconW(nullptr, IDI_APPLICATION);
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_shellCalls.clear();
        g_shellIcons.clear();
        g_shellTakesIcons = true;
        TrayIcon::SetShellNotifyFunction(&StandInShellNotify);
        ASSERT_TRUE(window.Create(CreateArgs{.title = L"Tray", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                             .rect = {60, 60, 360, 260}}));
    }
    void TearDown() override
    {
        if (::IsWindow(window.m_hWnd))
            ::DestroyWindow(window.m_hWnd);
        TrayIcon::SetShellNotifyFunction(nullptr);
        SetResourceModule(::GetModuleHandleW(nullptr));
        if (program)
            ::FreeLibrary(program);
    }

    // The menus come from the built program's own resources.
    void UseProgramResources()
    {
        program = ::LoadLibraryExW(FileSystem::GetProgramFolderPath(L"Quorvane.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(program);
        SetResourceModule(program);
    }

    CTrayWindow window;
    HMODULE program = nullptr;
};

TEST_F(TrayIconTest, TheRecordIsTheFirstFormWithMessageAndIconOnly)
{
    const HICON icon = TestIcon();
    ASSERT_TRUE(window.InstallIcon(L"Quorvane", icon, IDR_TRAY_MENU));

    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].message, static_cast<DWORD>(NIM_ADD));
    const NOTIFYICONDATAW& record = g_shellCalls[0].record;
    // 152 bytes on a 32-bit system; the 64-bit pointers move the fields.
    EXPECT_EQ(record.cbSize, offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(wchar_t));
    EXPECT_EQ(record.cbSize, sizeof(void*) == 8 ? 168u : 152u);
    EXPECT_EQ(record.hWnd, window.m_hWnd);
    EXPECT_EQ(record.uID, static_cast<UINT>(IDR_TRAY_MENU));
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(record.uCallbackMessage, ::RegisterWindowMessageW(L"WM_TRAYICON"));
    EXPECT_EQ(record.hIcon, icon);
    EXPECT_STREQ(record.szTip, L"Quorvane");
}

TEST_F(TrayIconTest, ALongTipIsCutToTheRecordAndStaysTerminated)
{
    const std::wstring tip(100, L'x');
    ASSERT_TRUE(window.InstallIcon(tip.c_str(), TestIcon(), IDR_TRAY_MENU));
    EXPECT_EQ(std::wstring(window.GetRecord().szTip), tip.substr(0, 63));
}

TEST_F(TrayIconTest, TheInstalledFlagFollowsTheShellAndOnlyAnInstalledIconIsChangedAndDeleted)
{
    struct Case {
        bool shellTakesIt;
        std::vector<DWORD> callsUpToDestroy; // install, change, destroy
    };
    const Case cases[] = {
        {true, {NIM_ADD, NIM_MODIFY, NIM_DELETE}},
        {false, {NIM_ADD}},
    };
    for (const Case& c : cases) {
        g_shellCalls.clear();
        g_shellTakesIcons = c.shellTakesIt;
        CTrayWindow framed;
        ASSERT_TRUE(framed.Create(CreateArgs{.title = L"Tray"}));
        EXPECT_EQ(framed.InstallIcon(L"Quorvane", TestIcon(), IDR_TRAY_MENU), c.shellTakesIt);
        EXPECT_EQ(framed.IsInstalled(), c.shellTakesIt);
        EXPECT_EQ(framed.ChangeIcon(::LoadIconW(nullptr, IDI_INFORMATION)), c.shellTakesIt);
        ::DestroyWindow(framed.m_hWnd);
        EXPECT_FALSE(framed.IsInstalled()) << c.shellTakesIt;

        std::vector<DWORD> calls;
        for (const ShellCall& call : g_shellCalls)
            calls.push_back(call.message);
        EXPECT_EQ(calls, c.callsUpToDestroy) << c.shellTakesIt;
        EXPECT_TRUE(g_shellIcons.empty()) << "no icon is left behind";
    }
}

TEST_F(TrayIconTest, AnIconStillInstalledGoesWithItsObject)
{
    {
        TrayIcon icon;
        ASSERT_TRUE(icon.Install(window.m_hWnd, L"Quorvane", TestIcon(), IDR_TRAY_MENU));
    }
    EXPECT_TRUE(g_shellIcons.empty());
}

TEST_F(TrayIconTest, ASecondInstallReplacesTheFirstIcon)
{
    ASSERT_TRUE(window.InstallIcon(L"Quorvane", TestIcon(), 1));
    ASSERT_TRUE(window.InstallIcon(L"Quorvane", TestIcon(), IDR_TRAY_MENU));
    EXPECT_EQ(g_shellIcons, (std::set<std::pair<HWND, UINT>>{{window.m_hWnd, IDR_TRAY_MENU}}));
}

TEST_F(TrayIconTest, ThroughTheRealShellTheFlagSaysWhetherTheIconWasAdded)
{
    // Under a virtual display there may be no notification area at all.
    TrayIcon::SetShellNotifyFunction(nullptr);
    const bool installed = window.InstallIcon(L"Quorvane", TestIcon(), IDR_TRAY_MENU);
    EXPECT_EQ(window.IsInstalled(), installed);
    EXPECT_EQ(window.RemoveIcon(), installed);
    EXPECT_FALSE(window.IsInstalled());
}

TEST_F(TrayIconTest, ADoubleClickCarriesOutTheMenusDefaultItem)
{
    struct Case {
        int defaultItem; // by position
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        {0, {ID_APP_RESTORE}}, // the frame leaves it at the first item
        {2, {ID_TRAY_EXIT}},
        {1, {}}, // a separator has no command
    };
    UseProgramResources();
    ASSERT_TRUE(window.InstallIcon(L"Quorvane", TestIcon(), IDR_TRAY_MENU));
    for (const Case& c : cases) {
        window.commands.clear();
        window.SetDefaultMenuItem(c.defaultItem);
        window.SendTrayMouse(IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
        EXPECT_EQ(window.commands, c.commands) << c.defaultItem;
    }
}

TEST_F(TrayIconTest, TheRightButtonShowsThePreparedMenuWithItsDefaultInBoldAndSendsTheChoice)
{
    UseProgramResources();
    ASSERT_TRUE(window.InstallIcon(L"Quorvane", TestIcon(), IDR_TRAY_MENU));
    UINT defaultItem = static_cast<UINT>(-2);
    EXPECT_TRUE(RunMenuSteps(
        {
            [&] {
                const std::vector<HWND> open = OpenMenuWindows();
                if (open.size() != 1)
                    return false;
                const auto menu = reinterpret_cast<HMENU>(::SendMessageW(open[0], MN_GETHMENU, 0, 0));
                defaultItem = ::GetMenuDefaultItem(menu, TRUE, 0);
                return true;
            },
            [&] {
                PressKey(window.m_hWnd, VK_UP); // from no selection to the last item
                PressKey(window.m_hWnd, VK_RETURN);
                return true;
            },
            [&] { return OpenMenuWindows().empty(); },
        },
        [&] { window.SendTrayMouse(IDR_TRAY_MENU, WM_RBUTTONUP); }));

    EXPECT_EQ(window.preparedMenus, (std::vector<std::vector<UINT>>{{ID_APP_RESTORE, 0, ID_TRAY_EXIT}}));
    EXPECT_EQ(defaultItem, 0u);
    EXPECT_TRUE(WaitFor([&] { return !window.commands.empty(); }));
    EXPECT_EQ(window.commands, std::vector<UINT>{ID_TRAY_EXIT});
}

TEST_F(TrayIconTest, OtherIconsOtherMouseMessagesAndAMissingMenuDoNothing)
{
    struct Case {
        const char* what;
        bool programMenus;
        UINT iconId;
        UINT mouseMessage;
    };
    const Case cases[] = {
        {"another icon's double-click", true, IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK},
        {"another icon's right button", true, IDR_TRAY_MENU + 1, WM_RBUTTONUP},
        {"a single click", true, IDR_TRAY_MENU, WM_LBUTTONUP},
        {"a mouse move", true, IDR_TRAY_MENU, WM_MOUSEMOVE},
        {"a double-click without the menu", false, IDR_TRAY_MENU, WM_LBUTTONDBLCLK},
        {"the right button without the menu", false, IDR_TRAY_MENU, WM_RBUTTONUP},
    };
    ASSERT_TRUE(window.InstallIcon(L"Quorvane", TestIcon(), IDR_TRAY_MENU));
    UseProgramResources();
    for (const Case& c : cases) {
        // kernel32 has no menu of that id (the test program itself carries the program's resources).
        SetResourceModule(c.programMenus ? program : ::GetModuleHandleW(L"kernel32.dll"));
        window.SendTrayMouse(c.iconId, c.mouseMessage);
        EXPECT_TRUE(OpenMenuWindows().empty()) << c.what;
        EXPECT_TRUE(window.preparedMenus.empty()) << c.what;
        EXPECT_TRUE(window.commands.empty()) << c.what;
    }
}

} // namespace
