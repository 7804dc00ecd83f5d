// The GPS sentences whose members the rest of the program reads (RMC, GGA,
// GLL, VTG, GSA, GSV) and the waypoint-location family.
#pragma once

#include "gps/nmea/NmeaMessage.h"

// Recommended minimum data: checksum field 12, which must be present.
class CNmeaRMC : public CNmeaFieldMessage<CNmeaRMC> {
    NMEA_FIELD_CLASS(CNmeaRMC, "RMC", 12, NMEA_CHECKSUM_REQUIRED)
    CString Describe() const override;
    CNmeaPosition Position() const override { return m_Location; }
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_TimeText, m_Time);
        v.Flag(2, m_Status);
        v.Position(3, m_Location);
        v.Real(7, m_SpeedKnots);
        v.Real(8, m_CourseTrue);
        v.Text(9, m_DateText);
        v.Real(10, m_Variation);
        v.EastWest(11, m_VariationSide);
    }

    CString m_TimeText;
    CTime m_Time;
    int m_Status = 0;
    CNmeaPosition m_Location;
    double m_SpeedKnots = 0;
    double m_CourseTrue = 0;
    CString m_DateText;   // ddmmyy as received
    double m_Variation = 0;
    int m_VariationSide = 0;
};

// Fix data: checksum field 15.
class CNmeaGGA : public CNmeaFieldMessage<CNmeaGGA> {
    NMEA_FIELD_CLASS(CNmeaGGA, "GGA", 15, NMEA_CHECKSUM)
    CString Describe() const override;
    CNmeaPosition Position() const override { return m_Location; }
    CTime FixTime() const override { return m_Time; }
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_TimeText, m_Time);
        v.Position(2, m_Location);
        v.Int(6, m_Quality);
        v.Int(7, m_SatellitesUsed);
        v.Real(8, m_Hdop);
        v.Real(9, m_Altitude);
        v.Unit(10, "M");
        v.Real(11, m_GeoidSeparation);
        v.Unit(12, "M");
        v.Real(13, m_DgpsAge);
        v.Int(14, m_DgpsStation);
    }

    CString m_TimeText;
    CTime m_Time;
    CNmeaPosition m_Location;
    int m_Quality = 0;   // 0 no fix, 1 GPS, 2 differential
    int m_SatellitesUsed = 0;
    double m_Hdop = 0;
    double m_Altitude = 0;
    double m_GeoidSeparation = 0;
    double m_DgpsAge = 0;
    int m_DgpsStation = 0;
};

// Geographic position: checksum field 7.
class CNmeaGLL : public CNmeaFieldMessage<CNmeaGLL> {
    NMEA_FIELD_CLASS(CNmeaGLL, "GLL", 7, NMEA_CHECKSUM)
    CString Describe() const override;
    CNmeaPosition Position() const override { return m_Location; }
    template <class V> void Fields(V& v)
    {
        v.Position(1, m_Location);
        v.Time(5, m_TimeText, m_Time);
        v.Flag(6, m_Status);
    }

    CString m_TimeText;
    CTime m_Time;
    int m_Status = 0;
    CNmeaPosition m_Location;
};

// Course and speed over ground: checksum field 9.
class CNmeaVTG : public CNmeaFieldMessage<CNmeaVTG> {
    NMEA_FIELD_CLASS(CNmeaVTG, "VTG", 9, NMEA_CHECKSUM)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_CourseTrue);
        v.Unit(2, "T");
        v.Real(3, m_CourseMagnetic);
        v.Unit(4, "M");
        v.Real(5, m_SpeedKnots);
        v.Unit(6, "N");
        v.Real(7, m_SpeedKmh);
        v.Unit(8, "K");
    }

    double m_CourseTrue = 0;
    double m_CourseMagnetic = 0;
    double m_SpeedKnots = 0;
    double m_SpeedKmh = 0;
};

// Dilution of precision and active satellites: checksum field 18.
class CNmeaGSA : public CNmeaFieldMessage<CNmeaGSA> {
    NMEA_FIELD_CLASS(CNmeaGSA, "GSA", 18, NMEA_CHECKSUM)
    // A fix mode other than 1, 2 or 3 reads as 0.
    int Parse(const CNmeaSentence& sentence) override;
    // Zero satellite numbers and modes are written as empty fields.
    int Write(CNmeaSentence& sentence) const override;
    template <class V> void Fields(V& v)
    {
        v.Letters(1, m_SelectionMode, "MA");
        v.Int(2, m_FixMode);
        for (int i = 0; i < 12; ++i)
            v.Int(3 + i, m_SatelliteIds[i]);
        v.Real(15, m_Pdop);
        v.Real(16, m_Hdop);
        v.Real(17, m_Vdop);
    }

    int m_SelectionMode = 0;   // "M" 1, "A" 2
    int m_FixMode = 0;
    int m_SatelliteIds[12] = {};
    double m_Pdop = 0;
    double m_Hdop = 0;
    double m_Vdop = 0;
};

// One satellite of a GSV sentence; relative fields 0 to 3.
class CNmeaSatelliteInfo {
public:
    virtual ~CNmeaSatelliteInfo() = default;
    virtual void Clear()
    {
        m_Prn = m_Elevation = m_Azimuth = 0;
        m_Snr = -1;
    }
    // An empty SNR field reads as -1.
    virtual void Read(int firstField, const CNmeaSentence& sentence);
    virtual void WriteTo(CNmeaSentence& sentence) const;
    virtual void CopyFrom(const CNmeaSatelliteInfo& other) { *this = other; }

    int m_Prn = 0;
    int m_Elevation = 0;
    int m_Azimuth = 0;
    int m_Snr = -1;
};

// Satellites in view: checksum field 20. Sentence m of a set fills the four
// entries from 4 x (m - 1); the table has room for three sentences.
class CNmeaGSV : public CNmeaFieldMessage<CNmeaGSV> {
    NMEA_FIELD_CLASS(CNmeaGSV, "GSV", 20, NMEA_CHECKSUM)
    static constexpr int kEntries = 12;
    void Clear() override;
    // A sentence number outside 1..3 (later sentences of receivers that see
    // more than 12 satellites) fills nothing: the table keeps its entries.
    int Parse(const CNmeaSentence& sentence) override;
    // The first sentence of a set: entries 1 to 4.
    int Write(CNmeaSentence& sentence) const override;
    template <class V> void Fields(V& v) { v.Int(3, m_SatellitesInView); }

    int m_SatellitesInView = 0;
    CNmeaSatelliteInfo m_Satellites[kEntries];
};

// The waypoint-location family: time, position and waypoint id; checksum field 7.
// The waypoint id survives Clear.
class CNmeaWaypointFix : public CNmeaFieldMessage<CNmeaWaypointFix> {
public:
    explicit CNmeaWaypointFix(const char* mnemonic)
        : CNmeaFieldMessage<CNmeaWaypointFix>(mnemonic, 7, NMEA_CHECKSUM)
    {
    }
    void Clear() override;
    CString Describe() const override;
    CNmeaPosition Position() const override { return m_Location; }
    CTime FixTime() const override { return m_Time; }
    void CopyFrom(const CNmeaMessage& other) override;
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_TimeText, m_Time);
        v.Position(2, m_Location);
        v.Text(6, m_WaypointId);
    }

    CString m_TimeText;
    CTime m_Time;
    CNmeaPosition m_Location;
    CString m_WaypointId;
};

#define NMEA_WAYPOINT_CLASS(Name, Mnemonic)                                                             \
    class Name : public CNmeaWaypointFix {                                                              \
    public:                                                                                             \
        Name() : CNmeaWaypointFix(Mnemonic) {}                                                          \
    };
NMEA_WAYPOINT_CLASS(CNmeaGDA, "GDA")
NMEA_WAYPOINT_CLASS(CNmeaGDF, "GDF")
NMEA_WAYPOINT_CLASS(CNmeaGDP, "GDP")
NMEA_WAYPOINT_CLASS(CNmeaGLA, "GLA")
NMEA_WAYPOINT_CLASS(CNmeaGLF, "GLF")
NMEA_WAYPOINT_CLASS(CNmeaGLP, "GLP")
NMEA_WAYPOINT_CLASS(CNmeaGOA, "GOA")
NMEA_WAYPOINT_CLASS(CNmeaGOF, "GOF")
NMEA_WAYPOINT_CLASS(CNmeaGOP, "GOP")
NMEA_WAYPOINT_CLASS(CNmeaGXF, "GXF")
NMEA_WAYPOINT_CLASS(CNmeaGXP, "GXP")
#undef NMEA_WAYPOINT_CLASS

// Waypoint location with a satellite number: checksum field 8.
class CNmeaGXA : public CNmeaFieldMessage<CNmeaGXA> {
    NMEA_FIELD_CLASS(CNmeaGXA, "GXA", 8, NMEA_CHECKSUM)
    CNmeaPosition Position() const override { return m_Location; }
    CTime FixTime() const override { return m_Time; }
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_TimeText, m_Time);
        v.Position(2, m_Location);
        v.Text(6, m_WaypointId);
        v.Int(7, m_SatelliteNumber);
    }

    CString m_TimeText;
    CTime m_Time;
    CNmeaPosition m_Location;
    CString m_WaypointId;
    int m_SatelliteNumber = 0;
};
