// PlanItemsMan: the items of the calendar's two lanes, keyed by task-list row, grouped into day cells.
#pragma once

#include <windows.h>

#include <map>

#include "views/calendar/Ceil.h"

class PlanItemsMan {
public:
    static constexpr int kPlanLane = 0;
    static constexpr int kRealityLane = 1;
    static constexpr int kLaneCount = 2;

    struct Item {
        double day = 0;
        COLORREF color = 0;
    };
    using Items = std::map<int, Item>;
    // Whole days in date order.
    using Cells = std::map<long long, Ceil>;

    virtual ~PlanItemsMan() = default;

    // Both as whole days.
    void SetDateRange(double first, double last);
    double GetFirstDate() const { return m_firstDate; }
    double GetLastDate() const { return m_lastDate; }
    bool IsInRange(double date) const { return m_firstDate <= date && date <= m_lastDate; }

    // Dates outside the range are not stored.
    void SetPlanItem(int key, double date, COLORREF color) { SetItem(kPlanLane, key, date, color); }
    void SetRealityItem(int key, double date, COLORREF color) { SetItem(kRealityLane, key, date, color); }
    // The item keeps its colour; nothing for an unknown key or a date out of range.
    void MovePlanItem(int key, double date);
    void RemovePlanItem(int key) { RemoveItem(kPlanLane, key); }
    void RemoveRealityItem(int key) { RemoveItem(kRealityLane, key); }
    void ClearItems();

    // The cells take it too: they paint the selected box.
    void SetSelectedKey(int key);
    int GetSelectedKey() const { return m_selectedKey; }

    const Items& GetItems(int lane) const { return m_items[LaneIndex(lane)]; }
    const Cells& GetCells(int lane) const;

    // The rectangle a cell of that lane and day covers.
    virtual RECT GetLaneRect(int lane, double date) const = 0;

protected:
    static int LaneIndex(int lane) { return lane == kRealityLane ? kRealityLane : kPlanLane; }

private:
    void SetItem(int lane, int key, double date, COLORREF color);
    void RemoveItem(int lane, int key);
    // A reload places thousands of items: the cells are rebuilt once, when next read.
    void RebuildCells() const;

    Items m_items[kLaneCount];
    mutable Cells m_cells[kLaneCount];
    mutable bool m_cellsStale = false;
    double m_firstDate = 0;
    double m_lastDate = 0;
    int m_selectedKey = 0;
};

// The whole day of an OLE date.
double WholeDay(double date);
