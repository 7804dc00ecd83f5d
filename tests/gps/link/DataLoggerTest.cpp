// The data logger's protocol over a pseudo-terminal: the exact command bytes
// with their checksums, the replies it reads (newest first, never a stale
// one), its refusals, and the sentence splitters its replies and records go
// through.
#include "tests/gps/support/LoggerPeer.h"

#include "gps/nmea/NmeaFieldList.h"
#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

using testsupport::LoggerPeer;
using testsupport::Nmea;

namespace {
class DataLogger : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetTestClockScale(0.01);
        link.ClearLines();
        ASSERT_TRUE(logger.Connect(link, "COM9"));
    }
    void TearDown() override
    {
        logger.Stop();
        link.ClosePort();
        link.ClearLines();
        AfxSetTestClockScale(1.0);
    }

    ModalRecorder boxes;
    LoggerPeer logger{"COM9"};
    CGpsReceiverLink link;
};

std::vector<std::string> Strings(const std::vector<CString>& fields)
{
    std::vector<std::string> out;
    for (const CString& f : fields)
        out.emplace_back(f.GetString());
    return out;
}
}

TEST(LoggerSentences, ChecksumsOfTheFixedSentences)
{
    const std::pair<const char*, const char*> cases[] = {
        {"$PEMT161,0", "26"}, {"$PEMT160,4,0", "3F"}, {"$PSRF201,1", "39"}, {"$PSRF201,4", "3C"}, {"$PEMT161,8", "2E"},
    };
    for (const auto& [text, digits] : cases)
        EXPECT_EQ(CSerialPort::AppendNmeaChecksum(text), digits) << text;
}

TEST(LoggerSentences, ReplySplitterKeepsEmptyFieldsAndTheChecksum)
{
    EXPECT_EQ(Strings(SplitSentenceFields("$PEMT160,4,0,,30*5A")),
              (std::vector<std::string>{"$PEMT160", "4", "0", "", "30", "5A"}));
    EXPECT_EQ(Strings(SplitSentenceFields("$PEMT161,0,57")), (std::vector<std::string>{"$PEMT161", "0", "57"}));
    EXPECT_TRUE(SplitSentenceFields("").empty());
}

TEST(LoggerSentences, FieldListAnswersByKind)
{
    struct Case {
        const char* sentence;
        const char* name;
        const char* time;
        const char* lat;
        const char* lon;
        const char* alt;
        const char* speed;
        const char* course;
    };
    const Case cases[] = {
        // An empty field keeps its place; the checksum is no field.
        {"$GPGGA,123519,4807.038,N,,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n", "$GPGGA", "123519", "4807.038", "", "545.4",
         "", ""},
        {"$GPRMC,081836,A,3751.65,S,14507.36,E,000.0,360.0,130998,011.3,E*62", "$GPRMC", "081836", "3751.65",
         "14507.36", "", "000.0", "360.0"},
        {"$GPGLL,4916.45,N,12311.12,W,225444,A*31", "$GPGLL", "225444", "4916.45", "12311.12", "", "", ""},
        {"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", "$GPVTG", "", "", "", "", "005.5", ""},
        // Other talkers answer as GP does.
        {"$GNGGA,001043.00,4404.14036,N,12118.85961,W,1,12,0.98,1113.0,M,-21.3,M,,*47", "$GNGGA", "001043.00",
         "4404.14036", "12118.85961", "1113.0", "", ""},
        {"$GNRMC,001031.00,A,4404.13993,N,12118.86023,W,0.146,,100117,,,A*7B", "$GNRMC", "001031.00", "4404.13993",
         "12118.86023", "", "0.146", ""},
        // A download record; one with fewer than 12 fields has no speed.
        {"$PEMT161,4,5,040307,090507,1,2,4807.0380,01131.0000,545,90,12*00", "$PEMT161", "090507", "4807.0380",
         "01131.0000", "545", "12", "90"},
        {"$PEMT161,4,5,040307,090507,1,2,4807.0380,01131.0000,545,90*00", "$PEMT161", "090507", "4807.0380",
         "01131.0000", "545", "", "90"},
        {"$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39", "$GPGSA", "", "", "", "", "", ""},
        {"$PSRFGGA,1,2,3*00", "$PSRFGGA", "", "", "", "", "", ""},
        {"", "", "", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const CNmeaFieldList f(c.sentence);
        EXPECT_EQ(f.GetSentenceName(), c.name) << c.sentence;
        EXPECT_EQ(f.GetTime(), c.time) << c.sentence;
        EXPECT_EQ(f.GetLatitude(), c.lat) << c.sentence;
        EXPECT_EQ(f.GetLongitude(), c.lon) << c.sentence;
        EXPECT_EQ(f.GetAltitude(), c.alt) << c.sentence;
        EXPECT_EQ(f.GetSpeed(), c.speed) << c.sentence;
        EXPECT_EQ(f.GetCourse(), c.course) << c.sentence;
    }
    EXPECT_EQ(CNmeaFieldList("").GetFieldCount(), 0);
}

TEST_F(DataLogger, RecordCountReadsTheNewestReplyOnly)
{
    // An old reply already queued is not this query's.
    link.AppendLine("$PEMT161,0,999*00");
    logger.Answer("$PEMT161,0*26", {Nmea("PEMT161,0,12"), "$GPGGA,000001*00\r\n", Nmea("PEMT161,0,57")});
    EXPECT_EQ(link.GetRecordCount(""), 57);
    EXPECT_EQ(logger.Commands(), std::vector<std::string>{"$PEMT161,0*26"});

    // No answer at all.
    logger.Answer("$PEMT161,0*26", {});
    link.AppendLine("$PEMT161,0,999*00");
    EXPECT_EQ(link.GetRecordCount("$PEMT161,0*26"), kLoggerNoReply);

    // A date query reads field 4 of a reply of six fields or more.
    const std::string before = Nmea("PEMT161,1,40307,90507", false);
    logger.Answer(before, {Nmea("PEMT161,1,40307,90507")});
    EXPECT_EQ(link.GetRecordCount(before.c_str()), 0);   // five fields: too short to hold a count
    logger.Answer(before, {Nmea("PEMT161,1,40307,90507,33")});
    EXPECT_EQ(link.GetRecordCount(before.c_str()), 33);

    // Refused before anything is written.
    const size_t written = logger.Commands().size();
    EXPECT_EQ(link.GetRecordCount("$PEMT161,4*00"), kLoggerBadRequest);
    EXPECT_EQ(link.GetRecordCount("$PEMT161*00"), kLoggerBadRequest);
    EXPECT_EQ(logger.Commands().size(), written);
    link.ClosePort();
    EXPECT_EQ(link.GetRecordCount(""), kLoggerNotOpen);
}

TEST_F(DataLogger, DownloadRequestsAndTheirRefusals)
{
    auto request = [](int mode, int first, int last, int beforeDate, int beforeTime, int afterDate, int afterTime) {
        DownloadRequest r;
        r.mode = mode;
        r.firstRecord = first;
        r.lastRecord = last;
        r.beforeDate = beforeDate;
        r.beforeTime = beforeTime;
        r.afterDate = afterDate;
        r.afterTime = afterTime;
        return r;
    };
    // Refused, nothing written.
    for (const DownloadRequest& bad : {request(1, 5, 3, 0, 0, 0, 0), request(1, 0, 3, 0, 0, 0, 0),
                                       request(2, 0, 0, 0, 90000, 0, 0), request(3, 0, 0, 0, 0, 0, 10000),
                                       request(4, 0, 0, 40306, 0, 40307, 0), request(7, 0, 0, 0, 0, 0, 0)})
        EXPECT_EQ(link.TriggerDownload(bad), kLoggerBadRequest) << bad.mode;
    EXPECT_TRUE(logger.Commands().empty());

    // A range needs no count: one record.
    EXPECT_EQ(link.TriggerDownload(request(1, 1, 1, 0, 0, 0, 0)), 1);
    EXPECT_EQ(logger.Commands(), std::vector<std::string>{Nmea("PEMT161,4,1,1", false)});

    // All records: the count, then the download of that many; none when there are none.
    logger.Answer("$PEMT161,0*26", {Nmea("PEMT161,0,3")});
    EXPECT_EQ(link.TriggerDownload(request(0, 0, 0, 0, 0, 0, 0)), 3);
    logger.Answer("$PEMT161,0*26", {Nmea("PEMT161,0,0")});
    EXPECT_EQ(link.TriggerDownload(request(0, 0, 0, 0, 0, 0, 0)), 0);
    EXPECT_EQ(logger.Commands(), (std::vector<std::string>{Nmea("PEMT161,4,1,1", false), "$PEMT161,0*26",
                                                            Nmea("PEMT161,4,1,3", false), "$PEMT161,0*26"}));

    // Between two dates (equal dates pass whatever the times): after first, then before.
    const std::string count = Nmea("PEMT161,3,40307,140507,40307,90507", false);
    logger.Answer(count, {Nmea("PEMT161,3,40307,40307,8,0")});   // field 4 holds the count
    EXPECT_EQ(link.TriggerDownload(request(4, 0, 0, 40307, 90507, 40307, 140507)), 8);
    EXPECT_EQ(logger.Commands().back(), Nmea("PEMT161,7,40307,140507,40307,90507", false));

    link.ClosePort();
    EXPECT_EQ(link.TriggerDownload(request(0, 0, 0, 0, 0, 0, 0)), kLoggerNotOpen);
}

TEST_F(DataLogger, SettingsAreReadAndWritten)
{
    // A stale reply in the queue is no answer to this read.
    link.AppendLine(Nmea("PEMT160,4,0,5,5", false).c_str());
    int elapse = -1, movement = -1;
    EXPECT_EQ(link.ReadLoggerSettings(elapse, movement), 0);
    EXPECT_EQ(elapse, -1);

    logger.Answer("$PEMT160,4,0*3F", {Nmea("PEMT160,4,0,30,100")});
    EXPECT_EQ(link.ReadLoggerSettings(elapse, movement), 1);
    EXPECT_EQ(elapse, 30);
    EXPECT_EQ(movement, 100);
    // A reply cut short is not read past its end.
    logger.Answer("$PEMT160,4,0*3F", {"$PEMT160,4,0,30\r\n"});
    EXPECT_EQ(link.ReadLoggerSettings(elapse, movement), 0);

    logger.Answer("$PEMT160,4,0*3F", {});
    EXPECT_EQ(link.WriteLoggerSettings(10, 65536), 1);
    EXPECT_EQ(link.WriteLoggerSettings(0, 0), 1);
    boxes.Clear();
    EXPECT_EQ(link.WriteLoggerSettings(10, 65537), 0);
    EXPECT_EQ(link.WriteLoggerSettings(65536, 10), 0);
    EXPECT_EQ(link.WriteLoggerSettings(-1, 10), 0);
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Valid movement interval range: (0:Disable|1-65536 Sec)");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Invalid movement interval");
    EXPECT_EQ(boxes.Boxes()[1].caption, "Invalid elapse time interval");
    EXPECT_EQ(boxes.Boxes()[1].type & MB_ICONEXCLAMATION, (UINT)MB_ICONEXCLAMATION);
    link.EraseLogger();

    // Let the thread see the last command.
    for (int i = 0; i < 200 && logger.Commands().size() < 7; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(logger.Commands(),
              (std::vector<std::string>{"$PEMT160,4,0*3F", "$PEMT160,4,0*3F", "$PEMT160,4,0*3F",
                                        Nmea("PEMT160,4,1,10,65536", false), Nmea("PEMT160,4,1,0,0", false),
                                        "$PEMT161,8*2E"}));

    link.ClosePort();
    boxes.Clear();
    EXPECT_EQ(link.ReadLoggerSettings(elapse, movement), 0);
    EXPECT_EQ(link.WriteLoggerSettings(1, 1), 0);
    link.EraseLogger();
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    for (const auto& box : boxes.Boxes()) {
        EXPECT_EQ(box.text, "GPS Device not connected. Please reconnect and try again");
        EXPECT_EQ(box.caption, "GPS device not connected");
        EXPECT_EQ(box.type & MB_ICONHAND, (UINT)MB_ICONHAND);
    }
}
