#include "benchmark/LargePlan.h"

#include <cstdio>

// 10,000 tasks in 303 categories and 100,000 plan entries over three years.
std::string LargePlanXml()
{
    std::string xml = "<ROOT>";
    int task = 0;
    for (int category = 1; category <= 303; ++category) {
        xml += "<CATEGORY ID=\"" + std::to_string(category) + "\" NAME=\"Category " + std::to_string(category) +
               "\" STATUS=\"0\" DEADLINE=\"2024-05-01\"><DESCRIPTION>About this category\nsecond line</DESCRIPTION>";
        for (int i = 0; i < 33 && task < 10000; ++i) {
            ++task;
            xml += "<TASK ID=\"" + std::to_string(task) + "\" NAME=\"Task number " + std::to_string(task) +
                   "\" STATUS=\"1\" IMPORTANCE=\"2\" DEADLINE=\"2024-06-01\" ESTIMATION=\"2.5\" COLORDEF=\"14548957\""
                   " ORIGINALESTIMATION=\"2.0\"><DESCRIPTION>Notes on task " + std::to_string(task) +
                   "</DESCRIPTION></TASK>";
        }
        xml += "</CATEGORY>";
    }
    xml += "<DAILY>";
    int entry = 0;
    for (int day = 0; day < 1096 && entry < 100000; ++day) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2022 + day / 365, 1 + day % 365 / 31, 1 + day % 31 % 28);
        xml += std::string("<DAY DATE=\"") + date + "\">";
        for (int i = 0; i < 92 && entry < 100000; ++i) {
            ++entry;
            xml += "<PLANENTRY ID=\"" + std::to_string(entry) + "\" TASKID=\"" + std::to_string(1 + entry % 10000) +
                   "\" STARTTIME=\"09:00\" ENDTIME=\"09:30\" FIXEDTIME=\"0\"><DESCRIPTION/></PLANENTRY>";
        }
        xml += "</DAY>";
    }
    return xml + "</DAILY></ROOT>\n";
}
