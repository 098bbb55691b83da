// CommandBarTestSupport: the frame and the fixture that the tests of the command bar and of its XP look share.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "testing/DialogDriver.h"
#include "testing/MenuDriver.h"
#include "testing/TestMenus.h"
#include "testing/TestSupport.h"
#include "winlib/FrameWindowImpl.h"

// A frame whose bar of type Bar shows the test menu with the images of the
// test toolbar. T makes the bar's parent (BarParent) and places the bar and
// the toolbar once both exist (PlaceBars). The frame notes the commands it
// receives, the item selected last and each time it loses the activation.
template <class T, class Bar>
class CCommandBarTestFrame : public CFrameWindowImpl<T> {
public:
    BEGIN_MESSAGE_MAP(CCommandBarTestFrame)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_COMMAND, OnCommand)
        ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
        ON_MESSAGE(WM_ACTIVATE, OnActivate)
        CHAIN_MESSAGE_MAP(CFrameWindowImpl<T>)
    END_MESSAGE_MAP()

    ~CCommandBarTestFrame() override
    {
        if (images)
            ::ImageList_Destroy(images);
    }

    Bar bar;
    HWND toolbar = nullptr;
    HIMAGELIST images = nullptr;
    std::vector<UINT> commands;
    UINT selected = 0;
    int deactivations = 0;

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&)
    {
        T& self = static_cast<T&>(*this);
        const HWND parent = self.BarParent();
        bar.Create(parent);
        bar.AttachMenu(TestMenu::Make());
        images = TestMenu::MakeImages();
        toolbar = TestMenu::MakeToolbar(parent, images);
        bar.AddToolbarImages(toolbar);
        self.PlaceBars();
        return 0;
    }
    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM, bool&)
    {
        commands.push_back(LOWORD(wParam));
        return 0;
    }
    LRESULT OnMenuSelect(UINT, WPARAM wParam, LPARAM, bool&)
    {
        selected = LOWORD(wParam);
        return 0;
    }
    LRESULT OnActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        if (LOWORD(wParam) == WA_INACTIVE)
            ++deactivations;
        handled = false;
        return 0;
    }
};

// The frame shown where Frame::Placement says, active and with the focus;
// any menu still open ends with the test.
template <class Frame>
class CommandBarFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(Frame::Placement()));
        frame.ShowWindow(SW_SHOW);
        frame.UpdateLayout();
        ::SetForegroundWindow(frame);
        ::SetFocus(frame);
    }
    void TearDown() override
    {
        ::EndMenu();
        frame.DestroyWindow();
    }

    MenuStep OpenIs(int index)
    {
        return [this, index] {
            return frame.bar.OpenMenuIndex() == index && OpenMenuWindows().size() == (index >= 0 ? 1u : 0u);
        };
    }
    // The menu loop takes keys posted to any window of the thread; in
    // keyboard mode the bar has them. Not through the focus: test programs
    // running side by side take the activation from each other.
    MenuStep Key(UINT key)
    {
        return [this, key] {
            PressKey(frame.bar.InKeyboardMode() ? static_cast<HWND>(frame.bar) : static_cast<HWND>(frame), key);
            return true;
        };
    }
    MenuStep AltKey(UINT key)
    {
        return [this, key] {
            PressAltKey(frame, key);
            return true;
        };
    }
    HMENU Popup(int index) const { return ::GetSubMenu(frame.bar.GetMenu(), index); }

    // The bar rightly leaves its keyboard mode when its frame loses the
    // activation; window tests run one program at a time so that none does.
    bool ActivationTaken() const { return frame.deactivations > 0; }

    Frame frame;
};
