// ITabOrderTarget: one focusable control in the frame's tab order, and how it takes the edit commands.
#pragma once

#include <windows.h>

class ITabOrderTarget {
public:
    virtual HWND GetWindow() const = 0;
    // Deletes the target; the provider calls it for every target it owns.
    virtual void Release() = 0;
    // True when the control was given the command in its own terms.
    virtual bool DoEditCommand(UINT commandId) = 0;
    virtual ~ITabOrderTarget() = default;
};

// The targets hold their window without owning it: the pane destroys it.
class TabOrderTargetBase : public ITabOrderTarget {
public:
    explicit TabOrderTargetBase(HWND window) : m_window(window) {}
    HWND GetWindow() const override { return m_window; }
    void Release() override { delete this; }

private:
    HWND m_window;
};

// An edit control: the commands become its edit messages.
class TextEditTarget : public TabOrderTargetBase {
public:
    using TabOrderTargetBase::TabOrderTargetBase;
    bool DoEditCommand(UINT commandId) override;
};

// A window hosting an ActiveX control: the commands go to the control's
// IOleCommandTarget.
class ActiveXTarget : public TabOrderTargetBase {
public:
    using TabOrderTargetBase::TabOrderTargetBase;
    bool DoEditCommand(UINT commandId) override;

    // The registered message a host window answers with its control's IUnknown
    // (not add-ref'd).
    static UINT GetControlMessage();
};

// Any other window: it only takes part in Next Pane.
class WindowTarget : public TabOrderTargetBase {
public:
    using TabOrderTargetBase::TabOrderTargetBase;
    bool DoEditCommand(UINT) override { return false; }
};
