#include "document/model/Goal.h"

#include "document/model/IdCounter.h"

namespace {
IdCounter g_ids;
}

Goal::Goal(const EString& name, const EString& description, double deadline)
    : EstimatedCard(NextId(), name, description, deadline)
{
}

int Goal::NextId()
{
    return g_ids.Next();
}

void Goal::SetIdCounter(int value)
{
    g_ids.Set(value);
}
