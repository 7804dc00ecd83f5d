// Parser throughput over 10^6 mixed sentences (GGA, RMC, GSA, GSV, VTG and
// proprietary lines, good and with wrong checksums): one parser reused for every
// line, and a parser built for each line as the GPS Data window does. The
// figure is lines per second (items_per_second).
//
// A sentence of 1 MB parsed (an XDR of 100,000 measurements) beside a plain
// split of the same text at its commas; and a receiver's log of 100 MB read
// for the log viewer beside a plain count of its lines, with the memory the
// positions take.
#include "gps/dialogs/GpsLog.h"
#include "gps/nmea/NmeaParser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr int kLines = 1000000;

std::string Nmea(const std::string& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= (unsigned char)c;
    char tail[8];
    snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

const std::vector<std::string>& Lines()
{
    static const std::vector<std::string> lines = [] {
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> minutes(0, 59.9999);
        std::vector<std::string> distinct;
        for (int i = 0; i < 1000; ++i) {
            char body[256];
            const double lat = 4800 + minutes(rng), lon = 1100 + minutes(rng);
            switch (i % 8) {
            case 0:
                snprintf(body, sizeof body, "GPGGA,1235%02d,%.4f,N,%05.4f,E,1,08,0.9,545.4,M,46.9,M,,", i % 60, lat, lon);
                break;
            case 1:
                snprintf(body, sizeof body, "GNRMC,1235%02d,A,%.4f,S,%05.4f,W,022.4,084.4,230394,003.1,W", i % 60, lat,
                         lon);
                break;
            case 2:
                snprintf(body, sizeof body, "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
                break;
            case 3:
                snprintf(body, sizeof body, "GPGSV,3,%d,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00",
                         i % 3 + 1);
                break;
            case 4:
                snprintf(body, sizeof body, "GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
                break;
            case 5:
                snprintf(body, sizeof body, "PGRMZ,%d,f,3", i);
                break;
            case 6:
                snprintf(body, sizeof body, "PSRF151,3,1485,147236.000,0x00000000");
                break;
            default:
                snprintf(body, sizeof body, "GLGSV,2,2,07,77,14,250,,78,%02d,300,30", i % 90);
                break;
            }
            std::string line = Nmea(body);
            if (i % 50 == 0)
                line[line.size() - 4] ^= 1;   // a wrong checksum now and then
            distinct.push_back(line);
        }
        return distinct;
    }();
    return lines;
}

void BM_NmeaParse_ReusedParser(benchmark::State& state)
{
    const auto& lines = Lines();
    CNmeaParser parser;
    long ok = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) {
            parser.SetSentence(lines[(size_t)i % lines.size()].c_str());
            ok += parser.Parse();
        }
    }
    benchmark::DoNotOptimize(ok);
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_NmeaParse_ParserPerLine(benchmark::State& state)
{
    const auto& lines = Lines();
    long ok = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) {
            CNmeaParser parser;
            parser.SetSentence(lines[(size_t)i % lines.size()].c_str());
            ok += parser.Parse();
        }
    }
    benchmark::DoNotOptimize(ok);
    state.SetItemsProcessed(state.iterations() * kLines);
}

// ---------------------------------------------------------------- a long sentence
const std::string& LongSentence()
{
    static const std::string text = [] {
        std::string body = "IIXDR";
        while (body.size() < (1u << 20))
            body += ",C,19.52,C,TempAir";
        return Nmea(body);
    }();
    return text;
}

void BM_NmeaLongSentence_Project(benchmark::State& state)
{
    CNmeaParser parser;
    for (auto _ : state) {
        parser.SetSentence(LongSentence().c_str());
        benchmark::DoNotOptimize(parser.Parse());
    }
    state.SetBytesProcessed(state.iterations() * (long long)LongSentence().size());
}

void BM_NmeaLongSentence_Peer(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::string> fields;
        const std::string& t = LongSentence();
        size_t from = 1;
        for (size_t comma = t.find(',', from); comma != std::string::npos; comma = t.find(',', from)) {
            fields.push_back(t.substr(from, comma - from));
            from = comma + 1;
        }
        benchmark::DoNotOptimize(fields.data());
    }
    state.SetBytesProcessed(state.iterations() * (long long)LongSentence().size());
}

// ---------------------------------------------------------------- a day's log
const std::string& DayLog()
{
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "kv-bench-day.nmea").string();
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        const auto& lines = Lines();
        long long written = 0;
        for (size_t i = 0; written < 100LL << 20; ++i) {
            const std::string& line = lines[i % lines.size()];
            out << line;
            written += (long long)line.size();
        }
        return file;
    }();
    return path;
}

void BM_GpsLogRead_Project(benchmark::State& state)
{
    size_t positions = 0;
    for (auto _ : state) {
        std::vector<GpsLogPosition> read;
        ReadGpsLogPositions(DayLog().c_str(), read);
        positions = read.size();
    }
    state.counters["positions"] = (double)positions;
    state.counters["position_MB"] = (double)(positions * sizeof(GpsLogPosition)) / (1 << 20);
}

void BM_GpsLogRead_Peer(benchmark::State& state)
{
    for (auto _ : state) {
        std::ifstream in(DayLog(), std::ios::binary);
        std::vector<char> buffer(1 << 16);
        long long lines = 0;
        while (in.read(buffer.data(), (std::streamsize)buffer.size()) || in.gcount() > 0) {
            const char* p = buffer.data();
            const char* end = p + in.gcount();
            while ((p = (const char*)memchr(p, '\n', (size_t)(end - p)))) {
                ++lines;
                ++p;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
}
}

BENCHMARK(BM_NmeaLongSentence_Project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NmeaLongSentence_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GpsLogRead_Project)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GpsLogRead_Peer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_NmeaParse_ReusedParser)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_NmeaParse_ParserPerLine)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
