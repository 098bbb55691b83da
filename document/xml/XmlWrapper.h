// XmlWrapper: the common base of the DOM node wrappers, one interface pointer each.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <type_traits>

#include "foundation/ComError.h"
#include "foundation/ComPtr.h"

template <class Interface, const IID& Iid>
class XmlWrapper {
public:
    XmlWrapper() = default;
    XmlWrapper(const XmlWrapper&) = default;
    XmlWrapper(Interface* pointer) : m_pointer(pointer) {}
    // An object of another DOM interface: asked for this one. An object that does
    // not offer it leaves the wrapper empty; any other failure raises.
    template <class Other>
        requires(!std::is_same_v<Other, Interface> && std::is_base_of_v<IUnknown, Other>)
    explicit XmlWrapper(Other* object)
    {
        Query(object);
    }
    template <class OtherInterface, const IID& OtherIid>
        requires(!std::is_same_v<OtherInterface, Interface>)
    XmlWrapper(const XmlWrapper<OtherInterface, OtherIid>& other)
    {
        Query(other.Get());
    }
    virtual ~XmlWrapper() = default;
    XmlWrapper& operator=(const XmlWrapper&) = default;

    bool IsEmpty() const { return !m_pointer; }
    explicit operator bool() const { return static_cast<bool>(m_pointer); }
    Interface* Get() const { return m_pointer.Get(); }
    // The interface for a call: an empty wrapper raises E_POINTER.
    Interface* operator->() const { return Checked(); }
    Interface* Checked() const
    {
        if (!m_pointer)
            ThrowComError(E_POINTER, EString());
        return m_pointer.Get();
    }

private:
    void Query(IUnknown* object)
    {
        if (!object)
            return;
        const HRESULT hr = object->QueryInterface(Iid, reinterpret_cast<void**>(&m_pointer));
        if (hr != E_NOINTERFACE)
            ThrowIfFailed(hr);
    }

    ComPtr<Interface> m_pointer;
};
