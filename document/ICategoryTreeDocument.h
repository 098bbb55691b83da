// ICategoryTreeDocument: what the category tree reads and asks of the plan: the categories and their commands, the current category, and the tree's state kept in the file.
#pragma once

#include <windows.h>

#include <vector>

#include "document/ICategoryReader.h"
#include "document/IFindServices.h"
#include "document/IViewDocument.h"
#include "document/model/Category.h"
#include "foundation/EString.h"

class ICategoryTreeDocument : public virtual IViewDocument, public virtual ICategoryReader {
public:
    // The category whose tasks the task list shows.
    virtual int GetCurrentCategoryId() const = 0;
    virtual void SetCurrentCategoryId(int id) = 0;
    // The task summary is counted again for the category chosen.
    virtual void RecalculateTaskSummary() = 0;

    virtual bool AddCategory(int parentId, Category& category) = 0;
    virtual bool UpdateCategory(const Category& category) = 0;
    virtual void DeleteCategory(int id) = 0;
    virtual bool HasUncompletedTasks(int categoryId) = 0;
    virtual double GetDefaultDeadline() const = 0;
    virtual void ResetOriginalEstimations(int categoryId) = 0;
    // Drops: tasks into a category, a category under another.
    virtual bool MoveTasks(int categoryId, const std::vector<int>& taskIds) = 0;
    virtual bool MoveCategory(int parentId, int categoryId) = 0;

    // The private clipboard format; false when there was nothing to copy.
    virtual bool CopyCategoryToClipboard(int categoryId, HWND owner) = 0;
    // False, and nothing leaves, when the clipboard could not take the category.
    virtual bool CutCategoryToClipboard(int categoryId, HWND owner) = 0;
    // No notification: the tree notifies.
    virtual void InsertXml(int categoryId, const EString& text, bool includeActivitiesHistory) = 0;
    virtual void ExportCategory(int categoryId) = 0;
    // True when the import added to the plan; a cancelled or refused one leaves it as it was.
    virtual bool ImportCategory(int categoryId) = 0;

    // The last find hit, whose category the tree selects.
    virtual ISearchResults& GetSearchResults() = 0;

    // The tree's state kept in the file: its selected and its expanded items.
    virtual void SetSelectedCategory(int id) = 0;
    virtual int GetSelectedCategory() = 0;
    virtual void SaveCategoryTreeState(const std::vector<int>& expandedIds) = 0;
    virtual void LoadCategoryTreeState(std::vector<int>& expandedIds) = 0;
};
