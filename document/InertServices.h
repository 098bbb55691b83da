// InertServices: what the document calls on while no dialog, report or find subsystem is plugged in.
#pragma once

#include "document/IDocumentDialogs.h"
#include "document/IFindServices.h"
#include "document/IReportServices.h"
#include "foundation/FileSystem.h"

// Every dialog is cancelled, nothing is found, no template exists.
class InertServices : public IDocumentDialogs,
                      public IReportServices,
                      public ISearchResults,
                      public IPlanEntryFinder,
                      public IFindWindow {
public:
    bool AskCompleteCategory(const EString&, bool&) override { return false; }
    bool ChooseDeadlineSchedule(double&, double&) override { return false; }
    bool EditProperties(DocProperties&) override { return false; }
    bool ChooseGoals(const std::vector<Goal>&, std::vector<Goal>&) override { return false; }
    bool EditLogin(EString&, EString&, bool&) override { return false; }

    EString GetFirstTemplatePath() override { return EString(); }
    EString GetReportOutputPath() override { return FileSystem::JoinPath(FileSystem::GetTempFolder(), L"Report.htm"); }
    EString GetReportTempDocPath() override { return FileSystem::JoinPath(FileSystem::GetTempFolder(), L"temp.qvr"); }
    bool ChooseReport(ReportRequest&) override { return false; }
    void RunReport(const ReportRequest&, const EString&) override {}
    void OpenWithShell(const EString&) override {}
    bool ChooseExportFile(ExchangeChoice&) override { return false; }
    bool ChooseImportFile(ExchangeChoice&) override { return false; }
    void RunConversionScript(const EString&, const EString&, const EString&, const ScriptParameters&) override {}

    // Both finders.
    void SetDocument(const XmlDocument&) override {}
    void SetCriteria(const EString& criteria) override { m_criteria = criteria; }
    EString GetCriteria() override { return m_criteria; }
    void SetStatusFilter(int) override {}
    void SetSelection(int, int) override {}
    void SetOptions(const FindOptions&) override {}
    void SetSort(int, int) override {}
    // Both finders find nothing.
    bool Run() override { return false; }
    bool IsTaskFound() override { return false; }
    int GetFoundTaskId() override { return 0; }
    int GetFoundCategoryId() override { return 0; }

    void SetTaskId(int) override {}
    void SetSecondId(int) override {}
    double GetFoundDate() override { return 0; }
    int GetFoundId() override { return 0; }

    void ShowFor(CPelquornDoc&) override {}

private:
    EString m_criteria;
};
