// Fields, checksums, writers and coordinates of single sentences.
#include <gtest/gtest.h>

#include "gps/nmea/NmeaSentence.h"
#include "tests/gps/support/DaylightSavingZone.h"
#include "tests/gps/support/NmeaText.h"

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>

using testsupport::Nmea;

namespace {
CNmeaSentence Sentence(const char* text)
{
    CNmeaSentence s;
    s.SetText(text);
    return s;
}
}

TEST(NmeaSentence, FieldsOfASentenceWithChecksum)
{
    const CNmeaSentence s = Sentence("$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n");
    EXPECT_EQ(s.FieldText(0), "GPGLL");
    EXPECT_EQ(s.FieldText(6), "A");
    EXPECT_EQ(s.FieldText(7), "31\r\n");
    EXPECT_EQ(s.FieldText(8), "");
    EXPECT_EQ(s.FieldText(-1), "");
    EXPECT_EQ(s.CountDataFields(), 6);
    EXPECT_EQ(s.CalcChecksum(), 0x31);
    EXPECT_EQ(s.ChecksumMismatch(7), 2);
    EXPECT_EQ(s.ReadFlag(6), 1);
    EXPECT_EQ(s.ReadNorthSouth(2), 1);
    EXPECT_EQ(s.ReadEastWest(4), 2);
    EXPECT_DOUBLE_EQ(s.ReadReal(1), 4916.45);
    EXPECT_EQ(Sentence("$GPGLL,4916.45,N,12311.12,W,225444,A*32\r\n").ChecksumMismatch(7), 1);

    // Without a checksum the last field keeps CR LF: the flag no longer reads.
    const CNmeaSentence bare = Sentence("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n");
    EXPECT_EQ(bare.FieldText(6), "A\r\n");
    EXPECT_EQ(bare.ReadFlag(6), 0);
    EXPECT_EQ(bare.ChecksumMismatch(7), 0);
}

TEST(NmeaSentence, ChecksumFieldsAndOddFields)
{
    // Lower-case digits are read; digits that are no hex number read as 0.
    const CNmeaSentence lower = Sentence("$GPXTE,A,A,0.67,L,N*6f\r\n");
    EXPECT_EQ(lower.CalcChecksum(), 0x6F);
    EXPECT_EQ(lower.ChecksumMismatch(6), 2);
    EXPECT_EQ(Sentence("$GPXTE,A,A,0.67,L,N*ZZ\r\n").ChecksumMismatch(6), 1);
    EXPECT_EQ(Sentence("$A*ZZ\r\n").ChecksumMismatch(1), 1);   // checksum of "A" is 0x41

    const CNmeaSentence empty = Sentence("$X,1,,3");
    EXPECT_EQ(empty.FieldText(2), "");
    EXPECT_EQ(empty.ReadInt(2), 0);
    EXPECT_EQ(empty.ReadReal(2), 0.0);
    EXPECT_EQ(empty.ReadFlag(2), 0);
    EXPECT_EQ(empty.ReadReference(2), 0);
    // "*" separates as "," does, and fields go on after it.
    EXPECT_EQ(Sentence("$a*b,c").FieldText(2), "c");
    // Letters count only as the whole field.
    EXPECT_EQ(Sentence("$X,A ,W,M,{,T").ReadFlag(1), 0);
    EXPECT_EQ(Sentence("$X,A ,W,M,{,T").ReadReference(3), 2);
    EXPECT_EQ(Sentence("$X,A ,W,M,{,T").ReadCommMode(4), '{');
    EXPECT_EQ(Sentence("$X,A ,W,M,{,T").ReadTransducerKind(5), 'T');
    EXPECT_EQ(Sentence("$X,A ,W,M,{,B").ReadTransducerKind(5), 0);
}

TEST(NmeaSentence, HugeNumbersSaturateInsteadOfOverflowing)
{
    const CNmeaSentence s = Sentence("$X,99999999999999999999,-99999999999999999999,FFFFFFFFFFFF*00\r\n");
    EXPECT_EQ(s.ReadInt(1), INT_MAX);
    EXPECT_EQ(s.ReadInt(2), INT_MIN);
    EXPECT_EQ(NmeaHexValue("FFFFFFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(NmeaHexValue("1d\r\n"), 0x1Du);

    CNmeaLatitude huge;
    huge.Set(1e300, "N");
    EXPECT_GT(huge.DecimalDegrees(), 0.0);
    EXPECT_EQ(huge.WholeDegrees(), INT_MAX / 100 + (INT_MAX % 100) / 60);
    huge.Set(atof("nan"), "N");
    EXPECT_EQ(huge.WholeDegrees(), 0);
}

TEST(NmeaSentence, TimeOfDayIsTheSentenceClockInUtcNearestToNow)
{
    const time_t now = CTime::GetCurrentTime().GetTime();
    const CTime t = Sentence("$X,123519.45,").ReadTimeOfDay(1);
    EXPECT_EQ(t.FormatGmt("%H:%M:%S"), "12:35:19");
    EXPECT_LE(std::llabs((long long)(t.GetTime() - now)), 12 * 3600);
    // Fewer than six characters: the current time.
    for (const char* text : {"$X,12351,", "$X,,"}) {
        const CTime c = Sentence(text).ReadTimeOfDay(1);
        EXPECT_LE(std::llabs((long long)(c.GetTime() - now)), 2) << text;
    }
}

// The sentence's clock is UTC whatever the zone: read in a zone whose daylight
// saving begins at 02:00 local time today, 02:30 is no local time and used to
// come out as 03:30.
TEST(NmeaSentence, TimeOfDayIgnoresTheLocalZoneAndItsDaylightSaving)
{
    const testsupport::DaylightSavingZone zone;
    const CTime t = Sentence("$X,023000,").ReadTimeOfDay(1);
    EXPECT_EQ(t.FormatGmt("%H:%M:%S"), "02:30:00");
}

TEST(NmeaSentence, ChecksumIsTheTwoDigitsAfterTheStar)
{
    const struct {
        std::string text;
        int state;   // unset, right (2), wrong (1)
    } cases[] = {
        {Nmea("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A"), 2},   // NMEA 2.3 mode letter
        {Nmea("GPGLL,4916.45,N,12311.12,W,225444,A,D"), 2},
        {Nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,,0"), 2},
        {Nmea("GPXTE,A,A,0.67,L,N", false) + " \t\r\n", 2},   // blanks before the line end
        {"$GPXTE,A,A,0.67,L,N*6f\r\n", 2},                      // lower-case digits
        {"$GPXTE,A,A,0.67,L,N*6E\r\n", 1},
        {"$GPXTE,A,A,0.67,L,N*\r\n", 1},                        // cut off after the star
        {"$GPXTE,A,A,0.67,L,N*6\r\n", 1},
        {"$GPXTE,A,A,0.67,L,N*ZZ\r\n", 1},
        {"$GPXTE,A,A,0.67,L,N*6Fjunk\r\n", 1},
        {"$GPXTE,A,A,0.67,L,N\r\n", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sentence(c.text.c_str()).ChecksumState(), c.state) << c.text;
}

TEST(NmeaSentence, ValuesAreNeverReadFromTheChecksum)
{
    // Fewer fields than a reader asks for: the digits after "*" are no value.
    const CNmeaSentence s = Sentence("$GPGSV,3,3,11,22,42,067,42*75\r\n");
    EXPECT_EQ(s.FieldText(8), "75\r\n");   // the raw fields go on after "*"
    EXPECT_EQ(s.DataFieldText(8), "");
    EXPECT_EQ(s.ReadInt(8), 0);
    EXPECT_EQ(s.DataFieldText(7), "42");
    EXPECT_EQ(Sentence("$X,1*E3\r\n").ReadEastWest(2), 0);   // not east
}

TEST(NmeaSentence, LongSentencesReadEveryField)
{
    // A sentence of 200,000 fields, read field by field: the text is cut once.
    std::string text = "$GPXDR";
    for (int i = 0; i < 200000; ++i)
        text += "," + std::to_string(i);
    const CNmeaSentence s = Sentence(text.c_str());
    EXPECT_EQ(s.CountDataFields(), 200000);
    long long sum = 0;
    for (int i = 1; i <= 200000; ++i)
        sum += s.ReadInt(i);
    EXPECT_EQ(sum, 199999LL * 200000 / 2);
    EXPECT_EQ(s.FieldText(200000), "199999");
}

TEST(NmeaSentence, PositionsAndTimesThatCannotBe)
{
    const struct {
        const char* value;
        int maxDegrees;
        bool plausible;
    } values[] = {
        {"4807.038", 90, true},  {"9000.000", 90, true},  {"9000.001", 90, false}, {"18000.0", 180, true},
        {"18100.0", 180, false}, {"4860.000", 90, false}, {"4859.999", 90, true},  {"nan", 90, false},
        {"inf", 90, false},      {"1e5", 90, false},      {"4.9e-324", 90, false}, {"-4807.038", 90, false},
        {" 4807.038", 90, false}, {"48.07.03", 90, false}, {".", 90, false},       {"0000.0000", 90, true},
    };
    for (const auto& v : values) {
        CNmeaPosition p;
        const std::string line = std::string("$GPGLL,") + v.value + ",N," + v.value + ",E,";
        p.Read(1, 2, 3, 4, Sentence(line.c_str()));
        EXPECT_EQ(p.m_Latitude.IsPlausible(v.maxDegrees), v.plausible) << v.value;
    }
    CNmeaPosition empty;
    empty.Read(1, 2, 3, 4, Sentence("$GPGLL,,N,,E,"));
    EXPECT_FALSE(empty.IsStated());

    for (const char* good : {"000000", "235959", "235960", "123519.45", "123519."})
        EXPECT_TRUE(IsNmeaTimeOfDay(good)) << good;
    for (const char* bad : {"", "12351", "240000", "126000", "123560", "246060", "1235a9", "123519,4", "-12351"})
        EXPECT_FALSE(IsNmeaTimeOfDay(bad)) << bad;
}

TEST(NmeaSentence, WritersAppendOneFieldEach)
{
    CNmeaSentence s;
    s.SetText("$GPX");
    s.AddFlag(0);
    s.AddInt(-5);
    s.AddReal(2.5);
    s.AddFlag(2);
    s.AddEastWest(3);
    s.AddCommMode('q');
    s.AddTransducerKind('B');
    EXPECT_EQ(s.GetText(), "$GPX,,-5,2.500,V,,q,");
    s.AddTimeOfDay(CTime(2005, 8, 24, 7, 8, 9));
    EXPECT_EQ(s.GetText(), "$GPX,,-5,2.500,V,,q,,070809");

    CNmeaSentence hdt;
    hdt.SetText("$GPHDT,274.070,T");
    hdt.AppendChecksum();
    EXPECT_EQ(hdt.GetText(), "$GPHDT,274.070,T*33\r\n");

    CNmeaPosition p;
    p.m_Latitude.Set(4916.45, "N");
    p.m_Longitude.Set(311.12, "E");
    CNmeaSentence pos;
    pos.SetText("$");
    pos.AddPosition(p);
    EXPECT_EQ(pos.GetText(), "$,4916.45,N,00311.12,E");
    p.m_Latitude.Set(5.0, "");
    pos.SetText("$");
    p.m_Latitude.WriteTo(pos);
    EXPECT_EQ(pos.GetText(), "$,0005.00,");
}

TEST(NmeaSentence, CoordinatesAndTheirDescription)
{
    CNmeaLatitude lat;
    lat.Set(4916.45, "North");
    EXPECT_EQ(lat.m_nHemisphere, 1);
    EXPECT_NEAR(lat.DecimalDegrees(), 49.2741666667, 1e-9);
    EXPECT_EQ(lat.WholeDegrees(), 49);
    EXPECT_NEAR(lat.Minutes(), 16.45, 1e-9);

    CNmeaLongitude lon;
    lon.Set(12311.12, "W");
    EXPECT_NEAR(lon.SignedDegrees(), -(123 + 11.12 / 60), 1e-9);
    lon.Set(12311.12, "X");
    EXPECT_EQ(lon.IsKnown(), 0);

    CNmeaPosition p;
    const CNmeaSentence s = Sentence("$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n");
    EXPECT_EQ(p.Read(1, 2, 3, 4, s), 1);
    EXPECT_EQ(p.Describe(), "Latitude 49 16.45000 North, Longitude 123 11.12000 West");
    // Values are kept even when a hemisphere is missing.
    EXPECT_EQ(p.Read(1, 5, 3, 4, s), 0);
    EXPECT_DOUBLE_EQ(p.m_Latitude.m_dValue, 4916.45);
}
