// sstate::CRebarStateAdapter: keeps the order, sizes and styles of a rebar's bands.
#pragma once

#include <windows.h>

#include <cstdint>

#include "docking/sstate/State.h"
#include "docking/sstate/StateBase.h"

namespace sstate {

class CRebarStateAdapter {
public:
    class CImpl : public CStateBase<IState> {
    public:
        CImpl(HWND rebar, std::int32_t version) : m_rebar(rebar), m_version(version) {}

        bool Store(IMainState* mainState, HKEY key) override;
        // Only a layout of the same version is applied; bands whose id the
        // rebar no longer has are skipped.
        bool Restore(IMainState* mainState, HKEY key) override;
        bool RestoreDefault() override { return true; }

    private:
        HWND m_rebar;
        std::int32_t m_version;
    };

    CRebarStateAdapter(HWND rebar, std::int32_t version)
        : m_state(CStateRef<IState>::Adopt(new CImpl(rebar, version)))
    {
    }
    // Without a reference: whoever keeps it takes its own.
    IState* GetState() const { return m_state.Get(); }

private:
    CStateRef<IState> m_state;
};

} // namespace sstate
