#include "document/ISubjectImpl.h"

#include <algorithm>

#include "foundation/CaughtException.h"

void ISubjectImpl::Attach(IObserver* observer)
{
    if (observer)
        m_observers.push_back(observer);
}

void ISubjectImpl::Detach(IObserver* observer)
{
    std::erase(m_observers, observer);
}

void ISubjectImpl::DetachAll()
{
    m_observers.clear();
}

bool ISubjectImpl::IsAttached(const IObserver* observer) const
{
    return std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end();
}

void ISubjectImpl::Notify(IObserver* sender, DocNotifyCode code)
{
    // The walk goes over a copy, as updates may change the list. An observer
    // detached meanwhile is skipped: it may be gone already. One attached
    // meanwhile hears the next notification.
    const std::vector<IObserver*> observers = m_observers;
    for (IObserver* observer : observers) {
        if (observer == sender || !IsAttached(observer))
            continue;
        try {
            observer->Update(this, code);
        } catch (...) {
            // One faulty view must not keep the others stale.
            LogCaughtException(L"an observer's update");
        }
    }
}
