// Drawing through the platform's DCs beside the raw libraries doing the same work:
// block transfers beside memcpy and QPainter::drawImage, a window's clean repaint
// beside QWidget::repaint, XOR rubber-band segments, wide lines and filled polygons
// beside QPainter with the matching raster operation, pen and brush. Both sides draw
// the same figures on 32-bit images of the same size; the project's through CDC.
#include "BenchCanvas.h"
#include "QtBenchMain.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndTestInput.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kBlitW = 1920, kBlitH = 1080;
constexpr int kCanvasW = 1024, kCanvasH = 768;
constexpr int kBatch = 1000; // figures per iteration of the figure benchmarks

// ---------------------------------------------------------------- block transfers

// Two memory DCs with 32-bit bitmaps of the blit size, the source filled with a gradient.
struct BlitDCs {
    CDC src, dst;
    CBitmap srcBitmap, dstBitmap;
    BlitDCs()
    {
        src.CreateCompatibleDC(nullptr);
        dst.CreateCompatibleDC(nullptr);
        srcBitmap.CreateBitmap(kBlitW, kBlitH, 1, 32, nullptr);
        dstBitmap.CreateBitmap(kBlitW, kBlitH, 1, 32, nullptr);
        src.SelectObject(&srcBitmap);
        dst.SelectObject(&dstBitmap);
        for (int y = 0; y < kBlitH; y += 8)
            src.FillSolidRect(0, y, kBlitW, 8, RGB(y & 0xFF, (y * 3) & 0xFF, 200));
    }
};

void BM_BlitMemcpy_Project(benchmark::State& state)
{
    BlitDCs dcs;
    for (auto _ : state) {
        dcs.dst.BitBlt(0, 0, kBlitW, kBlitH, &dcs.src, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitMemcpy_Project)->Unit(benchmark::kMicrosecond);

void BM_BlitMemcpy_Peer(benchmark::State& state)
{
    std::vector<uint32_t> src((size_t)kBlitW * kBlitH, 0xFF336699u), dst((size_t)kBlitW * kBlitH);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitMemcpy_Peer)->Unit(benchmark::kMicrosecond);

void BM_BlitDrawImage_Project(benchmark::State& state) { BM_BlitMemcpy_Project(state); }
BENCHMARK(BM_BlitDrawImage_Project)->Unit(benchmark::kMicrosecond);

void BM_BlitDrawImage_Peer(benchmark::State& state)
{
    QImage src(kBlitW, kBlitH, QImage::Format_RGB32), dst(kBlitW, kBlitH, QImage::Format_RGB32);
    src.fill(0xFF336699u);
    QPainter p(&dst);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (auto _ : state) {
        p.drawImage(0, 0, src);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitDrawImage_Peer)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- repaint

constexpr int kWindowW = 800, kWindowH = 600;

void BM_Repaint_Project(benchmark::State& state)
{
    CBrush background;
    background.CreateSolidBrush(RGB(0, 128, 255));
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, (HBRUSH)background.GetSafeHandle());
    CWnd wnd;
    wnd.CreateEx(0, cls, "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWindowW, kWindowH, nullptr, nullptr);
    AfxTestProcessEvents();
    for (auto _ : state) {
        wnd.Invalidate(TRUE);
        wnd.UpdateWindow();
    }
    wnd.DestroyWindow();
    AfxTestProcessEvents();
}
BENCHMARK(BM_Repaint_Project)->Unit(benchmark::kMicrosecond);

void BM_Repaint_Peer(benchmark::State& state)
{
    QWidget widget;
    widget.setGeometry(0, 0, kWindowW, kWindowH);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 255));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
    widget.show();
    AfxTestProcessEvents();
    for (auto _ : state)
        widget.repaint();
}
BENCHMARK(BM_Repaint_Peer)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- figures

// The canvas of the figures, for either side.
struct FigureCanvas : Canvas {
    FigureCanvas() : Canvas(kCanvasW, kCanvasH) {}
};
struct PeerFigureCanvas : PeerCanvas {
    PeerFigureCanvas() : PeerCanvas(kCanvasW, kCanvasH) {}
};

// Runs `draw(figure)` for each of the figures in every iteration.
template <class Figures, class Draw>
void DrawAll(benchmark::State& state, const Figures& figures, Draw draw)
{
    for (auto _ : state)
        for (const auto& figure : figures)
            draw(figure);
    state.SetItemsProcessed(state.iterations() * (int64_t)figures.size());
}

// The peer's copy of figures given as POINTs.
std::vector<QPolygon> QtPolygons(const std::vector<std::vector<POINT>>& figures)
{
    std::vector<QPolygon> out;
    for (const auto& figure : figures) {
        QPolygon q;
        for (const POINT& p : figure)
            q << QPoint(p.x, p.y);
        out.push_back(q);
    }
    return out;
}

// Segments of 5 to 40 pixels in every direction, all on the canvas.
const std::vector<QLine>& Segments()
{
    static const std::vector<QLine> segments = [] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> x(40, kCanvasW - 41), y(40, kCanvasH - 41), d(-40, 40);
        std::vector<QLine> out;
        for (int i = 0; i < kBatch; ++i) {
            const QPoint a(x(random), y(random));
            out.emplace_back(a, a + QPoint(d(random), d(random)));
        }
        return out;
    }();
    return segments;
}

void DrawSegments(benchmark::State& state, CDC& dc)
{
    DrawAll(state, Segments(), [&](const QLine& l) {
        dc.MoveTo(l.x1(), l.y1());
        dc.LineTo(l.x2(), l.y2());
    });
}

void BM_XorSegments_Project(benchmark::State& state)
{
    FigureCanvas c;
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    c.dc.SelectObject(&pen);
    c.dc.SetROP2(R2_XORPEN);
    DrawSegments(state, c.dc);
}
BENCHMARK(BM_XorSegments_Project)->Unit(benchmark::kMicrosecond);

void BM_XorSegments_Peer(benchmark::State& state)
{
    PeerFigureCanvas c;
    c.painter.setPen(QPen(Qt::white, 0));
    c.painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    DrawAll(state, Segments(), [&](const QLine& l) { c.painter.drawLine(l); });
}
BENCHMARK(BM_XorSegments_Peer)->Unit(benchmark::kMicrosecond);

void BM_WideSegments_Project(benchmark::State& state)
{
    FigureCanvas c;
    CPen pen;
    pen.CreatePen(PS_SOLID, 3, RGB(200, 30, 30));
    c.dc.SelectObject(&pen);
    DrawSegments(state, c.dc);
}
BENCHMARK(BM_WideSegments_Project)->Unit(benchmark::kMicrosecond);

void BM_WideSegments_Peer(benchmark::State& state)
{
    PeerFigureCanvas c;
    c.painter.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    DrawAll(state, Segments(), [&](const QLine& l) { c.painter.drawLine(l); });
}
BENCHMARK(BM_WideSegments_Peer)->Unit(benchmark::kMicrosecond);

// Star-shaped polygons of 8 to 30 vertices and radii up to 40 pixels.
const std::vector<std::vector<POINT>>& Polygons()
{
    static const std::vector<std::vector<POINT>> polygons = [] {
        std::mt19937 random(11);
        std::uniform_int_distribution<int> x(50, kCanvasW - 51), y(50, kCanvasH - 51), n(8, 30);
        std::uniform_real_distribution<double> radius(5, 40);
        std::vector<std::vector<POINT>> out;
        for (int i = 0; i < kBatch; ++i) {
            const int cx = x(random), cy = y(random), count = n(random);
            std::vector<POINT> pts;
            for (int k = 0; k < count; ++k) {
                const double a = 2 * 3.14159265358979 * k / count, r = radius(random);
                pts.push_back({cx + (int)std::lround(r * std::cos(a)), cy + (int)std::lround(r * std::sin(a))});
            }
            out.push_back(std::move(pts));
        }
        return out;
    }();
    return polygons;
}

void BM_Polygons_Project(benchmark::State& state)
{
    FigureCanvas c;
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    CBrush brush;
    brush.CreateSolidBrush(RGB(90, 180, 60));
    c.dc.SelectObject(&pen);
    c.dc.SelectObject(&brush);
    DrawAll(state, Polygons(), [&](const std::vector<POINT>& p) { c.dc.Polygon(p.data(), (int)p.size()); });
}
BENCHMARK(BM_Polygons_Project)->Unit(benchmark::kMicrosecond);

void BM_Polygons_Peer(benchmark::State& state)
{
    PeerFigureCanvas c;
    c.painter.setPen(QPen(Qt::black, 0));
    c.painter.setBrush(QColor(90, 180, 60));
    DrawAll(state, QtPolygons(Polygons()), [&](const QPolygon& q) { c.painter.drawPolygon(q); });
}
BENCHMARK(BM_Polygons_Peer)->Unit(benchmark::kMicrosecond);

// A comb of n teeth over a 200 x 200 square, filled without an outline: every
// scan line crosses every edge (16 000 and 10^6 vertices).
std::vector<POINT> Comb(int n)
{
    std::vector<POINT> comb;
    for (int i = 0; i < n; ++i)
        comb.push_back({(int)((long long)i * 200 / n), i % 2 ? 199 : 0});
    return comb;
}

void BM_CombFill_Project(benchmark::State& state)
{
    const std::vector<POINT> comb = Comb((int)state.range(0));
    Canvas c(200, 200);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SelectStockObject(BLACK_BRUSH);
    for (auto _ : state) {
        c.dc.Polygon(comb.data(), (int)comb.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CombFill_Project)->Arg(16000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_CombFill_Peer(benchmark::State& state)
{
    const std::vector<QPolygon> comb = QtPolygons({Comb((int)state.range(0))});
    PeerCanvas c(200, 200);
    c.painter.setPen(Qt::NoPen);
    c.painter.setBrush(Qt::black);
    for (auto _ : state) {
        c.painter.drawPolygon(comb[0], Qt::OddEvenFill);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CombFill_Peer)->Arg(16000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Polylines of 50 one-pixel segments, the shape of a layer's line objects.
const std::vector<std::vector<POINT>>& Polylines()
{
    static const std::vector<std::vector<POINT>> lines = [] {
        std::mt19937 random(13);
        std::uniform_int_distribution<int> x(50, kCanvasW - 51), y(50, kCanvasH - 51), step(-6, 6);
        std::vector<std::vector<POINT>> out;
        for (int i = 0; i < kBatch / 10; ++i) {
            std::vector<POINT> pts{{x(random), y(random)}};
            for (int k = 0; k < 50; ++k) {
                const POINT& p = pts.back();
                pts.push_back({std::clamp(p.x + step(random), 0, kCanvasW - 1), std::clamp(p.y + step(random), 0, kCanvasH - 1)});
            }
            out.push_back(std::move(pts));
        }
        return out;
    }();
    return lines;
}

void BM_Polylines_Project(benchmark::State& state)
{
    FigureCanvas c;
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, RGB(0, 0, 160));
    c.dc.SelectObject(&pen);
    DrawAll(state, Polylines(), [&](const std::vector<POINT>& p) { c.dc.Polyline(p.data(), (int)p.size()); });
}
BENCHMARK(BM_Polylines_Project)->Unit(benchmark::kMicrosecond);

void BM_Polylines_Peer(benchmark::State& state)
{
    PeerFigureCanvas c;
    c.painter.setPen(QPen(QColor(0, 0, 160), 0));
    DrawAll(state, QtPolygons(Polylines()), [&](const QPolygon& q) { c.painter.drawPolyline(q); });
}
BENCHMARK(BM_Polylines_Peer)->Unit(benchmark::kMicrosecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
