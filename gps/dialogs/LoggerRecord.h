// One record of the data logger's download ("$PEMT161" with the download type
// 4 to 7 in field 1), as the GPS Data window shows and records it. The logger
// signs its positions (ddmm.mmmm, negative south of the equator and west of
// Greenwich); a record with an empty position, or one that cannot be, is a
// record all the same but places nothing.
#pragma once

#include "platform/base/CString.h"

struct LoggerRecord {
    bool placed = false;            // the position and time can be recorded
    double latitude = 0, longitude = 0;   // signed decimal degrees; 0 when not placed
    CString clock;                  // field 4 as hh:mm:ss (its characters as they stand)
    CString date;                   // field 3 as yy:mm:dd, characters 5-6, 3-4, 1-2
    double altitude = 0, course = 0, speedKmh = 0;   // fields 9, 10, 11
};

// False for a line that is no download record (the receiver's own sentences,
// which arrive meanwhile).
bool ReadLoggerRecord(const CString& line, LoggerRecord& record);
