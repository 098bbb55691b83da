#include "benchmark/PlanGenerator.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kFirstDay = 45292; // 2024-01-01 as an OLE date

std::string DateText(int oleDay)
{
    // Days from 1970-01-01, then the civil date.
    long long z = oleDay - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string TimeText(int minutes)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

std::string Attr(const char* name, const std::string& value)
{
    return std::string(" ") + name + "=\"" + value + "\"";
}

std::string Attr(const char* name, long long value)
{
    return Attr(name, std::to_string(value));
}

const char* const kWords[] = {"review", "draft",  "call",   "budget", "plan",    "design", "fix",   "report",
                              "client", "garden", "taxes",  "read",   "invoice", "trip",   "notes", "meeting",
                              "Zürich", "café",   "Привет", "team",   "release", "backup", "car",   "doctor"};

struct Generator {
    const PlanSize& size;
    std::mt19937 random;
    std::string xml;
    std::vector<int> parentOf;                 // by category id; 0 the top
    std::vector<std::vector<int>> children;    // sub-categories by category id
    std::vector<std::vector<int>> tasksOf;     // task ids by category id

    Generator(const PlanSize& s, unsigned seed) : size(s), random(seed) {}

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::string Words(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i) {
            if (i)
                text += ' ';
            text += kWords[Uniform(0, static_cast<int>(std::size(kWords)) - 1)];
        }
        return text;
    }

    void BuildTree()
    {
        parentOf.assign(size.categories + 1, 0);
        children.assign(size.categories + 1, {});
        tasksOf.assign(size.categories + 1, {});
        std::vector<int> depth(size.categories + 1, 0);
        for (int id = 1; id <= size.categories; ++id) {
            int parent = 0;
            if (id > 10 && Uniform(0, 9) > 1) {
                parent = Uniform(1, id - 1);
                while (parent && depth[parent] >= size.maxDepth)
                    parent = parentOf[parent];
                // The held categories are top categories (ids up to 10) and stay without subcategories.
                if (IsHeld(parent))
                    parent = 0;
            }
            parentOf[id] = parent;
            depth[id] = parent ? depth[parent] + 1 : 1;
            children[parent].push_back(id);
        }
        int task = 1;
        for (size_t i = 0; i < size.fullCategories.size(); ++i)
            for (int n = 0; n < size.fullCategories[i] && task <= size.tasks; ++n)
                tasksOf[size.FullCategoryId(i)].push_back(task++);
        for (; task <= size.tasks; ++task) {
            int category = Uniform(0, 49) == 0 ? 0 : Uniform(1, size.categories);
            while (IsHeld(category))
                category = Uniform(1, size.categories);
            tasksOf[category].push_back(task);
        }
    }

    // A full category or the empty one after them.
    bool IsHeld(int category) const
    {
        return !size.fullCategories.empty() && category >= size.FullCategoryId(0) &&
               category <= size.EmptyCategoryId();
    }

    void Task(int id)
    {
        static const char* const kColors[] = {"14540287", "16777215", "14548957", "16768477"};
        const int importance = Uniform(0, 3);
        const int status = Uniform(0, 9) < 4 ? 0 : (Uniform(0, 1) ? 1 : 2);
        const int estimation = Uniform(1, 400);
        xml += "<TASK" + Attr("ID", id) + Attr("NAME", Words(Uniform(2, 5))) + Attr("STATUS", status) +
               Attr("IMPORTANCE", importance) + Attr("DEADLINE", DateText(kFirstDay + Uniform(0, size.days + 60))) +
               Attr("ESTIMATION", std::to_string(estimation / 10) + "." + std::to_string(estimation % 10)) +
               Attr("COLORDEF", kColors[importance]);
        if (Uniform(0, 2) == 0)
            xml += Attr("ORIGINALESTIMATION", std::to_string(estimation / 10) + ".0");
        xml += "><DESCRIPTION>" + (Uniform(0, 3) ? Words(Uniform(0, 12)) : Words(4) + "\n" + Words(6)) +
               "</DESCRIPTION></TASK>";
    }

    void Category(int id)
    {
        xml += "<CATEGORY" + Attr("ID", id) + Attr("NAME", Words(Uniform(1, 3))) + Attr("STATUS", Uniform(0, 9) == 0) +
               Attr("DEADLINE", DateText(kFirstDay + Uniform(0, size.days))) + "><DESCRIPTION>" + Words(Uniform(0, 6)) +
               "</DESCRIPTION>";
        for (int child : children[id])
            Category(child);
        for (int task : tasksOf[id])
            Task(task);
        xml += "</CATEGORY>";
    }

    void PlanEntry(int id, int start, int length)
    {
        xml += "<PLANENTRY" + Attr("ID", id) + Attr("TASKID", Uniform(1, size.tasks)) +
               Attr("STARTTIME", TimeText(start)) + Attr("ENDTIME", TimeText(start + length)) +
               Attr("FIXEDTIME", Uniform(0, 19) == 0) + "><DESCRIPTION>" + (Uniform(0, 4) ? std::string() : Words(3)) +
               "</DESCRIPTION></PLANENTRY>";
    }

    // Its entries spread evenly from 01:00 to 23:00; past 1,320 of them they overlap.
    void Full(const PlanSize::FullDay& day, int& entry)
    {
        xml += "<DAY" + Attr("DATE", DateText(day.date)) + ">";
        const int length = std::max(1, 1320 / std::max(1, day.entries));
        for (int i = 0; i < day.entries; ++i)
            PlanEntry(++entry, 60 + static_cast<int>(1320LL * i / day.entries), length);
        xml += "</DAY>";
    }

    void Daily()
    {
        std::vector<PlanSize::FullDay> full = size.fullDays;
        std::sort(full.begin(), full.end(), [](const auto& a, const auto& b) { return a.date < b.date; });
        auto nextFull = full.begin();
        xml += "<DAILY>";
        int entry = 0;
        int regular = 0;
        for (int day = 0; day < size.days && regular < size.planEntries; ++day) {
            const int date = kFirstDay + day;
            for (; nextFull != full.end() && nextFull->date < date; ++nextFull)
                Full(*nextFull, entry);
            if (nextFull != full.end() && nextFull->date == date) {
                Full(*nextFull++, entry);
                continue;
            }
            const auto fullAhead =
                std::count_if(nextFull, full.end(), [&](const auto& d) { return d.date < kFirstDay + size.days; });
            const int remainingDays = size.days - day - static_cast<int>(fullAhead);
            const int perDay = (size.planEntries - regular + remainingDays - 1) / remainingDays;
            xml += "<DAY" + Attr("DATE", DateText(date)) + ">";
            // Entries of a day follow each other from early morning on, without overlaps.
            const int step = std::max(1, std::min(60, 1380 / std::max(1, perDay)));
            int start = 360 - std::min(360, perDay * step / 4);
            for (int i = 0; i < perDay && regular < size.planEntries && start + step <= 1439; ++i) {
                ++regular;
                PlanEntry(++entry, start, Uniform(std::max(1, step / 2), step));
                start += step;
            }
            xml += "</DAY>";
        }
        for (; nextFull != full.end(); ++nextFull)
            Full(*nextFull, entry);
        xml += "</DAILY>";
    }

    void Moods()
    {
        static const char* const kMoods[][2] = {
            {"Excellent", "00ff00"}, {"Good", "80ff80"}, {"Normal", "ffffff"}, {"Bad", "ff8080"}, {"Awful", "ff0000"}};
        xml += "<AVAILABLEMOODS>";
        for (int i = 0; i < 5; ++i)
            xml += "<MOOD" + Attr("ID", i + 1) + Attr("NAME", kMoods[i][0]) + Attr("COLOR", kMoods[i][1]) + "/>";
        xml += "</AVAILABLEMOODS><MOODSDAILY" + Attr("MOODID", 2) + ">";
        int state = 0;
        for (int day = 0; day < size.days; day += Uniform(1, 4)) {
            xml += "<DAY" + Attr("DATE", DateText(kFirstDay + day)) + ">";
            for (int i = Uniform(1, 2); i > 0; --i)
                xml += "<MOODSTATE" + Attr("ID", ++state) + Attr("STARTTIME", TimeText(Uniform(420, 1320))) +
                       Attr("MOODID", Uniform(1, 5)) + "/>";
            xml += "</DAY>";
        }
        xml += "</MOODSDAILY>";
    }

    void People()
    {
        xml += "<PEOPLESECTION" + Attr("ID", 0) + ">";
        int id = 0;
        auto person = [&](bool group) {
            ++id;
            return "<PERSON" + Attr("ID", id) + Attr("NAME", Words(1)) + Attr("DESCRIPTION", Words(3)) +
                   Attr("EMAIL", "person" + std::to_string(id) + "@example.org") + Attr("FULLNAME", Words(2)) +
                   Attr("ISGROUP", group);
        };
        for (int g = 0; g < size.groups; ++g) {
            xml += person(true) + ">";
            for (int i = 0; i < size.people / (2 * std::max(1, size.groups)); ++i)
                xml += person(false) + "/>";
            xml += "</PERSON>";
        }
        while (id < size.people + size.groups)
            xml += person(false) + "/>";
        xml += "</PEOPLESECTION>";
    }

    int AllPlanEntries() const
    {
        int count = size.planEntries;
        for (const PlanSize::FullDay& day : size.fullDays)
            count += day.entries;
        return count;
    }

    std::vector<int> DistinctTasks(int count)
    {
        std::vector<int> ids(size.tasks);
        for (int i = 0; i < size.tasks; ++i)
            ids[i] = i + 1;
        std::shuffle(ids.begin(), ids.end(), random);
        ids.resize(std::min(count, size.tasks));
        return ids;
    }

    void Recurrences()
    {
        xml += "<RECURRENCESECTION>";
        for (int task : DistinctTasks(size.recurrences)) {
            const int start = Uniform(420, 1200);
            const int endType = Uniform(0, 2);
            xml += "<RECURRENCE" + Attr("ID", task) + Attr("PATTERNPERIOD", Uniform(0, 2)) +
                   Attr("EVERYDAYINDEX", Uniform(0, 3)) + Attr("DAYWORKDAY", Uniform(0, 2)) +
                   Attr("EVERYWEEKINDEX", Uniform(0, 2));
            for (const char* weekday : {"SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY", "SATURDAY"})
                xml += Attr(weekday, Uniform(0, 2) == 0);
            xml += Attr("MONTHPATTERN", Uniform(0, 1)) + Attr("MONTHDAY", Uniform(1, 31)) +
                   Attr("EVERYDAYOFMONTH", Uniform(0, 2)) + Attr("EVERYWEEKDAYOFMONTH", Uniform(0, 2)) +
                   Attr("WEEKNOMONTH", Uniform(0, 4)) + Attr("WEEKDAYMONTH", Uniform(0, 6)) +
                   Attr("STARTDATE", DateText(kFirstDay + Uniform(0, size.days / 2))) +
                   Attr("ENDDATE", DateText(kFirstDay + size.days)) + Attr("ENDTYPE", endType) +
                   Attr("OCCURRENCESNUMBER", Uniform(1, 50)) + Attr("STARTTIME", TimeText(start)) +
                   Attr("ENDTIME", TimeText(start + Uniform(15, 120))) + Attr("FIXEDTIME", Uniform(0, 1)) + ">";
            for (int i = Uniform(0, 3); i > 0; --i)
                xml += "<COMPLETEDPLAN" + Attr("ID", Uniform(1, std::max(1, AllPlanEntries()))) + "/>";
            xml += "</RECURRENCE>";
        }
        xml += "</RECURRENCESECTION>";
    }

    void Reminders()
    {
        xml += "<REMINDERSECTION>";
        const int from = size.remindersFrom != 0 ? size.remindersFrom : kFirstDay;
        for (int task : DistinctTasks(size.reminders))
            xml += "<REMINDER" + Attr("ID", task) + Attr("ALARMDATE", DateText(from + Uniform(0, size.days))) +
                   Attr("ALARMTIME", TimeText(Uniform(0, 1439))) + "/>";
        xml += "</REMINDERSECTION>";
    }

    std::string Build()
    {
        BuildTree();
        xml = "<ROOT>";
        for (int top : children[0])
            Category(top);
        for (int task : tasksOf[0])
            Task(task);
        Daily();
        Moods();
        xml += "<AVAILABLEGOALS>";
        for (int goal = 1; goal <= 12; ++goal)
            xml += "<GOAL" + Attr("ID", goal) + Attr("NAME", Words(3)) +
                   Attr("DEADLINE", DateText(kFirstDay + Uniform(0, size.days))) + "><DESCRIPTION>" + Words(8) +
                   "</DESCRIPTION></GOAL>";
        xml += "</AVAILABLEGOALS>";
        People();
        xml += "<PEOPLESTATE><CATEGORYSTATE" + Attr("ID", 1) + "/></PEOPLESTATE>";
        xml += "<STATESECTION" + Attr("SELECTEDCATEGORY", children[0].empty() ? 0 : children[0][0]) + ">";
        for (int id = 1; id <= std::min(size.categories, 40); id += 3)
            xml += "<CATEGORYSTATE" + Attr("ID", id) + "/>";
        xml += "</STATESECTION>";
        Recurrences();
        Reminders();
        xml += "<HOLIDAYS>";
        for (int i = 0; i < 30; ++i)
            xml += "<HOLIDAY" + Attr("DATE", kFirstDay + i * (size.days / 30)) + "/>";
        xml += "</HOLIDAYS><PROPERTIES" + Attr("AUTHOR", "Benchmark") + Attr("COMPANY", "") + Attr("MANAGER", "") +
               Attr("TITLE", "Generated plan") + "><ADDRESS>Somewhere</ADDRESS></PROPERTIES>";
        return xml + "</ROOT>";
    }
};

} // namespace

PlanSize PlanSize::Tenth()
{
    PlanSize size;
    size.tasks /= 10;
    size.categories /= 10;
    size.planEntries /= 10;
    size.recurrences /= 10;
    size.reminders /= 10;
    size.people /= 10;
    size.groups = 1;
    return size;
}

std::string GeneratePlan(const PlanSize& size, unsigned seed)
{
    return Generator(size, seed).Build();
}
