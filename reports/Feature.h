// Feature: what a user-extensible file declares and whose it is.
#pragma once

class Feature {
public:
    Feature(int usesCategory, int usesPeriod, int isUserFile)
        : m_usesCategory(usesCategory), m_usesPeriod(usesPeriod), m_isUserFile(isUserFile)
    {
    }
    explicit Feature(int isUserFile) : Feature(0, 0, isUserFile) {}
    Feature(const Feature&) = default;
    Feature& operator=(const Feature&) = default;
    virtual ~Feature() = default;

    // The report declares AffectedCategory.
    bool UsesCategory() const { return m_usesCategory != 0; }
    // The report declares both ReportingPeriodStart and ReportingPeriodEnd.
    bool UsesPeriod() const { return m_usesPeriod != 0; }
    bool IsUserFile() const { return m_isUserFile != 0; }

private:
    int m_usesCategory;
    int m_usesPeriod;
    int m_isUserFile;
};
