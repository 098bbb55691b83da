// ISimpleDropCallback: what a view answers when something is dragged over it.
#pragma once

#include <windows.h>
#include <objidl.h>

class ISimpleDropCallback {
public:
    // Asked once as a drag enters: the whole visit is refused on false.
    virtual bool CanAcceptData(IDataObject* dataObject) = 0;
    virtual void OnDragLeave() = 0;
    // In the view's client coordinates.
    virtual void OnDragOver(int x, int y) = 0;
    // True when the view took the drop.
    virtual bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) = 0;

protected:
    ~ISimpleDropCallback() = default;
};
