#include "reports/ReportServices.h"

EString ReportServices::GetFirstTemplatePath()
{
    // Not offered yet: new documents start empty.
    return EString();
}
