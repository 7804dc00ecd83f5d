#include "dialogs/controls/UiPaletteDrawing.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "platform/gdi/CDC.h"

#include <vector>

namespace {

enum class Step { Ring, Outline };

// One drawing step of a border: a ring (top-left colour a, bottom-right colour b),
// or an outline of colour a.
struct BorderStep {
    Step kind;
    COLORREF a;
    COLORREF b;
};

void DrawStep(CDC* pDC, const RECT& r, const BorderStep& step)
{
    if (step.kind == Step::Ring)
        pDC->Draw3dRect(&r, step.a, step.b);
    else if (step.kind == Step::Outline) {
        CPen pen(PS_SOLID, 1, step.a);
        CPen* old = pDC->SelectObject(&pen);
        const POINT outline[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                                  {r.left, r.bottom - 1}, {r.left, r.top}};
        pDC->Polyline(outline, 5);
        pDC->SelectObject(old);
    }
}

void FrameInside(CDC* pDC, const RECT& rect, COLORREF color, int width)
{
    CRgn region;
    region.CreateRectRgnIndirect(&rect);
    CBrush brush(color);
    pDC->FrameRgn(&region, &brush, width, width);
}

} // namespace

void UiDrawPaletteBorder(CDC* pDC, RECT* rect, int style)
{
    const CUiColorGlobals& g = UiColorGlobals();
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    auto ring = [](COLORREF a, COLORREF b) { return BorderStep{Step::Ring, a, b}; };
    auto outline = [](COLORREF a) { return BorderStep{Step::Outline, a, a}; };

    if (style >= 1 && style <= 4) {
        CRect r = *rect;
        switch (style) {
        case 1:
            DrawStep(pDC, r, ring(black, white));
            r.InflateRect(1, 1);
            DrawStep(pDC, r, ring(g.shadow, g.face));
            return;
        case 2:
            DrawStep(pDC, r, ring(white, black));
            r.DeflateRect(1, 1);
            DrawStep(pDC, r, ring(g.face, g.shadow));
            return;
        case 3:
        case 4: {
            const BorderStep raised[2] = {ring(white, black), ring(g.face, g.shadow)};
            const BorderStep sunken[2] = {ring(g.shadow, white), ring(black, g.face)};
            const BorderStep* outer = style == 3 ? sunken : raised;
            const BorderStep* inner = style == 3 ? raised : sunken;
            DrawStep(pDC, r, outer[0]);
            r.DeflateRect(1, 1);
            DrawStep(pDC, r, outer[1]);
            r.DeflateRect(2, 2);
            DrawStep(pDC, r, inner[0]);
            r.DeflateRect(1, 1);
            DrawStep(pDC, r, inner[1]);
            return;
        }
        }
    }

    std::vector<BorderStep> steps;
    switch (style) {
    case 5: steps = {ring(g.shadow2, g.highlight2), ring(g.darkShadow, g.light)}; break;
    case 6: steps = {ring(g.shadow2, g.highlight2)}; break;
    case 7: steps = {ring(g.highlight2, g.shadow2)}; break;
    case 8: steps = {ring(g.highlight2, g.darkShadow), ring(g.light, g.shadow2)}; break;
    case 9: steps = {outline(g.darkShadow), outline(g.darkShadow)}; break;
    case 10: steps = {ring(g.highlight2, g.darkShadow), outline(g.frame), ring(g.darkShadow, g.highlight2)}; break;
    case 11: steps = {ring(g.highlight2, g.shadow2), outline(g.frame), ring(g.shadow2, g.highlight2)}; break;
    case 12: steps = {ring(g.highlight2, g.darkShadow), ring(g.darkShadow, g.highlight2)}; break;
    case 13: steps = {ring(g.highlight2, g.shadow2), ring(g.shadow2, g.highlight2)}; break;
    case 14: steps = {ring(g.shadow2, g.highlight2), ring(g.highlight2, g.shadow2)}; break;
    case 15: steps = {ring(g.shadow2, g.highlight2), outline(g.darkShadow), ring(g.highlight2, g.shadow2)}; break;
    case 16: steps = {outline(g.darkShadow)}; break;
    default: return;
    }
    for (const BorderStep& step : steps) {
        DrawStep(pDC, *rect, step);
        ::InflateRect(rect, -1, -1);
    }
}

void UiDrawPaletteSeparator(CDC* pDC, const RECT& separator)
{
    CRect line = separator;
    line.bottom -= 2;
    pDC->Draw3dRect(&line, UiColorGlobals().shadow, RGB(255, 255, 255));
}

void UiDrawPaletteCustom(CDC* pDC, RECT* hitRect, const RECT& customRect, const CString& text, BOOL swatch,
                         COLORREF color)
{
    const CUiColorGlobals& g = UiColorGlobals();
    pDC->FillSolidRect(hitRect, g.face);
    *hitRect = customRect;
    CRect textRect = customRect;
    CRect swatchRect(customRect.right - 21, customRect.top, customRect.right, customRect.bottom);
    if (swatch) {
        hitRect->right = customRect.right - 23;
        textRect = *hitRect;
    }
    textRect.DeflateRect(2, 2);

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(RGB(0, 0, 0));
    pDC->DrawText(text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);

    if (swatch) {
        pDC->Draw3dRect(&swatchRect, g.shadow, RGB(255, 255, 255));
        swatchRect.DeflateRect(4, 4);
        pDC->FillSolidRect(&swatchRect, color);
        CBrush frame(g.shadow);
        pDC->FrameRect(&swatchRect, &frame);
    }
}

void UiDrawPaletteSelectionFrame(CDC* pDC, const RECT& rect)
{
    CRect inside = rect;
    inside.DeflateRect(1, 1);
    FrameInside(pDC, inside, RGB(255, 255, 255), 2);
    CRect outside = rect;
    outside.InflateRect(1, 1);
    FrameInside(pDC, outside, RGB(0, 0, 0), 1);
}
