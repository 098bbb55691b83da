// sstate::CStateBase: the reference count every state object of the tree carries.
#pragma once

#include <cstdint>
#include <utility>

namespace sstate {

// Born with one reference, which its creator holds; gone with the last.
template <class TInterface>
class CStateBase : public TInterface {
public:
    CStateBase() = default;
    CStateBase(const CStateBase&) = delete;
    CStateBase& operator=(const CStateBase&) = delete;

    void AddRef() override { ++m_references; }
    void Release() override
    {
        if (--m_references == 0)
            delete this;
    }

private:
    std::int32_t m_references = 1;
};

// One counted reference, released when the holder goes.
template <class TInterface>
class CStateRef {
public:
    CStateRef() = default;
    // Takes over a reference the caller already holds.
    static CStateRef Adopt(TInterface* state)
    {
        CStateRef ref;
        ref.m_state = state;
        return ref;
    }
    // Takes a reference of its own.
    static CStateRef Share(TInterface* state)
    {
        if (state)
            state->AddRef();
        return Adopt(state);
    }
    CStateRef(const CStateRef& other) : m_state(other.m_state)
    {
        if (m_state)
            m_state->AddRef();
    }
    CStateRef(CStateRef&& other) noexcept : m_state(std::exchange(other.m_state, nullptr)) {}
    CStateRef& operator=(CStateRef other) noexcept
    {
        std::swap(m_state, other.m_state);
        return *this;
    }
    ~CStateRef()
    {
        if (m_state)
            m_state->Release();
    }

    TInterface* Get() const { return m_state; }
    TInterface* operator->() const { return m_state; }

private:
    TInterface* m_state = nullptr;
};

} // namespace sstate
