// SelectionAfterDelete: which tab is selected once a tab is taken out of a strip.
#pragma once

namespace dockwins {

struct TabSelectionChange {
    int selection;
    // A different tab became selected: the strip tells its parent.
    bool notify;
};

// `count` and `selected` are those before the deletion of `deleted`. A tab
// in front of the selected one moves it down by one, so the same tab stays
// selected. Taking out the selected tab selects, with `selectNeighbour`, the
// one that followed it, or the new last one; without it, the one that moved
// into its place, or none when it was the last. One tab left is selected;
// none left, nothing is.
TabSelectionChange SelectionAfterDelete(int count, int selected, int deleted, bool selectNeighbour);

} // namespace dockwins
