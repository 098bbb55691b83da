#include <gtest/gtest.h>

#include "document/model/ModelTestSupport.h"
#include "document/model/PlanEntriesMixer.h"

using PlanEntriesMixerTest = ModelTest;

TEST_F(PlanEntriesMixerTest, EmptyMixerGivesAnEmptySection)
{
    EXPECT_EQ(PlanEntriesMixer().GetXml(), L"<DAILY></DAILY>");
}

TEST_F(PlanEntriesMixerTest, FragmentsGatherByDayInDateOrder)
{
    PlanEntriesMixer mixer;
    const unsigned leapDay = static_cast<unsigned>(Date(2024, 2, 29));
    const unsigned newYear = static_cast<unsigned>(Date(2024, 1, 1));
    mixer.Add(leapDay, L"<PLANENTRY ID=\"2\"/>");
    mixer.Add(newYear, L"<PLANENTRY ID=\"1\"/>");
    mixer.Add(leapDay, L"<PLANENTRY ID=\"3\"/>");
    mixer.Add(newYear, L"");
    EXPECT_EQ(mixer.GetXml(), L"<DAILY>"
                              L"<DAY DATE=\"2024-01-01\"><PLANENTRY ID=\"1\"/></DAY>"
                              L"<DAY DATE=\"2024-02-29\"><PLANENTRY ID=\"2\"/><PLANENTRY ID=\"3\"/></DAY>"
                              L"</DAILY>");
}
