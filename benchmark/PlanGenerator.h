// PlanGenerator: a realistic planning document of a chosen size, the same for the same seed.
#pragma once

#include <string>
#include <vector>

struct PlanSize {
    // A day that holds a set number of entries, beside the regular ones.
    struct FullDay {
        int date; // an OLE date
        int entries;
    };

    int tasks = 10000;
    int categories = 300;
    int maxDepth = 5;
    int planEntries = 100000;
    int days = 1096; // three years from 1 January 2024
    int recurrences = 500;
    int reminders = 1000;
    // The first day the reminders fall on (an OLE date), over as many days as
    // the plan spans; 0: the plan's first day.
    int remindersFrom = 0;
    int people = 60;
    int groups = 6;
    // Task counts of the top categories after the first: category 2 holds the
    // first of them, from task 1 on, and so on; the category after them stays
    // empty. None of them has subcategories. Empty: every task spread at random.
    std::vector<int> fullCategories;
    // On top of the planEntries spread over the days; a full day holds only its own.
    std::vector<FullDay> fullDays;

    // The same plan with a tenth of everything but the calendar span.
    static PlanSize Tenth();

    int FullCategoryId(size_t index) const { return 2 + static_cast<int>(index); }
    int EmptyCategoryId() const { return FullCategoryId(fullCategories.size()); }
};

// The document text (UTF-8, as the program writes it).
std::string GeneratePlan(const PlanSize& size, unsigned seed);
