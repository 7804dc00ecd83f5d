// The tests' own pattern bitmap resource (PatternBitmap.h).
#include "platform/testing/PatternBitmap.h"

#include "platform/base/ResourceBitmaps.h"

#include <array>

namespace {

constexpr int kSide = 12;

constexpr std::array<DWORD, kSide * kSide> MakePixels()
{
    std::array<DWORD, kSide * kSide> pixels{};
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            pixels[(size_t)(y * kSide + x)] = (x + y) % 6 == 5 ? 0xFFFFFF : 0xC0C0C0;
    return pixels;
}

constexpr std::array<DWORD, kSide * kSide> kPixels = MakePixels();
constexpr ResourceBitmap kPattern{kSide, kSide, kPixels.data()};

} // namespace

void RegisterTestPatternBitmap()
{
    static const ResourceBitmapRegistration registration(kTestPatternBitmap, kPattern);
}
