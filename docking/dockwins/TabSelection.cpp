#include "docking/dockwins/TabSelection.h"

namespace dockwins {

TabSelectionChange SelectionAfterDelete(int count, int selected, int deleted, bool selectNeighbour)
{
    const int left = count - 1;
    if (left <= 0 || selected < 0)
        return {-1, false};
    if (left == 1)
        return {0, selected == deleted};
    if (deleted < selected)
        return {selected - 1, false};
    if (deleted > selected)
        return {selected, false};
    if (deleted < left)
        return {deleted, true};
    return selectNeighbour ? TabSelectionChange{left - 1, true} : TabSelectionChange{-1, false};
}

} // namespace dockwins
