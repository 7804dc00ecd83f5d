// The map window's tool cursors (25068 to 25074), drawn here as 16 x 16 pixel
// pictures in black with a white outline, registered with the platform by id.
#include "platform/wnd/CWnd.h"

#include <array>
#include <cstdlib>
#include <functional>

namespace {
constexpr int kSize = 16;
constexpr DWORD kBlack = 0xFF000000;
constexpr DWORD kWhite = 0xFFFFFFFF;

struct Picture {
    std::array<DWORD, kSize * kSize> pixels{};

    void Ink(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize)
            pixels[(size_t)(y * kSize + x)] = kBlack;
    }
    // A white rim around the ink, so that the cursor shows on dark maps too.
    void Outline()
    {
        const auto ink = pixels;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (ink[(size_t)(y * kSize + x)])
                    continue;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && ink[(size_t)(ny * kSize + nx)])
                            pixels[(size_t)(y * kSize + x)] = kWhite;
                    }
            }
    }
};

void Arrow(Picture& p)
{
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x <= y / 2 + 1 && x < 7; ++x)
            p.Ink(x, y);
    for (int y = 9; y < 14; ++y)
        p.Ink(y - 6, y);
}

void Magnifier(Picture& p, bool plus)
{
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) {
            const int d = (x - 5) * (x - 5) + (y - 5) * (y - 5);
            if (d >= 16 && d <= 26)
                p.Ink(x, y);
        }
    for (int i = 9; i < 15; ++i) {
        p.Ink(i, i);
        p.Ink(i + 1, i);
    }
    for (int i = 3; i <= 7; ++i) {
        p.Ink(i, 5);
        if (plus)
            p.Ink(5, i);
    }
}

void Register(UINT id, const std::function<void(Picture&)>& draw, int hotX, int hotY)
{
    Picture p;
    draw(p);
    p.Outline();
    AfxRegisterCursorResource(id, kSize, kSize, p.pixels.data(), hotX, hotY);
}

const bool kRegistered = [] {
    Register(25068, [](Picture& p) { // any other tool: a cross
        for (int i = 1; i < 15; ++i) {
            if (std::abs(i - 8) > 1) {
                p.Ink(i, 8);
                p.Ink(8, i);
            }
        }
    }, 8, 8);
    Register(25069, [](Picture& p) { // info: arrow and an "i"
        Arrow(p);
        p.Ink(12, 6);
        for (int y = 8; y < 14; ++y)
            p.Ink(12, y);
    }, 0, 0);
    Register(25070, [](Picture& p) { // move: four arrow heads
        for (int i = 2; i < 14; ++i) {
            p.Ink(i, 8);
            p.Ink(8, i);
        }
        for (int i = 1; i <= 2; ++i) {
            p.Ink(8 - i, 2 + i), p.Ink(8 + i, 2 + i), p.Ink(8 - i, 13 - i), p.Ink(8 + i, 13 - i);
            p.Ink(2 + i, 8 - i), p.Ink(2 + i, 8 + i), p.Ink(13 - i, 8 - i), p.Ink(13 - i, 8 + i);
        }
    }, 8, 8);
    Register(25071, [](Picture& p) { Arrow(p); }, 0, 0); // select
    Register(25072, [](Picture& p) { // area selection: arrow and a dotted frame
        Arrow(p);
        for (int i = 8; i < 16; i += 2) {
            p.Ink(i, 8), p.Ink(i, 15), p.Ink(8, i), p.Ink(15, i);
        }
    }, 0, 0);
    Register(25073, [](Picture& p) { Magnifier(p, true); }, 5, 5);
    Register(25074, [](Picture& p) { Magnifier(p, false); }, 5, 5);
    return true;
}();
}
