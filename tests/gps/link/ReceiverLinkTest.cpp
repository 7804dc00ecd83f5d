// The receiver link over a pseudo-terminal that plays the receiver: line
// cutting, the bytes the program writes, the SiRF switch, the reader's own
// ends, and the joining of readers between two openings.
#include <gtest/gtest.h>

#include "gps/link/GpsReceiverLink.h"
#include "platform/testing/SerialPeer.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace {
bool WaitFor(const std::function<bool()>& done, int ms = 3000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::vector<std::string> Lines(CGpsReceiverLink& link)
{
    CStringArray lines;
    link.CopyLines(lines, TRUE);
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        out.emplace_back(lines[i].GetString());
    return out;
}

class ReceiverLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetTestClockScale(0.01);
        ASSERT_TRUE(peer.IsOpen());
        peer.MapAs("COM7");
        link.ClearLines();
    }
    void TearDown() override
    {
        link.ClosePort();
        link.ClearLines();
        AfxSetTestClockScale(1.0);
    }
    // Opens COM7 and starts the reader.
    void Connect()
    {
        ASSERT_EQ(link.OpenPort("COM7", 4800), 1);
        link.StartReader();
    }
    // Collects queued lines until `count` have come.
    std::vector<std::string> Collect(size_t count, int ms = 3000)
    {
        std::vector<std::string> all;
        WaitFor([&] {
            for (auto& l : Lines(link))
                all.push_back(l);
            return all.size() >= count;
        }, ms);
        return all;
    }

    SerialPeer peer;
    CGpsReceiverLink link;
};
}

TEST_F(ReceiverLink, BytesWrittenOnConnect)
{
    Connect();
    link.SendSirfInit();
    EXPECT_EQ(peer.Received(30, 2000), "$PSRF201,1*39\r\n$PSRF201,4*3C\r\n");
    EXPECT_EQ(CGpsReceiverLink::GetPort().GetBaudRate(), 4800u);
    EXPECT_EQ(CGpsReceiverLink::GetPort().GetName(), "COM7");
}

TEST_F(ReceiverLink, CutsLinesAcrossChunks)
{
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,123519,4807.038,N*47\r\n$GPGSA,A,3*10\r\n$GPRM"));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // Receivers that end their lines in LF alone, or CR alone, lose nothing.
    ASSERT_TRUE(peer.Send("C,1*00\r\n\n$GPGLL,1*00\n$GPVTG,2*00\r$GPZDA,3*00\r"));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(peer.Send("\n"));
    const auto lines = Collect(6);
    const std::vector<std::string> expected = {
        "$GPGGA,123519,4807.038,N*47", "$GPGSA,A,3*10", "$GPRMC,1*00", "$GPGLL,1*00", "$GPVTG,2*00", "$GPZDA,3*00",
    };
    EXPECT_EQ(lines, expected);

    // While a reply is awaited nothing is handed out and the queue stays.
    ASSERT_TRUE(peer.Send("$GPVTG,1*00\r\n"));
    ASSERT_TRUE(WaitFor([&] {
        CStringArray peek;
        link.CopyLines(peek, FALSE);
        return peek.GetSize() == 1;
    }));
    link.SetAwaitingReply(1);
    CStringArray mine;
    mine.Add("kept");
    link.CopyLines(mine, TRUE);
    ASSERT_EQ(mine.GetSize(), 1);
    EXPECT_EQ(mine[0], "kept");
    link.SetAwaitingReply(0);
    EXPECT_EQ(Lines(link), std::vector<std::string>{"$GPVTG,1*00"});
}

TEST_F(ReceiverLink, SirfBinaryReceiverIsSwitchedToNmea)
{
    // Reads of the rate search wait 250 ms: room for a loaded machine.
    AfxSetTestClockScale(0.05);
    Connect();
    // Binary output: the message header A0 A2 with a zero byte before it.
    const std::string binary("\x00\xA0\xA2\x00\x02\x04\x00\x00\x04\xB0\xB3", 11);
    ASSERT_TRUE(peer.Send(binary));
    const std::string& sent = peer.Received(CSerialPort::kSirfSwitchLength, 3000);
    ASSERT_EQ(sent.size(), (size_t)CSerialPort::kSirfSwitchLength);
    const std::string expected = {'\xA0', '\xA2', '\x00', '\x1A', '\x81', '\x02', '\x01', '\x01', '\x00',
                                  '\x01', '\x01', '\x01', '\x05', '\x01', '\x01', '\x01', '\x01', '\x01',
                                  '\x00', '\x01', '\x00', '\x01', '\x00', '\x01', '\x00', '\x01', '\x00',
                                  '\x01', '\x12', '\xC0', '\x01', '\x69', '\xB0', '\xB3'};
    EXPECT_EQ(sent, expected);
    // The checksum bytes are the 15-bit sum of the payload.
    int sum = 0;
    for (int i = 4; i < 30; ++i)
        sum += (unsigned char)expected[(size_t)i];
    EXPECT_EQ(sum & 0x7FFF, 0x0169);

    // The switched receiver says one line and falls silent. That line is the
    // one the rate search found at 4800: it reaches the queue, and the reader,
    // having seen NMEA, keeps reading through the silence.
    ASSERT_TRUE(peer.Send("$GPGGA,000001*00\r\n"));
    EXPECT_EQ(Collect(1, 10000), std::vector<std::string>{"$GPGGA,000001*00"});
    EXPECT_EQ(CGpsReceiverLink::GetPort().GetBaudRate(), 4800u);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));   // six empty reads
    EXPECT_TRUE(link.IsReaderRunning());
    ASSERT_TRUE(peer.Send("$GPGGA,000002*00\r\n"));
    EXPECT_EQ(Collect(1), std::vector<std::string>{"$GPGGA,000002*00"});
}

TEST_F(ReceiverLink, ReaderEndsAndClosesThePortOnItsOwn)
{
    // Unplugged: the read fails.
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    peer.HangUp();
    EXPECT_TRUE(WaitFor([&] { return !link.IsReaderRunning(); }));
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    // Commands after the reader ended neither wait for it nor touch it.
    link.SendCommand("$PEMT,100");
}

TEST_F(ReceiverLink, SilenceAndNonNmeaBeforeAnyNmeaEndTheReader)
{
    // Four empty reads in a row.
    Connect();
    EXPECT_TRUE(WaitFor([&] { return !link.IsReaderRunning(); }));
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());

    // Ten chunks of other text are tolerated, the eleventh ends the reader.
    auto junk = [&](int chunks) {
        for (int i = 0; i < chunks && link.IsReaderRunning(); ++i) {
            peer.Send("hello there\r\n", 200);
            std::this_thread::sleep_for(std::chrono::milliseconds(12));
        }
    };
    Connect();
    junk(10);
    ASSERT_TRUE(link.IsReaderRunning());
    junk(1);
    EXPECT_TRUE(WaitFor([&] { return !link.IsReaderRunning(); }));

    // Once NMEA came, neither silence nor other text ends it.
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    junk(12);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(link.IsReaderRunning());
}

TEST_F(ReceiverLink, ModernTalkersCountAsNmea)
{
    // A receiver that speaks only through another talker than G or P.
    Connect();
    for (int i = 0; i < 14; ++i) {
        ASSERT_TRUE(peer.Send("$INGGA,1*00\r\n", 200));
        std::this_thread::sleep_for(std::chrono::milliseconds(12));
    }
    EXPECT_TRUE(link.IsReaderRunning());
    for (const char* line : {"$GPGSV,1", "$GNRMC,1", "$GLGSV,1", "$BDGSA,1", "$GAGGA,1", "x$GBVTG,1", "$PEMT,1",
                             "$PSRF,1"})
        EXPECT_TRUE(CGpsReceiverLink::IsReceiverOutput(line)) << line;
    for (const char* line : {"$GPTXT,1", "GPGGA,1", "$GPGG", "", "$gpgga"})
        EXPECT_FALSE(CGpsReceiverLink::IsReceiverOutput(line)) << line;
}

TEST_F(ReceiverLink, ClosePortWaitsForTheReaderBeforeAnotherOpening)
{
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    link.ClosePort();
    EXPECT_FALSE(link.IsReaderRunning());
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());

    // A second device: only its lines arrive, through one reader.
    SerialPeer second;
    second.MapAs("COM12");
    ASSERT_EQ(link.OpenPort("COM12", 9600), 1);
    link.StartReader();
    ASSERT_TRUE(second.Send("$GPGGA,2*00\r\n"));
    EXPECT_EQ(Collect(1), std::vector<std::string>{"$GPGGA,2*00"});
    EXPECT_TRUE(CGpsReceiverLink::GetPort().IsOpen());

    // Many quick reopenings leave one open port and no reader behind.
    for (int i = 0; i < 20; ++i) {
        link.ClosePort();
        ASSERT_EQ(link.OpenPort(i % 2 ? "COM7" : "COM12", 4800), 1);
        link.StartReader();
    }
    link.ClosePort();
    EXPECT_FALSE(link.IsReaderRunning());
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
}

TEST_F(ReceiverLink, CommandIsWrittenWhileTheReaderIsHeld)
{
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    {
        CSingleLock lock(&CGpsReceiverLink::GetLinkLock(), TRUE);
        link.SendCommand("$PEMT,100,1");
    }
    EXPECT_EQ(peer.Received(13, 2000), "$PEMT,100,1\r\n");
    // The reader runs again afterwards.
    ASSERT_TRUE(peer.Send("$GPGGA,3*00\r\n"));
    EXPECT_EQ(Collect(1), std::vector<std::string>{"$GPGGA,3*00"});
}

TEST_F(ReceiverLink, PortsAndTheProbe)
{
    SerialPeer twelve;
    twelve.MapAs("COM12");
    CDWordArray ports;
    EnumerateComPorts(ports);
    bool seven = false, twelveSeen = false;
    for (INT_PTR i = 0; i < ports.GetSize(); ++i) {
        seven |= ports[i] == 7;
        twelveSeen |= ports[i] == 12;
    }
    EXPECT_TRUE(seven);
    EXPECT_TRUE(twelveSeen);

    // A port that is already held cannot be opened a second time.
    Connect();
    CSerialPort other;
    EXPECT_EQ(other.Open("COM7", 4800), 0);
    EXPECT_FALSE(other.IsOpen());
    EXPECT_EQ(other.Open("COM199", 4800), 0);
    link.ClosePort();

    // Pseudo-terminals have no modem lines: the probe finds no receiver on
    // them, and leaves every port closed.
    EXPECT_EQ(link.AutoDetectPort(), "AUTOTRINE_NOTFOUND");
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    EXPECT_FALSE(link.IsReaderRunning());
}

TEST_F(ReceiverLink, QueueIsEmptiedWhenAPortOpensAndCloses)
{
    // Lines left by an earlier port never pass for a silent one's.
    link.AppendLine("$GPGGA,stale*00");
    Connect();
    CStringArray lines;
    link.CopyLines(lines, FALSE);
    EXPECT_EQ(lines.GetSize(), 0);
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    ASSERT_TRUE(peer.Send("$GPGGA,2*00\r\n"));
    ASSERT_TRUE(WaitFor([&] {
        CStringArray peek;
        link.CopyQueue(peek, FALSE);
        return peek.GetSize() == 1;
    }));
    link.ClosePort();
    link.CopyQueue(lines, FALSE);
    EXPECT_EQ(lines.GetSize(), 0);
}

TEST_F(ReceiverLink, OneLinkHoldsThePortAtATime)
{
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    // A second window's link can neither take the port nor its lines.
    CGpsReceiverLink second;
    CString held;
    EXPECT_TRUE(second.IsPortHeldElsewhere(&held));
    EXPECT_EQ(held, "COM7");
    SerialPeer other;
    other.MapAs("COM12");
    EXPECT_EQ(second.OpenPort("COM12", 4800), 0);
    EXPECT_EQ(CGpsReceiverLink::GetPort().GetName(), "COM7");
    ASSERT_TRUE(peer.Send("$GPGGA,2*00\r\n"));
    ASSERT_TRUE(WaitFor([&] {
        CStringArray peek;
        link.CopyQueue(peek, FALSE);
        return peek.GetSize() == 1;
    }));
    CStringArray taken;
    taken.Add("x");
    second.CopyLines(taken, TRUE);
    EXPECT_EQ(taken.GetSize(), 0);
    second.ClosePort();   // closes nothing of the first
    EXPECT_TRUE(CGpsReceiverLink::GetPort().IsOpen());
    EXPECT_EQ(Collect(1), std::vector<std::string>{"$GPGGA,2*00"});

    // Once the first lets go, the second may open.
    link.ClosePort();
    EXPECT_FALSE(second.IsPortHeldElsewhere());
    EXPECT_EQ(second.OpenPort("COM12", 4800), 1);
    second.ClosePort();
}

TEST_F(ReceiverLink, AnUnpluggedReceiverIsReportedToItsLink)
{
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    EXPECT_FALSE(link.HasLostReceiver());
    peer.HangUp();
    EXPECT_TRUE(WaitFor([&] { return link.HasLostReceiver() != FALSE; }));
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    // Closing the port by hand is no loss.
    link.ClosePort();
    EXPECT_FALSE(link.HasLostReceiver());
}

// The user-interface thread must never wait for the receiver: the reader holds
// the link lock only to hand lines over, never across a read, a write or a
// wait, whatever the receiver does. The platform counts every point where a
// worker may block while it holds a lock.
TEST_F(ReceiverLink, TheReaderNeverWaitsHoldingTheLock)
{
    const struct {
        const char* receiver;
        std::function<void(SerialPeer&)> play;
    } receivers[] = {
        {"silent", [](SerialPeer&) { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }},
        {"slow, a byte at a time",
         [](SerialPeer& p) {
             for (char c : std::string("$GPGGA,2*00\r\n$GPRMC,3*00\r\n")) {
                 p.Send(std::string(1, c));
                 std::this_thread::sleep_for(std::chrono::milliseconds(15));
             }
         }},
        {"10 Hz",
         [](SerialPeer& p) {
             for (int i = 0; i < 20; ++i) {
                 p.Send("$GPGGA,123519.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
                        "$GPRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n");
                 std::this_thread::sleep_for(std::chrono::milliseconds(100));
             }
         }},
        {"SiRF binary, then silent",
         [](SerialPeer& p) {
             p.Send(std::string("\xA0\xA2\x00\x02\x04\x00\x00\x04\xB0\xB3", 10));
             p.Received(CSerialPort::kSirfSwitchLength, 3000);
             std::this_thread::sleep_for(std::chrono::milliseconds(400));
         }},
    };
    for (const auto& r : receivers) {
        SCOPED_TRACE(r.receiver);
        peer.ClearReceived();
        Connect();
        if (std::string(r.receiver).find("binary") == std::string::npos) {
            ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
            Collect(1);
        }
        const unsigned long long before = AfxWorkerWaitsUnderLock();
        std::thread receiver([&] { r.play(peer); });
        // The user-interface thread polls the queue meanwhile, as the window does.
        for (int i = 0; i < 40; ++i) {
            Lines(link);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        receiver.join();
        link.ClosePort();
        EXPECT_FALSE(link.IsReaderRunning());
        EXPECT_EQ(AfxWorkerWaitsUnderLock() - before, 0u);
    }
}

TEST_F(ReceiverLink, ClosingThePortEndsAReadUnderWay)
{
    // Reads of a silent receiver wait 500 s here: closing must not wait them out.
    AfxSetTestClockScale(100);
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    Collect(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));   // the reader waits in its next read
    link.ClosePort();
    EXPECT_FALSE(link.IsReaderRunning());
}

TEST_F(ReceiverLink, ALinkDeletedUnderItsOwnLockLeavesItsReaderToEnd)
{
    // A window deleted while its thread holds the lock (a logger command in
    // progress): the link's end must not wait for a reader that needs the lock.
    auto doomed = std::make_unique<CGpsReceiverLink>();
    ASSERT_EQ(doomed->OpenPort("COM7", 4800), 1);
    doomed->StartReader();
    ASSERT_TRUE(peer.Send("$GPGGA,1*00\r\n"));
    ASSERT_TRUE(WaitFor([&] {
        CStringArray peek;
        doomed->CopyLines(peek, FALSE);
        return peek.GetSize() == 1;
    }));
    {
        CSingleLock lock(&CGpsReceiverLink::GetLinkLock(), TRUE);
        doomed.reset();
    }
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    // The reader ended by itself; the next opening is not disturbed by it.
    Connect();
    ASSERT_TRUE(peer.Send("$GPGGA,2*00\r\n"));
    EXPECT_EQ(Collect(1), std::vector<std::string>{"$GPGGA,2*00"});
}

TEST(ReceiverLinkExit, ProgramEndsWithAPortOpen)
{
    // The port table outlives the link that closes its port at exit (a
    // sanitizer build reports the use after free this used to be).
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SerialPeer peer;
    peer.MapAs("COM7");
    EXPECT_EXIT(
        {
            static CGpsReceiverLink link;
            if (link.OpenPort("COM7", 4800))
                link.StartReader();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
