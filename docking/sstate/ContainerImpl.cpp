#include "docking/sstate/ContainerImpl.h"

#include "docking/sstate/StateKeyName.h"
#include "foundation/RegistryKey.h"

namespace sstate {

std::int32_t CContainerImpl::Add(IState* child)
{
    const std::int32_t id = m_nextId--;
    m_children[static_cast<std::uint32_t>(id)] = CStateRef<IState>::Share(child);
    return id;
}

bool CContainerImpl::Store(IMainState* mainState, HKEY key)
{
    for (auto& [id, child] : m_children) {
        RegistryKey childKey;
        if (childKey.Create(key, StateKeyName(static_cast<std::int32_t>(id)).c_str()))
            child->Store(mainState, childKey);
    }
    return true;
}

bool CContainerImpl::Restore(IMainState* mainState, HKEY key)
{
    for (auto& [id, child] : m_children) {
        RegistryKey childKey;
        if (childKey.Open(key, StateKeyName(static_cast<std::int32_t>(id)).c_str()))
            child->Restore(mainState, childKey);
        else
            child->RestoreDefault();
    }
    return true;
}

bool CContainerImpl::RestoreDefault()
{
    for (auto& [id, child] : m_children)
        child->RestoreDefault();
    return true;
}

} // namespace sstate
