// Fields, checksums, writers and coordinates of single sentences.
#include <gtest/gtest.h>

#include "gps/nmea/NmeaSentence.h"

#include <climits>

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

TEST(NmeaSentence, TimeOfDayIsTodayAtTheSentenceClock)
{
    const CTime now = CTime::GetCurrentTime();
    const CTime t = Sentence("$X,123519.45,").ReadTimeOfDay(1);
    EXPECT_EQ(t.GetHour(), 12);
    EXPECT_EQ(t.GetMinute(), 35);
    EXPECT_EQ(t.GetSecond(), 19);
    EXPECT_EQ(t.GetDay(), now.GetDay());
    // Fewer than six characters: the current time.
    for (const char* text : {"$X,12351,", "$X,,"}) {
        const CTime c = Sentence(text).ReadTimeOfDay(1);
        EXPECT_LE(std::llabs((long long)(c.GetTime() - now.GetTime())), 2) << text;
    }
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
