// The navigation and instrument sentences' own rules: lists, the scanning
// frequencies, the date of ZDA, and the plain-English texts.
#include "gps/nmea/NmeaInstrumentSentences.h"

#include <algorithm>

CString CNmeaBOD::Describe() const
{
    CString text;
    text.Format("You are bearing %5.2f degrees true (%5.2f degrees magnetic).", m_BearingTrue, m_BearingMagnetic);
    return text;
}

CString CNmeaHCC::Describe() const
{
    CString text;
    text.Format("The compass heading is %6.2lf degrees.", m_HeadingDegrees);
    return text;
}

CString CNmeaHDM::Describe() const
{
    CString text;
    text.Format("The Magnetic heading is %6.2lf degrees.", m_HeadingMagnetic);
    return text;
}

CString CNmeaHDT::Describe() const
{
    CString text;
    text.Format("Your true heading is %6.2lf degrees.", m_HeadingTrue);
    return text;
}

CString CNmeaMTA::Describe() const
{
    CString text;
    text.Format("The air temperature is %3.1lf ", m_Temperature);
    return text + m_UnitOfMeasurement + ".";
}

CString CNmeaMTW::Describe() const
{
    CString text;
    text.Format("The water temperature is %3.1lf ", m_Temperature);
    return text + m_UnitOfMeasurement + ".";
}

CString CNmeaROT::Describe() const
{
    CString text = "The bow is turning to ";
    if (m_RateOfTurn < 0)
        text.AppendFormat("Port at a rate of %4.1lf degrees per minute.", -m_RateOfTurn);
    else
        text.AppendFormat("Starboard at a rate of %4.1lf degrees per minute.", m_RateOfTurn);
    if (m_IsDataValid == 2)
        text += " However, this data is not valid.";
    else if (m_IsDataValid != 1)
        text += " However, this data cannot be confirmed.";
    return text;
}

CString CNmeaTEP::Describe() const
{
    CString text;
    text.Format("TRANSIT satellite predicted elevation is %6.2lf degrees.", m_ElevationDegrees);
    return text;
}

// ---------------------------------------------------------------- DCN
int CNmeaDCN::Parse(const CNmeaSentence& sentence)
{
    if (!CNmeaFieldMessage<CNmeaDCN>::Parse(sentence))
        return 0;
    if (m_FixBasis < 1 || m_FixBasis > 3)
        m_FixBasis = 0;
    return 1;
}

// ---------------------------------------------------------------- RTE
void CNmeaRTE::Clear()
{
    m_TotalNumberOfMessages = 0;
    m_TypeOfRoute = 0;
    m_RouteName.Empty();
    m_Waypoints.clear();
}

int CNmeaRTE::Parse(const CNmeaSentence& sentence)
{
    m_Waypoints.clear();
    m_TotalNumberOfMessages = sentence.ReadReal(1);
    sentence.ReadReal(2);   // the message number is read but not kept
    const CString kind = sentence.DataFieldText(3);
    m_TypeOfRoute = kind == "c" ? 1 : kind == "w" ? 2 : 0;
    m_RouteName = sentence.DataFieldText(4);
    const int last = sentence.CountDataFields();
    for (int field = 5; field <= last; ++field)
        m_Waypoints.push_back(sentence.DataFieldText(field));
    return 1;
}

int CNmeaRTE::Write(CNmeaSentence& sentence) const
{
    CNmeaMessage::Write(sentence);
    sentence.AddReal(m_TotalNumberOfMessages);
    sentence.AddText("1");
    sentence.AddText(m_TypeOfRoute == 1 ? "c" : m_TypeOfRoute == 2 ? "w" : "");
    sentence.AddText(m_RouteName);
    for (const CString& id : m_Waypoints)
        sentence.AddText(id);
    sentence.AppendChecksum();
    return 1;
}

// ---------------------------------------------------------------- SFI
int CNmeaSFI::Parse(const CNmeaSentence& sentence)
{
    const int n = sentence.CountDataFields();
    if (!CheckChecksum(sentence))
        return 0;
    m_TotalMessages = sentence.ReadReal(1);
    m_MessageNumber = sentence.ReadReal(2);
    for (CNmeaFrequencyAndMode& group : m_Frequencies)
        group.Clear();
    // Longer sentences than six groups are cut to the six the class holds.
    const int groups = std::clamp((n - 2) / 2, 0, kGroups);
    for (int i = 0; i < groups; ++i)
        m_Frequencies[i].Read(3 + 2 * i, sentence);
    return 1;
}

// ---------------------------------------------------------------- XDR
int CNmeaXDR::Parse(const CNmeaSentence& sentence)
{
    m_Measurements.clear();
    for (int field = 1; !sentence.DataFieldText(field + 1).IsEmpty(); field += 4) {
        CNmeaXdrMeasurement m;
        m.m_TransducerType = sentence.ReadTransducerKind(field);
        m.m_MeasurementData = sentence.ReadReal(field + 1);
        m.m_MeasurementUnits = sentence.DataFieldText(field + 2);
        m.m_TransducerName = sentence.DataFieldText(field + 3);
        m_Measurements.push_back(m);
    }
    return 1;
}

int CNmeaXDR::Write(CNmeaSentence& sentence) const
{
    CNmeaMessage::Write(sentence);
    for (const CNmeaXdrMeasurement& m : m_Measurements) {
        sentence.AddTransducerKind(m.m_TransducerType);
        sentence.AddReal(m.m_MeasurementData);
        sentence.AddText(m.m_MeasurementUnits);
        sentence.AddText(m.m_TransducerName);
    }
    sentence.AppendChecksum();
    return 1;
}

// ---------------------------------------------------------------- ZDA
int CNmeaZDA::Parse(const CNmeaSentence& sentence)
{
    if (!CNmeaFieldMessage<CNmeaZDA>::Parse(sentence))
        return 0;
    // The clock digits that the field has; a short field reads no further.
    const int hours = NmeaAtoi(m_UtcTime.Mid(0, 2));
    const int minutes = NmeaAtoi(m_UtcTime.Mid(2, 2));
    const int seconds = NmeaAtoi(m_UtcTime.Mid(4, 2));
    // Malformed dates stay inside what the calendar conversion can take. The
    // date and the clock are UTC: no time zone and no daylight saving apply.
    const int year = std::clamp(m_Year, 1, 9999);
    const int month = std::clamp(m_Month, -1000, 1000);
    const int day = std::clamp(m_Day, -100000, 100000);
    m_Time = CTime((time_t)NmeaUtcSeconds(year, month, day, hours, minutes, seconds));
    return 1;
}
