// Fuzz target: the sentence parser and every sentence object it holds. The input is cut into lines as a
// receiver's bytes are; each line is parsed and read as a fix, and its fields through every reader. Then
// every registered object describes itself, gives its position and time, is copied into the object of its
// class in a second parser, and writes itself back as a sentence, which must carry its right checksum.
#include "fuzz/FuzzTarget.h"

#include "gps/nmea/NmeaFix.h"
#include "gps/nmea/NmeaLineCutter.h"
#include "gps/nmea/NmeaParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNmeaParser parser, other;
    CNmeaLineCutter cutter;
    auto each = [&](const CString& line) {
        parser.SetSentence(line + "\r\n");
        parser.Parse();
        CNmeaFix fix;
        NmeaFixOf(parser, fix);
        NmeaClockText(fix.timeText);
        const CNmeaSentence& s = parser.m_Sentence;
        const int fields = s.CountDataFields();
        for (int f = -1; f <= fields + 2 && f < 40; ++f) {
            s.FieldText(f);
            s.ReadReal(f);
            s.ReadInt(f);
            s.ReadFlag(f);
            s.ReadNorthSouth(f);
            s.ReadEastWest(f);
            s.ReadLeftRight(f);
            s.ReadReference(f);
            s.ReadCommMode(f);
            s.ReadTransducerKind(f);
            s.ReadTimeOfDay(f);
            s.ChecksumMismatch(f);
            IsNmeaTimeOfDay(s.DataFieldText(f));
        }
        s.ChecksumState();
        s.CalcChecksum();
    };
    cutter.Feed(reinterpret_cast<const char*>(data), size, each);
    cutter.Finish(each);
    for (CNmeaMessage* m : parser.GetRegistry()) {
        m->Describe();
        m->Position().Describe();
        m->FixTime();
        if (CNmeaMessage* twin = other.FindRegistered(m->GetMnemonic()))
            twin->CopyFrom(*m);
        CNmeaSentence out;
        m->Write(out);
        // The proprietary class writes back the sentence it kept, as it came.
        FuzzCheck(m == &parser.P || out.ChecksumState() == 2, "a written sentence carries its right checksum");
    }
    return 0;
}
