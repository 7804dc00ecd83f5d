// The GPS sentences' own parsing rules and their plain-English texts.
#include "gps/nmea/NmeaGpsSentences.h"

namespace {
CString AtTime(const CTime& time)
{
    return "At " + time.Format("%I:%M.%S %p");
}
}

CString CNmeaRMC::Describe() const
{
    CString text = AtTime(m_Time) + " UTC, you were at " + m_Location.Describe() + ", making ";
    text.AppendFormat("%lf knots, track made good %lf degrees true.", m_SpeedKnots, m_CourseTrue);
    return text;
}

CString CNmeaGLL::Describe() const
{
    return AtTime(m_Time) + " UTC, you were at " + m_Location.Describe() + ".";
}

CString CNmeaGGA::Describe() const
{
    CString text = AtTime(m_Time) + " UTC, you were at " + m_Location.Describe() + ", ";
    text += m_Quality == 1   ? "based upon a GPS fix"
            : m_Quality == 2 ? "based upon a differential GPS fix"
                             : "a GPS fix was not available";
    text.AppendFormat(", %d satellites are in use.", m_SatellitesUsed);
    return text;
}

// ---------------------------------------------------------------- GSA
int CNmeaGSA::Parse(const CNmeaSentence& sentence)
{
    if (!CNmeaFieldMessage<CNmeaGSA>::Parse(sentence))
        return 0;
    if (m_FixMode < 1 || m_FixMode > 3)
        m_FixMode = 0;
    return 1;
}

int CNmeaGSA::Write(CNmeaSentence& sentence) const
{
    CNmeaMessage::Write(sentence);
    sentence.AddText(m_SelectionMode == 1 ? "M" : m_SelectionMode == 2 ? "A" : "");
    sentence.AddText(m_FixMode >= 1 && m_FixMode <= 3 ? CString((char)('0' + m_FixMode)) : CString());
    for (int id : m_SatelliteIds) {
        CString t;
        if (id != 0)
            t.Format("%d", id);
        sentence.AddText(t);
    }
    sentence.AddReal(m_Pdop);
    sentence.AddReal(m_Hdop);
    sentence.AddReal(m_Vdop);
    sentence.AppendChecksum();
    return 1;
}

// ---------------------------------------------------------------- GSV
void CNmeaSatelliteInfo::Read(int k, const CNmeaSentence& sentence)
{
    m_Prn = sentence.ReadInt(k);
    m_Elevation = sentence.ReadInt(k + 1);
    m_Azimuth = sentence.ReadInt(k + 2);
    m_Snr = sentence.DataFieldText(k + 3).IsEmpty() ? -1 : sentence.ReadInt(k + 3);
}

void CNmeaSatelliteInfo::WriteTo(CNmeaSentence& sentence) const
{
    sentence.AddInt(m_Prn);
    sentence.AddInt(m_Elevation);
    sentence.AddInt(m_Azimuth);
    if (m_Snr < 0)
        sentence.AddText("");
    else
        sentence.AddInt(m_Snr);
}

void CNmeaGSV::Clear()
{
    m_SatellitesInView = 0;
    for (CNmeaSatelliteInfo& s : m_Satellites)
        s.Clear();
}

int CNmeaGSV::Parse(const CNmeaSentence& sentence)
{
    if (!CheckChecksum(sentence))
        return 0;
    const int m = sentence.ReadInt(2);
    m_SatellitesInView = sentence.ReadInt(3);
    if (m < 1 || m > kEntries / 4)
        return 1;
    const int first = 4 * (m - 1);
    for (int i = 0; i < 4; ++i)
        m_Satellites[first + i].Read(4 + 4 * i, sentence);
    return 1;
}

int CNmeaGSV::Write(CNmeaSentence& sentence) const
{
    CNmeaMessage::Write(sentence);
    // In 64 bits: a saturated count must not overflow the rounding up.
    sentence.AddInt(m_SatellitesInView > 0 ? (int)(((long long)m_SatellitesInView + 3) / 4) : 1);
    sentence.AddInt(1);
    sentence.AddInt(m_SatellitesInView);
    for (int i = 0; i < 4; ++i)
        m_Satellites[i].WriteTo(sentence);
    sentence.AppendChecksum();
    return 1;
}

// ---------------------------------------------------------------- waypoint fix
void CNmeaWaypointFix::Clear()
{
    m_TimeText.Empty();
    m_Location.Clear();
}

CString CNmeaWaypointFix::Describe() const
{
    return AtTime(m_Time) + ", you were at waypoint " + m_WaypointId + " located at " + m_Location.Describe() + ".";
}

void CNmeaWaypointFix::CopyFrom(const CNmeaMessage& other)
{
    if (const auto* o = dynamic_cast<const CNmeaWaypointFix*>(&other)) {
        m_TimeText = o->m_TimeText;
        m_Time = o->m_Time;
        m_Location = o->m_Location;
        m_WaypointId = o->m_WaypointId;
    }
}
