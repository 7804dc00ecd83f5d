// The Layer Control (25204). The layer grid is made by the dialog itself at
// (14, 28)-(295, 154) pixels, under the column picture drawn at (143, 11); the
// buttons stand to the right of it.
#include "platform/base/DialogTemplates.h"
#include "platform/base/ResourceBitmaps.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

#include <array>

namespace {

const DialogItemTemplate kItems[] = {
    {"Static", IDC_STATIC, "Layers", 9, 8, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_LAYER_UP, "&Up", 212, 7, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_DOWN, "&Down", 212, 24, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_LABEL, "&Label...", 212, 41, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_DISPLAY, "Dis&play...", 212, 58, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_FILL_RANDOM, "&Fill random", 212, 75, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_DUPLICATE, "Dupl&icate...", 212, 92, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_RENAME, "R&ename...", 212, 109, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_REMOVE, "&Remove", 212, 126, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDOK, "&OK", 92, 148, 55, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "&Cancel", 152, 148, 55, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LAYER_APPLY, "&Apply", 212, 148, 60, 14, WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_LAYER_CONTROL, "Layer Control", 0, 0, 280, 169,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

// The column picture: one small sign over each of the seven check-box columns
// (19 pixels apart) on a magenta ground, which is left out when it is drawn.
constexpr int kWidth = 135;
constexpr int kHeight = 16;
constexpr DWORD kGround = 0xFF00FF;
constexpr DWORD kInk = 0x000080;

std::array<DWORD, kWidth * kHeight> MakeHeaderPixels()
{
    std::array<DWORD, kWidth * kHeight> pixels{};
    pixels.fill(kGround);
    auto set = [&pixels](int x, int y) {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            pixels[(size_t)(y * kWidth + x)] = kInk;
    };
    for (int column = 0; column < 7; ++column) {
        const int left = 2 + column * 19;
        // A frame with the column's number of bars inside, so that the signs differ.
        for (int i = 0; i < 11; ++i) {
            set(left + i, 3);
            set(left + i, 13);
            set(left, 3 + i);
            set(left + 10, 3 + i);
        }
        for (int bar = 0; bar <= column && bar < 4; ++bar)
            for (int x = 2; x < 9; ++x)
                set(left + x, 5 + bar * 2);
        if (column >= 4)
            for (int y = 5; y < 12; ++y)
                set(left + 2 + (column - 4) * 3, y);
    }
    return pixels;
}

const std::array<DWORD, kWidth * kHeight> kHeaderPixels = MakeHeaderPixels();
const ResourceBitmap kHeader = {kWidth, kHeight, kHeaderPixels.data()};
const ResourceBitmapRegistration kHeaderRegistration(IDB_LAYER_CONTROL_HEADER, kHeader);

} // namespace
