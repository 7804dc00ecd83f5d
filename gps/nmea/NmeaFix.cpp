// Fixes of parsed sentences: the position's form and range, the time field.
#include "gps/nmea/NmeaFix.h"

#include "gps/nmea/NmeaParser.h"

namespace {
// The time field of the sentence classes that carry one next to a position.
CString TimeTextOf(CNmeaParser& parser)
{
    const CString& m = parser.ParsedMnemonic;
    if (m == "GGA")
        return parser.GGA.m_TimeText;
    if (m == "GLL")
        return parser.GLL.m_TimeText;
    if (m == "RMC")
        return parser.RMC.m_TimeText;
    if (m == "GXA")
        return parser.GXA.m_TimeText;
    if (auto* waypoint = dynamic_cast<CNmeaWaypointFix*>(parser.FindRegistered(m)))
        return waypoint->m_TimeText;
    return CString();
}
}

bool IsNmeaFixSentence(const CString& mnemonic)
{
    return mnemonic == "GGA" || mnemonic == "GLL" || mnemonic == "RMC";
}

CString NmeaClockText(const CString& timeField)
{
    if (!IsNmeaTimeOfDay(timeField))
        return CString();
    return timeField.Mid(0, 2) + ":" + timeField.Mid(2, 2) + ":" + timeField.Mid(4, 2);
}

NmeaFixKind NmeaFixOf(CNmeaParser& parser, CNmeaFix& fix)
{
    const CNmeaPosition& p = parser.LastPosition;
    if (!p.IsStated())
        return NmeaFixKind::kNone;
    const CString time = TimeTextOf(parser);
    if (!p.IsUsable() || (!time.IsEmpty() && !IsNmeaTimeOfDay(time)))
        return NmeaFixKind::kImpossible;
    fix.latitude = p.m_Latitude.SignedDegrees();
    fix.longitude = p.m_Longitude.SignedDegrees();
    fix.rawLatitude = p.m_Latitude.m_dValue;
    fix.rawLongitude = p.m_Longitude.m_dValue;
    fix.timeText = time;
    fix.satellites = parser.ParsedMnemonic == "GGA" ? parser.GGA.m_SatellitesUsed : -1;
    return NmeaFixKind::kFix;
}
