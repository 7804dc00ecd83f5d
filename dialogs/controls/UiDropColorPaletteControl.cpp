#include "dialogs/controls/UiDropColorPaletteControl.h"

#include "platform/wnd/CWnd.h"

// The class record's base is CObject: CUiPaletteControl is shared code, not a
// class of the program's records.
IMPLEMENT_SERIAL(CUiDropColorPaletteControl, CObject, 0)

namespace {

// Row by row: column 0 runs from white to black, columns 1 to 7 are red, orange,
// yellow, green, cyan, blue and magenta from light to dark.
const COLORREF kColors[CUiDropColorPaletteControl::kCells] = {
    RGB(255, 255, 255), RGB(255, 192, 192), RGB(255, 224, 192), RGB(255, 255, 192),
    RGB(192, 255, 192), RGB(192, 255, 255), RGB(192, 192, 255), RGB(255, 192, 255),
    RGB(224, 224, 224), RGB(255, 128, 128), RGB(255, 224, 128), RGB(255, 255, 128),
    RGB(128, 255, 128), RGB(128, 255, 255), RGB(128, 128, 255), RGB(255, 128, 255),
    RGB(192, 192, 192), RGB(255, 0, 0),     RGB(255, 192, 0),   RGB(255, 255, 0),
    RGB(0, 255, 0),     RGB(0, 255, 255),   RGB(0, 0, 255),     RGB(255, 0, 255),
    RGB(128, 128, 128), RGB(192, 0, 0),     RGB(255, 128, 0),   RGB(192, 192, 0),
    RGB(0, 192, 0),     RGB(0, 192, 192),   RGB(0, 0, 192),     RGB(192, 0, 192),
    RGB(64, 64, 64),    RGB(128, 0, 0),     RGB(128, 64, 0),    RGB(128, 128, 0),
    RGB(0, 128, 0),     RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 0, 128),
    RGB(0, 0, 0),       RGB(64, 0, 0),      RGB(128, 64, 64),   RGB(64, 64, 0),
    RGB(0, 64, 0),      RGB(0, 64, 64),     RGB(0, 0, 64),      RGB(64, 0, 64),
};

} // namespace

CUiDropColorPaletteControl::CUiDropColorPaletteControl() : CUiPaletteControl(kCells, 8) {}

CUiDropColorPaletteControl::~CUiDropColorPaletteControl() = default;

void CUiDropColorPaletteControl::FillColors()
{
    for (int i = 0; i < kCells; ++i)
        m_cells[i].SetColor(kColors[i]);
}

void CUiDropColorPaletteControl::Layout()
{
    FillColors();
    CRect r = m_controlRect;
    r.left += m_margin;
    r.right -= m_margin;
    r.bottom -= m_margin;
    r.top += 4;
    PlaceCustomStrip(r);
    if (m_popup)
        r.top += 10; // room for the caption stripe
    SetCellsRect(r.left, r.top, r.right, r.bottom);
}

void CUiDropColorPaletteControl::SetCellsRect(int l, int t, int r, int b)
{
    m_gridRect.SetRect(l, t, r, b);
    const int w = r - l, h = b - t;
    int x[kColumns + 1], y[kRows + 1];
    for (int i = 0; i <= m_columns; ++i)
        x[i] = l + (int)(1.0 / m_columns * i * w);
    for (int j = 0; j <= m_rows; ++j)
        y[j] = t + (int)(1.0 / m_rows * j * h);
    for (int k = 0; k < kCells; ++k) {
        const int c = k % kColumns, row = k / kColumns;
        m_cells[k].SetRect(CRect(x[c], y[row], x[c + 1], y[row + 1]));
        m_cells[k].SetHexagonFlag(FALSE);
    }
}

void CUiDropColorPaletteControl::Draw(CDC* pDC) { DrawPalette(pDC, m_popup); }

void CUiDropColorPaletteControl::OnMouseMove(UINT, int x, int y)
{
    if (!HitTestSelect(x, y))
        TrackCustomStrip(x, y);
}

void CUiDropColorPaletteControl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar < 3 || nChar > 40 || OnChoiceKey(nChar))
        return;
    int index = CurrentIndex();
    if (index < 0)
        index = 0;
    const int row = index / kColumns, column = index % kColumns;
    int target;
    switch (nChar) {
    case VK_TAB:
        if (::GetKeyState(VK_SHIFT) < 0)
            FocusPreviousTabItem();
        else if (m_showCustom)
            ChooseCustom();
        return;
    case VK_LEFT: target = index > 0 ? index - 1 : 0; break;
    case VK_RIGHT: target = (index + 1) % kCells; break;
    case VK_UP: target = (row > 0 ? row - 1 : kRows - 1) * kColumns + column; break;
    case VK_DOWN: target = (row < kRows - 1 ? row + 1 : 0) * kColumns + column; break;
    default: return;
    }
    SelectColor(m_cells[target].GetColor());
}
