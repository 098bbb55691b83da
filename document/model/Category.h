// Category: a node of the category tree that holds tasks.
#pragma once

#include "document/model/EstimatedCard.h"

class Category : public EstimatedCard {
public:
    Category() = default;
    // Draws a new category id.
    Category(const EString& name, const EString& description, double deadline, int status);

    int GetStatus() const { return m_status; }
    void SetStatus(int status) { m_status = status; }

    bool operator==(const Category& other) const;

    static int NextId();
    static void SetIdCounter(int value);

private:
    int m_status = 0;
};
