// IPeopleDocument: what the people tree reads and asks of the plan: its people and groups, and the tree's state kept in the file.
#pragma once

#include <vector>

#include "document/IViewDocument.h"
#include "document/model/Person.h"

class IPeopleDocument : public virtual IViewDocument {
public:
    // A group is a Person too: its members are the people of its id.
    virtual bool AddPerson(int groupId, Person& person) = 0;
    virtual bool UpdatePerson(const Person& person) = 0;
    virtual void DeletePerson(int id) = 0;
    virtual bool GetPerson(int id, Person& person) = 0;
    // The top (group 0) of a plan without people gets the default ones.
    virtual bool GetPeople(int groupId, std::vector<Person>& people) = 0;

    // The tree's state kept in the file: its selected person and open groups.
    virtual void SetSelectedPerson(int id) = 0;
    virtual int GetSelectedPerson() = 0;
    virtual void SavePeopleTreeState(const std::vector<int>& expandedIds) = 0;
    virtual void LoadPeopleTreeState(std::vector<int>& expandedIds) = 0;
    // Opening a group is no edit that asks to be saved: the tree keeps the modified mark as it was.
    virtual int IsModified() const = 0;
    virtual void SetModified(int modified) = 0;
};
