#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "document/PelquornDocTestSupport.h"

namespace {

constexpr char kNoMoodsNoPeople[] = "<ROOT><CATEGORY ID=\"4\" NAME=\"Work\" STATUS=\"0\"/></ROOT>";
constexpr char kOneMood[] = "<ROOT><CATEGORY ID=\"4\" NAME=\"Work\" STATUS=\"0\"/>"
                            "<AVAILABLEMOODS><MOOD ID=\"3\" NAME=\"Calm\" COLOR=\"102030\"/></AVAILABLEMOODS></ROOT>";

class PlanIdsTest : public PlanDocTest {
protected:
    // The name the document reads for the id of the kind; none for a kind not read by id.
    std::optional<EString> ReadName(const EString& element, int id)
    {
        MoodItem mood;
        Person person;
        TaskCard task;
        Category category;
        if (element == L"MOOD")
            return document.GetMood(id, mood) ? mood.GetName() : EString();
        if (element == L"PERSON")
            return document.GetPerson(id, person) ? person.GetName() : EString();
        if (element == L"TASK")
            return document.GetTask(id, task) ? task.GetName() : EString();
        if (element == L"CATEGORY")
            return document.GetCategory(id, category) ? category.GetName() : EString();
        return std::nullopt;
    }
};

} // namespace

// Whatever the opening (or a new plan's template) brings, and whatever the
// user adds next, every item keeps an id of its own, and reading an id gives
// that item.
TEST_F(PlanIdsTest, ANewItemTakesAnIdNoOtherItemHolds)
{
    const struct {
        const char* name;
        const char* plan;
        bool asTemplate;
        const wchar_t* element;
        std::function<void()> add;
    } cases[] = {
        {"a mood, the defaults coming at the open", kNoMoodsNoPeople, false, L"MOOD",
         [&] {
             MoodItem mood(L"Curious", RGB(1, 2, 3));
             document.AddMood(mood);
         }},
        {"a mood, the defaults coming when a new plan's list is read", kNoMoodsNoPeople, true, L"MOOD",
         [&] {
             std::vector<MoodItem> moods;
             document.GetMoods(moods);
             MoodItem mood(L"Curious", RGB(1, 2, 3));
             document.AddMood(mood);
         }},
        {"a person, the default group and person coming at the open", kNoMoodsNoPeople, false, L"PERSON",
         [&] {
             Person group(1, L"Family", L"", L"", L"", 0);
             ASSERT_TRUE(document.AddPerson(0, group));
             Person person(0, L"ann", L"", L"Ann", L"ann@example.org", 0);
             ASSERT_TRUE(document.AddPerson(group.GetId(), person));
         }},
        {"a mood state", kOneMood, false, L"MOODSTATE",
         [&] {
             document.SetCurrentMood(3);
             document.SetCurrentMood(3);
         }},
        {"a task", kNoMoodsNoPeople, false, L"TASK",
         [&] {
             document.SetCurrentCategoryId(4);
             TaskCard task(L"Plan the week", L"", 1, 0, 0, 0, 0, 0, -1);
             ASSERT_TRUE(document.AddTask(task));
         }},
        {"the goals wizard's categories", kOneMood, false, L"CATEGORY",
         [&] { document.AddGoalTasks({Goal(L"Learn to swim", L"", 0), Goal(L"Write a book", L"", 0)}); }},
        {"a pasted category", kOneMood, false, L"CATEGORY",
         [&] { document.InsertXml(4, document.GetCategoryXml(4), false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const EString path = PlanFile(L"ids.qvr", c.plan);
        if (c.asTemplate) {
            reports.templatePath = path;
            StartNew();
            reports.templatePath.clear();
        } else {
            ASSERT_TRUE(document.OpenPath(path));
        }
        auto elements = [&] {
            return document.GetDataManager().GetDocument(true).SelectNodes(EString(L"//") + c.element).GetNodes();
        };
        const size_t before = elements().size();
        c.add();
        const std::vector<XmlNode> after = elements();
        EXPECT_GT(after.size(), before);
        std::set<int> ids;
        for (const XmlNode& element : after) {
            const int id = _wtoi(XmlDoc::GetTextAttribute(element, L"ID").c_str());
            EXPECT_TRUE(ids.insert(id).second) << "id " << id << " twice";
            if (const std::optional<EString> name = ReadName(c.element, id)) {
                EXPECT_EQ(*name, XmlDoc::GetTextAttribute(element, L"NAME")) << "id " << id;
            }
        }
        EXPECT_TRUE(prompts.errors.empty());
    }
}
