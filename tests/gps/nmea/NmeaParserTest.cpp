// The container's dispatch and the sentence classes as the program reads them.
#include <gtest/gtest.h>

#include "gps/nmea/NmeaParser.h"
#include "tests/gps/support/NmeaText.h"

#include <climits>

using testsupport::Nmea;

namespace {
struct ParseCase {
    std::string line;
    int result;
    const char* mnemonic;   // ParsedMnemonic afterwards
    const char* error;
    const char* talker;
};

class ParsedLine : public CNmeaParser {
public:
    int Run(const std::string& line)
    {
        SetSentence(line.c_str());
        return Parse();
    }
};
}

TEST(NmeaParser, TableOfLines)
{
    const std::string gga = Nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    const ParseCase cases[] = {
        {gga, 1, "GGA", "No Error", "GP"},
        {Nmea("GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"), 1, "RMC", "No Error", "GN"},
        {Nmea("PSRF151,3,1485,147236.000,0x00000000"), 1, "P", "No Error", "PS"},
        {Nmea("PEMT161,1"), 1, "P", "No Error", "PE"},
        {Nmea("GPGOA,1,2,3,4,5,6,7"), 0, "", "GOA is an unknown type of sentence", ""},
        {Nmea("AB"), 0, "", "AB is an unknown type of sentence", ""},
        {Nmea("GPAAA,1"), 0, "", "AAA is an unknown type of sentence", ""},
        {Nmea("GPZZZ,1"), 0, "", "ZZZ is an unknown type of sentence", ""},
        {Nmea("GPGNS,1"), 0, "", "GNS is an unknown type of sentence", ""},
        {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*00\r\n", 0, "",
         "RMC, Invalid Checksum", ""},
        {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W\r\n", 0, "", "RMC, Missing Checksum", ""},
        {"$GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V\r\n", 0, "", "RMB, Missing Checksum", ""},
        {"$GPXTE,A,A,0.67,L,N\r\n", 1, "XTE", "No Error", "GP"},
        // Later NMEA versions add fields before the checksum, which stands after
        // "*" wherever that is: a mode letter in RMC, GLL and VTG, a field in
        // GGA, the system id in GSA.
        {Nmea("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A"), 1, "RMC", "No Error", "GP"},
        {Nmea("GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A,V"), 1, "RMC", "No Error", "GN"},
        {Nmea("GPGLL,4916.45,N,12311.12,W,225444,A,A"), 1, "GLL", "No Error", "GP"},
        {Nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,,0"), 1, "GGA", "No Error", "GP"},
        {Nmea("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A"), 1, "VTG", "No Error", "GP"},
        {Nmea("GNGSA,A,3,10,16,26,27,,,,,,,,,1.94,1.18,1.54,1"), 1, "GSA", "No Error", "GN"},
        // A line cut off after its star, or with a broken checksum, is refused.
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*\r\n", 0, "", "GGA, Invalid Checksum", ""},
        {"$GPGSA,A,3,04,05,,*3)\r\n", 0, "", "GSA, Invalid Checksum", ""},
    };
    for (const ParseCase& c : cases) {
        ParsedLine p;
        EXPECT_EQ(p.Run(c.line), c.result) << c.line;
        EXPECT_EQ(p.ParsedMnemonic, c.mnemonic) << c.line;
        EXPECT_EQ(p.ErrorText, c.error) << c.line;
        EXPECT_EQ(p.TalkerId, c.talker) << c.line;
    }
}

TEST(NmeaParser, ResultsOfASuccessAndWhatAFailureKeeps)
{
    ParsedLine p;
    ASSERT_EQ(p.Run(Nmea("GPGGA,123519,4807.038,N,01131.000,W,1,08,0.9,545.4,M,46.9,M,,")), 1);
    EXPECT_EQ(p.ReceivedMnemonic, "GGA");
    EXPECT_EQ(p.TalkerName, "Global Positioning System (GPS)");
    EXPECT_DOUBLE_EQ(p.LastPosition.m_Latitude.m_dValue, 4807.038);
    EXPECT_EQ(p.LastPosition.m_Longitude.m_nHemisphere, 2);
    EXPECT_EQ(p.GGA.m_SatellitesUsed, 8);
    EXPECT_DOUBLE_EQ(p.GGA.m_Altitude, 545.4);
    EXPECT_EQ(p.GGA.m_Time.FormatGmt("%H"), "12");
    EXPECT_NE(p.DescribedText.Find("based upon a GPS fix, 8 satellites are in use."), -1);

    // Not CR LF: nothing changes, not even the error text.
    std::string bare = Nmea("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    bare.resize(bare.size() - 2);
    EXPECT_EQ(p.Run(bare), 0);
    EXPECT_EQ(p.ErrorText, "No Error");

    // A refused RMC leaves the previous success and the previous RMC members.
    ASSERT_EQ(p.Run(Nmea("GPRMC,010203,A,1000.000,S,02000.000,E,1.5,2.5,010100,,")), 1);
    EXPECT_EQ(p.Run("$GPRMC,235959,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*00\r\n"), 0);
    EXPECT_EQ(p.ParsedMnemonic, "RMC");
    EXPECT_EQ(p.RMC.m_TimeText, "010203");
    EXPECT_EQ(p.LastPosition.m_Latitude.m_nHemisphere, 2);
    EXPECT_EQ(p.RMC.m_VariationSide, 0);

    // Sentences without a position clear it; the GGA object keeps its own.
    ASSERT_EQ(p.Run(Nmea("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K")), 1);
    EXPECT_EQ(p.LastPosition.m_Latitude.m_nHemisphere, 0);
    EXPECT_EQ(p.VTG.Position().m_Latitude.m_nHemisphere, 0);
    EXPECT_DOUBLE_EQ(p.VTG.m_SpeedKmh, 10.2);
    EXPECT_EQ(p.GGA.Position().m_Latitude.m_nHemisphere, 1);
}

TEST(NmeaParser, RegistryHoldsEveryClassButThreeInOrder)
{
    CNmeaParser p;
    const auto& reg = p.GetRegistry();
    ASSERT_EQ((int)reg.size(), CNmeaParser::kRegisteredCount);
    for (size_t i = 0; i + 1 < reg.size(); ++i)
        EXPECT_LT(reg[i]->GetMnemonic(), reg[i + 1]->GetMnemonic());
    for (CNmeaMessage* m : reg) {
        EXPECT_EQ(p.FindRegistered(m->GetMnemonic()), m);
        EXPECT_EQ(m->GetParser(), &p);
    }
    for (const char* hidden : {"GOA", "GOF", "GOP"})
        EXPECT_EQ(p.FindRegistered(hidden), nullptr);
    EXPECT_EQ(TalkerName("GN"), "Unknown - GN");
    EXPECT_EQ(TalkerName("ZV"), "Timekeeper - Radio Update, WWV or WWVH");
}

TEST(NmeaParser, SatelliteTableFillsByGroupAndStaysInBounds)
{
    ParsedLine p;
    ASSERT_EQ(p.Run(Nmea("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00")), 1);
    ASSERT_EQ(p.Run(Nmea("GPGSV,3,2,11,17,41,050,45,20,28,130,,23,01,200,30,32,50,300,40")), 1);
    EXPECT_EQ(p.GSV.m_Satellites[0].m_Prn, 3);
    EXPECT_EQ(p.GSV.m_Satellites[4].m_Prn, 17);
    EXPECT_EQ(p.GSV.m_Satellites[5].m_Snr, -1);
    EXPECT_EQ(p.GSV.m_Satellites[7].m_Prn, 32);

    // Two satellites: the entries after them are empty; the checksum digits
    // are no satellite, and are tested.
    ASSERT_EQ(p.Run("$GPGSV,3,3,11,22,42,067,42,24,14,311,43*7F\r\n"), 1);
    EXPECT_EQ(p.GSV.m_Satellites[8].m_Prn, 22);
    EXPECT_EQ(p.GSV.m_Satellites[9].m_Snr, 43);
    EXPECT_EQ(p.GSV.m_Satellites[10].m_Prn, 0);
    EXPECT_EQ(p.GSV.m_Satellites[10].m_Snr, -1);
    EXPECT_EQ(p.GSV.m_Satellites[11].m_Prn, 0);
    EXPECT_EQ(p.Run("$GPGSV,3,3,11,22,42,067,42,24,14,311,43*75\r\n"), 0);

    // Receivers that see more than 12 satellites send a fourth sentence and
    // more; sentence number 0 is an empty field. Neither writes outside the table.
    CNmeaGSV before = p.GSV;
    for (const char* n : {"4", "7", "", "-1", "2147483647", "99999999999"}) {
        EXPECT_EQ(p.Run(Nmea(std::string("GPGSV,7,") + n + ",25,41,10,100,20,42,11,110,21,43,12,120,22,44,13,130,23")), 1);
        for (int i = 0; i < CNmeaGSV::kEntries; ++i)
            EXPECT_EQ(p.GSV.m_Satellites[i].m_Prn, before.m_Satellites[i].m_Prn) << n;
        EXPECT_EQ(p.GSV.m_SatellitesInView, 25);
    }

    // A saturated count of satellites writes its number of sentences without overflowing.
    ASSERT_EQ(p.Run(Nmea("GPGSV,1,1,99999999999")), 1);
    EXPECT_EQ(p.GSV.m_SatellitesInView, INT_MAX);
    CNmeaSentence out;
    p.GSV.Write(out);
    EXPECT_EQ(out.FieldText(1), "536870912");
}

TEST(NmeaParser, GsaModesAndRoundTrips)
{
    ParsedLine p;
    ASSERT_EQ(p.Run(Nmea("GPGSA,a,4,04,05,,09,12,,,24,,,,,2.5,1.3,2.1")), 1);
    EXPECT_EQ(p.GSA.m_SelectionMode, 0);
    EXPECT_EQ(p.GSA.m_FixMode, 0);
    ASSERT_EQ(p.Run(Nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1")), 1);
    EXPECT_EQ(p.GSA.m_SelectionMode, 2);
    EXPECT_EQ(p.GSA.m_FixMode, 3);
    EXPECT_EQ(p.GSA.m_SatelliteIds[2], 0);
    EXPECT_DOUBLE_EQ(p.GSA.m_Vdop, 2.1);

    // What Write builds parses back to the same members.
    CNmeaSentence out;
    p.GSA.Write(out);
    EXPECT_EQ(out.GetText(), Nmea("--GSA,A,3,4,5,,9,12,,,24,,,,,2.500,1.300,2.100").c_str());
    ASSERT_EQ(p.Run(Nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")), 1);
    p.GGA.Write(out);
    CNmeaGGA back;
    ASSERT_EQ(back.Parse(out), 1);
    EXPECT_EQ(back.m_SatellitesUsed, 8);
    EXPECT_EQ(out.FieldText(10), "M");
    p.VTG.Write(out);
    EXPECT_EQ(out.GetText(), Nmea("--VTG,0.000,T,0.000,M,0.000,N,0.000,K").c_str());
}

TEST(NmeaParser, InstrumentSentences)
{
    ParsedLine p;
    // Frequencies: more groups than the six the class holds are not read.
    std::string sfi = "GPSFI,1,1";
    for (int i = 0; i < 9; ++i)
        sfi += ",2182." + std::to_string(i) + ",d";
    ASSERT_EQ(p.Run(Nmea(sfi)), 1);
    EXPECT_DOUBLE_EQ(p.SFI.m_Frequencies[5].m_Frequency, 2182.5);
    EXPECT_EQ(p.SFI.m_Frequencies[5].m_Mode, 'd');
    ASSERT_EQ(p.Run(Nmea("GPSFI,1,1,1000,m,2000,x")), 1);
    EXPECT_EQ(p.SFI.m_Frequencies[1].m_Mode, 'x');
    EXPECT_EQ(p.SFI.m_Frequencies[2].m_Frequency, 0.0);
    EXPECT_EQ(p.Run("$GPSFI,1,1,1000,m,2000,x*00\r\n"), 0);

    // Date and time: the date of the sentence, in UTC; a short time field reads no further.
    ASSERT_EQ(p.Run(Nmea("GPZDA,201530.00,24,08,2005,,")), 1);
    EXPECT_EQ(p.ZDA.m_Time.FormatGmt("%Y-%m-%d %H:%M:%S"), "2005-08-24 20:15:30");
    ASSERT_EQ(p.Run(Nmea("GPZDA,000001,01,13,2004,,")), 1);   // month 13 carries into the year
    EXPECT_EQ(p.ZDA.m_Time.FormatGmt("%Y-%m-%d %H:%M:%S"), "2005-01-01 00:00:01");
    for (const char* body : {"GPZDA,2,24,08,2005,,", "GPZDA,,24,08,2005,,", "GPZDA,1,99999999999,-99999999999,-5,,"})
        EXPECT_EQ(p.Run(Nmea(body)), 1) << body;

    // Lists replace what the previous sentence gave.
    ASSERT_EQ(p.Run(Nmea("IIXDR,C,19.52,C,TempAir,P,1.02481,B,Barometer,H,36.0,P,Humidity")), 1);
    EXPECT_EQ(p.XDR.m_Measurements.size(), 3u);
    ASSERT_EQ(p.Run(Nmea("IIXDR,C,19.52,C,TempAir")), 1);
    ASSERT_EQ(p.XDR.m_Measurements.size(), 1u);
    EXPECT_EQ(p.XDR.m_Measurements[0].m_TransducerType, 'C');
    ASSERT_EQ(p.Run(Nmea("GPRTE,2,1,c,0,W1,W2")), 1);
    ASSERT_EQ(p.RTE.m_Waypoints.size(), 2u);
    EXPECT_EQ(p.RTE.m_Waypoints[1], "W2");
    ASSERT_EQ(p.Run(Nmea("GPRTE,2,1,c,0")), 1);
    EXPECT_TRUE(p.RTE.m_Waypoints.empty());

    // Letters compared as the whole field.
    ASSERT_EQ(p.Run(Nmea("LCGLC,1,1,A,2,B,3,C,4,S,5,X,6,")), 1);
    EXPECT_EQ(p.GLC.m_Differences[3].m_SignalStatus, 4);
    EXPECT_EQ(p.GLC.m_Differences[4].m_SignalStatus, 0);
    ASSERT_EQ(p.Run(Nmea("RARSD,1,2,3,4,5,6,7,8,9,10,11,N,H")), 1);
    EXPECT_EQ(p.RSD.m_DisplayRotation, 2);
    EXPECT_DOUBLE_EQ(p.RSD.m_Origins[1].m_BearingLine, 8);

    // Positions and times of the waypoint sentences.
    ASSERT_EQ(p.Run(Nmea("GPBWC,225444,4917.24,N,12309.57,W,051.9,T,031.6,M,001.3,N,004")), 1);
    EXPECT_EQ(p.LastPosition.m_Longitude.m_nHemisphere, 2);
    EXPECT_EQ(p.BWC.FixTime().FormatGmt("%H:%M:%S"), "22:54:44");
    EXPECT_EQ(p.BWC.m_WaypointId, "004");
}

TEST(NmeaParser, PlainEnglishTexts)
{
    ParsedLine p;
    struct {
        std::string line;
        const char* text;
    } cases[] = {
        {Nmea("GPROT,-3.5,A"), "The bow is turning to Port at a rate of  3.5 degrees per minute."},
        {Nmea("GPROT,-3.5,V"),
         "The bow is turning to Port at a rate of  3.5 degrees per minute. However, this data is not valid."},
        {Nmea("GPROT,0.0,"),
         "The bow is turning to Starboard at a rate of  0.0 degrees per minute. However, this data cannot be "
         "confirmed."},
        {Nmea("HEHDT,274.07,T"), "Your true heading is 274.07 degrees."},
        {Nmea("GPBOD,097.0,T,103.2,M,POINTB,POINTA"), "You are bearing 97.00 degrees true (103.20 degrees magnetic)."},
        {Nmea("YXMTW,17.8,C"), "The water temperature is 17.8 C."},
        {Nmea("GPTEP,45.5,D"), "TRANSIT satellite predicted elevation is  45.50 degrees."},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(p.Run(c.line), 1) << c.line;
        EXPECT_EQ(p.DescribedText, c.text);
    }
}

TEST(NmeaProprietary, ManufacturerLookup)
{
    ParsedLine p;
    ASSERT_EQ(p.Run(Nmea("PGRMZ,93,f,3")), 1);
    EXPECT_EQ(p.P.m_ManufacturerCode, "GRM");
    EXPECT_EQ(p.P.m_ManufacturerName, "Garmin Corporation");
    EXPECT_EQ(p.TalkerName, "Unknown - PG");
    EXPECT_EQ(p.DescribedText, "");
    ASSERT_EQ(p.Run("$PEMT161,1*FF\r\n"), 1);   // a wrong checksum is accepted
    EXPECT_EQ(p.P.m_ManufacturerCode, "EMT");
    EXPECT_EQ(p.P.m_ManufacturerName, "");
    ASSERT_EQ(p.Run(Nmea("P1")), 1);
    EXPECT_EQ(p.P.m_ManufacturerCode, "1");

    CNmeaManufacturerList list;
    EXPECT_EQ(list.Find("AAR"), "Asian American Resources");
    ASSERT_EQ(list.GetCount(), CNmeaManufacturerList::kTableSize);
    EXPECT_EQ(list.Find("YAS"), "Yaesu Electronics");
    EXPECT_EQ(list.Find("TNL"), "Trimble Navigation");
    EXPECT_EQ(list.Find("FEC"), "Furuno Electric Company");
    EXPECT_EQ(list.Find("SRS"), "Shipmate, Rauff & Sorensen, A/S");
    EXPECT_EQ(list.Find("AAA"), "");
    EXPECT_EQ(list.Find("ZZZ"), "");
    // Sorted, equal codes in fill order; every code is found.
    for (int i = 0; i + 1 < list.GetCount(); ++i)
        EXPECT_LE(list.GetAt(i).m_Code, list.GetAt(i + 1).m_Code);
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_FALSE(list.Find(list.GetAt(i).m_Code).IsEmpty()) << list.GetAt(i).m_Code.GetString();
    EXPECT_EQ(list.GetAt(list.GetCount() - 1).m_Code, "YAS");
}
