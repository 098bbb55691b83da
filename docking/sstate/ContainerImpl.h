// sstate::CContainerImpl: a state made of child states, each under a sub key named by its id.
#pragma once

#include <cstdint>
#include <map>

#include "docking/sstate/State.h"
#include "docking/sstate/StateBase.h"

namespace sstate {

class CContainerImpl : public CStateBase<IState> {
public:
    // The container takes a reference of its own. Ids count down from -1;
    // compared as unsigned numbers, the last child added comes first.
    std::int32_t Add(IState* child);

    bool Store(IMainState* mainState, HKEY key) override;
    bool Restore(IMainState* mainState, HKEY key) override;
    bool RestoreDefault() override;

private:
    std::int32_t m_nextId = -1;
    std::map<std::uint32_t, CStateRef<IState>> m_children;
};

} // namespace sstate
