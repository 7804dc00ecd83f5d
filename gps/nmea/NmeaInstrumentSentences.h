// The navigation and instrument sentences: autopilot, waypoints and routes,
// heading, speed, depth, wind and weather, radar, Loran-C, Decca, Omega,
// TRANSIT and the time sentences. Each lists its members in field order (see
// NmeaMessage.h); unit letters that parsing skips are written back as fixed
// letters. The program reads none of their members; they parse, describe a few
// types in plain English and give a position or a time where they carry one.
#pragma once

#include "gps/nmea/NmeaMessage.h"

#include <vector>

#define NMEA_CLASS(Name, Mnemonic, Checksum) \
    class CNmea##Name : public CNmeaFieldMessage<CNmea##Name> { \
        NMEA_FIELD_CLASS(CNmea##Name, Mnemonic, Checksum, NMEA_CHECKSUM)
#define NMEA_CLASS_NOCOPY(Name, Mnemonic, Checksum, Rule) \
    class CNmea##Name : public CNmeaFieldMessage<CNmea##Name> { \
        NMEA_FIELD_CLASS_NOCOPY(CNmea##Name, Mnemonic, Checksum, Rule)

// A group of members repeated inside a sentence; its fields count from 0.
template <class D>
class CNmeaFieldGroup {
public:
    virtual ~CNmeaFieldGroup() = default;
    virtual void Clear()
    {
        CNmeaFieldClearer c;
        static_cast<D&>(*this).Fields(c);
    }
    virtual void Read(int firstField, const CNmeaSentence& sentence)
    {
        CNmeaFieldReader r(sentence, firstField);
        static_cast<D&>(*this).Fields(r);
    }
    virtual void WriteTo(CNmeaSentence& sentence) const
    {
        CNmeaFieldWriter w(sentence);
        const_cast<D&>(static_cast<const D&>(*this)).Fields(w);
    }
    virtual void CopyFrom(const D& other) { static_cast<D&>(*this) = other; }
};

// ---------------------------------------------------------------- autopilot and waypoints
NMEA_CLASS(AAM, "AAM", 6)
    template <class V> void Fields(V& v)
    {
        v.Flag(1, m_ArrivalCircleEntered);
        v.Flag(2, m_PerpendicularPassed);
        v.Real(3, m_ArrivalCircleRadius);
        v.Unit(4, "N");
        v.Text(5, m_WaypointId);
    }
    int m_ArrivalCircleEntered = 0;
    int m_PerpendicularPassed = 0;
    double m_ArrivalCircleRadius = 0;
    CString m_WaypointId;
};

NMEA_CLASS_NOCOPY(ALM, "ALM", 16, NMEA_CHECKSUM)
    template <class V> void Fields(V& v)
    {
        v.Int16(1, m_NumberOfSentences);
        v.Int16(2, m_SentenceNumber);
        v.Int16(3, m_SatelliteNumber);
        v.Int16(4, m_GpsWeek);
        v.Hex16(5, m_Health);
        v.Hex16(6, m_Eccentricity);
        v.Hex16(7, m_ReferenceTime);
        v.Hex16(8, m_Inclination);
        v.Hex16(9, m_RateOfRightAscension);
        v.Hex32(10, m_RootOfSemiMajorAxis);
        v.Hex32(11, m_ArgumentOfPerigee);
        v.Hex32(12, m_LongitudeOfAscendingNode);
        v.Hex32(13, m_MeanAnomaly);
        v.Hex16(14, m_F0ClockParameter);
        v.Hex16(15, m_F1ClockParameter);
    }
    short m_NumberOfSentences = 0;
    short m_SentenceNumber = 0;
    short m_SatelliteNumber = 0;
    short m_GpsWeek = 0;
    WORD m_Health = 0;
    WORD m_Eccentricity = 0;
    WORD m_ReferenceTime = 0;
    WORD m_Inclination = 0;
    WORD m_RateOfRightAscension = 0;
    DWORD m_RootOfSemiMajorAxis = 0;
    DWORD m_ArgumentOfPerigee = 0;
    DWORD m_LongitudeOfAscendingNode = 0;
    DWORD m_MeanAnomaly = 0;
    WORD m_F0ClockParameter = 0;
    WORD m_F1ClockParameter = 0;
};

NMEA_CLASS(APB, "APB", 15)
    template <class V> void Fields(V& v)
    {
        v.Flag(1, m_Blink);
        v.Flag(2, m_CycleLock);
        v.Real(3, m_CrossTrackError);
        v.LeftRight(4, m_DirectionToSteer);
        v.Text(5, m_CrossTrackUnits);
        v.Flag(6, m_ArrivalCircleEntered);
        v.Flag(7, m_PerpendicularPassed);
        v.Real(8, m_BearingOriginToDestination);
        v.Text(9, m_BearingOriginToDestinationUnits);
        v.Text(10, m_DestinationWaypointId);
        v.Real(11, m_BearingPresentToDestination);
        v.Text(12, m_BearingPresentToDestinationUnits);
        v.Real(13, m_HeadingToSteer);
        v.Text(14, m_HeadingToSteerUnits);
    }
    int m_Blink = 0;
    int m_CycleLock = 0;
    double m_CrossTrackError = 0;
    int m_DirectionToSteer = 0;
    CString m_CrossTrackUnits;
    int m_ArrivalCircleEntered = 0;
    int m_PerpendicularPassed = 0;
    double m_BearingOriginToDestination = 0;
    CString m_BearingOriginToDestinationUnits;
    CString m_DestinationWaypointId;
    double m_BearingPresentToDestination = 0;
    CString m_BearingPresentToDestinationUnits;
    double m_HeadingToSteer = 0;
    CString m_HeadingToSteerUnits;
};

// Reads nothing and accepts every sentence.
class CNmeaASD : public CNmeaMessage {
public:
    CNmeaASD() : CNmeaMessage("ASD") {}
    void Clear() override {}
    int Parse(const CNmeaSentence&) override { return 1; }
    int Write(CNmeaSentence& sentence) const override
    {
        CNmeaMessage::Write(sentence);
        sentence.AppendChecksum();
        return 1;
    }
};

// Bearing and distance to a waypoint (BEC, BWC, BWR share the layout).
template <class D>
class CNmeaBearingToWaypoint : public CNmeaFieldMessage<D> {
public:
    CNmeaPosition Position() const override { return m_Location; }
    CTime FixTime() const override { return m_Time; }
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_TimeText, m_Time);
        v.Position(2, m_Location);
        v.Real(6, m_BearingTrue);
        v.Unit(7, "T");
        v.Real(8, m_BearingMagnetic);
        v.Unit(9, "M");
        v.Real(10, m_NauticalMiles);
        v.Unit(11, "N");
        v.Text(12, m_WaypointId);
    }
    CString m_TimeText;
    CTime m_Time;
    CNmeaPosition m_Location;
    double m_BearingTrue = 0;
    double m_BearingMagnetic = 0;
    double m_NauticalMiles = 0;
    CString m_WaypointId;

protected:
    explicit CNmeaBearingToWaypoint(const char* mnemonic) : CNmeaFieldMessage<D>(mnemonic, 13, NMEA_CHECKSUM) {}
};
class CNmeaBEC : public CNmeaBearingToWaypoint<CNmeaBEC> {
public:
    CNmeaBEC() : CNmeaBearingToWaypoint<CNmeaBEC>("BEC") {}
};
class CNmeaBWC : public CNmeaBearingToWaypoint<CNmeaBWC> {
public:
    CNmeaBWC() : CNmeaBearingToWaypoint<CNmeaBWC>("BWC") {}
};
class CNmeaBWR : public CNmeaBearingToWaypoint<CNmeaBWR> {
public:
    CNmeaBWR() : CNmeaBearingToWaypoint<CNmeaBWR>("BWR") {}
    void CopyFrom(const CNmeaMessage& other) override { CopyMembers(other); }
};

NMEA_CLASS(BOD, "BOD", 7)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_BearingTrue);
        v.Unit(2, "T");
        v.Real(3, m_BearingMagnetic);
        v.Unit(4, "M");
        v.Text(5, m_ToWaypoint);
        v.Text(6, m_FromWaypoint);
    }
    double m_BearingTrue = 0;
    double m_BearingMagnetic = 0;
    CString m_ToWaypoint;
    CString m_FromWaypoint;
};

NMEA_CLASS(BWW, "BWW", 7)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_BearingTrue);
        v.Unit(2, "T");
        v.Real(3, m_BearingMagnetic);
        v.Unit(4, "M");
        v.Text(5, m_ToWaypoint);
        v.Text(6, m_FromWaypoint);
    }
    double m_BearingTrue = 0;
    double m_BearingMagnetic = 0;
    CString m_ToWaypoint;
    CString m_FromWaypoint;
};

// ---------------------------------------------------------------- depth
NMEA_CLASS_NOCOPY(DBT, "DBT", 7, NMEA_CHECKSUM)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_DepthFeet);
        v.Unit(2, "f");
        v.Real(3, m_DepthMeters);
        v.Unit(4, "M");
        v.Real(5, m_DepthFathoms);
        v.Unit(6, "F");
    }
    double m_DepthFeet = 0;
    double m_DepthMeters = 0;
    double m_DepthFathoms = 0;
};

// ---------------------------------------------------------------- Decca
class CNmeaDeccaLine : public CNmeaFieldGroup<CNmeaDeccaLine> {
public:
    template <class V> void Fields(V& v)
    {
        v.Text(0, m_ZoneId);
        v.Real(1, m_LineOfPosition);
        v.Flag(2, m_Status);
    }
    CString m_ZoneId;
    double m_LineOfPosition = 0;
    int m_Status = 0;
};

NMEA_CLASS(DCN, "DCN", 17)
    int Parse(const CNmeaSentence& sentence) override;
    template <class V> void Fields(V& v)
    {
        v.Int(1, m_DeccaChainId);
        v.Group(2, m_Lines[0]);
        v.Group(5, m_Lines[1]);
        v.Group(8, m_Lines[2]);
        v.Flag(11, m_RedLineInUse);
        v.Flag(12, m_GreenLineInUse);
        v.Flag(13, m_PurpleLineInUse);
        v.Real(14, m_PositionUncertainty);
        v.Unit(15, "N");
        v.Int(16, m_FixBasis);
    }
    int m_DeccaChainId = 0;
    CNmeaDeccaLine m_Lines[3];   // red, green, purple
    int m_RedLineInUse = 0;
    int m_GreenLineInUse = 0;
    int m_PurpleLineInUse = 0;
    double m_PositionUncertainty = 0;
    int m_FixBasis = 0;   // 1, 2 or 3, else 0
};

NMEA_CLASS(DPT, "DPT", 3)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_Depth);
        v.Real(2, m_Offset);
    }
    double m_Depth = 0;
    double m_Offset = 0;
};

NMEA_CLASS(FSI, "FSI", 5)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_TransmittingFrequency);
        v.Real(2, m_ReceivingFrequency);
        v.CommMode(3, m_CommunicationsMode);
        v.Int(4, m_PowerLevel);
    }
    double m_TransmittingFrequency = 0;
    double m_ReceivingFrequency = 0;
    int m_CommunicationsMode = 0;
    int m_PowerLevel = 0;
};

// ---------------------------------------------------------------- Loran-C
class CNmeaLoranTimeDifference : public CNmeaFieldGroup<CNmeaLoranTimeDifference> {
public:
    template <class V> void Fields(V& v)
    {
        v.Real(0, m_Microseconds);
        v.Letters(1, m_SignalStatus, "ABCS");
    }
    double m_Microseconds = 0;
    int m_SignalStatus = 0;   // "A" 1, "B" 2, "C" 3, "S" 4
};

NMEA_CLASS(GLC, "GLC", 14)
    template <class V> void Fields(V& v)
    {
        v.Int(1, m_GroupRepetitionInterval);
        for (int i = 0; i < 6; ++i)
            v.Group(2 + 2 * i, m_Differences[i]);
    }
    int m_GroupRepetitionInterval = 0;
    CNmeaLoranTimeDifference m_Differences[6];   // master, then the secondaries
};

NMEA_CLASS(GTD, "GTD", 6)
    template <class V> void Fields(V& v)
    {
        for (int i = 0; i < 5; ++i)
            v.Text(1 + i, m_TimeDifferences[i]);
    }
    CString m_TimeDifferences[5];
};

// ---------------------------------------------------------------- heading
NMEA_CLASS(HCC, "HCC", 2)
    CString Describe() const override;
    template <class V> void Fields(V& v) { v.Real(1, m_HeadingDegrees); }
    double m_HeadingDegrees = 0;
};

NMEA_CLASS(HDG, "HDG", 6)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_MagneticSensorHeading);
        v.Real(2, m_MagneticDeviation);
        v.EastWest(3, m_MagneticDeviationDirection);
        v.Real(4, m_MagneticVariation);
        v.EastWest(5, m_MagneticVariationDirection);
    }
    double m_MagneticSensorHeading = 0;
    double m_MagneticDeviation = 0;
    int m_MagneticDeviationDirection = 0;
    double m_MagneticVariation = 0;
    int m_MagneticVariationDirection = 0;
};

NMEA_CLASS(HDM, "HDM", 3)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_HeadingMagnetic);
        v.Unit(2, "M");
    }
    double m_HeadingMagnetic = 0;
};

NMEA_CLASS(HDT, "HDT", 3)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_HeadingTrue);
        v.Unit(2, "T");
    }
    double m_HeadingTrue = 0;
};

NMEA_CLASS(HSC, "HSC", 5)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_HeadingTrue);
        v.Unit(2, "T");
        v.Real(3, m_HeadingMagnetic);
        v.Unit(4, "M");
    }
    double m_HeadingTrue = 0;
    double m_HeadingMagnetic = 0;
};

NMEA_CLASS(IMA, "IMA", 13)
    CNmeaPosition Position() const override { return m_Location; }
    template <class V> void Fields(V& v)
    {
        v.Text(1, m_VesselName);
        v.Text(2, m_CallSign);
        v.Position(3, m_Location);
        v.Real(7, m_HeadingTrue);
        v.Unit(8, "T");
        v.Real(9, m_HeadingMagnetic);
        v.Unit(10, "M");
        v.Real(11, m_SpeedKnots);
        v.Unit(12, "N");
    }
    CString m_VesselName;
    CString m_CallSign;
    CNmeaPosition m_Location;
    double m_HeadingTrue = 0;
    double m_HeadingMagnetic = 0;
    double m_SpeedKnots = 0;
};

class CNmeaLoranSignal : public CNmeaFieldGroup<CNmeaLoranSignal> {
public:
    template <class V> void Fields(V& v)
    {
        v.Int(0, m_SignalToNoiseRatio);
        v.Int(1, m_EnvelopeToCycleDiscrepancy);
    }
    int m_SignalToNoiseRatio = 0;
    int m_EnvelopeToCycleDiscrepancy = 0;
};

NMEA_CLASS(LCD, "LCD", 14)
    template <class V> void Fields(V& v)
    {
        v.Int(1, m_GroupRepetitionInterval);
        for (int i = 0; i < 6; ++i)
            v.Group(2 + 2 * i, m_Signals[i]);
    }
    int m_GroupRepetitionInterval = 0;
    CNmeaLoranSignal m_Signals[6];   // master, then the secondaries
};

// ---------------------------------------------------------------- weather
NMEA_CLASS(MHU, "MHU", 5)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_RelativeHumidity);
        v.Real(2, m_AbsoluteHumidity);
        v.Real(3, m_DewPoint);
        v.Unit(4, "C");
    }
    double m_RelativeHumidity = 0;
    double m_AbsoluteHumidity = 0;
    double m_DewPoint = 0;
};

NMEA_CLASS(MTA, "MTA", 3)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_Temperature);
        v.Text(2, m_UnitOfMeasurement);
    }
    double m_Temperature = 0;
    CString m_UnitOfMeasurement;
};

NMEA_CLASS(MTW, "MTW", 3)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_Temperature);
        v.Text(2, m_UnitOfMeasurement);
    }
    double m_Temperature = 0;
    CString m_UnitOfMeasurement;
};

NMEA_CLASS(MWV, "MWV", 6)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_WindAngle);
        v.Text(2, m_Reference);
        v.Real(3, m_WindSpeed);
        v.Text(4, m_WindSpeedUnits);
        v.Flag(5, m_IsDataValid);
    }
    double m_WindAngle = 0;
    CString m_Reference;
    double m_WindSpeed = 0;
    CString m_WindSpeedUnits;
    int m_IsDataValid = 0;
};

// ---------------------------------------------------------------- Omega
class CNmeaOmegaPair : public CNmeaFieldGroup<CNmeaOmegaPair> {
public:
    template <class V> void Fields(V& v)
    {
        v.Text(0, m_Name);
        v.Int(1, m_Number1);
        v.Int(2, m_Number2);
    }
    CString m_Name;
    int m_Number1 = 0;
    int m_Number2 = 0;
};

NMEA_CLASS(OLN, "OLN", 10)
    template <class V> void Fields(V& v)
    {
        for (int i = 0; i < 3; ++i)
            v.Group(1 + 3 * i, m_Pairs[i]);
    }
    CNmeaOmegaPair m_Pairs[3];
};

NMEA_CLASS(OSD, "OSD", 10)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_HeadingDegreesTrue);
        v.Flag(2, m_IsHeadingValid);
        v.Real(3, m_VesselCourseDegreesTrue);
        v.Reference(4, m_VesselCourseReference);
        v.Real(5, m_VesselSpeed);
        v.Reference(6, m_VesselSpeedReference);
        v.Real(7, m_VesselSetDegreesTrue);
        v.Real(8, m_VesselDriftSpeed);
        v.Text(9, m_VesselDriftSpeedUnits);
    }
    double m_HeadingDegreesTrue = 0;
    int m_IsHeadingValid = 0;
    double m_VesselCourseDegreesTrue = 0;
    int m_VesselCourseReference = 0;
    double m_VesselSpeed = 0;
    int m_VesselSpeedReference = 0;
    double m_VesselSetDegreesTrue = 0;
    double m_VesselDriftSpeed = 0;
    CString m_VesselDriftSpeedUnits;
};

// ---------------------------------------------------------------- recommended minimum navigation
class CNmeaRMA : public CNmeaFieldMessage<CNmeaRMA> {
    NMEA_FIELD_CLASS(CNmeaRMA, "RMA", 12, NMEA_CHECKSUM_REQUIRED)
    CNmeaPosition Position() const override { return m_Location; }
    template <class V> void Fields(V& v)
    {
        v.Flag(1, m_IsDataValid);
        v.Position(2, m_Location);
        v.Real(6, m_TimeDifferenceA);
        v.Real(7, m_TimeDifferenceB);
        v.Real(8, m_SpeedOverGroundKnots);
        v.Real(9, m_TrackMadeGoodDegreesTrue);
        v.Real(10, m_MagneticVariation);
        v.EastWest(11, m_DirectionOfVariation);
    }
    int m_IsDataValid = 0;
    CNmeaPosition m_Location;
    double m_TimeDifferenceA = 0;
    double m_TimeDifferenceB = 0;
    double m_SpeedOverGroundKnots = 0;
    double m_TrackMadeGoodDegreesTrue = 0;
    double m_MagneticVariation = 0;
    int m_DirectionOfVariation = 0;
};

class CNmeaRMB : public CNmeaFieldMessage<CNmeaRMB> {
    NMEA_FIELD_CLASS(CNmeaRMB, "RMB", 14, NMEA_CHECKSUM_REQUIRED)
    CNmeaPosition Position() const override { return m_DestinationPosition; }
    template <class V> void Fields(V& v)
    {
        v.Flag(1, m_IsDataValid);
        v.Real(2, m_CrossTrackError);
        v.LeftRight(3, m_DirectionToSteer);
        v.Text(4, m_From);
        v.Text(5, m_To);
        v.Position(6, m_DestinationPosition);
        v.Real(10, m_RangeToDestinationNauticalMiles);
        v.Real(11, m_BearingToDestinationDegreesTrue);
        v.Real(12, m_DestinationClosingVelocityKnots);
        v.Flag(13, m_IsArrivalCircleEntered);
    }
    int m_IsDataValid = 0;
    double m_CrossTrackError = 0;
    int m_DirectionToSteer = 0;
    CString m_From;
    CString m_To;
    CNmeaPosition m_DestinationPosition;
    double m_RangeToDestinationNauticalMiles = 0;
    double m_BearingToDestinationDegreesTrue = 0;
    double m_DestinationClosingVelocityKnots = 0;
    int m_IsArrivalCircleEntered = 0;
};

// ---------------------------------------------------------------- engine, rudder, radar
NMEA_CLASS(ROT, "ROT", 3)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_RateOfTurn);
        v.Flag(2, m_IsDataValid);
    }
    double m_RateOfTurn = 0;   // degrees per minute, negative to port
    int m_IsDataValid = 0;
};

NMEA_CLASS(RPM, "RPM", 6)
    template <class V> void Fields(V& v)
    {
        v.Text(1, m_Source);
        v.Int(2, m_SourceNumber);
        v.Real(3, m_RevolutionsPerMinute);
        v.Real(4, m_PropellerPitchPercentage);
        v.Flag(5, m_IsDataValid);
    }
    CString m_Source;
    int m_SourceNumber = 0;
    double m_RevolutionsPerMinute = 0;
    double m_PropellerPitchPercentage = 0;
    int m_IsDataValid = 0;
};

NMEA_CLASS(RSA, "RSA", 5)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_Starboard);
        v.Flag(2, m_IsStarboardDataValid);
        v.Real(3, m_Port);
        v.Flag(4, m_IsPortDataValid);
    }
    double m_Starboard = 0;
    int m_IsStarboardDataValid = 0;
    double m_Port = 0;
    int m_IsPortDataValid = 0;
};

class CNmeaRadarOrigin : public CNmeaFieldGroup<CNmeaRadarOrigin> {
public:
    template <class V> void Fields(V& v)
    {
        v.Real(0, m_Range);
        v.Real(1, m_BearingDegreesClockwiseFromZero);
        v.Real(2, m_VariableRangeMarker);
        v.Real(3, m_BearingLine);
    }
    double m_Range = 0;
    double m_BearingDegreesClockwiseFromZero = 0;
    double m_VariableRangeMarker = 0;
    double m_BearingLine = 0;
};

NMEA_CLASS(RSD, "RSD", 14)
    template <class V> void Fields(V& v)
    {
        v.Group(1, m_Origins[0]);
        v.Group(5, m_Origins[1]);
        v.Real(9, m_CursorRange);
        v.Real(10, m_CursorBearing);
        v.Real(11, m_RangeScale);
        v.Text(12, m_RangeUnits);
        v.Letters(13, m_DisplayRotation, "CHN");
    }
    CNmeaRadarOrigin m_Origins[2];
    double m_CursorRange = 0;
    double m_CursorBearing = 0;
    double m_RangeScale = 0;
    CString m_RangeUnits;
    int m_DisplayRotation = 0;   // "C" 1, "H" 2, "N" 3
};

// Routes: the waypoint ids of the last sentence only.
class CNmeaRTE : public CNmeaMessage {
public:
    CNmeaRTE() : CNmeaMessage("RTE") {}
    void Clear() override;
    int Parse(const CNmeaSentence& sentence) override;
    int Write(CNmeaSentence& sentence) const override;

    double m_TotalNumberOfMessages = 0;
    int m_TypeOfRoute = 0;   // "c" 1 (complete), "w" 2 (working)
    CString m_RouteName;
    std::vector<CString> m_Waypoints;
};

// Scanning frequencies: six groups of frequency and mode.
class CNmeaFrequencyAndMode : public CNmeaFieldGroup<CNmeaFrequencyAndMode> {
public:
    template <class V> void Fields(V& v)
    {
        v.Real(0, m_Frequency);
        v.CommMode(1, m_Mode);
    }
    double m_Frequency = 0;
    int m_Mode = 0;
};

class CNmeaSFI : public CNmeaFieldMessage<CNmeaSFI> {
    NMEA_FIELD_CLASS(CNmeaSFI, "SFI", 0, NMEA_CHECKSUM)
    static constexpr int kGroups = 6;
    // The checksum follows the last data field; groups beyond the sixth are not read.
    int Parse(const CNmeaSentence& sentence) override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_TotalMessages);
        v.Real(2, m_MessageNumber);
        for (int i = 0; i < kGroups; ++i)
            v.Group(3 + 2 * i, m_Frequencies[i]);
    }
    double m_TotalMessages = 0;
    double m_MessageNumber = 0;
    CNmeaFrequencyAndMode m_Frequencies[kGroups];
};

NMEA_CLASS(STN, "STN", 2)
    template <class V> void Fields(V& v) { v.Int(1, m_TalkerIdNumber); }
    int m_TalkerIdNumber = 0;
};

NMEA_CLASS(TEP, "TEP", 3)
    CString Describe() const override;
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_ElevationDegrees);
        v.Unit(2, "D");
    }
    double m_ElevationDegrees = 0;
};

NMEA_CLASS(TRF, "TRF", 13)
    CNmeaPosition Position() const override { return m_Location; }
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_TimeText, m_Time);
        v.Text(2, m_Date);
        v.Position(3, m_Location);
        v.Real(7, m_ElevationAngle);
        v.Real(8, m_NumberOfIterations);
        v.Real(9, m_NumberOfDopplerIntervals);
        v.Real(10, m_UpdateDistanceNauticalMiles);
        v.Real(11, m_SatelliteId);
        v.Flag(12, m_IsDataValid);
    }
    CString m_TimeText;
    CTime m_Time;
    CString m_Date;
    CNmeaPosition m_Location;
    double m_ElevationAngle = 0;
    double m_NumberOfIterations = 0;
    double m_NumberOfDopplerIntervals = 0;
    double m_UpdateDistanceNauticalMiles = 0;
    double m_SatelliteId = 0;   // an integer field kept as a double
    int m_IsDataValid = 0;
};

NMEA_CLASS(TTM, "TTM", 14)
    template <class V> void Fields(V& v)
    {
        v.Int(1, m_TargetNumber);
        v.Real(2, m_TargetDistance);
        v.Real(3, m_BearingFromOwnShip);
        v.Text(4, m_BearingUnits);
        v.Real(5, m_TargetSpeed);
        v.Real(6, m_TargetCourse);
        v.Text(7, m_TargetCourseUnits);
        v.Real(8, m_DistanceOfClosestPointOfApproach);
        v.Real(9, m_NumberOfMinutesToClosestPointOfApproach);
        v.Text(10, m_Increasing);
        v.Text(11, m_TargetName);
        v.Letters(12, m_TargetStatus, "LQT");
        v.Text(13, m_ReferenceTarget);
    }
    int m_TargetNumber = 0;
    double m_TargetDistance = 0;
    double m_BearingFromOwnShip = 0;
    CString m_BearingUnits;
    double m_TargetSpeed = 0;
    double m_TargetCourse = 0;
    CString m_TargetCourseUnits;
    double m_DistanceOfClosestPointOfApproach = 0;
    double m_NumberOfMinutesToClosestPointOfApproach = 0;
    CString m_Increasing;
    CString m_TargetName;
    int m_TargetStatus = 0;   // "L" 1 lost, "Q" 2 acquiring, "T" 3 tracking
    CString m_ReferenceTarget;
};

// ---------------------------------------------------------------- speed
NMEA_CLASS(VBW, "VBW", 7)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_LongitudinalWaterSpeed);
        v.Real(2, m_TransverseWaterSpeed);
        v.Flag(3, m_IsWaterSpeedValid);
        v.Real(4, m_LongitudinalGroundSpeed);
        v.Real(5, m_TransverseGroundSpeed);
        v.Flag(6, m_IsGroundSpeedValid);
    }
    double m_LongitudinalWaterSpeed = 0;
    double m_TransverseWaterSpeed = 0;
    int m_IsWaterSpeedValid = 0;
    double m_LongitudinalGroundSpeed = 0;
    double m_TransverseGroundSpeed = 0;
    int m_IsGroundSpeedValid = 0;
};

NMEA_CLASS(VDR, "VDR", 7)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_DegreesTrue);
        v.Unit(2, "T");
        v.Real(3, m_DegreesMagnetic);
        v.Unit(4, "M");
        v.Real(5, m_Knots);
        v.Unit(6, "N");
    }
    double m_DegreesTrue = 0;
    double m_DegreesMagnetic = 0;
    double m_Knots = 0;
};

NMEA_CLASS(VHW, "VHW", 9)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_DegreesTrue);
        v.Unit(2, "T");
        v.Real(3, m_DegreesMagnetic);
        v.Unit(4, "M");
        v.Real(5, m_Knots);
        v.Unit(6, "N");
        v.Real(7, m_KilometersPerHour);
        v.Unit(8, "K");
    }
    double m_DegreesTrue = 0;
    double m_DegreesMagnetic = 0;
    double m_Knots = 0;
    double m_KilometersPerHour = 0;
};

NMEA_CLASS(VLW, "VLW", 5)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_TotalDistanceNauticalMiles);
        v.Unit(2, "N");
        v.Real(3, m_DistanceSinceResetNauticalMiles);
        v.Unit(4, "N");
    }
    double m_TotalDistanceNauticalMiles = 0;
    double m_DistanceSinceResetNauticalMiles = 0;
};

NMEA_CLASS(VPW, "VPW", 5)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_Knots);
        v.Unit(2, "N");
        v.Real(3, m_MetersPerSecond);
        v.Unit(4, "M");
    }
    double m_Knots = 0;
    double m_MetersPerSecond = 0;
};

NMEA_CLASS(VWE, "VWE", 2)
    template <class V> void Fields(V& v) { v.Int(1, m_EfficiencyPercent); }
    int m_EfficiencyPercent = 0;
};

// ---------------------------------------------------------------- waypoint distances
#define NMEA_WAYPOINT_DISTANCE_CLASS(Name, Mnemonic) \
    NMEA_CLASS(Name, Mnemonic, 4) \
        template <class V> void Fields(V& v) \
        { \
            v.Real(1, m_Value); \
            v.Unit(2, "N"); \
            v.Text(3, m_WaypointId); \
        } \
        double m_Value = 0; \
        CString m_WaypointId; \
    };
NMEA_WAYPOINT_DISTANCE_CLASS(WCV, "WCV")   // closure velocity, knots
NMEA_WAYPOINT_DISTANCE_CLASS(WDC, "WDC")   // distance, great circle
NMEA_WAYPOINT_DISTANCE_CLASS(WDR, "WDR")   // distance, rhumb line
#undef NMEA_WAYPOINT_DISTANCE_CLASS

NMEA_CLASS(WNC, "WNC", 7)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_NauticalMiles);
        v.Unit(2, "N");
        v.Real(3, m_Kilometers);
        v.Unit(4, "K");
        v.Text(5, m_To);
        v.Text(6, m_From);
    }
    double m_NauticalMiles = 0;
    double m_Kilometers = 0;
    CString m_To;
    CString m_From;
};

NMEA_CLASS(WPL, "WPL", 6)
    CNmeaPosition Position() const override { return m_Location; }
    template <class V> void Fields(V& v)
    {
        v.Position(1, m_Location);
        v.Text(5, m_WaypointId);
    }
    CNmeaPosition m_Location;
    CString m_WaypointId;
};

// Transducer measurements: four fields each, as long as a value follows.
class CNmeaXdrMeasurement {
public:
    int m_TransducerType = 0;
    double m_MeasurementData = 0;
    CString m_MeasurementUnits;
    CString m_TransducerName;
};

class CNmeaXDR : public CNmeaMessage {
public:
    CNmeaXDR() : CNmeaMessage("XDR") {}
    void Clear() override { m_Measurements.clear(); }
    int Parse(const CNmeaSentence& sentence) override;
    int Write(CNmeaSentence& sentence) const override;

    std::vector<CNmeaXdrMeasurement> m_Measurements;
};

NMEA_CLASS(XTE, "XTE", 6)
    template <class V> void Fields(V& v)
    {
        v.Flag(1, m_IsLoranBlinkOK);
        v.Flag(2, m_IsLoranCCycleLockOK);
        v.Real(3, m_CrossTrackErrorDistance);
        v.LeftRight(4, m_DirectionToSteer);
        v.Text(5, m_CrossTrackUnits);
    }
    int m_IsLoranBlinkOK = 0;
    int m_IsLoranCCycleLockOK = 0;
    double m_CrossTrackErrorDistance = 0;
    int m_DirectionToSteer = 0;
    CString m_CrossTrackUnits;
};

NMEA_CLASS(XTR, "XTR", 4)
    template <class V> void Fields(V& v)
    {
        v.Real(1, m_Magnitude);
        v.LeftRight(2, m_DirectionToSteer);
        v.Unit(3, "N");
    }
    double m_Magnitude = 0;
    int m_DirectionToSteer = 0;
};

// ---------------------------------------------------------------- time
// Date and time: the time value is the date of fields 2 to 4 at the clock of field 1.
NMEA_CLASS(ZDA, "ZDA", 7)
    int Parse(const CNmeaSentence& sentence) override;
    template <class V> void Fields(V& v)
    {
        v.Text(1, m_UtcTime);
        v.Int(2, m_Day);
        v.Int(3, m_Month);
        v.Int(4, m_Year);
        v.Int(5, m_LocalHourDeviation);
        v.Int(6, m_LocalMinutesDeviation);
    }
    CString m_UtcTime;
    int m_Day = 0;
    int m_Month = 0;
    int m_Year = 0;
    int m_LocalHourDeviation = 0;
    int m_LocalMinutesDeviation = 0;
    CTime m_Time;
};

// Two times and a waypoint (ZFI, ZPI, ZTA, ZTE, ZTI, ZWP share the layout).
#define NMEA_TWO_TIMES_CLASS(Name, Mnemonic) \
    NMEA_CLASS(Name, Mnemonic, 4) \
        template <class V> void Fields(V& v) \
        { \
            v.Time(1, m_UtcTimeText, m_UtcTime); \
            v.Time(2, m_SecondTimeText, m_SecondTime); \
            v.Text(3, m_WaypointId); \
        } \
        CString m_UtcTimeText; \
        CTime m_UtcTime; \
        CString m_SecondTimeText; \
        CTime m_SecondTime; \
        CString m_WaypointId; \
    };
NMEA_TWO_TIMES_CLASS(ZFI, "ZFI")   // elapsed time from point
NMEA_TWO_TIMES_CLASS(ZPI, "ZPI")   // arrival time at point of interest
NMEA_TWO_TIMES_CLASS(ZTA, "ZTA")   // estimated time of arrival
NMEA_TWO_TIMES_CLASS(ZTE, "ZTE")   // estimated time of event
NMEA_TWO_TIMES_CLASS(ZTI, "ZTI")   // time to intended waypoint
NMEA_TWO_TIMES_CLASS(ZWP, "ZWP")   // time at waypoint
#undef NMEA_TWO_TIMES_CLASS

// A time, an elapsed or remaining time as text, and a waypoint (ZFO, ZTG).
#define NMEA_TIME_AND_SPAN_CLASS(Name, Mnemonic) \
    NMEA_CLASS(Name, Mnemonic, 4) \
        template <class V> void Fields(V& v) \
        { \
            v.Time(1, m_UtcTimeText, m_UtcTime); \
            v.Text(2, m_SpanText); \
            v.Text(3, m_WaypointId); \
        } \
        CString m_UtcTimeText; \
        CTime m_UtcTime; \
        CString m_SpanText; \
        CString m_WaypointId; \
    };
NMEA_TIME_AND_SPAN_CLASS(ZFO, "ZFO")   // elapsed time from the origin
NMEA_TIME_AND_SPAN_CLASS(ZTG, "ZTG")   // time to go to the destination
#undef NMEA_TIME_AND_SPAN_CLASS

NMEA_CLASS(ZLZ, "ZLZ", 4)
    template <class V> void Fields(V& v)
    {
        v.Time(1, m_UtcTimeText, m_UtcTime);
        v.Time(2, m_LocalTimeText, m_LocalTime);
        v.Int(3, m_LocalHourDeviation);
    }
    CString m_UtcTimeText;
    CTime m_UtcTime;
    CString m_LocalTimeText;
    CTime m_LocalTime;
    int m_LocalHourDeviation = 0;
};

NMEA_CLASS(ZZU, "ZZU", 2)
    template <class V> void Fields(V& v) { v.Time(1, m_UtcTimeText, m_UtcTime); }
    CString m_UtcTimeText;
    CTime m_UtcTime;
};

#undef NMEA_CLASS
#undef NMEA_CLASS_NOCOPY
