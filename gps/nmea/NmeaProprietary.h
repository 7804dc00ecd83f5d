// Proprietary sentences ("$P" + a three-letter manufacturer code + anything)
// and the built-in table of manufacturer codes they are looked up in.
#pragma once

#include "gps/nmea/NmeaMessage.h"

#include <memory>
#include <vector>

class CNmeaManufacturer {
public:
    CNmeaManufacturer(const char* code, const char* name) : m_Code(code), m_Name(name) {}
    virtual ~CNmeaManufacturer() = default;
    CString m_Code;   // three upper-case characters
    CString m_Name;
};

// The manufacturer codes, sorted by code once filled. Equal codes keep their
// fill order (the table holds SRS twice).
class CNmeaManufacturerList {
public:
    static constexpr int kTableSize = 334;

    virtual ~CNmeaManufacturerList() = default;
    virtual void Add(std::unique_ptr<CNmeaManufacturer> entry) { m_Entries.push_back(std::move(entry)); }
    virtual void Clear() { m_Entries.clear(); }
    // The table's entries in their fixed order, then Sort.
    virtual void Fill();
    // The company name of `code`, empty when the table lacks it; fills an empty list first.
    virtual CString Find(const CString& code);
    // Bubble sort by code: stable, so equal codes keep their order.
    virtual void Sort();
    virtual CString Find(const char* code) { return Find(CString(code)); }

    int GetCount() const { return (int)m_Entries.size(); }
    const CNmeaManufacturer& GetAt(int i) const { return *m_Entries[(size_t)i]; }

private:
    std::vector<std::unique_ptr<CNmeaManufacturer>> m_Entries;
};

// Every proprietary sentence; nothing but the manufacturer is read, and no
// checksum is tested.
class CNmeaP : public CNmeaMessage {
public:
    CNmeaP() : CNmeaMessage("P") {}
    void Clear() override
    {
        m_SentenceText.Empty();
        m_ManufacturerCode.Empty();
    }
    int Parse(const CNmeaSentence& sentence) override;
    // The sentence text as it was parsed.
    int Write(CNmeaSentence& sentence) const override;
    void CopyFrom(const CNmeaMessage& other) override;

    CNmeaManufacturerList m_Manufacturers;
    CString m_SentenceText;
    CString m_ManufacturerCode;   // characters 2 to 4 of the address field
    CString m_ManufacturerName;   // empty when the code is not in the table
};
