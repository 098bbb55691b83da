#include "document/model/TextCuts.h"

#include "document/model/TextLimits.h"

void TextCuts::Fit(TaskCard& task)
{
    FitName(task, TextLimits::kTaskName, kTaskNames);
    FitDescription(task, task.GetName());
}

void TextCuts::Fit(Category& category)
{
    FitName(category, TextLimits::kCategoryName, kCategoryNames);
    FitDescription(category, category.GetName());
}

void TextCuts::Fit(TaskPlanEntry& entry, const EString& taskName)
{
    FitDescription(entry, taskName);
}

bool TextCuts::Any() const
{
    for (const Cut& cut : m_cuts)
        if (cut.count > 0)
            return true;
    return false;
}

void TextCuts::FitName(NamedEntry& record, size_t limit, Kind kind)
{
    EString name = record.GetName();
    if (!TextLimits::Cut(name, limit))
        return;
    Note(kind, name);
    record.SetName(std::move(name));
}

void TextCuts::FitDescription(NamedEntry& record, const EString& owner)
{
    EString description = record.GetDescription();
    if (!TextLimits::Cut(description, TextLimits::kDescription))
        return;
    Note(kDescriptions, owner);
    record.SetDescription(std::move(description));
}

void TextCuts::Note(Kind kind, const EString& name)
{
    Cut& cut = m_cuts[kind];
    if (cut.count++ == 0)
        cut.first = name;
}
