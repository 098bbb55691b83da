#include "reports/ResultsParser.h"

#include <optional>
#include <vector>

namespace {

struct Hit {
    bool isTask = false;
    int taskId = 0;
    int categoryId = 0;
};

int IdOf(const XmlNode& element)
{
    return static_cast<int>(XmlDoc::GetIntAttribute(element, L"ID"));
}

// The hits in output order, and where the selection's mark falls among them:
// hits before the mark have indexes below it.
struct HitList {
    std::vector<Hit> hits;
    std::optional<size_t> mark;
    int selectedCategory = 0;
    int selectedTask = 0;

    void Read(const XmlNode& root)
    {
        std::optional<size_t> categoryMark;
        std::optional<size_t> taskMark;
        for (XmlNode element = root.GetFirstChildElement(); element; element = element.GetNextElement()) {
            if (element.HasName(L"SELCATEGORY")) {
                categoryMark = hits.size();
                selectedCategory = IdOf(element);
            } else if (element.HasName(L"CATEGORY")) {
                ReadCategory(element, taskMark);
            }
        }
        // A selected task is the finer mark.
        mark = taskMark ? taskMark : categoryMark;
    }

    void ReadCategory(const XmlNode& category, std::optional<size_t>& taskMark)
    {
        const int categoryId = IdOf(category);
        XmlNode child = category.GetFirstChildElement();
        if (!child) {
            hits.push_back({false, 0, categoryId});
            return;
        }
        for (; child; child = child.GetNextElement()) {
            if (child.HasName(L"SELTASK")) {
                taskMark = hits.size();
                selectedTask = IdOf(child);
            } else if (child.HasName(L"TASK")) {
                hits.push_back({true, IdOf(child), categoryId});
            }
        }
    }

    bool IsSelected(const Hit& hit) const
    {
        return hit.isTask ? selectedTask != 0 && hit.taskId == selectedTask
                          : selectedCategory != 0 && hit.categoryId == selectedCategory;
    }

    // Walks once round the list from the mark.
    const Hit* Next(bool forward) const
    {
        const size_t count = hits.size();
        if (count == 0)
            return nullptr;
        // Forward starts at the mark, backward just before it; no mark counts
        // as the start going forward and the end going backward.
        size_t start = forward ? mark.value_or(0) : (mark.value_or(0) + count - 1) % count;
        for (size_t step = 0; step < count; ++step) {
            const size_t index = forward ? (start + step) % count : (start + count - step) % count;
            if (!IsSelected(hits[index]))
                return &hits[index];
        }
        return nullptr;
    }
};

} // namespace

bool ResultsParser::Parse(const EString& output, bool forward)
{
    m_output.LoadXml(output);
    HitList list;
    if (const XmlNode root = m_output.GetRoot())
        list.Read(root);
    const Hit* hit = list.Next(forward);
    if (!hit)
        return false;
    m_taskFound = hit->isTask;
    m_foundTaskId = hit->isTask ? hit->taskId : 0;
    m_foundCategoryId = hit->categoryId;
    return true;
}
