// Fuzz target: the field list that reads the data logger's download records and the position sentences
// by field position. Every line of the input (cut as a receiver's bytes are) is split and asked for every
// column; a field beyond the list reads as empty.
#include "fuzz/FuzzTarget.h"

#include "gps/nmea/NmeaFieldList.h"
#include "gps/nmea/NmeaLineCutter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNmeaLineCutter cutter;
    auto each = [](const CString& line) {
        const CNmeaFieldList fields(line + "\r\n");
        fields.GetSentenceName();
        fields.GetKind();
        fields.GetTime();
        fields.GetLatitude();
        fields.GetLongitude();
        fields.GetAltitude();
        fields.GetSpeed();
        fields.GetCourse();
        FuzzCheck(fields.GetField(fields.GetFieldCount()).IsEmpty(), "a field beyond the list is empty");
    };
    cutter.Feed(reinterpret_cast<const char*>(data), size, each);
    cutter.Finish(each);
    return 0;
}
