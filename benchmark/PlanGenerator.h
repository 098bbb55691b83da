// PlanGenerator: a realistic planning document of a chosen size, the same for the same seed.
#pragma once

#include <string>

struct PlanSize {
    int tasks = 10000;
    int categories = 300;
    int maxDepth = 5;
    int planEntries = 100000;
    int days = 1096; // three years from 1 January 2024
    int recurrences = 500;
    int reminders = 1000;
    int people = 60;
    int groups = 6;

    // The same plan with a tenth of everything but the calendar span.
    static PlanSize Tenth();
};

// The document text (UTF-8, as the program writes it).
std::string GeneratePlan(const PlanSize& size, unsigned seed);
