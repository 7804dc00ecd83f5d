// The fix a parsed sentence states, as the live window, the viewer and the
// import take it: any talker, the mode fields of later NMEA versions, and the
// positions and times that cannot be.
#include <gtest/gtest.h>

#include "gps/nmea/NmeaFix.h"
#include "gps/nmea/NmeaParser.h"
#include "tests/gps/support/NmeaText.h"

using testsupport::Nmea;

namespace {
NmeaFixKind FixOf(const std::string& line, CNmeaFix& fix)
{
    CNmeaParser parser;
    parser.SetSentence(line.c_str());
    if (!parser.Parse())
        return NmeaFixKind::kNone;
    return NmeaFixOf(parser, fix);
}
}

TEST(NmeaFix, SentencesOfEveryVersionGiveTheirFix)
{
    const struct {
        std::string line;
        double lat, lon;
        const char* time;
        int satellites;
    } cases[] = {
        {Nmea("GPGGA,123519,4807.038,N,01131.000,W,1,08,0.9,545.4,M,46.9,M,,"), 48.1173, -11.516666, "123519", 8},
        {Nmea("GNGGA,123519.00,4807.038,S,01131.000,E,1,12,0.9,545.4,M,46.9,M,,,0"), -48.1173, 11.516666,
         "123519.00", 12},
        {Nmea("BDRMC,010203,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A"), 48.1173, 11.516666, "010203", -1},
        {Nmea("GPGLL,4916.45,N,12311.12,W,225444,A,D"), 49.274166, -123.185333, "225444", -1},
        // A logger's plain lines, without a checksum.
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\r\n", 48.1173, 11.516666, "123519", 8},
    };
    for (const auto& c : cases) {
        CNmeaFix fix;
        ASSERT_EQ(FixOf(c.line, fix), NmeaFixKind::kFix) << c.line;
        EXPECT_NEAR(fix.latitude, c.lat, 1e-5) << c.line;
        EXPECT_NEAR(fix.longitude, c.lon, 1e-5) << c.line;
        EXPECT_EQ(fix.timeText, c.time) << c.line;
        EXPECT_EQ(fix.satellites, c.satellites) << c.line;
    }
    EXPECT_EQ(NmeaClockText("123519.00"), "12:35:19");
    EXPECT_EQ(NmeaClockText("246060"), "");
}

TEST(NmeaFix, PositionsAndTimesThatCannotBeAreNoFix)
{
    const char* impossible[] = {
        "GPGGA,123519,9107.038,N,01131.000,E,1,08,,,M,,M,,",   // latitude beyond 90
        "GPGGA,123519,4807.038,N,18131.000,E,1,08,,,M,,M,,",   // longitude beyond 180
        "GPGGA,123519,4860.000,N,01131.000,E,1,08,,,M,,M,,",   // 60 minutes
        "GPGGA,123519,nan,N,01131.000,E,1,08,,,M,,M,,",
        "GPGGA,123519,4807.038,N,inf,E,1,08,,,M,,M,,",
        "GPGGA,123519,1e300,N,01131.000,E,1,08,,,M,,M,,",
        "GPGGA,123519,4.9e-324,N,4.9e-324,E,1,08,,,M,,M,,",   // a denormal that lands at 0, 0
        "GPGGA,123519,-4807.038,N,01131.000,E,1,08,,,M,,M,,",  // a sign beside a hemisphere
        "GPGGA,246060,4807.038,N,01131.000,E,1,08,,,M,,M,,",   // 24:60:60
        "GPRMC,12:35:19,A,4807.038,N,01131.000,E,,,230394,,",
    };
    for (const char* body : impossible) {
        CNmeaFix fix;
        EXPECT_EQ(FixOf(Nmea(body), fix), NmeaFixKind::kImpossible) << body;
    }
    // No position: a receiver without a fix, or a sentence that has none.
    for (const char* body : {"GPGGA,123519,,,,,0,00,,,M,,M,,", "GPGGA,123519,,N,,E,0,00,,,M,,M,,",
                             "GPGGA,123519,4807.038,,01131.000,E,1,08,,,M,,M,,", "GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"}) {
        CNmeaFix fix;
        EXPECT_EQ(FixOf(Nmea(body), fix), NmeaFixKind::kNone) << body;
    }
}
