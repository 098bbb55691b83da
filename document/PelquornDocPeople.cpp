// CPelquornDoc: people and groups, the people-change queue, and the trees' state kept in the file.
#include "document/PelquornDoc.h"

bool CPelquornDoc::AddPerson(int groupId, Person& person)
{
    SetModified(1);
    return Guarded(false, [&] {
        GetDataManager().AddPerson(groupId, person);
        GetSyncQueue().PersonChanged(person.GetId());
        return true;
    });
}

bool CPelquornDoc::UpdatePerson(const Person& person)
{
    SetModified(1);
    return Guarded(false, [&] {
        GetDataManager().UpdatePerson(person);
        GetSyncQueue().PersonChanged(person.GetId());
        return true;
    });
}

void CPelquornDoc::DeletePerson(int id)
{
    SetModified(1);
    Guarded([&] {
        GetSyncQueue().PersonRemoved(id);
        GetDataManager().DeletePerson(id);
    });
}

bool CPelquornDoc::GetPerson(int id, Person& person)
{
    return Guarded(false, [&] {
        GetDataManager().GetPersonById(id, person);
        return true;
    });
}

bool CPelquornDoc::GetPeople(int groupId, std::vector<Person>& people)
{
    return Guarded(false, [&] {
        DataManager& data = GetDataManager();
        data.GetPeople(groupId, people);
        if (groupId == 0 && people.empty()) {
            data.AddDefaultPeople();
            SetModified(1);
            data.GetPeople(groupId, people);
        }
        return true;
    });
}

CSyncQueue& CPelquornDoc::GetSyncQueue()
{
    if (!m_syncQueue)
        m_syncQueue = std::make_unique<CSyncQueue>(*m_session, GetDataManager());
    return *m_syncQueue;
}

void CPelquornDoc::SetSelectedPerson(int id)
{
    Guarded([&] { GetDataManager().SetSelectedPerson(id); });
}

int CPelquornDoc::GetSelectedPerson()
{
    return Guarded(0, [&] { return GetDataManager().GetSelectedPerson(); });
}

void CPelquornDoc::SavePeopleTreeState(const std::vector<int>& expandedIds)
{
    if (HoldsTreeState(&XmlDataElements::LoadPeopleTreeState, expandedIds))
        return;
    SetModified(1);
    Guarded([&] { GetDataManager().SavePeopleTreeState(expandedIds); });
}

void CPelquornDoc::LoadPeopleTreeState(std::vector<int>& expandedIds)
{
    Guarded([&] { GetDataManager().LoadPeopleTreeState(expandedIds); });
}

// The views store their state whenever it may have changed (before every
// open, at each selection): the same state again is no change to save.
bool CPelquornDoc::HoldsTreeState(void (XmlDataElements::*load)(std::vector<int>&), const std::vector<int>& ids)
{
    std::vector<int> stored;
    return Silently(false, [&] {
        (GetDataManager().*load)(stored);
        return stored == ids;
    });
}

void CPelquornDoc::SetSelectedCategory(int id)
{
    if (Silently(-1, [&] { return GetDataManager().GetSelectedCategory(); }) == id)
        return;
    SetModified(1);
    Guarded([&] { GetDataManager().SetSelectedCategory(id); });
}

int CPelquornDoc::GetSelectedCategory()
{
    return Guarded(0, [&] { return GetDataManager().GetSelectedCategory(); });
}

void CPelquornDoc::SaveCategoryTreeState(const std::vector<int>& expandedIds)
{
    if (HoldsTreeState(&XmlDataElements::LoadCategoryTreeState, expandedIds))
        return;
    SetModified(1);
    Guarded([&] { GetDataManager().SaveCategoryTreeState(expandedIds); });
}

void CPelquornDoc::LoadCategoryTreeState(std::vector<int>& expandedIds)
{
    Guarded([&] { GetDataManager().LoadCategoryTreeState(expandedIds); });
}
