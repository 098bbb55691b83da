// PrivateMessages: every private window message of the program, each number once.
#pragma once

#include <windows.h>

#include <array>

// Messages a window sends or posts to itself, its frame or its views. They
// are kept in one place so that no two share a number: a message that reached
// the wrong window by mistake would otherwise be taken for another one.

// Docking windows, boxes, rows and the frame negotiate a place; lParam points
// to a record on the sender's stack (docking/dockwins/DockingNotify.h).
constexpr UINT DockingNotify = WM_USER + 1;

// Posted once by the main frame at the end of its creation; wParam: the menu
// that holds the recent-document items. The document opens its first plan.
constexpr UINT WM_PELQUORN_START_OPEN = WM_USER + 25;
// A command's state for the main frame's toolbars and menus; lParam points
// to a CommandUiState.
constexpr UINT WM_PELQUORN_COMMAND_STATE = WM_USER + 26;
// The document changed: command states are refreshed. Sent to the main window
// when a view becomes active, posted to the active view after a notification.
constexpr UINT WM_PELQUORN_DOC_CHANGED = WM_USER + 27;
// Posted by every WM_SIZE of the main frame: the rebar rows are stretched to the new width.
constexpr UINT WM_MAINFRAME_MAXIMIZE_BANDS = WM_USER + 28;
// To the main frame before a context menu shows; wParam: the popup, whose
// items the frame enables and checks.
constexpr UINT WM_PELQUORN_PREPARE_MENU = WM_USER + 29;
// wParam: a toolbar of a pane whose buttons take the frame's command states.
constexpr UINT WM_PELQUORN_ADD_TOOLBAR = WM_USER + 30;
// Sent by a hover tip (wParam 0, lParam 0) just before it shows; the owner
// answers by calling CYellowTip::SetText. No text, no tip.
constexpr UINT WM_YELLOWTIP_NEEDTEXT = WM_USER + 31;
// To the main frame before a view pushes its command states: the frame
// disables every command the views had named.
constexpr UINT WM_PELQUORN_RESET_COMMANDS = WM_USER + 45;
// Posted once at the end of the main frame's creation: the layout is restored and shown.
constexpr UINT WM_MAINFRAME_STARTUP = WM_USER + 75;
// To a view itself; wParam: the drop source of the OLE drag to run.
constexpr UINT WM_PELQUORN_START_DRAG = WM_USER + 100;
// Posted by the category tree to itself after Add; wParam: the new item.
constexpr UINT WM_CATEGORY_TREE_SELECT_ITEM = WM_USER + 104;
// Posted by the dialog base to itself at initialisation: the saved rectangle
// is restored once WM_INITDIALOG has returned and the dialog has its final size.
constexpr UINT WM_DIALOG_RESTORE_RECT = WM_USER + 108;
// Exit from the menu, the tray menu or a second instance: a real close.
constexpr UINT WM_MAINFRAME_EXIT = WM_USER + 109;
// wParam 1 while no category is selected: the frame enables the filters
// that only apply then.
constexpr UINT WM_MAINFRAME_ENABLE_FILTERS = WM_USER + 110;
// Posted by the dialog base to itself after a list choice changed a member:
// the controls are loaded once the combo box has finished its own notification.
constexpr UINT WM_DIALOG_RELOAD_CONTROLS = WM_USER + 111;
// The moods changed: the frame rebuilds its mood buttons.
constexpr UINT WM_MAINFRAME_MOODS_CHANGED = WM_USER + 112;
// Posted by the hand-over: the handed-over path opens after the save prompt.
constexpr UINT WM_MAINFRAME_OPEN_HANDED_OVER = WM_USER + 114;
// Posted after the start-up open: the notification-area icon comes last, as
// the shell can keep a starting program waiting (seconds under Wine).
constexpr UINT WM_MAINFRAME_INSTALL_TRAY_ICON = WM_USER + 115;
// Posted by the deferred start-up when "ShowTipOnSturtup" is on: the tip of
// the day, once no modal window (the goals of a new plan) holds the frame.
constexpr UINT WM_MAINFRAME_SHOW_TIP = WM_USER + 116;
// Posted to the main window once the outermost modal work has ended: a
// request that came in meanwhile (a hand-over, Exit) can be carried out now.
constexpr UINT WM_MODAL_WORK_ENDED = WM_USER + 117;
// To the main frame; wParam: the popup, lParam: the POINT on the screen. The
// frame shows the menu and carries out the chosen command.
constexpr UINT WM_PELQUORN_TRACK_MENU = WM_USER + 131;
// To a view; wParam: the menu resource id, lParam: the screen point packed
// as two signed 16-bit values, x low.
constexpr UINT WM_VIEW_CONTEXT_MENU = WM_USER + 132;
// To a view: it becomes the document's window.
constexpr UINT WM_VIEW_ACTIVATE = WM_USER + 133;
// A view's set-up after its creation, posted to itself.
constexpr UINT WM_VIEW_DEFERRED_INIT = WM_USER + 134;
// Posted by the people tree to itself after an add; wParam: the new item,
// selected once the control is done with the insertion.
constexpr UINT WM_PEOPLE_TREE_SELECT_ITEM = WM_USER + 135;
// Posted with both parameters 0 once the plan-entry dialog's OK has saved the fields.
constexpr UINT WM_PLAN_DIALOG_NEW_OK = WM_USER + 170;
constexpr UINT WM_PLAN_DIALOG_EDIT_OK = WM_USER + 171;
// Sent by a colour list to its owner when the user picks a colour; lParam: the picked entry's data.
constexpr UINT WM_COLOR_PICKED = WM_USER + 201;

// Posted by the task list to itself: a dropped message could not be read.
// Shown once the drop is over, so the mail program is not held up by the message box.
constexpr UINT WM_TASK_LIST_SHOW_DROP_ERROR = WM_APP + 0x101;
// Posted by the task list to itself: the notifications of one burst refill the rows once.
constexpr UINT WM_TASK_LIST_REFILL = WM_APP + 0x102;
// Posted by the task list to itself: the control's selection changed, maybe
// row by row; the document, the calendar and the commands hear of it once.
constexpr UINT WM_TASK_LIST_SELECTION_CHANGED = WM_APP + 0x103;
// Posted by the deadlines calendar to itself: the notifications of one burst read the tasks once.
constexpr UINT WM_CALENDAR_RELOAD = WM_APP + 0x111;
// Posted by the day list to itself; wParam: the plan entry whose check box
// the user changed. The toggle reloads the rows, which must not happen inside
// the list's own change notification.
constexpr UINT WM_DAY_LIST_TOGGLE = WM_APP + 0x121;
// Posted by the command bar to itself: the menu of a title opens.
constexpr UINT WM_COMMANDBAR_OPEN_MENU = WM_APP + 0x3A0;

// Every message above, for the check that no number is used twice.
inline constexpr std::array kPrivateMessages = {
    DockingNotify, WM_PELQUORN_START_OPEN, WM_PELQUORN_COMMAND_STATE, WM_PELQUORN_DOC_CHANGED,
    WM_MAINFRAME_MAXIMIZE_BANDS, WM_PELQUORN_PREPARE_MENU, WM_PELQUORN_ADD_TOOLBAR, WM_YELLOWTIP_NEEDTEXT,
    WM_PELQUORN_RESET_COMMANDS, WM_MAINFRAME_STARTUP, WM_PELQUORN_START_DRAG, WM_CATEGORY_TREE_SELECT_ITEM,
    WM_DIALOG_RESTORE_RECT, WM_MAINFRAME_EXIT, WM_MAINFRAME_ENABLE_FILTERS, WM_DIALOG_RELOAD_CONTROLS,
    WM_MAINFRAME_MOODS_CHANGED, WM_MAINFRAME_OPEN_HANDED_OVER, WM_MAINFRAME_INSTALL_TRAY_ICON, WM_MAINFRAME_SHOW_TIP,
    WM_MODAL_WORK_ENDED, WM_PELQUORN_TRACK_MENU, WM_VIEW_CONTEXT_MENU, WM_VIEW_ACTIVATE, WM_VIEW_DEFERRED_INIT,
    WM_PEOPLE_TREE_SELECT_ITEM, WM_PLAN_DIALOG_NEW_OK, WM_PLAN_DIALOG_EDIT_OK, WM_COLOR_PICKED,
    WM_TASK_LIST_SHOW_DROP_ERROR, WM_TASK_LIST_REFILL, WM_TASK_LIST_SELECTION_CHANGED, WM_DAY_LIST_TOGGLE,
    WM_COMMANDBAR_OPEN_MENU, WM_CALENDAR_RELOAD,
};
