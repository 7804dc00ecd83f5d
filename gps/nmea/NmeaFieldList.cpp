// Field positions of the sentences read by position.
#include "gps/nmea/NmeaFieldList.h"

#include <cctype>

namespace {
// Field of each column by kind; -1: the kind has no such field.
struct Positions {
    const char* kind;
    int field[6];   // time, latitude, longitude, altitude, speed, course
};
const Positions kPositions[] = {
    {"GGA", {1, 2, 4, 9, -1, -1}},
    {"RMC", {1, 3, 5, -1, 7, 8}},
    {"GLL", {5, 1, 3, -1, -1, -1}},
    {"VTG", {-1, -1, -1, -1, 5, -1}},
    {"PEMT161", {4, 7, 8, 9, 11, 10}},
};
}

CNmeaFieldList::CNmeaFieldList(const CString& sentence) : m_strSentence(sentence)
{
    m_Fields.reserve(10);
    CString field;
    for (int i = 0; i < sentence.GetLength(); ++i) {
        const char c = sentence[i];
        if (c == ',' || c == '*') {
            m_Fields.push_back(field);
            field.Empty();
        } else {
            field += c;
        }
    }
}

CString CNmeaFieldList::GetSentenceName() const
{
    return m_Fields.empty() ? CString() : m_Fields[0];
}

CString CNmeaFieldList::GetKind() const
{
    const CString name = GetSentenceName();
    if (name == "$PEMT161")
        return "PEMT161";
    // "$" and a talker of two upper-case letters (not the proprietary "P").
    if (name.GetLength() != 6 || name[0] != '$' || name[1] == 'P' || !isupper((unsigned char)name[1]) ||
        !isupper((unsigned char)name[2]))
        return CString();
    const CString mnemonic = name.Mid(3);
    for (const Positions& p : kPositions)
        if (mnemonic == p.kind)
            return mnemonic;
    return CString();
}

CString CNmeaFieldList::GetField(int n) const
{
    return n >= 0 && n < (int)m_Fields.size() ? m_Fields[(size_t)n] : CString();
}

CString CNmeaFieldList::Answer(Column column) const
{
    const CString kind = GetKind();
    for (const Positions& p : kPositions)
        if (kind == p.kind)
            return GetField(p.field[column]);
    return CString();
}

CString CNmeaFieldList::GetTime() const { return Answer(kTime); }
CString CNmeaFieldList::GetLatitude() const { return Answer(kLatitude); }
CString CNmeaFieldList::GetLongitude() const { return Answer(kLongitude); }
CString CNmeaFieldList::GetAltitude() const { return Answer(kAltitude); }
CString CNmeaFieldList::GetSpeed() const { return Answer(kSpeed); }
CString CNmeaFieldList::GetCourse() const { return Answer(kCourse); }
