// TabOrderProvider: the focusable controls the panes have entered; edit commands and Next Pane go through it.
#pragma once

#include <windows.h>

#include <vector>

#include "views/common/TabOrderTarget.h"

// What the views see of the frame's tab order. Each Add answers true when it
// entered the window; a window already entered keeps its first target.
class ITabOrderProvider {
public:
    virtual bool AddTextEdit(HWND edit) = 0;
    virtual bool AddActiveX(HWND host) = 0;
    virtual bool AddWindow(HWND window) = 0;
    virtual ~ITabOrderProvider() = default;
    // Takes the target over, also when it is refused (it is then released).
    virtual bool AddTarget(ITabOrderTarget* target) = 0;
};

class TabOrderProvider : public ITabOrderProvider {
public:
    TabOrderProvider() = default;
    ~TabOrderProvider() override;
    TabOrderProvider(const TabOrderProvider&) = delete;
    TabOrderProvider& operator=(const TabOrderProvider&) = delete;

    bool AddTextEdit(HWND edit) override;
    bool AddActiveX(HWND host) override;
    bool AddWindow(HWND window) override;
    bool AddTarget(ITabOrderTarget* target) override;

    // The edit command goes to the first target that holds the focus; true
    // when that target took it.
    bool OnEditCommand(UINT commandId);
    // Moves the focus to the next visible target after the one holding it,
    // wrapping around; true when it set the focus.
    bool NextTarget();

    size_t GetTargetCount() const { return m_targets.size(); }

private:
    // The index of the first target holding the focus; the count when none does.
    size_t FocusedIndex() const;

    std::vector<ITabOrderTarget*> m_targets;
};
