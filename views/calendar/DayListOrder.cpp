#include "views/calendar/DayListOrder.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

// Times of day to the second: two texts of the same time compare equal
// whatever rounding the reading left.
long long Seconds(double time)
{
    return std::llround(time * 86400);
}

int CompareTimes(double a, double b)
{
    const long long left = Seconds(a);
    const long long right = Seconds(b);
    return left < right ? -1 : (left > right ? 1 : 0);
}

int Sign(double value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int CompareByColumn(const TaskPlanEntry& a, const TaskPlanEntry& b, int column)
{
    switch (column) {
    case DayListColumn::kStart:
        if (const int order = CompareTimes(a.GetStartTime(), b.GetStartTime()))
            return order;
        return CompareTimes(a.GetEndTime(), b.GetEndTime());
    case DayListColumn::kEnd:
        return CompareTimes(a.GetEndTime(), b.GetEndTime());
    case DayListColumn::kDuration:
        return CompareTimes(a.GetDuration(), b.GetDuration());
    case DayListColumn::kPriority:
        return Sign(a.GetTask().GetImportance() - b.GetTask().GetImportance());
    case DayListColumn::kComments:
        return Sign(::lstrcmpiW(a.GetDescription().c_str(), b.GetDescription().c_str()));
    default:
        return 0;
    }
}

} // namespace

int CompareDayEntries(const TaskPlanEntry& a, const TaskPlanEntry& b, int column, bool ascending)
{
    int order = CompareByColumn(a, b, column);
    if (order == 0)
        order = Sign(::lstrcmpiW(a.GetName().c_str(), b.GetName().c_str()));
    return ascending ? order : -order;
}

namespace {

// Each entry's place among the texts in lstrcmpiW's order; texts it finds
// equal share a place. Equal texts are ranked once.
std::vector<int> TextRanks(const std::vector<EString>& texts)
{
    std::unordered_map<std::wstring_view, int> distinctOf;
    std::vector<std::wstring_view> distinct;
    std::vector<int> ranks(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto [found, added] = distinctOf.try_emplace(texts[i], static_cast<int>(distinct.size()));
        if (added)
            distinct.push_back(texts[i]);
        ranks[i] = found->second;
    }
    std::vector<int> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    // Views into the texts, which end in their terminators.
    const auto compare = [&](int a, int b) { return ::lstrcmpiW(distinct[a].data(), distinct[b].data()); };
    // The locale's sort keys order the texts in one call per text instead of
    // one per comparison; lstrcmpiW checks each neighbour, and sorts alone
    // wherever the keys would order two texts otherwise.
    const LCID locale = ::GetThreadLocale();
    std::vector<std::string> sortKeys(distinct.size());
    for (size_t i = 0; i < distinct.size(); ++i) {
        const int length = static_cast<int>(distinct[i].size());
        const int size = ::LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, distinct[i].data(), length, nullptr, 0);
        sortKeys[i].resize(static_cast<size_t>(std::max(size, 0)));
        if (size > 0)
            ::LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, distinct[i].data(), length,
                           reinterpret_cast<wchar_t*>(sortKeys[i].data()), size);
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) { return sortKeys[a] < sortKeys[b]; });
    std::vector<int> neighbours(order.size());
    for (size_t i = 1; i < order.size(); ++i) {
        neighbours[i] = compare(order[i - 1], order[i]);
        if (neighbours[i] > 0) {
            std::sort(order.begin(), order.end(), [&](int a, int b) { return compare(a, b) < 0; });
            for (size_t j = 1; j < order.size(); ++j)
                neighbours[j] = compare(order[j - 1], order[j]);
            break;
        }
    }
    std::vector<int> rankOfDistinct(distinct.size());
    int rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && neighbours[i] != 0)
            ++rank;
        rankOfDistinct[order[i]] = rank;
    }
    for (int& r : ranks)
        r = rankOfDistinct[r];
    return ranks;
}

// What CompareByColumn compares, the name aside.
struct SortKey {
    long long first = 0;
    long long second = 0;
    auto operator<=>(const SortKey&) const = default;
};

std::vector<SortKey> SortKeys(const std::vector<TaskPlanEntry>& entries, int column)
{
    std::vector<SortKey> keys(entries.size());
    std::vector<int> comments;
    if (column == DayListColumn::kComments) {
        std::vector<EString> texts;
        texts.reserve(entries.size());
        for (const TaskPlanEntry& entry : entries)
            texts.push_back(entry.GetDescription());
        comments = TextRanks(texts);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const TaskPlanEntry& entry = entries[i];
        SortKey& key = keys[i];
        switch (column) {
        case DayListColumn::kStart:
            key.first = Seconds(entry.GetStartTime());
            key.second = Seconds(entry.GetEndTime());
            break;
        case DayListColumn::kEnd:
            key.first = Seconds(entry.GetEndTime());
            break;
        case DayListColumn::kDuration:
            key.first = Seconds(entry.GetDuration());
            break;
        case DayListColumn::kPriority:
            key.first = entry.GetTask().GetImportance();
            break;
        case DayListColumn::kComments:
            key.first = comments[i];
            break;
        default:
            break;
        }
    }
    return keys;
}

using Run = std::pair<std::vector<int>::iterator, std::vector<int>::iterator>;

// A run of a few rows that tie on the column: their names compared directly,
// in a stable insertion.
void SortShortRunByName(const std::vector<TaskPlanEntry>& entries, const Run& run, bool ascending)
{
    std::vector<std::pair<EString, int>> rows;
    for (auto row = run.first; row != run.second; ++row)
        rows.emplace_back(entries[static_cast<size_t>(*row)].GetName(), *row);
    for (size_t i = 1; i < rows.size(); ++i) {
        for (size_t j = i; j > 0; --j) {
            const int order = ::lstrcmpiW(rows[j - 1].first.c_str(), rows[j].first.c_str());
            if ((ascending ? order : -order) <= 0)
                break;
            std::swap(rows[j - 1], rows[j]);
        }
    }
    auto row = run.first;
    for (const auto& [name, index] : rows)
        *row++ = index;
}

// Longer runs: the names of all their rows ranked together once, each run
// then ordered by the ranks. A day of whole minutes ties by the dozen.
void SortLongRunsByName(const std::vector<TaskPlanEntry>& entries, const std::vector<Run>& runs, bool ascending)
{
    std::vector<EString> names;
    for (const Run& run : runs)
        for (auto row = run.first; row != run.second; ++row)
            names.push_back(entries[static_cast<size_t>(*row)].GetName());
    const std::vector<int> ranks = TextRanks(names);
    std::vector<int> rankOfRow(entries.size());
    size_t next = 0;
    for (const Run& run : runs)
        for (auto row = run.first; row != run.second; ++row)
            rankOfRow[static_cast<size_t>(*row)] = ranks[next++];
    for (const Run& run : runs)
        std::stable_sort(run.first, run.second, [&](int a, int b) {
            return ascending ? rankOfRow[a] < rankOfRow[b] : rankOfRow[b] < rankOfRow[a];
        });
}

// Row i takes the entry at order[i], each entry moved once along its cycle.
void Permute(std::vector<TaskPlanEntry>& entries, std::vector<int>& order)
{
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] < 0 || static_cast<size_t>(order[start]) == start)
            continue;
        TaskPlanEntry held = std::move(entries[start]);
        size_t row = start;
        while (static_cast<size_t>(order[row]) != start) {
            const size_t from = static_cast<size_t>(order[row]);
            entries[row] = std::move(entries[from]);
            order[row] = -1;
            row = from;
        }
        entries[row] = std::move(held);
        order[row] = -1;
    }
}

} // namespace

void SortDayEntries(std::vector<TaskPlanEntry>& entries, int column, bool ascending)
{
    const std::vector<SortKey> keys = SortKeys(entries, column);
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return ascending ? keys[a] < keys[b] : keys[b] < keys[a]; });
    // Only rows that tie on the column compare their names.
    constexpr std::ptrdiff_t kShortRun = 8;
    std::vector<Run> longRuns;
    for (auto run = order.begin(); run != order.end();) {
        const auto end = std::find_if(run, order.end(), [&](int row) { return keys[row] != keys[*run]; });
        if (end - run > kShortRun)
            longRuns.emplace_back(run, end);
        else if (end - run > 1)
            SortShortRunByName(entries, {run, end}, ascending);
        run = end;
    }
    if (!longRuns.empty())
        SortLongRunsByName(entries, longRuns, ascending);
    Permute(entries, order);
}
