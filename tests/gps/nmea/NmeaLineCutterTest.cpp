// Cutting a receiver's bytes into sentence lines: every line end real
// receivers and their logs use, chunks that split a line end, noise before a
// sentence and sentences run together, and a line that never ends.
#include <gtest/gtest.h>

#include "gps/nmea/NmeaLineCutter.h"

#include <string>
#include <vector>

namespace {
// The lines `chunks` give, fed one after the other, with the end of the input.
std::vector<std::string> Cut(const std::vector<std::string>& chunks, CNmeaLineCutter* keep = nullptr)
{
    CNmeaLineCutter local;
    CNmeaLineCutter& cutter = keep ? *keep : local;
    std::vector<std::string> lines;
    auto take = [&](const CString& line) { lines.emplace_back(line.GetString()); };
    for (const std::string& c : chunks)
        cutter.Feed(c.data(), c.size(), take);
    cutter.Finish(take);
    return lines;
}
}

TEST(NmeaLineCutter, EveryLineEndAndChunkBoundary)
{
    const std::vector<std::string> abc = {"$A*00", "$B*01", "$C*02"};
    const struct {
        const char* what;
        std::vector<std::string> chunks;
    } cases[] = {
        {"CR LF", {"$A*00\r\n$B*01\r\n$C*02\r\n"}},
        {"LF", {"$A*00\n$B*01\n$C*02\n"}},
        {"CR", {"$A*00\r$B*01\r$C*02\r"}},
        {"mixed, blank lines", {"$A*00\n\r\n$B*01\r\r\n\n$C*02"}},
        {"CR LF split by a chunk", {"$A*00\r", "\n$B*0", "1\r\n$C*02\r", "\n"}},
        {"one byte at a time", {"$", "A", "*", "0", "0", "\r", "\n", "$B*01\n", "$C*02"}},
        {"zero bytes", {std::string("$A*00\r\n\0$B*\0" "01\n$C*02\n", 21)}},
        {"run together", {"$A*00$B*01$C*02\r\n"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cut(c.chunks), abc) << c.what;

    // Noise before a sentence becomes a line of its own; "!" starts one too.
    EXPECT_EQ(Cut({"\xA0\xA2junk$GPGGA,1*00\r\n!AIVDM,1*00\r\n"}),
              (std::vector<std::string>{"\xA0\xA2junk", "$GPGGA,1*00", "!AIVDM,1*00"}));
}

TEST(NmeaLineCutter, ALineThatNeverEndsIsDroppedAndCounted)
{
    CNmeaLineCutter cutter;
    const std::string megabyte(1 << 20, 'x');
    std::vector<std::string> chunks;
    for (size_t at = 0; at < megabyte.size(); at += 50)
        chunks.push_back(megabyte.substr(at, 50));
    chunks.push_back("\r\n$GPGGA,1*00\r\n");
    EXPECT_EQ(Cut(chunks, &cutter), std::vector<std::string>{"$GPGGA,1*00"});
    EXPECT_EQ(cutter.GetCutLines(), 1u);
    EXPECT_EQ(cutter.GetDroppedBytes(), (1u << 20) - CNmeaLineCutter::kMaxLine);

    // A line of exactly the longest length passes.
    const std::string longest = "$" + std::string(CNmeaLineCutter::kMaxLine - 1, 'y');
    EXPECT_EQ(Cut({longest + "\n"}), std::vector<std::string>{longest});
}
