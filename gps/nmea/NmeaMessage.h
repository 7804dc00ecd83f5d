// The base of every NMEA sentence class, and the field walk that most of them
// are built from.
//
// A sentence class lists its members once, in field order, in a template
// `Fields(visitor)`; parsing, writing and clearing walk that list, so a
// member's field number is stated in one place. Group classes (several
// members repeated at an offset) list theirs relative to their first field.
#pragma once

#include "gps/nmea/NmeaSentence.h"

class CNmeaParser;

class CNmeaMessage {
public:
    virtual ~CNmeaMessage() = default;
    // Resets every member that Parse fills.
    virtual void Clear() = 0;
    // 1 on success; 0 after SetError, members unchanged.
    virtual int Parse(const CNmeaSentence& sentence) = 0;
    virtual CString Describe() const { return CString(); }
    // Error text = mnemonic + ", " + text.
    virtual void SetError(const CString& text) { m_strError = m_strMnemonic + ", " + text; }
    virtual void AttachParser(CNmeaParser* parser) { m_pParser = parser; }
    // Starts the sentence "$" + talker + mnemonic; classes append their fields.
    virtual int Write(CNmeaSentence& sentence) const
    {
        sentence.SetText("$" + m_strTalker + m_strMnemonic);
        return 1;
    }
    // The position the sentence carries; cleared for sentences without one.
    virtual CNmeaPosition Position() const { return CNmeaPosition(); }
    // The time of day the sentence carries; the current time for sentences without one.
    virtual CTime FixTime() const { return CTime::GetCurrentTime(); }
    // Copies the parsed members of another object of the same class; nothing
    // for other classes or for the classes that do not copy.
    virtual void CopyFrom(const CNmeaMessage& other) {}

    const CString& GetMnemonic() const { return m_strMnemonic; }
    const CString& GetErrorText() const { return m_strError; }
    const CString& GetTalker() const { return m_strTalker; }
    CNmeaParser* GetParser() const { return m_pParser; }

protected:
    explicit CNmeaMessage(const char* mnemonic) : m_strMnemonic(mnemonic) {}
    CNmeaMessage(const CNmeaMessage&) = default;
    // Assigning a sentence object copies its parsed members only: the base
    // keeps its own parser, talker, error text and mnemonic.
    CNmeaMessage& operator=(const CNmeaMessage&) { return *this; }

private:
    CNmeaParser* m_pParser = nullptr;
    CString m_strTalker = "--";
    CString m_strError;
    CString m_strMnemonic;
};

// ---------------------------------------------------------------- the field walk
// Each visitor receives (field number, member...) in increasing field order.
// `Unit` names a fixed letter that only writing puts in its field.

// Reads members from a sentence.
class CNmeaFieldReader {
public:
    CNmeaFieldReader(const CNmeaSentence& s, int offset = 0) : m_s(s), m_off(offset) {}
    void Text(int f, CString& v) { v = m_s.DataFieldText(f + m_off); }
    void Time(int f, CString& text, CTime& time)
    {
        text = m_s.DataFieldText(f + m_off);
        time = m_s.ReadTimeOfDay(f + m_off);
    }
    void Flag(int f, int& v) { v = m_s.ReadFlag(f + m_off); }
    void EastWest(int f, int& v) { v = m_s.ReadEastWest(f + m_off); }
    void LeftRight(int f, int& v) { v = m_s.ReadLeftRight(f + m_off); }
    void Reference(int f, int& v) { v = m_s.ReadReference(f + m_off); }
    void CommMode(int f, int& v) { v = m_s.ReadCommMode(f + m_off); }
    void Transducer(int f, int& v) { v = m_s.ReadTransducerKind(f + m_off); }
    void Real(int f, double& v) { v = m_s.ReadReal(f + m_off); }
    void Int(int f, int& v) { v = m_s.ReadInt(f + m_off); }
    void Int16(int f, short& v) { v = (short)m_s.ReadInt(f + m_off); }
    void Hex16(int f, WORD& v) { v = (WORD)NmeaHexValue(m_s.DataFieldText(f + m_off)); }
    void Hex32(int f, DWORD& v) { v = NmeaHexValue(m_s.DataFieldText(f + m_off)); }
    void Position(int f, CNmeaPosition& v) { v.Read(f + m_off, f + m_off + 1, f + m_off + 2, f + m_off + 3, m_s); }
    // The whole field compared with each letter of `letters`: index + 1, else 0.
    void Letters(int f, int& v, const char* letters)
    {
        const CString t = m_s.DataFieldText(f + m_off);
        v = 0;
        for (int i = 0; letters[i] && t.GetLength() == 1; ++i)
            if (t[0] == letters[i])
                v = i + 1;
    }
    template <class G> void Group(int f, G& g)
    {
        CNmeaFieldReader inner(m_s, m_off + f);
        g.Fields(inner);
    }
    void Unit(int, const char*) {}

private:
    const CNmeaSentence& m_s;
    int m_off;
};

// Appends members to a sentence, empty fields where none is listed.
class CNmeaFieldWriter {
public:
    explicit CNmeaFieldWriter(CNmeaSentence& s) : m_s(s) {}
    void Text(int f, const CString& v) { At(f), m_s.AddText(v); }
    void Time(int f, const CString& text, const CTime&) { At(f), m_s.AddText(text); }
    void Flag(int f, int v) { At(f), m_s.AddFlag(v); }
    void EastWest(int f, int v) { At(f), m_s.AddEastWest(v); }
    void LeftRight(int f, int v) { At(f), m_s.AddText(v == 1 ? "L" : v == 2 ? "R" : ""); }
    void Reference(int f, int v) { At(f), m_s.AddText(v >= 1 && v <= 5 ? CString("BMWRP"[v - 1]) : CString()); }
    void CommMode(int f, int v) { At(f), m_s.AddCommMode(v); }
    void Transducer(int f, int v) { At(f), m_s.AddTransducerKind(v); }
    void Real(int f, double v) { At(f), m_s.AddReal(v); }
    void Int(int f, int v) { At(f), m_s.AddInt(v); }
    void Int16(int f, short v) { At(f), m_s.AddInt(v); }
    void Hex16(int f, WORD v) { At(f), Hex(v); }
    void Hex32(int f, DWORD v) { At(f), Hex(v); }
    void Position(int f, const CNmeaPosition& v)
    {
        At(f);
        m_s.AddPosition(v);
        m_next += 3;
    }
    void Letters(int f, int v, const char* letters)
    {
        At(f);
        m_s.AddText(v >= 1 && v <= (int)strlen(letters) ? CString(letters[v - 1]) : CString());
    }
    template <class G> void Group(int f, G& g)
    {
        CNmeaFieldWriter inner(m_s);
        inner.m_next = m_next - f;
        g.Fields(inner);
        m_next = inner.m_next + f;
    }
    void Unit(int f, const char* letter) { At(f), m_s.AddText(letter); }
    // Empty fields up to and including field `last`.
    void PadThrough(int last)
    {
        while (m_next <= last)
            At(m_next);
    }

private:
    void At(int f)
    {
        while (m_next < f) {
            m_s.AddText("");
            ++m_next;
        }
        m_next = f + 1;
    }
    void Hex(DWORD v)
    {
        CString t;
        t.Format("%X", (unsigned)v);
        m_s.AddText(t);
    }

    CNmeaSentence& m_s;
    int m_next = 1;
};

// Clears members: texts empty, numbers and letters 0, positions cleared; a
// time of day keeps its value (only its text empties).
class CNmeaFieldClearer {
public:
    void Text(int, CString& v) { v.Empty(); }
    void Time(int, CString& text, CTime&) { text.Empty(); }
    void Flag(int, int& v) { v = 0; }
    void EastWest(int, int& v) { v = 0; }
    void LeftRight(int, int& v) { v = 0; }
    void Reference(int, int& v) { v = 0; }
    void CommMode(int, int& v) { v = 0; }
    void Transducer(int, int& v) { v = 0; }
    void Real(int, double& v) { v = 0.0; }
    void Int(int, int& v) { v = 0; }
    void Int16(int, short& v) { v = 0; }
    void Hex16(int, WORD& v) { v = 0; }
    void Hex32(int, DWORD& v) { v = 0; }
    void Position(int, CNmeaPosition& v) { v.Clear(); }
    void Letters(int, int& v, const char*) { v = 0; }
    template <class G> void Group(int, G& g) { g.Clear(); }
    void Unit(int, const char*) {}
};

// How a class treats its checksum field.
enum NmeaChecksumRule {
    NMEA_NO_CHECKSUM,        // no test
    NMEA_CHECKSUM,           // a mismatch is refused; no checksum is accepted
    NMEA_CHECKSUM_REQUIRED,  // a mismatch and a missing checksum are refused
};

// A sentence class made of its field list. D lists its members in
// `template <class V> void Fields(V&)`; the const walk is used for writing.
template <class D>
class CNmeaFieldMessage : public CNmeaMessage {
public:
    void Clear() override
    {
        CNmeaFieldClearer c;
        Self().Fields(c);
    }
    int Parse(const CNmeaSentence& sentence) override
    {
        if (!CheckChecksum(sentence))
            return 0;
        CNmeaFieldReader r(sentence);
        Self().Fields(r);
        return 1;
    }
    int Write(CNmeaSentence& sentence) const override
    {
        CNmeaMessage::Write(sentence);
        CNmeaFieldWriter w(sentence);
        const_cast<D&>(static_cast<const D&>(*this)).Fields(w);
        if (m_nChecksumField > 0)
            w.PadThrough(m_nChecksumField - 1);
        sentence.AppendChecksum();
        return 1;
    }

protected:
    CNmeaFieldMessage(const char* mnemonic, int checksumField, NmeaChecksumRule rule)
        : CNmeaMessage(mnemonic), m_nChecksumField(checksumField), m_eRule(rule)
    {
    }
    CNmeaFieldMessage(const CNmeaFieldMessage&) = default;
    CNmeaFieldMessage& operator=(const CNmeaFieldMessage&) { return *this; }

    // False (error set) when the rule refuses the sentence's checksum. The
    // checksum is the two digits after "*", wherever that stands: a receiver of
    // a later NMEA version adds fields before it (the mode letter of RMC and
    // GLL, a field of GGA), which the class does not read and which never
    // make a sentence with a right checksum wrong.
    bool CheckChecksum(const CNmeaSentence& sentence)
    {
        if (m_eRule == NMEA_NO_CHECKSUM)
            return true;
        const int mismatch = sentence.ChecksumState();
        if (mismatch == 1) {
            SetError("Invalid Checksum");
            return false;
        }
        if (mismatch == 0 && m_eRule == NMEA_CHECKSUM_REQUIRED) {
            SetError("Missing Checksum");
            return false;
        }
        return true;
    }
    // For the classes that copy: the other object's members when it is a D.
    void CopyMembers(const CNmeaMessage& other)
    {
        if (const D* d = dynamic_cast<const D*>(&other))
            Self() = *d;
    }

private:
    D& Self() { return static_cast<D&>(*this); }

    int m_nChecksumField;
    NmeaChecksumRule m_eRule;
};

// Declares a sentence class of the field walk: its constructor and CopyFrom.
#define NMEA_FIELD_CLASS(Name, Mnemonic, ChecksumField, Rule)                                           \
public:                                                                                                 \
    Name() : CNmeaFieldMessage<Name>(Mnemonic, ChecksumField, Rule) {}                                  \
    void CopyFrom(const CNmeaMessage& other) override { CopyMembers(other); }

// The same for the classes that do not copy.
#define NMEA_FIELD_CLASS_NOCOPY(Name, Mnemonic, ChecksumField, Rule)                                    \
public:                                                                                                 \
    Name() : CNmeaFieldMessage<Name>(Mnemonic, ChecksumField, Rule) {}
