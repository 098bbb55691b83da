// CFindDialog: the modeless find window: the text, three switches and the direction of the document's search.
#pragma once

#include "dialogs/SmallDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/IFindServices.h"

// Created once over the main window and hidden by Cancel: its text and
// options stay for the next search. The document reaches it as its find
// window; Find Next runs the document's search and leaves it open.
class CFindDialog : public CZemDialogImpl<CFindDialog>, public IFindWindow {
public:
    enum { IDD = IDD_FIND };
    static constexpr int kMaxText = 200;

    EString GetDialogName() override { return L"FindDialog"; }

    // Not owned; the search goes to it.
    void SetDocument(CPelquornDoc* document) { m_document = document; }

    // IFindWindow.
    void ShowFor(CPelquornDoc& document) override;

    BEGIN_MESSAGE_MAP(CFindDialog)
        ON_COMMAND(IDC_FIND_NEXT, OnFindNext)
        ON_COMMAND_CODE(IDC_FIND_TEXT, EN_CHANGE, OnTextChanged)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CFindDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CFindDialog)
        DDX_TEXT_LEN(IDC_FIND_TEXT, searchText, kMaxText)
        DDX_CHECK(IDC_FIND_MATCH_CASE, matchCase)
        DDX_CHECK(IDC_FIND_WHOLE_WORD, wholeWord)
        DDX_CHECK(IDC_FIND_REGULAR_EXPRESSION, regularExpression)
        DDX_CHECK(IDC_FIND_DOWN, searchDown)
        DDX_CHECK(IDC_FIND_UP, searchUp)
    END_DDX_MAP()

    void OnInitDialog();

    EString searchText;
    int matchCase = 0;
    int wholeWord = 0;
    int regularExpression = 0;
    int searchDown = 1;
    int searchUp = 0;

    FindOptions GetOptions() const;

private:
    LRESULT OnFindNext(WORD, WORD, HWND, bool&);
    LRESULT OnTextChanged(WORD, WORD, HWND, bool&);
    void EnableFindNext();

    CPelquornDoc* m_document = nullptr;
};
