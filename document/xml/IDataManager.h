// IDataManager: what the document's people-change queue needs of the data layer.
#pragma once

#include "document/model/Person.h"

class IDataManager {
public:
    virtual ~IDataManager() = default;

    // Fills the record of the person or group with the id; raises E_POINTER when there is none.
    virtual void GetPersonById(int id, Person& person) = 0;
};
