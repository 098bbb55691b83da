// ISubjectImpl: the observer list and the walk that notifies it.
#pragma once

#include <vector>

#include "document/IObserver.h"
#include "document/ISubject.h"

// The list holds its observers in order of attachment and owns none of them.
class ISubjectImpl : public ISubject {
public:
    ISubjectImpl() = default;
    ISubjectImpl(const ISubjectImpl&) = delete;
    ISubjectImpl& operator=(const ISubjectImpl&) = delete;
    ~ISubjectImpl() override = default;

    // An observer attached twice is held, and notified, twice; null is ignored.
    void Attach(IObserver* observer) override;
    // Removes every entry of the observer.
    void Detach(IObserver* observer) override;
    // An observer may attach or detach observers, itself included, during its
    // Update; one that throws does not keep the others from hearing the code.
    void Notify(IObserver* sender, DocNotifyCode code) override;
    virtual void DetachAll();
    // How many notifications other than the task list's new order (-5) have
    // begun: an observer that compares it before and after knows whether any
    // change may have been told, even one it has not heard yet.
    unsigned long long GetChangeNoticeCount() const { return m_changeNotices; }

private:
    bool IsAttached(const IObserver* observer) const;

    std::vector<IObserver*> m_observers;
    unsigned long long m_changeNotices = 0;
};
