#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

#include "foundation/CTFile.h"
#include "foundation/Log.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/DialogImpl.h"
#include "winlib/MessageName.h"
#include "winlib/PropertyPageImpl.h"
#include "winlib/PropertySheet.h"
#include "winlib/WindowImpl.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

constexpr UINT kThrowing = WM_APP + 7; // beyond every control's own messages
constexpr UINT kEcho = WM_APP + 8;
constexpr LRESULT kEchoBase = 1000;

// Throws from the handler of one message; answers kEcho from its own member,
// so a message that reached the wrong address would show.
class CProbe {
public:
    BEGIN_MIXIN_MESSAGE_MAP(CProbe)
        ON_MESSAGE(kEcho, OnEcho)
        ON_MESSAGE_RANGE(WM_CREATE, 0xFFFF, OnAnyMessage) // all but WM_NULL
    END_MESSAGE_MAP()

    UINT throwOn = static_cast<UINT>(-1); // none
    LRESULT echoBase = kEchoBase;
    int finalMessages = 0;

protected:
    void ThrowIfAsked(UINT message) const
    {
        if (message == throwOn)
            throw std::runtime_error(WideToAnsi(L"the handler of " + MessageName(message) + L" failed"));
    }

private:
    LRESULT OnEcho(UINT, WPARAM wParam, LPARAM, bool&) { return echoBase + static_cast<LRESULT>(wParam); }
    LRESULT OnAnyMessage(UINT message, WPARAM, LPARAM, bool& handled)
    {
        ThrowIfAsked(message);
        handled = false;
        return 0;
    }
};

class CProbeWindow : public CWindowImpl<CProbeWindow>, public CProbe {
public:
    BEGIN_MESSAGE_MAP(CProbeWindow)
        CHAIN_MESSAGE_MAP(CProbe)
    END_MESSAGE_MAP()
    void OnFinalMessage(HWND) override { ++finalMessages; }
};

class CProbeDialog : public CDialogImpl<CProbeDialog>, public CProbe {
public:
    enum { IDD = IDD_EXCHANGE };
    BEGIN_MESSAGE_MAP(CProbeDialog)
        ON_COMMAND(IDCANCEL, OnCancel)
        CHAIN_MESSAGE_MAP(CProbe)
    END_MESSAGE_MAP()
    void OnFinalMessage(HWND) override { ++finalMessages; }
    void OnInitDialog() { ThrowIfAsked(WM_INITDIALOG); }
    LRESULT OnCancel(WORD, WORD, HWND, bool&)
    {
        EndDialog(IDCANCEL);
        return 0;
    }
};

class CProbePage : public CPropertyPageImpl<CProbePage>, public CProbe {
public:
    enum { IDD = IDD_PAGE_ONE };
    BEGIN_MESSAGE_MAP(CProbePage)
        CHAIN_MESSAGE_MAP(CPropertyPageImpl<CProbePage>)
        CHAIN_MESSAGE_MAP(CProbe)
    END_MESSAGE_MAP()
    void OnInitDialog() { ThrowIfAsked(WM_INITDIALOG); }
    int OnApply()
    {
        ++applied;
        return PSNRET_NOERROR;
    }
    int applied = 0;
};

// What is left of an object once its window is gone.
struct Remains {
    HWND window;
    const MSG* current;
    int finalMessages;
};

template <class Object>
Remains RemainsOf(const Object& object)
{
    return {object.m_hWnd, object.GetCurrentMessage(), object.finalMessages};
}

// Memory above 4 GB (Wine puts the heap below it): a pointer to an object
// placed there does not survive being cut to 32 bits anywhere on its way.
class HighMemory {
public:
    HighMemory()
        : m_block(::VirtualAlloc(nullptr, kSize, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE))
    {
    }
    ~HighMemory()
    {
        if (m_block)
            ::VirtualFree(m_block, 0, MEM_RELEASE);
    }
    HighMemory(const HighMemory&) = delete;
    HighMemory& operator=(const HighMemory&) = delete;

    bool IsAbove4Gb() const { return reinterpret_cast<std::uintptr_t>(m_block) > 0xFFFFFFFFu; }

    template <class Object>
    Object& Place()
    {
        static_assert(sizeof(Object) <= kSize);
        return *new (m_block) Object();
    }

private:
    static constexpr size_t kSize = 64 * 1024;
    void* m_block;
};

// Destroys an object placed in HighMemory at the end of a scope.
struct PlacedDeleter {
    template <class Object>
    void operator()(Object* object) const
    {
        object->~Object();
    }
};

HWND CreateEdit()
{
    return ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

TEST(MessageDispatcherTest, AThrowingHandlerLeavesTheObjectAsIfTheMessageHadFailed)
{
    const struct {
        const char* what;
        const wchar_t* logged; // the message's name in the log line
        std::function<Remains()> run;
    } cases[] = {
        {"window, WM_NCCREATE", L"WM_NCCREATE",
         [] {
             CProbeWindow window;
             window.throwOn = WM_NCCREATE;
             EXPECT_EQ(window.Create(CreateArgs{}), nullptr);
             return RemainsOf(window);
         }},
        {"window, WM_CREATE", L"WM_CREATE",
         [] {
             CProbeWindow window;
             window.throwOn = WM_CREATE;
             EXPECT_EQ(window.Create(CreateArgs{}), nullptr);
             return RemainsOf(window);
         }},
        {"window, a sent message", L"WM_APP+7",
         [] {
             CProbeWindow window;
             window.throwOn = kThrowing;
             const HWND hwnd = window.Create(CreateArgs{});
             EXPECT_TRUE(hwnd);
             EXPECT_EQ(window.SendMessage(kThrowing), 0); // the default processing's answer
             EXPECT_EQ(window.GetCurrentMessage(), nullptr);
             EXPECT_EQ(window.SendMessage(kEcho, 1), kEchoBase + 1);
             ::DestroyWindow(hwnd);
             return RemainsOf(window);
         }},
        {"subclassed control, a sent message", L"WM_APP+7",
         [] {
             const HWND edit = CreateEdit();
             CProbeWindow control;
             control.throwOn = kThrowing;
             EXPECT_TRUE(control.SubclassWindow(edit));
             EXPECT_EQ(::SendMessageW(edit, kThrowing, 0, 0), 0);
             EXPECT_EQ(::SendMessageW(edit, kEcho, 2, 0), kEchoBase + 2);
             ::DestroyWindow(edit);
             return RemainsOf(control);
         }},
        {"modal dialog, WM_INITDIALOG", L"WM_INITDIALOG",
         [] {
             CProbeDialog dialog;
             dialog.throwOn = WM_INITDIALOG;
             EXPECT_EQ(RunModalExpectingNoDialog([&] { return dialog.DoModal(nullptr); }), -1);
             return RemainsOf(dialog);
         }},
        {"modeless dialog, WM_INITDIALOG", L"WM_INITDIALOG",
         [] {
             CProbeDialog dialog;
             dialog.throwOn = WM_INITDIALOG;
             EXPECT_EQ(dialog.Create(nullptr), nullptr);
             return RemainsOf(dialog);
         }},
        {"modeless dialog, a sent message", L"WM_APP+7",
         [] {
             CProbeDialog dialog;
             dialog.throwOn = kThrowing;
             const HWND hwnd = dialog.Create(nullptr);
             EXPECT_TRUE(hwnd);
             EXPECT_EQ(dialog.SendMessage(kThrowing), 0);
             EXPECT_EQ(dialog.GetCurrentMessage(), nullptr);
             EXPECT_EQ(dialog.SendMessage(kEcho, 3), kEchoBase + 3);
             ::DestroyWindow(hwnd);
             return RemainsOf(dialog);
         }},
    };
    for (const auto& c : cases) {
        const size_t logStart = ReadFileBytes(GetLogFilePath()).size();
        const Remains remains = c.run();
        EXPECT_EQ(remains.window, nullptr) << c.what << ": still hooked";
        EXPECT_EQ(remains.current, nullptr) << c.what;
        EXPECT_EQ(remains.finalMessages, 1) << c.what;
        const std::string line = WideToAnsi(EString(L"EXCEPTION in ") + c.logged + L": the handler of " + c.logged +
                                            L" failed\r\n");
        EXPECT_NE(ReadFileBytes(GetLogFilePath()).find(line, logStart), std::string::npos) << c.what;
    }
}

TEST(MessageDispatcherTest, APageThatCouldNotBeInitialisedShowsDisabledAndAppliesNothing)
{
    CProbePage page;
    page.throwOn = WM_INITDIALOG;
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(page);
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      if (!page.m_hWnd)
                          return false;
                      EXPECT_FALSE(page.IsWindowEnabled());
                      EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"SheetWithFailedPage").empty());
                      page.SetModified();
                      ClickButton(hwnd, IDOK);
                      return true;
                  }});
    EXPECT_EQ(page.applied, 0);
}

TEST(MessageDispatcherTest, ObjectsAbove4GbGetTheirMessages)
{
    const struct {
        const char* what;
        std::function<void(HighMemory&)> run;
    } cases[] = {
        {"window of its own class",
         [](HighMemory& memory) {
             std::unique_ptr<CProbeWindow, PlacedDeleter> window(&memory.Place<CProbeWindow>());
             ASSERT_TRUE(window->Create(CreateArgs{}));
             EXPECT_EQ(window->SendMessage(kEcho, 4), kEchoBase + 4);
             window->DestroyWindow();
             EXPECT_EQ(window->finalMessages, 1);
         }},
        {"subclassed control",
         [](HighMemory& memory) {
             const HWND edit = CreateEdit();
             std::unique_ptr<CProbeWindow, PlacedDeleter> control(&memory.Place<CProbeWindow>());
             ASSERT_TRUE(control->SubclassWindow(edit));
             EXPECT_EQ(::SendMessageW(edit, kEcho, 5, 0), kEchoBase + 5);
             ::DestroyWindow(edit);
             EXPECT_EQ(control->finalMessages, 1);
         }},
        {"modeless dialog",
         [](HighMemory& memory) {
             std::unique_ptr<CProbeDialog, PlacedDeleter> dialog(&memory.Place<CProbeDialog>());
             ASSERT_TRUE(dialog->Create(nullptr, 77));
             EXPECT_EQ(dialog->SendMessage(kEcho, 6), kEchoBase + 6);
         }},
        {"modal dialog",
         [](HighMemory& memory) {
             std::unique_ptr<CProbeDialog, PlacedDeleter> dialog(&memory.Place<CProbeDialog>());
             const INT_PTR result = RunModalSteps([&] { return dialog->DoModal(nullptr); },
                                                  {[&](HWND hwnd) {
                                                      EXPECT_EQ(::SendMessageW(hwnd, kEcho, 7, 0), kEchoBase + 7);
                                                      EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"DialogAbove4Gb").empty());
                                                      ClickButton(hwnd, IDCANCEL);
                                                      return true;
                                                  }});
             EXPECT_EQ(result, IDCANCEL);
         }},
        {"property page",
         [](HighMemory& memory) {
             std::unique_ptr<CProbePage, PlacedDeleter> page(&memory.Place<CProbePage>());
             CPropertySheet sheet(L"Sheet");
             sheet.AddPage(*page);
             RunModalSteps([&] { return sheet.DoModal(nullptr); },
                           {[&](HWND hwnd) {
                               if (!page->m_hWnd)
                                   return false;
                               EXPECT_EQ(page->SendMessage(kEcho, 8), kEchoBase + 8);
                               EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"PageAbove4Gb").empty());
                               ClickButton(hwnd, IDCANCEL);
                               return true;
                           }});
         }},
    };
    for (const auto& c : cases) {
        HighMemory memory;
        ASSERT_TRUE(memory.IsAbove4Gb()) << c.what;
        SCOPED_TRACE(c.what);
        c.run(memory);
    }
}
