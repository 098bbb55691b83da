#include "reports/ReportServices.h"

#include <vector>

#include "reports/ReportFiles.h"

// The shipped templates come first, so a shipped one starts every new plan
// while there is one; the user's own follow.
EString ReportServices::GetFirstTemplatePath()
{
    std::vector<EString> templates;
    Template().EnumerateFiles(templates);
    return templates.empty() ? EString() : templates.front();
}
