// FakeViewDocument and FakeCategories: stand-ins for the faces every view and every category picker see, for tests that feed a view without a whole document; and the lookups by id their kin share.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "document/ICategoryReader.h"
#include "document/ISubjectImpl.h"
#include "document/IViewDocument.h"

// The item of the id among the items, copied to `found`; false when none has it.
template <class Item>
bool FindById(const std::vector<Item>& items, int id, Item& found)
{
    const auto item = std::find_if(items.begin(), items.end(), [&](const Item& each) { return each.GetId() == id; });
    if (item == items.end())
        return false;
    found = *item;
    return true;
}

// The changed item takes the place of the one of its id; false when none has it.
template <class Item>
bool ReplaceById(std::vector<Item>& items, const Item& changed)
{
    const auto item =
        std::find_if(items.begin(), items.end(), [&](const Item& each) { return each.GetId() == changed.GetId(); });
    if (item == items.end())
        return false;
    *item = changed;
    return true;
}

// Notifies its attached views as the document does, and as it posts the
// active view WM_PELQUORN_DOC_CHANGED after a notice; RefreshUI sends the main
// window the same message and no command states of its own.
class FakeViewDocument : public ISubjectImpl, public virtual IViewDocument {
public:
    void Notify(IObserver* sender, DocNotifyCode code) override;
    HWND GetDocumentWindow() const override { return m_documentWindow; }
    void SetDocumentWindow(HWND window) override { m_documentWindow = window; }
    void RefreshUI() override;

private:
    HWND m_documentWindow = nullptr;
};

// A tree of categories kept as a list: each with the category it stands in
// (0: the top). A completed category is hidden unless `showCompleted`.
class FakeCategories : public virtual ICategoryReader {
public:
    // The new category's id.
    int Add(int parentId, const wchar_t* name, int status = 0);
    // The category goes with its branch.
    void Remove(int id);

    bool GetCategory(int id, Category& category) override;
    void GetSubCategories(int parentId, std::vector<Category>& categories) override;
    bool IsCategoryShown(const Category& category) const override
    {
        return showCompleted || category.GetStatus() == 0;
    }

    struct Entry {
        int parentId = 0;
        Category category;
    };
    std::vector<Entry> categories;
    bool showCompleted = true;
};
