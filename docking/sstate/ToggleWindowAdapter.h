// sstate::CToggleWindowAdapter: keeps whether a window (the status bar) is shown ("visible").
#pragma once

#include <windows.h>

#include "docking/sstate/State.h"
#include "docking/sstate/StateBase.h"

namespace sstate {

class CToggleWindowAdapter {
public:
    class CImpl : public CStateBase<IState> {
    public:
        CImpl(HWND window, int defaultShowCommand) : m_window(window), m_defaultShowCommand(defaultShowCommand) {}

        bool Store(IMainState* mainState, HKEY key) override;
        bool Restore(IMainState* mainState, HKEY key) override;
        bool RestoreDefault() override;

    private:
        HWND m_window;
        int m_defaultShowCommand;
    };

    CToggleWindowAdapter(HWND window, int defaultShowCommand)
        : m_state(CStateRef<IState>::Adopt(new CImpl(window, defaultShowCommand)))
    {
    }
    // Without a reference: whoever keeps it takes its own.
    IState* GetState() const { return m_state.Get(); }

private:
    CStateRef<IState> m_state;
};

} // namespace sstate
