// The order of the report list's sort: two cell texts compare by the first rule
// that both of them satisfy.
//   1. hexadecimal numbers (the whole non-empty text): as unsigned 32-bit values;
//   2. decimal numbers (the whole text, or all but one final '%'): as doubles;
//   3. dates: as points in time;
//   4. otherwise byte by byte, case-sensitive ("Pear" before "pear").
// So "9", "10" and "A" order as 9, A, 10: all three are hexadecimal (9, 16, 10).
#pragma once

#include <cstdint>

// -1, 0 or 1.
int CompareReportTexts(const char* a, const char* b);

// The parts of the comparison, for the control's tests.
bool ParseReportHex(const char* text, uint32_t& value);
bool ParseReportDecimal(const char* text, double& value);
// Dates as the user types them: year-month-day with '-', '/' or '.', or
// day.month.year, or month/day/year, each with an optional time
// "hh:mm[:ss]"; or a time alone. `value` orders them (seconds from year 0).
bool ParseReportDate(const char* text, double& value);
