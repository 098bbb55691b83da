#include "document/model/EstimatedCard.h"

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

EstimatedCard::EstimatedCard(int id, const EString& name, const EString& description, double deadline)
    : NamedEntry(id, name, description), m_deadline(deadline)
{
}

double EstimatedCard::GetDeadline() const
{
    return std::floor(m_deadline == 0 ? Clock::Now() : m_deadline);
}

EString EstimatedCard::GetDeadlineText() const
{
    return FormatOleDate(GetDeadline());
}

EString EstimatedCard::GetDeadlineXmlText() const
{
    return DateParser::FormatDate(m_deadline);
}

void EstimatedCard::SetDeadlineXmlText(const EString& text)
{
    m_deadline = DateParser::ParseDate(text);
}

bool EstimatedCard::operator==(const EstimatedCard& other) const
{
    return NamedEntry::operator==(other) && m_deadline == other.m_deadline;
}
