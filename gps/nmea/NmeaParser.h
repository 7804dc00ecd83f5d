// The sentence container: one object of every sentence class, and the parse
// that hands a line to the object of its mnemonic. After a successful Parse
// the caller reads ParsedMnemonic, LastPosition and the members of that object.
#pragma once

#include "gps/nmea/NmeaGpsSentences.h"
#include "gps/nmea/NmeaInstrumentSentences.h"
#include "gps/nmea/NmeaProprietary.h"

#include <vector>

// The two characters after "$" of a text longer than 2 characters; else empty.
CString TalkerId(const CString& text);
// The plain-English name of a talker id, or "Unknown - " + id.
CString TalkerName(const CString& id);
// The leading hexadecimal digits of `text` (0 without any), saturating at 32 bits.
DWORD HexValue(const CString& text);

class CNmeaParser {
public:
    // Sentence classes the container holds, and how many it registers: the
    // GOA, GOF and GOP objects exist but are never reached.
    static constexpr int kClassCount = 84;
    static constexpr int kRegisteredCount = 81;

    CNmeaParser();
    virtual ~CNmeaParser() = default;
    CNmeaParser(const CNmeaParser&) = delete;
    CNmeaParser& operator=(const CNmeaParser&) = delete;

    // Callers add CR LF to a line before they set it.
    void SetSentence(const char* text) { m_Sentence.SetText(text ? text : ""); }
    // 1 when the text starts with "$" and ends with CR LF.
    virtual int IsGood();
    // 1 when the sentence's class accepted it; 0 otherwise, with ErrorText
    // saying why (a sentence that is not good changes nothing).
    virtual int Parse();

    const std::vector<CNmeaMessage*>& GetRegistry() const { return m_Registry; }
    // The registered object of `mnemonic`, or null.
    CNmeaMessage* FindRegistered(const CString& mnemonic);

    CNmeaSentence m_Sentence;

    CNmeaAAM AAM;
    CNmeaALM ALM;
    CNmeaAPB APB;
    CNmeaASD ASD;
    CNmeaBEC BEC;
    CNmeaBOD BOD;
    CNmeaBWC BWC;
    CNmeaBWR BWR;
    CNmeaBWW BWW;
    CNmeaDBT DBT;
    CNmeaDCN DCN;
    CNmeaDPT DPT;
    CNmeaFSI FSI;
    CNmeaGDA GDA;
    CNmeaGDF GDF;
    CNmeaGDP GDP;
    CNmeaGGA GGA;
    CNmeaGLA GLA;
    CNmeaGLC GLC;
    CNmeaGLF GLF;
    CNmeaGLL GLL;
    CNmeaGLP GLP;
    CNmeaGOA GOA;
    CNmeaGOF GOF;
    CNmeaGOP GOP;
    CNmeaGSA GSA;
    CNmeaGSV GSV;
    CNmeaGTD GTD;
    CNmeaGXA GXA;
    CNmeaGXF GXF;
    CNmeaGXP GXP;
    CNmeaHCC HCC;
    CNmeaHDG HDG;
    CNmeaHDM HDM;
    CNmeaHDT HDT;
    CNmeaHSC HSC;
    CNmeaIMA IMA;
    CNmeaLCD LCD;
    CNmeaMHU MHU;
    CNmeaMTA MTA;
    CNmeaMTW MTW;
    CNmeaMWV MWV;
    CNmeaOLN OLN;
    CNmeaOSD OSD;
    CNmeaP P;
    CNmeaRMA RMA;
    CNmeaRMB RMB;
    CNmeaRMC RMC;
    CNmeaROT ROT;
    CNmeaRPM RPM;
    CNmeaRSA RSA;
    CNmeaRSD RSD;
    CNmeaRTE RTE;
    CNmeaSFI SFI;
    CNmeaSTN STN;
    CNmeaTEP TEP;
    CNmeaTRF TRF;
    CNmeaTTM TTM;
    CNmeaVBW VBW;
    CNmeaVDR VDR;
    CNmeaVHW VHW;
    CNmeaVLW VLW;
    CNmeaVPW VPW;
    CNmeaVTG VTG;
    CNmeaVWE VWE;
    CNmeaWCV WCV;
    CNmeaWDC WDC;
    CNmeaWDR WDR;
    CNmeaWNC WNC;
    CNmeaWPL WPL;
    CNmeaXDR XDR;
    CNmeaXTE XTE;
    CNmeaXTR XTR;
    CNmeaZDA ZDA;
    CNmeaZFI ZFI;
    CNmeaZFO ZFO;
    CNmeaZLZ ZLZ;
    CNmeaZPI ZPI;
    CNmeaZTA ZTA;
    CNmeaZTE ZTE;
    CNmeaZTG ZTG;
    CNmeaZTI ZTI;
    CNmeaZWP ZWP;
    CNmeaZZU ZZU;

    CString ErrorText;          // "No Error" or why the last parse failed
    CString ParsedMnemonic;     // of the last successful parse
    CString ReceivedMnemonic;   // of the last good sentence
    CString DescribedText;      // Describe of the last successful parse
    CString TalkerId;           // of the last successful parse
    CString TalkerName;
    CNmeaPosition LastPosition; // Position of the last successful parse

private:
    std::vector<CNmeaMessage*> m_Registry;   // sorted by mnemonic
};
