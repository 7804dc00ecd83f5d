// Field reading, checksums and field writing of NMEA sentences, and the
// coordinate conversions.
#include "gps/nmea/NmeaSentence.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

int NmeaAtoi(const char* text)
{
    // strtoll saturates instead of overflowing; 32 bits are then clamped here.
    const long long v = text ? strtoll(text, nullptr, 10) : 0;
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v;
}

DWORD NmeaHexValue(const char* text)
{
    if (!text)
        return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && isxdigit((unsigned char)p[2]))
        p += 2;
    unsigned long long v = 0;
    for (; isxdigit((unsigned char)*p); ++p) {
        const int digit = isdigit((unsigned char)*p) ? *p - '0' : (tolower((unsigned char)*p) - 'a' + 10);
        v = v * 16 + (unsigned)digit;
        if (v > 0xffffffffull)
            v = 0xffffffffull + 1;   // saturated; stays above every checksum
    }
    if (v > 0xffffffffull)
        return 0xffffffffu;
    return negative ? (DWORD)(0u - (DWORD)v) : (DWORD)v;
}

// ---------------------------------------------------------------- fields
void CNmeaSentence::FieldSpan(int field, int& begin, int& end) const
{
    begin = end = 0;
    if (field < 0)
        return;
    const char* s = m_strText.GetString();
    const int len = m_strText.GetLength();
    int i = 1;
    int count = 0;
    while (count < field && i < len) {
        if (s[i] == ',' || s[i] == '*')
            ++count;
        ++i;
    }
    if (count != field || i > len)
        return;
    int j = i;
    while (j < len && s[j] != ',' && s[j] != '*' && s[j] != '\0')
        ++j;
    begin = i;
    end = j;
}

CString CNmeaSentence::FieldText(int field) const
{
    int b, e;
    FieldSpan(field, b, e);
    return CString(m_strText.GetString() + b, e - b);
}

bool CNmeaSentence::FieldIsLetter(int field, char c) const
{
    int b, e;
    FieldSpan(field, b, e);
    return e - b == 1 && m_strText[b] == c;
}

int CNmeaSentence::ReadFlag(int field) const
{
    return FieldIsLetter(field, 'A') ? 1 : FieldIsLetter(field, 'V') ? 2 : 0;
}

int CNmeaSentence::ReadNorthSouth(int field) const
{
    return FieldIsLetter(field, 'N') ? 1 : FieldIsLetter(field, 'S') ? 2 : 0;
}

int CNmeaSentence::ReadEastWest(int field) const
{
    return FieldIsLetter(field, 'E') ? 1 : FieldIsLetter(field, 'W') ? 2 : 0;
}

int CNmeaSentence::ReadLeftRight(int field) const
{
    return FieldIsLetter(field, 'L') ? 1 : FieldIsLetter(field, 'R') ? 2 : 0;
}

int CNmeaSentence::ReadReference(int field) const
{
    static const char kLetters[] = "BMWRP";
    for (int i = 0; i < 5; ++i)
        if (FieldIsLetter(field, kLetters[i]))
            return i + 1;
    return 0;
}

namespace {
const char kCommModes[] = "demoqswx{|";
const char kTransducers[] = "ACDFHNPRTV";

int LetterCode(const CString& field, const char* letters)
{
    if (field.GetLength() != 1 || !strchr(letters, field[0]))
        return 0;
    return (unsigned char)field[0];
}
}

int CNmeaSentence::ReadCommMode(int field) const
{
    return LetterCode(FieldText(field), kCommModes);
}

int CNmeaSentence::ReadTransducerKind(int field) const
{
    return LetterCode(FieldText(field), kTransducers);
}

double CNmeaSentence::ReadReal(int field) const
{
    return atof(FieldText(field));
}

int CNmeaSentence::ReadInt(int field) const
{
    return NmeaAtoi(FieldText(field));
}

CTime CNmeaSentence::ReadTimeOfDay(int field) const
{
    const CTime now = CTime::GetCurrentTime();
    const CString text = FieldText(field);
    if (text.GetLength() < 6)
        return now;
    const int h = NmeaAtoi(text.Mid(0, 2));
    const int m = NmeaAtoi(text.Mid(2, 2));
    const int s = NmeaAtoi(text.Mid(4, 2));
    return CTime(now.GetYear(), now.GetMonth(), now.GetDay(), h, m, s, -1);
}

BYTE CNmeaSentence::CalcChecksum() const
{
    const char* s = m_strText.GetString();
    const int len = m_strText.GetLength();
    BYTE sum = 0;
    for (int i = 1; i < len && s[i] != '*' && s[i] != '\r' && s[i] != '\n'; ++i)
        sum ^= (BYTE)s[i];
    return sum;
}

int CNmeaSentence::ChecksumMismatch(int field) const
{
    const CString text = FieldText(field);
    if (text.IsEmpty())
        return 0;
    return NmeaHexValue(text) == (DWORD)CalcChecksum() ? 2 : 1;
}

int CNmeaSentence::CountDataFields() const
{
    int count = 0;
    const char* s = m_strText.GetString();
    for (int i = 1; i < m_strText.GetLength() && s[i] != '*'; ++i)
        if (s[i] == ',')
            ++count;
    return count;
}

// ---------------------------------------------------------------- writers
void CNmeaSentence::AppendChecksum()
{
    m_strText.AppendFormat("*%02X%c%c", CalcChecksum(), 13, 10);
}

void CNmeaSentence::AddText(const CString& text)
{
    m_strText += ',';
    m_strText += text;
}

void CNmeaSentence::AddInt(int value)
{
    m_strText.AppendFormat(",%d", value);
}

void CNmeaSentence::AddReal(double value)
{
    m_strText.AppendFormat(",%.3f", value);
}

void CNmeaSentence::AddFlag(int value)
{
    AddText(value == 1 ? "A" : value == 2 ? "V" : "");
}

void CNmeaSentence::AddNorthSouth(int value)
{
    AddText(value == 1 ? "N" : value == 2 ? "S" : "");
}

void CNmeaSentence::AddEastWest(int value)
{
    AddText(value == 1 ? "E" : value == 2 ? "W" : "");
}

void CNmeaSentence::AddCommMode(int mode)
{
    AddText(mode > 0 && mode < 256 && strchr(kCommModes, mode) ? CString((char)mode) : CString());
}

void CNmeaSentence::AddTransducerKind(int kind)
{
    AddText(kind > 0 && kind < 256 && strchr(kTransducers, kind) ? CString((char)kind) : CString());
}

void CNmeaSentence::AddTimeOfDay(const CTime& time)
{
    AddText(time.Format("%H%M%S"));
}

void CNmeaSentence::AddPosition(const CNmeaPosition& position)
{
    position.WriteTo(*this);
}

// ---------------------------------------------------------------- coordinates
namespace {
// floor(v) as a 32-bit integer; values beyond the range (and NaN) are clamped.
int WholePart(double v)
{
    if (std::isnan(v))
        return 0;
    const double f = std::floor(v);
    return f >= 2147483647.0 ? INT_MAX : f <= -2147483648.0 ? INT_MIN : (int)f;
}
}

void CNmeaCoordinate::Clear()
{
    m_dValue = 0.0;
    m_nHemisphere = 0;
}

int CNmeaCoordinate::IsKnown() const
{
    return m_nHemisphere == 1 || m_nHemisphere == 2;
}

void CNmeaCoordinate::CopyFrom(const CNmeaCoordinate& other)
{
    m_dValue = other.m_dValue;
    m_nHemisphere = other.m_nHemisphere;
}

double CNmeaCoordinate::DecimalDegrees() const
{
    const int i = WholePart(m_dValue);
    const int m = i % 100;
    double whole;
    const double f = std::isfinite(m_dValue) ? std::modf(m_dValue, &whole) : 0.0;
    const int d = (int)(((long long)i - m) / 100);
    return d + m * 0.016666666666666666 + f * 0.016666666666666666;
}

int CNmeaCoordinate::WholeDegrees() const
{
    return WholePart(DecimalDegrees());
}

double CNmeaCoordinate::Minutes() const
{
    const int i = WholePart(m_dValue);
    double whole;
    const double f = std::isfinite(m_dValue) ? std::modf(m_dValue, &whole) : 0.0;
    return i % 100 + f;
}

void CNmeaCoordinate::SetValue(double value, const CString& letter, char positive, char negative)
{
    m_dValue = value;
    const char c = letter.IsEmpty() ? 0 : letter[0];
    m_nHemisphere = c == positive ? 1 : c == negative ? 2 : 0;
}

void CNmeaCoordinate::WriteValue(CNmeaSentence& sentence, int width, const char* positive,
                                 const char* negative) const
{
    CString value;
    value.Format("%0*.2f", width, m_dValue);
    sentence.AddText(value);
    sentence.AddText(m_nHemisphere == 1 ? positive : m_nHemisphere == 2 ? negative : "");
}

void CNmeaLatitude::Set(double value, const CString& letter) { SetValue(value, letter, 'N', 'S'); }

void CNmeaLatitude::Read(int valueField, int hemisphereField, const CNmeaSentence& sentence)
{
    Set(sentence.ReadReal(valueField), sentence.FieldText(hemisphereField));
}

void CNmeaLatitude::WriteTo(CNmeaSentence& sentence) const { WriteValue(sentence, 7, "N", "S"); }

void CNmeaLongitude::Set(double value, const CString& letter) { SetValue(value, letter, 'E', 'W'); }

void CNmeaLongitude::Read(int valueField, int hemisphereField, const CNmeaSentence& sentence)
{
    Set(sentence.ReadReal(valueField), sentence.FieldText(hemisphereField));
}

void CNmeaLongitude::WriteTo(CNmeaSentence& sentence) const { WriteValue(sentence, 8, "E", "W"); }

void CNmeaPosition::Clear()
{
    m_Latitude.Clear();
    m_Longitude.Clear();
}

int CNmeaPosition::Read(int latField, int nsField, int lonField, int ewField, const CNmeaSentence& sentence)
{
    m_Latitude.Read(latField, nsField, sentence);
    m_Longitude.Read(lonField, ewField, sentence);
    return m_Latitude.IsKnown() && m_Longitude.IsKnown() ? 1 : 0;
}

CString CNmeaPosition::Describe() const
{
    CString text;
    text.Format("Latitude %d %8.5lf", m_Latitude.WholeDegrees(), m_Latitude.Minutes());
    text += m_Latitude.m_nHemisphere == 1 ? " North, Longitude " : " South, Longitude ";
    text.AppendFormat("%d %8.5lf", m_Longitude.WholeDegrees(), m_Longitude.Minutes());
    text += m_Longitude.m_nHemisphere == 1 ? " East" : " West";
    return text;
}

void CNmeaPosition::WriteTo(CNmeaSentence& sentence) const
{
    m_Latitude.WriteTo(sentence);
    m_Longitude.WriteTo(sentence);
}

void CNmeaPosition::CopyFrom(const CNmeaPosition& other)
{
    m_Latitude.CopyFrom(other.m_Latitude);
    m_Longitude.CopyFrom(other.m_Longitude);
}
