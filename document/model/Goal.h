// Goal: an aim with the date by which it should be reached.
#pragma once

#include "document/model/EstimatedCard.h"

class Goal : public EstimatedCard {
public:
    Goal() = default;
    // Draws a new goal id.
    Goal(const EString& name, const EString& description, double deadline);

    static int NextId();
    static void SetIdCounter(int value);
};
