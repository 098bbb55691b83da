// sstate::CWindowStateMgr: the root of the window-state tree, kept under the application's key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "docking/sstate/ContainerImpl.h"

namespace sstate {

class CWindowStateMgr {
public:
    // The main window, its placement ("placement") and its children.
    class CImpl : public CContainerImpl {
    public:
        void SetWindow(HWND window, int defaultShowCommand)
        {
            m_window = window;
            m_defaultShowCommand = defaultShowCommand;
        }

        bool Store(IMainState* mainState, HKEY key) override;
        bool Restore(IMainState* mainState, HKEY key) override;
        bool RestoreDefault() override;

    private:
        HWND m_window = nullptr;
        int m_defaultShowCommand = 0;
    };

    CWindowStateMgr();
    // The window and the show command used until Initialize names the key.
    CWindowStateMgr(HWND mainWindow, int defaultShowCommand);
    ~CWindowStateMgr();
    CWindowStateMgr(const CWindowStateMgr&) = delete;
    CWindowStateMgr& operator=(const CWindowStateMgr&) = delete;

    // The key path is relative to HKEY_CURRENT_USER.
    void Initialize(std::wstring keyPath, HWND mainWindow, int defaultShowCommand);
    std::int32_t Add(IState* state) { return m_root->Add(state); }

    bool Store();
    bool Restore();

private:
    std::wstring m_keyPath;
    CImpl* m_root;
};

} // namespace sstate
