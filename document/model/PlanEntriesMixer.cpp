#include "document/model/PlanEntriesMixer.h"

#include "foundation/TimeParser.h"

void PlanEntriesMixer::Add(unsigned day, const EString& xml)
{
    m_days[day] += xml;
}

EString PlanEntriesMixer::GetXml() const
{
    EString xml = L"<DAILY>";
    for (const auto& [day, entries] : m_days) {
        xml += L"<DAY DATE=\"";
        xml += DateParser::FormatDate(static_cast<double>(day));
        xml += L"\">";
        xml += entries;
        xml += L"</DAY>";
    }
    xml += L"</DAILY>";
    return xml;
}
