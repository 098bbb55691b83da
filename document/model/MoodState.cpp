#include "document/model/MoodState.h"

#include "document/model/DateFunctions.h"
#include "document/model/IdCounter.h"
#include "foundation/TimeParser.h"

namespace {
IdCounter g_ids;
}

MoodState::MoodState(int moodId) : m_id(NextId()), m_moodId(moodId), m_startTime(CurrentTimeOfDay())
{
}

EString MoodState::GetStartTimeXmlText() const
{
    return TimeParser::FormatTime24(m_startTime);
}

void MoodState::SetStartTimeXmlText(const EString& text)
{
    m_startTime = TimeParser::ParseTime(text);
}

int MoodState::NextId()
{
    return g_ids.Next();
}

void MoodState::SetIdCounter(int value)
{
    g_ids.Set(value);
}
