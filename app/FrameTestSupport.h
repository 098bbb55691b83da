// FrameTest: a test that runs the real main frame in this process, with a private registry key and a scratch folder.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/TrayIcon.h"
#include "foundation/EString.h"
#include "reports/ReportServices.h"
#include "views/calendar/CalendarView.h"
#include "views/calendar/CalendarViewDay.h"
#include "winlib/MessageLoop.h"

#include <deque>
#include <functional>
#include <vector>

#include "document/IDocumentPrompts.h"

// The document's questions answered from a script, as strict as the real
// message box and file dialogs: each runs a loop of its own while it is open,
// so whatever arrives meanwhile (a hand-over, Exit) is dispatched under it.
class ScriptedPrompts : public IDocumentPrompts {
public:
    // The next answer; Cancel when none is left.
    int AskSaveChanges(const EString& question) override;
    // The next path; false (cancelled) when none is left.
    bool ChooseOpenPath(const EString&, EString& path) override { return Choose(path); }
    bool ChooseSavePath(const EString&, const EString&, EString& path) override { return Choose(path); }
    void ShowError(const EString& text) override;
    // Noted, and whileShown called before the wait.
    void WaitShowingProgress(const EString& what, HANDLE done) override;

    std::deque<int> answers;
    std::vector<EString> progress;
    std::deque<EString> paths;
    std::vector<EString> questions;
    std::vector<EString> errors;
    int asked = 0;
    // Called while a question or an error is shown, as another program's
    // requests arrive while the user reads it.
    std::function<void()> whileShown;

private:
    void Show();
    void CallWhileShown();
    bool Choose(EString& path);
};

class FrameTest : public ::testing::Test {
protected:
    // The scratch folder's name under the test folder.
    explicit FrameTest(const wchar_t* folderName) : m_folderName(folderName) {}

    // A clean program key without the start-up tip, the loop registered, a
    // tray that takes the icon.
    void SetUp() override;
    void TearDown() override;

    // A new frame, shown with its layout restored and its document opened,
    // asking its questions of `prompts`. A new document's goals are declined
    // (Cancel) as they show; a due reminder's alert is left standing.
    CMainFrame& OpenFrame(IDocumentPrompts& prompts);
    // The same, leaving the dialogs of the start-up to the caller's driver;
    // `meanwhile` runs once the window is made, before its start-up open.
    CMainFrame& OpenFrameUnanswered(IDocumentPrompts& prompts, const std::function<void()>& meanwhile = {});
    // The path the next frame is given to open at its start, as Run gives it.
    EString m_startupPath;
    // The frame goes without a question: its document is dropped.
    void CloseFrame();
    void SendCommand(UINT id, UINT code = 0, HWND control = nullptr);
    CPelquornDoc& Doc() { return m_frame->GetDocument(); }
    // Added to the frame's plan as its views add them; each gives its new id.
    int NewCategory(const wchar_t* name, int parent = 0);
    // A task of importance 1 in the current category.
    int NewTask(const wchar_t* name, double hours, double deadline);
    int NewPlanEntry(double day, int taskId, double start, double end);
    // The plan saved under the file name in the scratch folder and read back into `saved`.
    void SaveAndReopen(const wchar_t* fileName, CPelquornDoc& saved, IDocumentPrompts& prompts);
    // The item of a tree whose data is `data`, searched through every branch, open or not.
    static HTREEITEM FindTreeItem(HWND tree, LPARAM data);
    // The first window of the class among the descendants of `parent`; null when none.
    static HWND FindChildOfClass(HWND parent, const wchar_t* className);

    CPelquornView& TaskList() { return m_frame->GetTaskList(); }
    CCalendarView& Calendar() { return m_frame->GetCalendar(); }
    CCategoryTree& Categories() { return m_frame->GetCategoryTree(); }
    // The window a pane holds.
    HWND PaneView(CMainFrame::Pane pane) { return m_frame->GetPane(pane)->Client(); }
    // As a click on the window: the focus goes there and its view becomes the document's window.
    void Focus(HWND window);
    // The task's row alone selected in the list, the list focused.
    void SelectTask(int taskId);
    // Done once the control has taken the mouse messages posted to it.
    static void WaitForMouseTaken(HWND control);

    // The daily plan pane and its time grid.
    CDailyPlanView& DailyPlan() { return m_frame->GetDailyPlan(); }
    CCalendarViewDay& DailyPlanGrid();
    CPlannerPaneCtrl& PlannerPane() { return DailyPlanGrid().GetPlanner().GetPane(); }
    const CDaySettings& PlannerSettings() { return DailyPlanGrid().GetPlanner().GetSettings(); }
    int PlannerTopHour() { return PlannerPane().GetScrollOffset() / PlannerSettings().hourHeight; }
    // Line by line through the scroll bar's arrows, as a user clicks them.
    void ScrollPlannerToHour(int hour);
    // The report command, answered as a user picks the report by its name and types the output path.
    void PrepareReport(const wchar_t* report, const EString& output);

    // The plans the frame starts are empty unless a test asks for the
    // shipped template, as the program's new plans start.
    bool m_newPlansFromTemplate = false;
    CMessageLoop m_loop;
    TrayIcon::ShellNotifyFunction m_previousShell = nullptr;
    EString m_folder;
    std::unique_ptr<CMainFrame> m_frame;

private:
    // Report services that know of no template.
    class NoTemplateServices : public ReportServices {
    public:
        EString GetFirstTemplatePath() override { return EString(); }
    };

    NoTemplateServices m_noTemplates;
    const wchar_t* m_folderName;
};
