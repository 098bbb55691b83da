// IViewLinks: what a view asks of the frame that owns it: the other views it reaches.
#pragma once

// The frame hands it to its views, with each view's face of the document,
// before it makes their windows; each frame links its own views, so two
// frames in one process never reach each other's.
class IViewLinks {
public:
    virtual ~IViewLinks() = default;

    // The task alone selected in the task list, when the list shows it; 0 selects nothing.
    virtual void SelectTask(int taskId) = 0;
    // The task's editor, as the task list's Edit opens it.
    virtual void OpenTask(int taskId) = 0;
    // The category chosen in the category tree; false when the tree does not show it.
    virtual bool SelectCategory(int categoryId) = 0;
};
