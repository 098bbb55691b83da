// SearchResults: the document's find: the categories and tasks whose name or description matches, walked from the selection.
#pragma once

#include "document/IFindServices.h"
#include "reports/FindMatcher.h"
#include "reports/TransformBase.h"

// The find stylesheet (a program resource) lists the matching categories and
// tasks in the order the panes show them; ResultsParser then steps from the
// current selection to the next hit. The criteria, options and hit stay
// between searches, so Find Next goes on from the last one.
class SearchResults : public TransformBase, public ISearchResults {
public:
    void SetDocument(const XmlDocument& document) override { SetInput(document); }
    void SetCriteria(const EString& criteria) override { m_criteria = criteria; }
    EString GetCriteria() override { return m_criteria; }
    void SetStatusFilter(int statusFilter) override { m_statusFilter = statusFilter; }
    void SetSelection(int categoryId, int taskId) override;
    void SetOptions(const FindOptions& options) override { m_options = options; }
    void SetSort(int field, int direction) override;
    // Raises a ComError for a stylesheet or regular expression that fails;
    // the previous hit then stays.
    bool Run() override;
    bool IsTaskFound() override { return m_taskFound; }
    int GetFoundTaskId() override { return m_foundTaskId; }
    int GetFoundCategoryId() override { return m_foundCategoryId; }

private:
    // The find stylesheet with its placeholders filled: filter, sort,
    // selection and the matching ids.
    EString MakeStylesheet(const FindMatches& matches) const;

    EString m_criteria;
    FindOptions m_options;
    int m_statusFilter = 0;
    int m_selectedCategory = 0;
    int m_selectedTask = 0;
    int m_sortField = 0;
    bool m_sortAscending = true;
    bool m_taskFound = false;
    int m_foundTaskId = 0;
    int m_foundCategoryId = 0;
};
