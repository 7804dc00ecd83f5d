// Field reading, checksums and field writing of NMEA sentences, and the
// coordinate conversions.
#include "gps/nmea/NmeaSentence.h"

#include <cctype>
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
void CNmeaSentence::Index() const
{
    if (m_bIndexed)
        return;
    m_Separators.clear();
    m_nDataFields = -1;
    const char* s = m_strText.GetString();
    const int len = m_strText.GetLength();
    for (int i = 1; i < len; ++i) {
        if (s[i] != ',' && s[i] != '*')
            continue;
        if (s[i] == '*' && m_nDataFields < 0)
            m_nDataFields = (int)m_Separators.size();
        m_Separators.push_back(i);
    }
    if (m_nDataFields < 0)
        m_nDataFields = (int)m_Separators.size();
    m_bIndexed = true;
}

void CNmeaSentence::FieldSpan(int field, int& begin, int& end) const
{
    begin = end = 0;
    Index();
    if (field < 0 || field > (int)m_Separators.size())
        return;
    const int len = m_strText.GetLength();
    const int b = field == 0 ? 1 : m_Separators[(size_t)field - 1] + 1;
    if (b > len)
        return;
    const int e = field < (int)m_Separators.size() ? m_Separators[(size_t)field] : len;
    // A field also ends at a zero byte.
    const void* zero = memchr(m_strText.GetString() + b, 0, (size_t)(e - b));
    begin = b;
    end = zero ? (int)((const char*)zero - m_strText.GetString()) : e;
}

CString CNmeaSentence::FieldText(int field) const
{
    int b, e;
    FieldSpan(field, b, e);
    return CString(m_strText.GetString() + b, e - b);
}

CString CNmeaSentence::DataFieldText(int field) const
{
    Index();
    return field <= m_nDataFields ? FieldText(field) : CString();
}

bool CNmeaSentence::FieldIsLetter(int field, char c) const
{
    Index();
    if (field > m_nDataFields)
        return false;
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

long long FloorDiv(long long a, long long b)
{
    return a / b - (a % b != 0 && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = FloorDiv(y, 400);
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
}

long long NmeaUtcSeconds(long long year, long long month, long long day, long long hours, long long minutes,
                         long long seconds)
{
    // Months outside 1..12 carry into the year; days, hours and the rest add up.
    year += FloorDiv(month - 1, 12);
    month = month - 1 - FloorDiv(month - 1, 12) * 12 + 1;
    return (DaysFromCivil(year, month, 1) + day - 1) * 86400 + hours * 3600 + minutes * 60 + seconds;
}

int CNmeaSentence::ReadCommMode(int field) const
{
    return LetterCode(DataFieldText(field), kCommModes);
}

int CNmeaSentence::ReadTransducerKind(int field) const
{
    return LetterCode(DataFieldText(field), kTransducers);
}

double CNmeaSentence::ReadReal(int field) const
{
    return atof(DataFieldText(field));
}

int CNmeaSentence::ReadInt(int field) const
{
    return NmeaAtoi(DataFieldText(field));
}

CTime CNmeaSentence::ReadTimeOfDay(int field) const
{
    const CTime now = CTime::GetCurrentTime();
    const CString text = DataFieldText(field);
    if (text.GetLength() < 6)
        return now;
    const long long h = NmeaAtoi(text.Mid(0, 2));
    const long long m = NmeaAtoi(text.Mid(2, 2));
    const long long s = NmeaAtoi(text.Mid(4, 2));
    // The sentence's clock is UTC: no time zone and no daylight saving apply.
    const long long today = FloorDiv((long long)now.GetTime(), 86400) * 86400;
    long long t = today + h * 3600 + m * 60 + s;
    if (t - (long long)now.GetTime() > 43200)
        t -= 86400;
    else if ((long long)now.GetTime() - t > 43200)
        t += 86400;
    return CTime((time_t)t);
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

int CNmeaSentence::ChecksumState() const
{
    const int star = m_strText.Find('*');
    if (star < 0)
        return 0;
    const char* s = m_strText.GetString();
    if (star + 2 >= m_strText.GetLength() || !isxdigit((unsigned char)s[star + 1]) ||
        !isxdigit((unsigned char)s[star + 2]))
        return 1;
    // What may follow the digits: the line end, and blanks some receivers put before it.
    for (int i = star + 3; i < m_strText.GetLength(); ++i)
        if (s[i] != '\r' && s[i] != '\n' && s[i] != ' ' && s[i] != '\t')
            return 1;
    const char digits[3] = {s[star + 1], s[star + 2], 0};
    return NmeaHexValue(digits) == (DWORD)CalcChecksum() ? 2 : 1;
}

int CNmeaSentence::CountDataFields() const
{
    Index();
    return m_nDataFields;
}

// ---------------------------------------------------------------- writers
void CNmeaSentence::AppendChecksum()
{
    CString tail;
    tail.Format("*%02X%c%c", CalcChecksum(), 13, 10);
    Append(tail);
}

void CNmeaSentence::AddText(const CString& text)
{
    Append("," + text);
}

void CNmeaSentence::AddInt(int value)
{
    CString field;
    field.Format(",%d", value);
    Append(field);
}

void CNmeaSentence::AddReal(double value)
{
    CString field;
    field.Format(",%.3f", value);
    Append(field);
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
    m_eValueForm = kPlainValue;
}

int CNmeaCoordinate::IsKnown() const
{
    return m_nHemisphere == 1 || m_nHemisphere == 2;
}

void CNmeaCoordinate::CopyFrom(const CNmeaCoordinate& other)
{
    m_dValue = other.m_dValue;
    m_nHemisphere = other.m_nHemisphere;
    m_eValueForm = other.m_eValueForm;
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

bool CNmeaCoordinate::IsPlausible(int maxDegrees) const
{
    if (m_eValueForm != kPlainValue || !std::isfinite(m_dValue) || m_dValue < 0 || m_dValue > maxDegrees * 100.0 + 60)
        return false;
    return Minutes() < 60.0 && DecimalDegrees() <= maxDegrees;
}

bool IsNmeaPlainNumber(const CString& text)
{
    int digits = 0, points = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (isdigit((unsigned char)text[i]))
            ++digits;
        else if (text[i] == '.' && ++points == 1)
            continue;
        else
            return false;
    }
    return digits > 0;
}

bool IsNmeaTimeOfDay(const CString& text)
{
    if (text.GetLength() < 6)
        return false;
    for (int i = 0; i < 6; ++i)
        if (!isdigit((unsigned char)text[i]))
            return false;
    if (text.GetLength() > 6) {
        if (text[6] != '.')
            return false;
        for (int i = 7; i < text.GetLength(); ++i)
            if (!isdigit((unsigned char)text[i]))
                return false;
    }
    const int h = atoi(text.Mid(0, 2)), m = atoi(text.Mid(2, 2)), s = atoi(text.Mid(4, 2));
    return h < 24 && m < 60 && (s < 60 || (s == 60 && h == 23 && m == 59));
}

CNmeaCoordinate::ValueForm CNmeaCoordinate::FormOf(const CString& text)
{
    return text.IsEmpty() ? kEmptyValue : IsNmeaPlainNumber(text) ? kPlainValue : kMalformedValue;
}

void CNmeaCoordinate::SetValue(double value, const CString& letter, char positive, char negative)
{
    m_dValue = value;
    m_eValueForm = std::isfinite(value) && value >= 0 ? kPlainValue : kMalformedValue;
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
    Set(sentence.ReadReal(valueField), sentence.DataFieldText(hemisphereField));
    m_eValueForm = FormOf(sentence.DataFieldText(valueField));
}

void CNmeaLatitude::WriteTo(CNmeaSentence& sentence) const { WriteValue(sentence, 7, "N", "S"); }

void CNmeaLongitude::Set(double value, const CString& letter) { SetValue(value, letter, 'E', 'W'); }

void CNmeaLongitude::Read(int valueField, int hemisphereField, const CNmeaSentence& sentence)
{
    Set(sentence.ReadReal(valueField), sentence.DataFieldText(hemisphereField));
    m_eValueForm = FormOf(sentence.DataFieldText(valueField));
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
