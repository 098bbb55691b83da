#include "document/ISubjectImpl.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include "foundation/CTFile.h"
#include "foundation/CaughtException.h"
#include "foundation/StepTimer.h"

namespace {

// A class as its source names it.
EString Demangled(const char* mangled)
{
    int status = 0;
    char* name = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const char* shown = status == 0 && name ? name : mangled;
    EString text = AnsiToWide(shown, std::strlen(shown));
    std::free(name);
    return text;
}

} // namespace

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
    if (code != NotifyCode::kTasksSorted)
        ++m_changeNotices;
    const StepTimer timing([code] { return EString::Formatted(L"notify %d", code); }, StepTimer::kWhenSlow);
    for (IObserver* observer : observers) {
        if (observer == sender || !IsAttached(observer))
            continue;
        try {
            // The class is read now: the observer may be gone when the step is written.
            const char* observerClass = typeid(*observer).name();
            const StepTimer update(
                [observerClass, code] {
                    return EString::Formatted(L"update %d %s", code, Demangled(observerClass).c_str());
                },
                StepTimer::kWhenSlow);
            observer->Update(this, code);
        } catch (...) {
            // One faulty view must not keep the others stale.
            LogCaughtException(L"an observer's update");
        }
    }
}
