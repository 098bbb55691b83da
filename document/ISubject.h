// ISubject: the document as its observers see it.
#pragma once

#include "document/DocNotifyCode.h"

class IObserver;

class ISubject {
public:
    virtual ~ISubject() = default;

    virtual void Attach(IObserver* observer) = 0;
    virtual void Detach(IObserver* observer) = 0;
    // Every attached observer but the sender hears the code; a null sender
    // reaches them all.
    virtual void Notify(IObserver* sender, DocNotifyCode code) = 0;
};
