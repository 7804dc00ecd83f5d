// The sentence container's registry, its dispatch by mnemonic, and the talker table.
#include "gps/nmea/NmeaParser.h"

#include <cstring>

namespace {
struct TalkerRow {
    const char* id;
    const char* name;
};

const TalkerRow kTalkers[] = {
    {"AG", "Autopilot - General"},
    {"AP", "Autopilot - Magnetic"},
    {"CC", "Commputer - Programmed Calculator (outdated)"},
    {"CD", "Communications - Digital Selective Calling (DSC)"},
    {"CM", "Computer - Memory Data (outdated)"},
    {"CS", "Communications - Satellite"},
    {"CT", "Communications - Radio-Telephone (MF/HF)"},
    {"CV", "Communications - Radio-Telephone (VHF)"},
    {"CX", "Communications - Scanning Receiver"},
    {"DE", "DECCA Navigation"},
    {"DF", "Direction Finder"},
    {"EC", "Electronic Chart Display & Information System (ECDIS)"},
    {"EP", "Emergency Position Indicating Beacon (EPIRB)"},
    {"ER", "Engine Room Monitoring Systems"},
    {"GP", "Global Positioning System (GPS)"},
    {"HC", "Heading - Magnetic Compass"},
    {"HE", "Heading - North Seeking Gyro"},
    {"HN", "Heading - Non North Seeking Gyro"},
    {"II", "Integrated Instrumentation"},
    {"IN", "Integrated Navigation"},
    {"LA", "Loran A"},
    {"LC", "Loran C"},
    {"MP", "Microwave Positioning System (outdated)"},
    {"OM", "OMEGA Navigation System"},
    {"OS", "Distress Alarm System (outdated)"},
    {"RA", "RADAR and/or ARPA"},
    {"SD", "Sounder, Depth"},
    {"SN", "Electronic Positioning System, other/general"},
    {"SS", "Sounder, Scanning"},
    {"TI", "Turn Rate Indicator"},
    {"TR", "TRANSIT Navigation System"},
    {"VD", "Velocity Sensor, Doppler, other/general"},
    {"VM", "Velocity Sensor, Speed Log, Water, Magnetic"},
    {"VW", "Velocity Sensor, Speed Log, Water, Mechanical"},
    {"WI", "Weather Instruments"},
    {"YC", "Transducer - Temperature (outdated)"},
    {"YD", "Transducer - Displacement, Angular or Linear (outdated)"},
    {"YF", "Transducer - Frequency (outdated)"},
    {"YL", "Transducer - Level (outdated)"},
    {"YP", "Transducer - Pressure (outdated)"},
    {"YR", "Transducer - Flow Rate (outdated)"},
    {"YT", "Transducer - Tachometer (outdated)"},
    {"YV", "Transducer - Volume (outdated)"},
    {"YX", "Transducer"},
    {"ZA", "Timekeeper - Atomic Clock"},
    {"ZC", "Timekeeper - Chronometer"},
    {"ZQ", "Timekeeper - Quartz"},
    {"ZV", "Timekeeper - Radio Update, WWV or WWVH"},
};
}

CString TalkerId(const CString& text)
{
    if (text.GetLength() > 2 && text[0] == '$')
        return text.Mid(1, 2);
    return CString();
}

CString TalkerName(const CString& id)
{
    for (const TalkerRow& row : kTalkers)
        if (id == row.id)
            return row.name;
    return "Unknown - " + id;
}

DWORD HexValue(const CString& text)
{
    return NmeaHexValue(text);
}

CNmeaParser::CNmeaParser()
{
    CNmeaMessage* all[] = {&AAM, &ALM, &APB, &ASD, &BEC, &BOD, &BWC, &BWR, &BWW, &DBT, &DCN, &DPT, &FSI, &GDA,
                           &GDF, &GDP, &GGA, &GLA, &GLC, &GLF, &GLL, &GLP, &GOA, &GOF, &GOP, &GSA, &GSV, &GTD,
                           &GXA, &GXF, &GXP, &HCC, &HDG, &HDM, &HDT, &HSC, &IMA, &LCD, &MHU, &MTA, &MTW, &MWV,
                           &OLN, &OSD, &P,   &RMA, &RMB, &RMC, &ROT, &RPM, &RSA, &RSD, &RTE, &SFI, &STN, &TEP,
                           &TRF, &TTM, &VBW, &VDR, &VHW, &VLW, &VPW, &VTG, &VWE, &WCV, &WDC, &WDR, &WNC, &WPL,
                           &XDR, &XTE, &XTR, &ZDA, &ZFI, &ZFO, &ZLZ, &ZPI, &ZTA, &ZTE, &ZTG, &ZTI, &ZWP, &ZZU};
    static_assert(sizeof(all) / sizeof(all[0]) == kClassCount);
    m_Registry.reserve(kRegisteredCount);
    for (CNmeaMessage* m : all)
        if (m != &GOA && m != &GOF && m != &GOP)
            m_Registry.push_back(m);
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (size_t i = 0; i + 1 < m_Registry.size(); ++i) {
            if (m_Registry[i]->GetMnemonic() > m_Registry[i + 1]->GetMnemonic()) {
                std::swap(m_Registry[i], m_Registry[i + 1]);
                swapped = true;
            }
        }
    }
    for (CNmeaMessage* m : m_Registry)
        m->AttachParser(this);
}

int CNmeaParser::IsGood()
{
    const CString& t = m_Sentence.GetText();
    const int n = t.GetLength();
    return n >= 3 && t[0] == '$' && t[n - 2] == '\r' && t[n - 1] == '\n' ? 1 : 0;
}

CNmeaMessage* CNmeaParser::FindRegistered(const CString& mnemonic)
{
    // A bounded binary search: the probe can stand still between two
    // neighbours when the mnemonic is not registered.
    const int n = (int)m_Registry.size();
    int low = 0, high = n, probe = n / 2;
    int budget = n / 2 >= 10 ? n / 2 + 2 : 10;
    while (probe >= 0 && probe < n) {
        CNmeaMessage* m = m_Registry[(size_t)probe];
        if (mnemonic == m->GetMnemonic())
            return m;
        if (mnemonic < m->GetMnemonic())
            high = probe;
        else
            low = probe;
        if (low == high)
            return nullptr;
        probe = (low + high) / 2;
        if (--budget < 0)
            return nullptr;
    }
    return nullptr;
}

int CNmeaParser::Parse()
{
    if (!IsGood())
        return 0;
    const CString address = m_Sentence.FieldText(0);
    CString mnemonic;
    if (!address.IsEmpty() && address[0] == 'P')
        mnemonic = "P";
    else
        mnemonic = address.GetLength() > 3 ? address.Right(3) : address;
    ErrorText = mnemonic + " is an unknown type of sentence";
    ReceivedMnemonic = mnemonic;
    CNmeaMessage* m = FindRegistered(mnemonic);
    if (!m)
        return 0;
    if (m->Parse(m_Sentence) != 1) {
        ErrorText = m->GetErrorText();
        return 0;
    }
    ErrorText = "No Error";
    ParsedMnemonic = m->GetMnemonic();
    TalkerId = ::TalkerId(m_Sentence.GetText());
    TalkerName = ::TalkerName(TalkerId);
    DescribedText = m->Describe();
    LastPosition = m->Position();
    return 1;
}
