#include "reports/SearchResults.h"

#include "foundation/ComError.h"
#include "reports/FindMatcher.h"
#include "reports/HtmlResource.h"
#include "reports/ResultsParser.h"
#include "reports/XslProcessor.h"

namespace {

// The status filter codes: 0 all, 1 to do, 2 new, 3 in progress, 4 completed.
EString CategoryFilter(int statusFilter)
{
    return statusFilter >= 1 && statusFilter <= 3 ? EString(L"and @STATUS=0") : EString();
}

EString TaskFilter(int statusFilter)
{
    switch (statusFilter) {
    case 1: return L"and (@STATUS=0 or @STATUS=1)";
    case 2: return L"and @STATUS=0";
    case 3: return L"and @STATUS=1";
    case 4: return L"and @STATUS=2";
    default: return EString();
    }
}

// The task list's sort fields are its columns; those it computes from the
// plan (done and planned time) and the category path (the same for every
// task of a category) leave the order to the name.
EString PrimarySort(int sortField)
{
    const wchar_t* attribute = nullptr;
    bool numeric = true;
    switch (sortField) {
    case 1: attribute = L"ESTIMATION"; break;
    case 4: attribute = L"ORIGINALESTIMATION"; break;
    case 5: attribute = L"IMPORTANCE"; break;
    case 6: attribute = L"DEADLINE"; numeric = false; break;
    case 7: attribute = L"STATUS"; break;
    default: return EString();
    }
    return EString::Formatted(L"<xsl:sort select=\"@%s\" data-type=\"%s\" order=\"REP_SORT_ORDER\"/>", attribute,
                              numeric ? L"number" : L"text");
}

// A text as an attribute's value between double quotes.
EString AttributeText(const EString& text)
{
    EString escaped;
    for (const wchar_t c : text) {
        switch (c) {
        case L'&': escaped += L"&amp;"; break;
        case L'<': escaped += L"&lt;"; break;
        case L'"': escaped += L"&quot;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

// One HIT element per category with a hit, as the stylesheet reads them.
EString HitElements(const FindMatches& matches)
{
    EString elements;
    for (const auto& [id, hits] : matches) {
        elements += L"<HIT ID=\"" + AttributeText(id) + L"\"";
        if (hits.own)
            elements += L" OWN=\"1\"";
        if (hits.everyTask)
            elements += L" TASKS=\"*\"";
        else if (!hits.tasks.IsEmpty())
            elements += L" TASKS=\"" + AttributeText(hits.tasks) + L"\"";
        elements += L"/>";
    }
    return elements;
}

} // namespace

void SearchResults::SetSelection(int categoryId, int taskId)
{
    m_selectedCategory = categoryId;
    m_selectedTask = taskId;
}

void SearchResults::SetSort(int field, int direction)
{
    m_sortField = field;
    m_sortAscending = direction != 0;
}

EString SearchResults::MakeStylesheet(const FindMatches& matches) const
{
    EString text = LoadResourceText(kFindStylesheetId);
    // In this order: the primary sort brings an order placeholder of its own.
    text.Replace(L"REP_CATEGORY_FILTER", CategoryFilter(m_statusFilter).c_str());
    text.Replace(L"REP_TASK_FILTER", TaskFilter(m_statusFilter).c_str());
    text.Replace(L"PRIMARY_SORT", PrimarySort(m_sortField).c_str());
    text.Replace(L"REP_SORT_ORDER", m_sortAscending ? L"ascending" : L"descending");
    text.Replace(L"REP_SELECTED_CATEGORY", std::to_wstring(m_selectedCategory).c_str());
    text.Replace(L"REP_SELECTED_TASK", std::to_wstring(m_selectedTask).c_str());
    text.Replace(L"REP_HITS", HitElements(matches).c_str());
    return text;
}

bool SearchResults::Run()
{
    if (!HasInput() || m_criteria.IsEmpty())
        return false;
    // A bad regular expression is refused before any work on the plan.
    const FindMatcher matcher(m_criteria, m_options.matchCase, m_options.wholeWord, m_options.regularExpression);
    // One document for both the walk and the stylesheet: the live plan when
    // handed, else the parse of its text.
    XmlDocument input = GetInputDocument();
    if (input.IsEmpty())
        input = ParseFreeThreadedXml(GetXml());
    XSLProcessor processor;
    processor.SetInputDocument(input);
    processor.LoadStylesheetXml(MakeStylesheet(CollectFindMatches(input, matcher)));
    const EString output = processor.Transform();
    try {
        ResultsParser parser;
        if (!parser.Parse(output, !m_options.up))
            return false;
        m_taskFound = parser.IsTaskFound();
        m_foundTaskId = parser.GetFoundTaskId();
        m_foundCategoryId = parser.GetFoundCategoryId();
        return true;
    } catch (const ComError&) {
        return false;
    }
}
