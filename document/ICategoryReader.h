// ICategoryReader: what a view or dialog that shows or picks categories reads of the plan.
#pragma once

#include <vector>

#include "document/model/Category.h"

class ICategoryReader {
public:
    virtual ~ICategoryReader() = default;

    // Id 0 or less gives the top, named by "ROOT_NAME".
    virtual bool GetCategory(int id, Category& category) = 0;
    virtual void GetSubCategories(int parentId, std::vector<Category>& categories) = 0;
    // Whether the status filter lets the category show; a hidden one hides its branch.
    virtual bool IsCategoryShown(const Category& category) const = 0;
};
