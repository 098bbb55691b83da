#include "views/calendar/PlanItemsMan.h"

#include <cmath>

double WholeDay(double date)
{
    return std::floor(date);
}

void PlanItemsMan::SetDateRange(double first, double last)
{
    m_firstDate = WholeDay(first);
    m_lastDate = WholeDay(last);
    m_cellsStale = true;
}

void PlanItemsMan::SetItem(int lane, int key, double date, COLORREF color)
{
    // A time of day on the last day still falls on that day.
    if (!IsInRange(WholeDay(date)))
        return;
    m_items[LaneIndex(lane)][key] = {WholeDay(date), color};
    m_cellsStale = true;
}

void PlanItemsMan::MovePlanItem(int key, double date)
{
    const auto item = m_items[kPlanLane].find(key);
    if (item == m_items[kPlanLane].end() || !IsInRange(WholeDay(date)))
        return;
    item->second.day = WholeDay(date);
    m_cellsStale = true;
}

void PlanItemsMan::RemoveItem(int lane, int key)
{
    m_items[LaneIndex(lane)].erase(key);
    m_cellsStale = true;
}

void PlanItemsMan::SetSelectedKey(int key)
{
    m_selectedKey = key;
    for (Cells& cells : m_cells)
        for (auto& [day, cell] : cells)
            cell.SetSelectedKey(key);
}

void PlanItemsMan::ClearItems()
{
    for (int lane = 0; lane < kLaneCount; ++lane) {
        m_items[lane].clear();
        m_cells[lane].clear();
    }
    m_cellsStale = false;
}

const PlanItemsMan::Cells& PlanItemsMan::GetCells(int lane) const
{
    if (m_cellsStale)
        RebuildCells();
    return m_cells[LaneIndex(lane)];
}

void PlanItemsMan::RebuildCells() const
{
    m_cellsStale = false;
    for (int lane = 0; lane < kLaneCount; ++lane) {
        m_cells[lane].clear();
        for (const auto& [key, item] : m_items[lane]) {
            const auto [cell, created] = m_cells[lane].try_emplace(static_cast<long long>(item.day));
            if (created) {
                cell->second.SetRect(GetLaneRect(lane, item.day));
                cell->second.SetSelectedKey(m_selectedKey);
            }
            cell->second.SetItem(key, item.color);
        }
    }
}
