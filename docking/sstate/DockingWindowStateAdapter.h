// sstate::CDockingWindowStateAdapter: keeps where one docking pane stands.
#pragma once

#include <windows.h>

#include "docking/sstate/BorrowedKey.h"
#include "docking/sstate/ScreenFit.h"
#include "docking/sstate/State.h"
#include "docking/sstate/StateBase.h"
#include "docking/sstate/StoredDockingPosition.h"

namespace sstate {

// TPane is a docking pane: its window (operator HWND), IsVisible, IsDocked,
// Hide, GetDockingPosition, SetDockingPosition and ShowWindow.
template <class TPane>
class CDockingWindowStateAdapter {
public:
    template <class TPaneT>
    class CImplT : public CStateBase<IDockWndState> {
    public:
        CImplT(TPaneT& pane, int defaultShowCommand)
            : m_pane(pane), m_window(static_cast<HWND>(pane)), m_defaultShowCommand(defaultShowCommand)
        {
        }

        // In a container of its own: the record is "placement" in its sub key.
        bool Store(IMainState* mainState, HKEY key) override
        {
            DockingPosition position = ZeroedPosition();
            if (!GetDockingPosition(mainState, &position))
                return false;
            const auto bytes = position.Store();
            return BorrowedKey(key).SetBinary(PlacementValue, bytes.data(), static_cast<DWORD>(bytes.size()));
        }
        bool Restore(IMainState* mainState, HKEY key) override
        {
            std::optional<DockingPosition> position = ReadDockingPosition(key, PlacementValue, *mainState, VirtualScreen());
            if (!position)
                return false;
            return SetDockingPosition(mainState, &*position);
        }
        // Back where HideForRestore found it, else shown unless it already is.
        bool RestoreDefault() override
        {
            if (!HasWindow())
                return true;
            if (m_remembered.window) {
                DockingPosition position = m_remembered;
                if (m_pane.SetDockingPosition(position))
                    return true;
            }
            if (!m_pane.IsVisible() && !m_pane.IsDocked())
                m_pane.ShowWindow(m_defaultShowCommand);
            return true;
        }

        bool HideForRestore() override
        {
            m_remembered = ZeroedPosition();
            if (HasWindow() && m_pane.GetDockingPosition(m_remembered)) {
                m_remembered.window = m_window;
                return m_pane.Hide();
            }
            m_remembered.window = nullptr;
            return false;
        }
        bool GetDockingPosition(IMainState*, DockingPosition* position) override
        {
            return HasWindow() && m_pane.GetDockingPosition(*position);
        }
        bool SetDockingPosition(IMainState* mainState, DockingPosition* position) override
        {
            if (!HasWindow())
                return false;
            if (!ScaleDockingPosition(*position, mainState->XRatio(), mainState->YRatio()))
                return false;
            KeepFloatingInWorkArea(*position);
            // A container of an earlier run is gone; its handle may name
            // some other window by now.
            if (!IsWindowOfThisThread(position->container))
                position->container = nullptr;
            position->window = m_window;
            return m_pane.SetDockingPosition(*position);
        }

    private:
        static constexpr const wchar_t* PlacementValue = L"placement";

        static bool IsWindowOfThisThread(HWND window)
        {
            return window && ::IsWindow(window) &&
                   ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
        }
        // The pane deletes itself with its window: once that is gone, never touch it.
        bool HasWindow()
        {
            if (!m_window)
                m_window = static_cast<HWND>(m_pane);
            return m_window && ::IsWindow(m_window);
        }

        TPaneT& m_pane;
        HWND m_window;
        int m_defaultShowCommand;
        DockingPosition m_remembered = ZeroedPosition();
    };
    using CImpl = CImplT<TPane>;

    CDockingWindowStateAdapter(TPane& pane, int defaultShowCommand)
        : m_state(CStateRef<IDockWndState>::Adopt(new CImpl(pane, defaultShowCommand)))
    {
    }
    // Without a reference: whoever keeps it takes its own.
    IDockWndState* GetState() const { return m_state.Get(); }

private:
    CStateRef<IDockWndState> m_state;
};

} // namespace sstate
