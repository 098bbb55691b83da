// CReportsDialog: the report to run, with its category, its period and the file it is written to.
#pragma once

#include <vector>

#include "dialogs/ReportsDialogIds.h"
#include "reports/Feature.h"
#include "reports/ReportPeriods.h"
#include "reports/TemplatesDialogBase.h"
#include "resources/IconIds.h"

class CPelquornDoc;

class CReportsDialog : public CTemplatesDialogBase<CReportsDialog> {
public:
    enum { IDD = IDD_REPORTS };
    static constexpr int kMaxOutputPath = 250;

    // One name and one feature per report file, in the order of the file list.
    CReportsDialog(std::vector<EString> names, std::vector<Feature> features, CPelquornDoc* document,
                   std::vector<ReportPeriod>& storedPeriods = StoredReportPeriods());

    EString GetDialogName() override { return L"ReportsDialog"; }
    unsigned GetIconId() override { return IDI_REPORT_FILE; }
    void UpdateOkButton() override;

    BEGIN_MESSAGE_MAP(CReportsDialog)
        ON_NOTIFY(IDC_REPORTS_LIST, LVN_ITEMCHANGED, OnReportSelected)
        ON_COMMAND_CODE(IDC_REPORT_PERIOD, CBN_SELCHANGE, OnPeriodChosen)
        ON_COMMAND_CODE(IDC_REPORT_CATEGORY_BROWSE, BN_CLICKED, OnBrowseCategory)
        ON_COMMAND_CODE(IDC_REPORT_OUTPUT_BROWSE, BN_CLICKED, OnBrowseOutput)
        ON_COMMAND_CODE(IDC_REPORT_OUTPUT, EN_CHANGE, OnOutputChanged)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnCommitPeriod)
        CHAIN_MESSAGE_MAP(CTemplatesDialogBase<CReportsDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CReportsDialog)
        DDX_TEXT_LEN(IDC_REPORT_OUTPUT, outputPath, kMaxOutputPath)
        DDX_TEXT(IDC_REPORT_CATEGORY, m_categoryName)
        DDX_COMBO_INDEX(IDC_REPORT_PERIOD, m_periodIndex)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CReportsDialog)
        RESIZE_CONTROL(IDC_REPORTS_LIST, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_REPORT_CATEGORY_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_CATEGORY, ResizeSizeX | ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_CATEGORY_BROWSE, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_PERIOD_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_PERIOD, ResizeSizeX | ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_OUTPUT_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_OUTPUT, ResizeSizeX | ResizeMoveY)
        RESIZE_CONTROL(IDC_REPORT_OUTPUT_BROWSE, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog();

    // In: shown on opening. Out after OK.
    EString outputPath;
    int categoryId = 0;
    // After OK: the chosen period.
    ReportPeriod period;

private:
    void FillPeriods();
    void SetCategory(int id);
    void EnableGroups(const Feature& feature, bool selected);

    LRESULT OnReportSelected(int, NMHDR* header, bool& handled);
    LRESULT OnPeriodChosen(WORD, WORD, HWND, bool&);
    LRESULT OnBrowseCategory(WORD, WORD, HWND, bool&);
    LRESULT OnBrowseOutput(WORD, WORD, HWND, bool&);
    LRESULT OnOutputChanged(WORD, WORD, HWND, bool&);
    LRESULT OnCommitPeriod(WORD, WORD, HWND, bool& handled);

    std::vector<Feature> m_features;
    CPelquornDoc* m_document;
    ReportPeriodList m_periods;
    int m_periodIndex = 0;
    EString m_categoryName;
    int m_fillingPeriods = 0;
};
