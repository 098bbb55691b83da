#include "document/model/Category.h"

#include "document/model/IdCounter.h"

namespace {
IdCounter g_ids;
}

Category::Category(const EString& name, const EString& description, double deadline, int status)
    : EstimatedCard(NextId(), name, description, deadline), m_status(status)
{
}

bool Category::operator==(const Category& other) const
{
    return EstimatedCard::operator==(other) && m_status == other.m_status;
}

int Category::NextId()
{
    return g_ids.Next();
}

void Category::SetIdCounter(int value)
{
    g_ids.Set(value);
}
