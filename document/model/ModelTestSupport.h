// The fixture of the record tests: a fixed "now" and settings that override Wine's US locale.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "foundation/EString.h"

class ModelTest : public testing::Test {
protected:
    // 24-hour clock, weeks from Monday, now Wednesday 2024-05-15 10:30.
    void SetUp() override;
    void TearDown() override;

    static void SetNow(double now);
};

double Date(int year, int month, int day);
double Time(int hour, int minute, int second = 0);
double DateTime(int year, int month, int day, int hour, int minute);

// Readable failure messages for texts.
void PrintTo(const EString& text, std::ostream* out);
