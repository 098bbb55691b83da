// ISearchResults, IPlanEntryFinder, IFindWindow: the find machinery the planning document drives.
#pragma once

#include <windows.h>

#include "document/xml/XmlDocument.h"
#include "foundation/EString.h"

class CPelquornDoc;

// The find dialog's switches and direction, handed on unchanged.
struct FindOptions {
    bool wholeWord = false;
    bool matchCase = false;
    bool regularExpression = false;
    bool up = false;
};

// The find engine and its last hit. It searches the live document: a text of
// the whole plan would cost seconds to make on every search.
class ISearchResults {
public:
    virtual ~ISearchResults() = default;

    virtual void SetDocument(const XmlDocument& document) = 0;
    virtual void SetCriteria(const EString& criteria) = 0;
    // Empty before the first search.
    virtual EString GetCriteria() = 0;
    virtual void SetStatusFilter(int statusFilter) = 0;
    // Where the search goes on from: the current category and the first selected task.
    virtual void SetSelection(int categoryId, int taskId) = 0;
    virtual void SetOptions(const FindOptions& options) = 0;
    // The task list's sort, so that hits come in the order it shows.
    virtual void SetSort(int field, int direction) = 0;
    // True when it found a hit; raises ComError on failure.
    virtual bool Run() = 0;
    // The last hit: a task, or a category whose own text matches. Its
    // category; 0 before the first.
    virtual bool IsTaskFound() = 0;
    virtual int GetFoundTaskId() = 0;
    virtual int GetFoundCategoryId() = 0;
};

// The plan entries of a task.
class IPlanEntryFinder {
public:
    virtual ~IPlanEntryFinder() = default;

    virtual void SetDocument(const XmlDocument& document) = 0;
    virtual void SetTaskId(int taskId) = 0;
    virtual void SetSecondId(int id) = 0;
    // True when it found plan entries; raises ComError on failure.
    virtual bool Run() = 0;
    // The date and id of the entry found; 0 when none.
    virtual double GetFoundDate() = 0;
    virtual int GetFoundId() = 0;
};

// The modeless find dialog.
class IFindWindow {
public:
    virtual ~IFindWindow() = default;

    // Hands it the document, creates its window owned by the main window when
    // it has none yet, shows it and gives it the focus.
    virtual void ShowFor(CPelquornDoc& document) = 0;
};
