// The fix a sentence states, as the program records and shows it: one rule for
// the live receiver, the GPS log viewer and the GPS log import, taken from the
// sentence the parser accepted last.
#pragma once

#include "gps/nmea/NmeaSentence.h"

class CNmeaParser;

struct CNmeaFix {
    double latitude = 0, longitude = 0;         // decimal degrees, south and west negative
    double rawLatitude = 0, rawLongitude = 0;   // ddmm.mmmm and dddmm.mmmm as written, without sign
    CString timeText;                           // the time field (hhmmss...); empty when it has none
    int satellites = -1;                        // satellites in use (GGA), else -1
};

enum class NmeaFixKind {
    kNone,         // no position: the sentence has none, or a value or a hemisphere is missing
    kFix,
    kImpossible,   // a position or time that cannot be: a latitude beyond 90, minutes of 60,
                   // a value that is no plain number (a sign, an exponent, "nan"), 24:60:60
};

// What the parser's last successful parse states. `fix` is filled for kFix.
NmeaFixKind NmeaFixOf(CNmeaParser& parser, CNmeaFix& fix);

// Whether the mnemonic is one of the sentences that place a recorded fix: GGA, GLL, RMC.
bool IsNmeaFixSentence(const CString& mnemonic);

// "hh:mm:ss" of a time field; empty when it is no time of day (IsNmeaTimeOfDay).
CString NmeaClockText(const CString& timeField);
