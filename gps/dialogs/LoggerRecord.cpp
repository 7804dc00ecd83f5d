// Reading the data logger's download records.
#include "gps/dialogs/LoggerRecord.h"

#include "gps/nmea/NmeaFieldList.h"
#include "gps/nmea/NmeaSentence.h"

#include <cstdlib>

namespace {
// A signed ddmm.mmmm in decimal degrees; false for an empty field and for one
// that is no position (the rules of NmeaFixOf).
bool Coordinate(const CString& field, int maxDegrees, double& degrees)
{
    const bool negative = !field.IsEmpty() && field[0] == '-';
    const CString digits = negative ? field.Mid(1) : field;
    CNmeaLatitude value;   // only the value and its form count here
    value.Set(atof(digits), "N");
    if (!IsNmeaPlainNumber(digits) || !value.IsPlausible(maxDegrees))
        return false;
    degrees = negative ? -value.DecimalDegrees() : value.DecimalDegrees();
    return true;
}
}

bool ReadLoggerRecord(const CString& line, LoggerRecord& record)
{
    const CNmeaFieldList fields(line + "\r\n");
    const CString type = fields.GetField(1);
    if (fields.GetSentenceName() != "$PEMT161" || (type != "4" && type != "5" && type != "6" && type != "7"))
        return false;
    record = LoggerRecord();
    double lat = 0, lon = 0;
    record.placed = Coordinate(fields.GetField(7), 90, lat) && Coordinate(fields.GetField(8), 180, lon) &&
                    IsNmeaTimeOfDay(fields.GetField(4));
    if (record.placed) {
        record.latitude = lat;
        record.longitude = lon;
    }
    const CString time = fields.GetField(4), date = fields.GetField(3);
    record.clock = time.Mid(0, 2) + ":" + time.Mid(2, 2) + ":" + time.Mid(4, 2);
    record.date = date.Mid(4, 2) + ":" + date.Mid(2, 2) + ":" + date.Mid(0, 2);
    record.speedKmh = atof(fields.GetField(11));
    record.course = atof(fields.GetField(10));
    record.altitude = atof(fields.GetField(9));
    return true;
}
