// ReportRun: one report written: the stylesheet over the plan file, its texts filled in, the HTML saved.
#pragma once

#include "foundation/EString.h"

// What a report stylesheet receives; every report gets all of them.
struct ReportParameters {
    int affectedCategory = 0;
    // 1 Sunday, 2 Monday: the user's week as the program runs it.
    int startOfWeek = 2;
    bool is24HoursFormat = true;
    // Whole OLE day numbers.
    int periodStart = 0;
    int periodEnd = 0;
    double regularHours = 8;

    // The user's settings, with the category and the period chosen.
    static ReportParameters FromSettings(int categoryId, double periodStart, double periodEnd);
};

// Runs the stylesheet over the plan file and writes the output as UTF-16
// with its byte order mark, every "{key}" of the report texts replaced.
// Raises a ComError: E_INVALIDARG when the output would overwrite the plan or
// the stylesheet, or a stylesheet or plan that does not load; E_FAIL for a
// failed transformation or one that gave no output; the system's code for an
// output it cannot write. A failure leaves the output as it was: the new one
// replaces it only when whole.
void RunReport(const EString& stylesheetPath, const EString& inputPath, const EString& outputPath,
               const ReportParameters& parameters);

// Whether two paths name the same file: spelled alike once made full, or the
// same file on disk.
bool IsSameFile(const EString& first, const EString& second);
