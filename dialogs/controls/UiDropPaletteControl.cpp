#include "dialogs/controls/UiDropPaletteControl.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiColorMessages.h"

#include <cmath>

// The class record's base is CObject, as for the 48-colour palette.
IMPLEMENT_SERIAL(CUiDropPaletteControl, CObject, 0)

namespace {

int HueToRgb(float m1, float m2, float h)
{
    if (h > 360.0f)
        h -= 360.0f;
    if (h < 0.0f)
        h += 360.0f;
    if (h < 60.0f)
        return (int)((m1 + (m2 - m1) * h * 0.016666668f) * 255.0f);
    if (h < 180.0f)
        return (int)(m2 * 255.0f);
    if (h < 240.0f)
        return (int)((m1 + (m2 - m1) * (240.0f - h) * 0.016666668f) * 255.0f);
    return (int)(m1 * 255.0f);
}

} // namespace

COLORREF UiHslToRgb(int hue, double lightness, double saturation)
{
    if (saturation == 0.0) {
        const BYTE grey = (BYTE)(int)(lightness * 255.0);
        return RGB(grey, grey, grey);
    }
    const float m2 = lightness <= 0.5 ? (float)(lightness * (1.0 + saturation))
                                      : (float)(lightness + saturation - lightness * saturation);
    const float m1 = (float)(2.0 * lightness - m2);
    const float h = (float)hue;
    return RGB((BYTE)HueToRgb(m1, m2, h + 120.0f), (BYTE)HueToRgb(m1, m2, h), (BYTE)HueToRgb(m1, m2, h - 120.0f));
}

CUiDropPaletteControl::CUiDropPaletteControl() : CUiPaletteControl(kCells, 5) {}

CUiDropPaletteControl::~CUiDropPaletteControl() = default;

void CUiDropPaletteControl::FillColors()
{
    // The honeycomb fills the square centred in the area above the grey row.
    CRect square = m_controlRect;
    square.bottom -= 30;
    if (square.Width() > square.Height()) {
        const int cut = (square.Width() - square.Height()) / 2;
        square.left += cut;
        square.right -= cut;
    } else {
        const int cut = (square.Height() - square.Width()) / 2;
        square.top += cut;
        square.bottom -= cut;
    }
    const int size = square.Height() / 13 + 1;
    const int cx = (square.left + square.right) / 2, cy = (square.top + square.bottom) / 2;

    m_cells[0].SetColor(RGB(255, 255, 255));
    m_cells[0].SetHexagon(cx, cy, size);

    static const float kDirections[6][2] = {{-0.5f, 0.8660254f}, {-1.0f, 0.0f}, {-0.5f, -0.8660254f},
                                            {0.5f, -0.8660254f}, {1.0f, 0.0f},  {0.5f, 0.8660254f}};
    int index = 1;
    for (int ring = 1; ring <= 6; ++ring) {
        const double lightness = (7 - ring) / 7.0 + 0.1;
        int x = cx + ring * size, y = cy;
        for (const auto& d : kDirections) {
            const int dx = (int)((float)size * d[0]), dy = (int)((float)size * d[1]);
            for (int step = 0; step < ring; ++step) {
                const int hue = (int)(std::atan2((double)(y - cy), (double)(x - cx)) * 57.29577951308232);
                m_cells[index].SetColor(UiHslToRgb(hue, lightness, 1.0));
                m_cells[index].SetHexagon(x, y, size);
                ++index;
                x += dx;
                y += dy;
            }
        }
    }
    m_cells[kNoGeometryCell].SetColor(UiColorGlobals().face);
    for (int k = kFirstGrey; k < kCells - 1; ++k) {
        const BYTE grey = (BYTE)(240 - 15 * (k - kFirstGrey));
        m_cells[k].SetColor(RGB(grey, grey, grey));
    }
    m_cells[kCells - 1].SetColor(RGB(0, 0, 0));
}

void CUiDropPaletteControl::Layout()
{
    FillColors();
    CRect r = m_controlRect;
    r.DeflateRect(m_margin, m_margin);
    PlaceCustomStrip(r);
    SetCellsRect(r.left, r.top, r.right, r.bottom);
}

void CUiDropPaletteControl::SetCellsRect(int l, int t, int r, int b)
{
    m_gridRect.SetRect(l, t, r, b);
    const int w = r - l, h = b - t;
    int x[17];
    for (int i = 0; i <= 16; ++i)
        x[i] = l + (int)(i * w * 0.0625);
    const int rowTop = t + (int)(8 * h * (1.0 / 9)), rowBottom = t + (int)(9 * h * (1.0 / 9));
    for (int k = kFirstGrey; k < kCells; ++k) {
        m_cells[k].SetRect(CRect(x[k - kFirstGrey], rowTop, x[k - kFirstGrey + 1], rowBottom));
        m_cells[k].SetHexagonFlag(FALSE);
    }
}

// No caption stripe, pop-up or not.
void CUiDropPaletteControl::Draw(CDC* pDC) { DrawPalette(pDC, FALSE); }

void CUiDropPaletteControl::OnMouseMove(UINT, int x, int y)
{
    if (CUiColorCellObj* hit = HitTestSelect(x, y))
        EndSelection(hit->GetColor(), 0);
    else
        TrackCustomStrip(x, y);
}

void CUiDropPaletteControl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (OnChoiceKey(nChar))
        return;
    int index = CurrentIndex();
    if (index < 0)
        index = 0;
    int target;
    switch (nChar) {
    case VK_TAB: FocusPreviousTabItem(); return;
    case VK_LEFT:
    case VK_UP: target = index > 0 ? index - 1 : kCells - 1; break;
    case VK_RIGHT:
    case VK_DOWN: target = (index + 1) % kCells; break;
    default: return;
    }
    const COLORREF color = m_cells[target].GetColor();
    SelectColor(color);
    PostToHost(WM_UI_COLORSELECTED, color, 0);
}
