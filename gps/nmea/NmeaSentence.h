// One NMEA 0183 sentence as text, with readers for its fields, the checksum,
// and writers that build a sentence field by field; and the latitude,
// longitude and position values of the sentences (degrees x 100 + minutes with
// a hemisphere).
//
// Fields: the leading "$" belongs to none; "," and "*" both separate, so the
// checksum digits are one more field after the last data field. Field 0 is the
// address field (GPRMC). The last field runs to the end of the text, so it
// keeps a trailing CR LF. A field that does not exist is empty. Readers never
// fail: what they cannot read is 0, empty or the unset value 0; the value
// readers read data fields only, so the checksum digits of a sentence with
// fewer fields than its class lists never pass for a value.
//
// The text is cut into fields once, when it is first read after a change, so
// reading every field of a sentence is linear in its length.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

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
    // The same test on the two hexadecimal digits after the first "*",
    // wherever it stands, so that fields a later NMEA version adds before it
    // never read as the checksum: unset without a "*", false when they match,
    // true when they do not or when two hexadecimal digits do not follow it.
    int ChecksumState() const;
    // Field `field` when it lies before the first "*", else empty.
    CString DataFieldText(int field) const;
    virtual int ReadLeftRight(int field) const;
    virtual int ReadNorthSouth(int field) const;
    virtual int ReadReference(int field) const;
    // The field's hh mm ss as UTC on the day that puts them nearest to now (so a
    // sentence from just before midnight UTC keeps its day); the current time
    // when the field has fewer than 6 characters.
    virtual CTime ReadTimeOfDay(int field) const;
    // The letter's code for A C D F H N P R T V, else 0.
    virtual int ReadTransducerKind(int field) const;

    // ---- text
    virtual void SetText(const CString& text)
    {
        m_strText = text;
        m_bIndexed = false;
    }
    virtual void CopyFrom(const CNmeaSentence& other)
    {
        m_strText = other.m_strText;
        m_bIndexed = false;
    }
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
    // Whether the whole data field is the single character `c`.
    bool FieldIsLetter(int field, char c) const;
    // Cuts the text into fields when it changed since the last cut.
    void Index() const;
    void Append(const CString& text)
    {
        m_strText += text;
        m_bIndexed = false;
    }

    CString m_strText;
    // The index of every separator ("," or "*") after the first character,
    // and the number of data fields (the separators before the first "*").
    mutable std::vector<int> m_Separators;
    mutable int m_nDataFields = 0;
    mutable bool m_bIndexed = false;
};

// Whether `text` is a number in the form NMEA writes coordinates: digits with
// at most one decimal point and at least one digit, nothing else (no sign, no
// exponent, no blank).
bool IsNmeaPlainNumber(const CString& text);
// Whether `text` is an NMEA time of day: hhmmss with an optional fraction,
// hours below 24, minutes below 60, seconds below 60 (60 only at 23:59, a leap
// second). An empty text is no time.
bool IsNmeaTimeOfDay(const CString& text);
// The second of `year`-`month`-`day` hh:mm:ss UTC since 1970; the month and the
// day may lie outside their ranges and carry over as a calendar does.
long long NmeaUtcSeconds(long long year, long long month, long long day, long long hours, long long minutes,
                         long long seconds);

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

    // Whether the value can be a position on the earth: it was written as a
    // plain number (IsNmeaPlainNumber; a value set in code must be finite and
    // not negative), its minutes are below 60, and its degrees at most
    // `maxDegrees` (90 for a latitude, 180 for a longitude).
    bool IsPlausible(int maxDegrees) const;

    // How the value was written: a field read as 0.0 may have been empty or no number at all.
    enum ValueForm { kPlainValue, kEmptyValue, kMalformedValue };

    double m_dValue = 0.0;     // degrees x 100 + minutes
    int m_nHemisphere = 0;     // 0 unset, 1 north or east, 2 south or west
    ValueForm m_eValueForm = kPlainValue;

protected:
    // The form of a value read from `text`.
    static ValueForm FormOf(const CString& text);
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
    // Whether both hemispheres are known and both values were written.
    bool IsStated() const
    {
        return m_Latitude.IsKnown() && m_Longitude.IsKnown() && m_Latitude.m_eValueForm != CNmeaCoordinate::kEmptyValue &&
               m_Longitude.m_eValueForm != CNmeaCoordinate::kEmptyValue;
    }
    // Stated, and both values plausible (CNmeaCoordinate::IsPlausible).
    bool IsUsable() const { return IsStated() && m_Latitude.IsPlausible(90) && m_Longitude.IsPlausible(180); }
    // "Latitude 49 16.45000 North, Longitude 123 11.12000 West".
    virtual CString Describe() const;
    virtual void WriteTo(CNmeaSentence& sentence) const;
    virtual void CopyFrom(const CNmeaPosition& other);

    CNmeaLatitude m_Latitude;
    CNmeaLongitude m_Longitude;
};
