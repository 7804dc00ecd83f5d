// The eye-dropper of the More Colors dialog: a 16 x 16 picture (26002, white is
// transparent) and the picking cursor (26001) with its hot spot at the tip.
#include "platform/base/ResourceBitmaps.h"
#include "platform/wnd/CWnd.h"
#include "resources/resource.h"

#include <array>

namespace {

constexpr int kSize = 16;

// The dropper lies from the bulb at the top right to the tip at the bottom left.
// 'B' ink, 'G' glass, '.' nothing.
const char* const kShape[kSize] = {
    "............BBB.",
    "...........BBBBB",
    "..........BBBBBB",
    "........B.BBBBBB",
    ".........BBBBBB.",
    "........BBBBBB..",
    ".......BGBBB.B..",
    "......BGGGB.....",
    ".....BGGGB......",
    "....BGGGB.......",
    "...BGGGB........",
    "..BGGGB.........",
    ".BGGB...........",
    ".BGB............",
    "B.B.............",
    "................",
};

std::array<DWORD, kSize * kSize> Pixels(DWORD ink, DWORD glass, DWORD none)
{
    std::array<DWORD, kSize * kSize> pixels{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const char c = kShape[y][x];
            pixels[(size_t)(y * kSize + x)] = c == 'B' ? ink : c == 'G' ? glass : none;
        }
    return pixels;
}

const std::array<DWORD, kSize * kSize> kBitmapPixels = Pixels(0x000000, 0x80C0FF, 0xFFFFFF);
const ResourceBitmap kBitmap = {kSize, kSize, kBitmapPixels.data()};
const ResourceBitmapRegistration kBitmapRegistration(IDB_EYEDROPPER, kBitmap);

const std::array<DWORD, kSize * kSize> kCursorPixels = Pixels(0xFF000000, 0xFFFFFFFF, 0x00000000);

struct CursorRegistration {
    CursorRegistration() { AfxRegisterCursorResource(IDC_EYEDROPPER_CURSOR, kSize, kSize, kCursorPixels.data(), 0, 14); }
} const kCursorRegistration;

} // namespace
