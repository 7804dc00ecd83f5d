// One NMEA 0183 sentence as text, with readers for its fields, the checksum,
// and writers that build a sentence field by field; and the latitude,
// longitude and position values of the sentences (degrees x 100 + minutes with
// a hemisphere).
//
// Fields: the leading "$" belongs to none; "," and "*" both separate, so the
// checksum digits are one more field after the last data field. Field 0 is the
// address field (GPRMC). The last field runs to the end of the text, so it
// keeps a trailing CR LF. A field that does not exist is empty. Readers never
// fail: what they cannot read is 0, empty or the unset value 0.
#pragma once

#include "platform/base/Afx.h"

// Enumerations read from one-letter fields; 0 is unset (any other text).
enum NmeaFlag { NMEA_FLAG_UNSET = 0, NMEA_TRUE = 1, NMEA_FALSE = 2 };   // "A", "V"
enum NmeaNorthSouth { NMEA_NS_UNSET = 0, NMEA_NORTH = 1, NMEA_SOUTH = 2 };
enum NmeaEastWest { NMEA_EW_UNSET = 0, NMEA_EAST = 1, NMEA_WEST = 2 };
enum NmeaLeftRight { NMEA_LR_UNSET = 0, NMEA_LEFT = 1, NMEA_RIGHT = 2 };
// "B", "M", "W", "R", "P" give 1 to 5.
enum NmeaReference { NMEA_REF_UNSET = 0 };

class CNmeaPosition;

// Converts the leading decimal digits of `text` as atoi does, saturating at the
// 32-bit range instead of overflowing.
int NmeaAtoi(const char* text);
// The leading hexadecimal digits (either case) as "%lx" reads them, saturating at 32 bits.
DWORD NmeaHexValue(const char* text);

class CNmeaSentence {
public:
    CNmeaSentence() = default;
    virtual ~CNmeaSentence() = default;

    // ---- readers
    virtual int ReadFlag(int field) const;
    // XOR of the characters from index 1 up to the first "*", CR or LF.
    virtual BYTE CalcChecksum() const;
    // The letter's code for d e m o q s w x { |, else 0.
    virtual int ReadCommMode(int field) const;
    virtual double ReadReal(int field) const;
    virtual int ReadEastWest(int field) const;
    virtual CString FieldText(int field) const;
    // Appends "*", two upper-case hex digits, CR and LF.
    virtual void AppendChecksum();
    // The "," characters after the first character and before the first "*".
    virtual int CountDataFields() const;
    virtual int ReadInt(int field) const;
    // NmeaFlag: unset when the field is empty, false when the checksum in it is
    // right, true when it is wrong.
    virtual int ChecksumMismatch(int field) const;
    virtual int ReadLeftRight(int field) const;
    virtual int ReadNorthSouth(int field) const;
    virtual int ReadReference(int field) const;
    // Today's local date at the field's hh mm ss (the sentence's UTC digits read
    // as local time); the current time when the field has fewer than 6 characters.
    virtual CTime ReadTimeOfDay(int field) const;
    // The letter's code for A C D F H N P R T V, else 0.
    virtual int ReadTransducerKind(int field) const;

    // ---- text
    virtual void SetText(const CString& text) { m_strText = text; }
    virtual void CopyFrom(const CNmeaSentence& other) { m_strText = other.m_strText; }
    CString GetText() const { return m_strText; }

    // ---- writers: each appends "," and the field
    virtual void AddTransducerKind(int kind);
    virtual void AddTimeOfDay(const CTime& time);
    virtual void AddNorthSouth(int value);
    virtual void AddFlag(int value);
    virtual void AddPosition(const CNmeaPosition& position);
    virtual void AddEastWest(int value);
    virtual void AddCommMode(int mode);
    virtual void AddInt(int value);
    virtual void AddReal(double value);
    virtual void AddText(const CString& text);

private:
    // The field's characters as [begin, end) of the text; both 0 when it does not exist.
    void FieldSpan(int field, int& begin, int& end) const;
    // Whether the whole field is the single character `c`.
    bool FieldIsLetter(int field, char c) const;

    CString m_strText;
};

// The common part of a latitude and a longitude.
class CNmeaCoordinate {
public:
    virtual ~CNmeaCoordinate() = default;
    virtual void Clear();
    // 1 when the hemisphere is known.
    virtual int IsKnown() const;
    virtual void CopyFrom(const CNmeaCoordinate& other);

    // The value as decimal degrees, always non-negative (the hemisphere says the side).
    double DecimalDegrees() const;
    int WholeDegrees() const;
    double Minutes() const;
    // Decimal degrees with the hemisphere's sign: south and west are negative.
    double SignedDegrees() const { return m_nHemisphere == 2 ? -DecimalDegrees() : DecimalDegrees(); }

    double m_dValue = 0.0;     // degrees x 100 + minutes
    int m_nHemisphere = 0;     // 0 unset, 1 north or east, 2 south or west

protected:
    // Stores `value`; the hemisphere is 1 for `positive`, 2 for `negative` as the
    // first character of `letter`, else 0.
    void SetValue(double value, const CString& letter, char positive, char negative);
    // Adds the value, zero-padded to `width` characters with two decimals, and the
    // hemisphere's letter (empty when unset).
    void WriteValue(CNmeaSentence& sentence, int width, const char* positive, const char* negative) const;
};

class CNmeaLatitude : public CNmeaCoordinate {
public:
    virtual void Read(int valueField, int hemisphereField, const CNmeaSentence& sentence);
    // "N" 1, "S" 2 from the first character of `letter`, else 0.
    virtual void Set(double value, const CString& letter);
    virtual void WriteTo(CNmeaSentence& sentence) const;
};

class CNmeaLongitude : public CNmeaCoordinate {
public:
    virtual void Read(int valueField, int hemisphereField, const CNmeaSentence& sentence);
    // "E" 1, "W" 2 from the first character of `letter`, else 0.
    virtual void Set(double value, const CString& letter);
    virtual void WriteTo(CNmeaSentence& sentence) const;
};

class CNmeaPosition {
public:
    virtual ~CNmeaPosition() = default;
    virtual void Clear();
    // 1 when both hemispheres are known; the values are stored either way.
    virtual int Read(int latField, int nsField, int lonField, int ewField, const CNmeaSentence& sentence);
    // "Latitude 49 16.45000 North, Longitude 123 11.12000 West".
    virtual CString Describe() const;
    virtual void WriteTo(CNmeaSentence& sentence) const;
    virtual void CopyFrom(const CNmeaPosition& other);

    CNmeaLatitude m_Latitude;
    CNmeaLongitude m_Longitude;
};
