// IMoodDocument: what the mood list reads and asks of the plan: its moods and the current one.
#pragma once

#include <vector>

#include "document/IViewDocument.h"
#include "document/model/MoodItem.h"

class IMoodDocument : public virtual IViewDocument {
public:
    virtual void AddMood(MoodItem& mood) = 0;
    virtual void DeleteMood(int id) = 0;
    virtual void UpdateMood(const MoodItem& mood) = 0;
    virtual bool GetMood(int id, MoodItem& mood) = 0;
    virtual void GetMoods(std::vector<MoodItem>& moods) = 0;
    // Picking a mood records it, with the moment, as the current one.
    virtual void SetCurrentMood(int moodId) = 0;
    virtual int GetCurrentMoodId() = 0;
};
