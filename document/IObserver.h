// IObserver: what a view offers the document so that it hears of every change.
#pragma once

#include "document/DocNotifyCode.h"

class ISubject;
class ITabOrderProvider;

class IObserver {
public:
    virtual ~IObserver() = default;

    virtual void Update(ISubject* subject, DocNotifyCode code) = 0;
    // The main frame calls it just before it attaches the view, so that the
    // view can enter its controls into the frame's tab order.
    virtual void OnAttach(ITabOrderProvider* tabOrder) = 0;
};
