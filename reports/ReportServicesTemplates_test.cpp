#include "reports/ReportServices.h"

#include <gtest/gtest.h>

#include "document/xml/DataManager.h"
#include "foundation/FileSystem.h"
#include "reports/ReportFiles.h"

// The program ships one template: a valid plan with a title, some
// categories and example tasks, and every new plan starts from it.
TEST(ShippedTemplate, ANewPlanStartsFromTheShippedTemplateWhichLoadsAsAPlan)
{
    const EString first = ReportServices().GetFirstTemplatePath();
    EXPECT_EQ(first, FileSystem::GetProgramFolderPath(L"Templates\\Personal plan.qvr"));
    EXPECT_FALSE(Template().IsUserFile(first));
    EXPECT_EQ(Template().GetDisplayName(first), L"Personal plan");

    DataManager plan;
    plan.Load(first);
    std::vector<Category> categories;
    plan.GetSubCategories(0, categories);
    std::vector<EString> names;
    for (const Category& category : categories)
        names.push_back(category.GetName());
    EXPECT_EQ(names, (std::vector<EString>{L"Work", L"Home", L"Learning"}));
    EXPECT_EQ(plan.CountTasks(0, FilterInfo(0, 0, 0, 0)), 5);
}
