// MoodState: the mood chosen from a time of day on; its day is where the document keeps it.
#pragma once

#include "foundation/EString.h"

class MoodState {
public:
    MoodState() = default;
    // Draws a new mood-state id and starts now.
    explicit MoodState(int moodId);
    MoodState(const MoodState&) = default;
    MoodState& operator=(const MoodState&) = default;
    virtual ~MoodState() = default;

    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }
    // -1 when no mood is chosen.
    int GetMoodId() const { return m_moodId; }
    void SetMoodId(int moodId) { m_moodId = moodId; }
    double GetStartTime() const { return m_startTime; }
    void SetStartTime(double time) { m_startTime = time; }
    // "%H:%M", the document's form.
    EString GetStartTimeXmlText() const;
    void SetStartTimeXmlText(const EString& text);

    bool operator==(const MoodState& other) const = default;

    static int NextId();
    static void SetIdCounter(int value);

private:
    int m_id = 0;
    int m_moodId = -1;
    double m_startTime = 0;
};
