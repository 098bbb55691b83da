// CPelquornDoc: the moods and the record of mood changes.
#include "document/PelquornDoc.h"

#include "foundation/Clock.h"

void CPelquornDoc::AddMood(MoodItem& mood)
{
    SetModified(1);
    Guarded([&] { GetDataManager().AddMood(mood); });
    // The list reloads whatever became of the add.
    SetCurrentMood(mood.GetId());
    Notify(nullptr, NotifyCode::kMoodsChanged);
}

void CPelquornDoc::DeleteMood(int id)
{
    SetModified(1);
    Guarded([&] { GetDataManager().DeleteMood(id); });
    Notify(nullptr, NotifyCode::kMoodsChanged);
}

void CPelquornDoc::UpdateMood(const MoodItem& mood)
{
    SetModified(1);
    Guarded([&] { GetDataManager().UpdateMood(mood); });
    Notify(nullptr, NotifyCode::kMoodsChanged);
}

bool CPelquornDoc::GetMood(int id, MoodItem& mood)
{
    return Guarded(false, [&] {
        GetDataManager().GetMood(id, mood);
        return true;
    });
}

void CPelquornDoc::GetMoods(std::vector<MoodItem>& moods)
{
    Guarded([&] {
        DataManager& data = GetDataManager();
        if (!data.HasMoods()) {
            SetModified(1);
            data.AddDefaultMoods();
        }
        data.GetMoods(moods);
    });
}

void CPelquornDoc::SetMoodState(double dateTime, int moodId)
{
    SetModified(1);
    Guarded([&] { GetDataManager().SetMoodState(dateTime, moodId); });
}

void CPelquornDoc::SetCurrentMood(int moodId)
{
    SetMoodState(Clock::Now(), moodId);
    m_currentMoodId = moodId;
}

int CPelquornDoc::GetCurrentMoodId()
{
    if (m_currentMoodId == 0)
        m_currentMoodId = Guarded(0, [&] { return GetDataManager().GetCurrentMoodId(); });
    return m_currentMoodId;
}
