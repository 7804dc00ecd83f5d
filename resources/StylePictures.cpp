// The picture strips of the style lists: eight 16 x 16 fill patterns (25006)
// and six 32 x 16 dash styles (25002), in the order of the style codes, on
// white, which the lists take as transparent.
#include "platform/base/ResourceBitmaps.h"
#include "resources/resource.h"

#include <vector>

namespace {

constexpr DWORD kWhite = 0xFFFFFF;
constexpr DWORD kBlack = 0x000000;
constexpr DWORD kFrame = 0x808080;

// Code 0 none, 1 solid, 2 downward, 3 cross, 4 diagonal cross, 5 upward, 6 horizontal, 7 vertical.
bool PatternInk(int code, int x, int y)
{
    switch (code) {
    case 1: return true;
    case 2: return (x - y + 16) % 4 == 0;
    case 3: return x % 4 == 0 || y % 4 == 0;
    case 4: return (x - y + 16) % 4 == 0 || (x + y) % 4 == 0;
    case 5: return (x + y) % 4 == 0;
    case 6: return y % 4 == 0;
    case 7: return x % 4 == 0;
    default: return false;
    }
}

std::vector<DWORD> Patterns()
{
    const int w = 16 * 8, h = 16;
    std::vector<DWORD> p((size_t)w * h, kWhite);
    for (int code = 0; code < 8; ++code)
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < 15; ++x) {
                const bool edge = y == 1 || y == h - 2 || x == 1 || x == 14;
                p[(size_t)y * w + code * 16 + x] = edge ? kFrame : (PatternInk(code, x, y) ? kBlack : kWhite);
            }
    return p;
}

// Code 0 none, 1 solid, 2 dash, 3 dot, 4 dash dot, 5 dash dot dot.
bool DashInk(int code, int x)
{
    static const char* const runs[] = {"", "1", "111111000", "1100", "1111110011000", "111111001100110000"};
    const char* run = runs[code];
    int n = 0;
    while (run[n])
        ++n;
    return n > 0 && run[x % n] == '1';
}

std::vector<DWORD> Dashes()
{
    const int w = 32 * 6, h = 16;
    std::vector<DWORD> p((size_t)w * h, kWhite);
    for (int code = 0; code < 6; ++code)
        for (int x = 2; x < 30; ++x)
            for (int y = 7; y <= 8; ++y)
                if (DashInk(code, x - 2))
                    p[(size_t)y * w + code * 32 + x] = kBlack;
    return p;
}

const std::vector<DWORD> kPatternPixels = Patterns();
const std::vector<DWORD> kDashPixels = Dashes();
const ResourceBitmap kPatternStrip = {16 * 8, 16, kPatternPixels.data()};
const ResourceBitmap kDashStrip = {32 * 6, 16, kDashPixels.data()};
const ResourceBitmapRegistration kPatternRegistration(IDB_STYLE_PATTERNS, kPatternStrip);
const ResourceBitmapRegistration kDashRegistration(IDB_STYLE_DASHES, kDashStrip);

} // namespace
