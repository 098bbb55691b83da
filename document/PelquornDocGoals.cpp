// CPelquornDoc: the goals list and the tasks made from chosen goals.
#include "document/PelquornDoc.h"

void CPelquornDoc::DownloadGoals(std::vector<Goal>& goals)
{
    // Goals come from the document alone: there is no source to fetch more from.
    Guarded([&] { GetDataManager().GetGoals(goals); });
}

void CPelquornDoc::AddGoalTasks(const std::vector<Goal>& goals)
{
    SetModified(1);
    const int goalsCategoryId = Guarded(0, [&] {
        DataManager& data = GetDataManager();
        data.AddGoalTasks(goals);
        return data.FindGoalsCategoryId();
    });
    Notify(nullptr, goalsCategoryId);
}

LRESULT CPelquornDoc::OnFindGoalsWizard(WORD, WORD, HWND, bool&)
{
    std::vector<Goal> offered;
    DownloadGoals(offered);
    std::vector<Goal> chosen;
    if (m_dialogs->ChooseGoals(offered, chosen))
        AddGoalTasks(chosen);
    return 0;
}
