// A light splitter for the few sentences read by field position: the data
// logger's download records ("$PEMT161") and the position sentences of GPS
// log files (GGA, RMC, GLL, VTG of any talker: GP, GN, GL, GA, BD, ...).
//
// A "," or a "*" ends a field, which is kept even when empty; the characters
// after the last separator (the checksum and anything after it) are not a
// field. Field 0 is the address field ("$GPGGA"). Hemisphere letters are
// never answered: callers read them from the field after the value.
#pragma once

#include "platform/base/CString.h"

#include <vector>

class CNmeaFieldList {
public:
    explicit CNmeaFieldList(const CString& sentence);
    virtual ~CNmeaFieldList() = default;

    // Field 0, or empty when there are no fields.
    CString GetSentenceName() const;
    // The mnemonic the fields are read by: "GGA", "RMC", "GLL", "VTG" for
    // those sentences of any two-letter talker, "PEMT161" for a download
    // record, else empty.
    CString GetKind() const;
    CString GetTime() const;
    CString GetLatitude() const;
    CString GetLongitude() const;
    CString GetAltitude() const;
    CString GetSpeed() const;
    CString GetCourse() const;

    int GetFieldCount() const { return (int)m_Fields.size(); }
    // Field n, or empty when the list holds no more than n fields.
    CString GetField(int n) const;

private:
    enum Column { kTime, kLatitude, kLongitude, kAltitude, kSpeed, kCourse };
    CString Answer(Column column) const;

    CString m_strSentence;
    std::vector<CString> m_Fields;
};
