// CDialogImpl<T>: a dialog from T's resource template (T::IDD), modal or modeless, with T as its object.
#pragma once

#include "foundation/ResourceModule.h"
#include "winlib/DialogImplRoot.h"

template <class T>
class CDialogImpl : public CDialogImplRoot {
public:
    // The caller's initParam is GetInitParam() while the dialog runs.
    INT_PTR DoModal(HWND parent = ::GetActiveWindow(), LPARAM initParam = 0)
    {
        return RunModal(GetResourceModule(), MAKEINTRESOURCEW(T::IDD), parent, initParam);
    }
    HWND Create(HWND parent, LPARAM initParam = 0)
    {
        return CreateModeless(GetResourceModule(), MAKEINTRESOURCEW(T::IDD), parent, initParam);
    }

    // T hides this to fill its controls when the dialog opens.
    void OnInitDialog() {}

protected:
    void InitDialog() override { static_cast<T*>(this)->OnInitDialog(); }
};
