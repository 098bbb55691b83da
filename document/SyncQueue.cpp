#include "document/SyncQueue.h"

void CSyncQueue::PersonChanged(int id)
{
    if (!m_sink->IsLoggedIn()) {
        m_pendingIds.push_back(id);
        return;
    }
    Person person;
    m_converter->GetPersonById(id, person);
    m_sink->SyncPerson(person);
}

void CSyncQueue::PersonRemoved(int id)
{
    Person person;
    m_converter->GetPersonById(id, person);
    if (m_sink->IsLoggedIn())
        m_sink->SyncPersonRemoved(person.GetName());
    else
        m_pendingNames.push_back(person.GetName());
}
