#include <gtest/gtest.h>

#include "docking/dockwins/TabSelection.h"

using dockwins::SelectionAfterDelete;

TEST(TabSelectionTest, SelectionAfterATabIsDeleted)
{
    struct Case {
        const char* name;
        int count, selected, deleted;
        bool neighbour;
        int selection;
        bool notify;
    };
    const Case cases[] = {
        {"selected last of three: the new last", 3, 2, 2, true, 1, true},
        {"selected middle: the one that followed", 3, 1, 1, true, 1, true},
        {"in front of the selection: it moves down", 4, 2, 0, true, 1, false},
        {"behind the selection: it stays", 4, 1, 3, true, 1, false},
        {"selected last without a neighbour: none", 3, 2, 2, false, -1, false},
        {"selected middle without a neighbour: the follower", 3, 1, 1, false, 1, true},
        {"in front without a neighbour: the same tab stays", 3, 2, 1, false, 1, false},
        {"one left is selected", 2, 1, 1, true, 0, true},
        {"one left, it was selected", 2, 1, 0, false, 0, false},
        {"none left", 1, 0, 0, true, -1, false},
        {"nothing selected", 3, -1, 1, true, -1, false},
    };
    for (const Case& c : cases) {
        const auto change = SelectionAfterDelete(c.count, c.selected, c.deleted, c.neighbour);
        EXPECT_EQ(change.selection, c.selection) << c.name;
        EXPECT_EQ(change.notify, c.notify) << c.name;
    }
}
