// Fuzz target: what the data logger sends back: the replies to the record count and to the settings query,
// and the records of a download, read as the link and the GPS Data window read them. A record that places
// a fix places it on the earth.
#include "fuzz/FuzzTarget.h"

#include "gps/dialogs/LoggerRecord.h"
#include "gps/link/GpsReceiverLink.h"
#include "gps/nmea/NmeaLineCutter.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNmeaLineCutter cutter;
    auto each = [](const CString& line) {
        for (const char* type : {"0", "1", "2", "3"})
            FuzzCheck(RecordCountOfReply(line, type) >= 0, "a record count is never negative");
        int elapse = 0, movement = 0;
        LoggerSettingsOfReply(line, elapse, movement);
        LoggerRecord record;
        if (ReadLoggerRecord(line, record) && record.placed)
            FuzzCheck(std::fabs(record.latitude) <= 90 && std::fabs(record.longitude) <= 180,
                      "a placed record lies on the earth");
    };
    cutter.Feed(reinterpret_cast<const char*>(data), size, each);
    cutter.Finish(each);
    return 0;
}
