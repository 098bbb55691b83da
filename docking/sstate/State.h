// sstate::IState, IDockWndState, IMainState: the nodes of the window-state tree and what they share.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingPosition.h"

namespace sstate {

// What one Store or Restore of the whole tree knows: the application's key
// and how much the screen grew since the layout was stored.
class IMainState {
public:
    virtual float XRatio() const = 0;
    virtual float YRatio() const = 0;
    virtual HKEY MainKey() const = 0;

protected:
    ~IMainState() = default;
};

// A reference-counted node. The key is open and owned by the caller.
class IState {
public:
    virtual ~IState() = default;
    virtual bool Store(IMainState* mainState, HKEY key) = 0;
    virtual bool Restore(IMainState* mainState, HKEY key) = 0;
    virtual bool RestoreDefault() = 0;
    virtual void AddRef() = 0;
    virtual void Release() = 0;
};

// The state of one docking pane, which the docking-window manager places in turn.
class IDockWndState : public IState {
public:
    virtual bool HideForRestore() = 0;
    virtual bool GetDockingPosition(IMainState* mainState, DockingPosition* position) = 0;
    virtual bool SetDockingPosition(IMainState* mainState, DockingPosition* position) = 0;
};

} // namespace sstate
