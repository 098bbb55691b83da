#include "views/common/FakeViewDocument.h"

#include <algorithm>

#include "document/DocumentMessages.h"
#include "foundation/AppWindow.h"

void FakeViewDocument::Notify(IObserver* sender, DocNotifyCode code)
{
    ISubjectImpl::Notify(sender, code);
    if (m_documentWindow)
        ::PostMessageW(m_documentWindow, WM_PELQUORN_DOC_CHANGED, 0, 0);
}

void FakeViewDocument::RefreshUI()
{
    if (const HWND mainWindow = GetMainWindow())
        ::SendMessageW(mainWindow, WM_PELQUORN_DOC_CHANGED, 0, 0);
}

int FakeCategories::Add(int parentId, const wchar_t* name, int status)
{
    categories.push_back({parentId, Category(name, L"", 0, status)});
    return categories.back().category.GetId();
}

void FakeCategories::Remove(int id)
{
    std::vector<int> gone = {id};
    for (size_t next = 0; next < gone.size(); ++next)
        for (const Entry& entry : categories)
            if (entry.parentId == gone[next])
                gone.push_back(entry.category.GetId());
    std::erase_if(categories, [&](const Entry& entry) {
        return std::find(gone.begin(), gone.end(), entry.category.GetId()) != gone.end();
    });
}

bool FakeCategories::GetCategory(int id, Category& category)
{
    if (id <= 0) {
        category = Category();
        category.SetName(L"All categories");
        return true;
    }
    for (const Entry& entry : categories)
        if (entry.category.GetId() == id) {
            category = entry.category;
            return true;
        }
    return false;
}

void FakeCategories::GetSubCategories(int parentId, std::vector<Category>& children)
{
    children.clear();
    for (const Entry& entry : categories)
        if (entry.parentId == parentId)
            children.push_back(entry.category);
}
