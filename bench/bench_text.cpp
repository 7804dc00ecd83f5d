// Text through the platform's DCs beside QPainter::drawText with a font made once:
// labels of 10 characters in one font at scattered places, aliased, on 32-bit images
// of the same size. "Text" draws a map's worth of labels over and over, as each
// repaint of a map does; "Labels20000" draws the labels of a large map, 20000
// different strings, round and round; "TextNew" draws text never drawn before on
// every call.
#include "BenchCanvas.h"
#include "QtBenchMain.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCanvasW = 1024, kCanvasH = 768;
constexpr int kBatch = 1000;  // calls per iteration
constexpr int kLabels = 2000; // distinct labels of the "Text" figure
constexpr int kPixelSize = 13;

struct Label {
    std::string text;
    QString qtext;
    int x, y;
};

std::vector<Label> MakeLabels(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(0, kCanvasW - 100), y(0, kCanvasH - 20), letter(0, 25), digit(0, 9);
    std::vector<Label> out;
    for (int i = 0; i < count; ++i) {
        std::string s;
        s += (char)('A' + letter(random));
        for (int k = 0; k < 5; ++k)
            s += (char)('a' + letter(random));
        s += ' ';
        for (int k = 0; k < 3; ++k)
            s += (char)('0' + digit(random));
        out.push_back({s, QString::fromLatin1(s.c_str()), x(random), y(random)});
    }
    return out;
}

const std::vector<Label>& Labels()
{
    static const std::vector<Label> labels = MakeLabels(kLabels, 17);
    return labels;
}

const std::vector<Label>& ManyLabels()
{
    static const std::vector<Label> labels = MakeLabels(20000, 23);
    return labels;
}

// The project draws with a font record of the same face and pixel size as the peer's font.
struct TextCanvas : Canvas {
    CFont font;
    TextCanvas() : Canvas(kCanvasW, kCanvasH)
    {
        LOGFONTA lf{};
        lf.lfHeight = -kPixelSize;
        std::strcpy(lf.lfFaceName, "Arial");
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(20, 20, 120));
    }
};

struct PeerTextCanvas : PeerCanvas {
    int ascent;
    PeerTextCanvas() : PeerCanvas(kCanvasW, kCanvasH)
    {
        QFont font(QString::fromUtf8(AfxGetFontFamily("Arial").GetString()));
        font.setPixelSize(kPixelSize);
        font.setKerning(false);
        font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
        painter.setFont(font);
        painter.setPen(QColor(20, 20, 120));
        ascent = QFontMetrics(font).ascent();
    }
};

// Runs `draw(label)` for a batch of labels per iteration, going round the list.
template <class Draw>
void DrawLabels(benchmark::State& state, Draw draw, const std::vector<Label>& labels = Labels())
{
    size_t i = 0;
    for (auto _ : state)
        for (int k = 0; k < kBatch; ++k, i = (i + 1) % labels.size())
            draw(labels[i]);
    state.SetItemsProcessed(state.iterations() * kBatch);
}

void BM_Text_Project(benchmark::State& state)
{
    TextCanvas c;
    DrawLabels(state, [&](const Label& l) { c.dc.TextOut(l.x, l.y, l.text.c_str(), (int)l.text.size()); });
}
BENCHMARK(BM_Text_Project)->Unit(benchmark::kMicrosecond);

void BM_Text_Peer(benchmark::State& state)
{
    PeerTextCanvas c;
    DrawLabels(state, [&](const Label& l) { c.painter.drawText(QPointF(l.x, l.y + c.ascent), l.qtext); });
}
BENCHMARK(BM_Text_Peer)->Unit(benchmark::kMicrosecond);

void BM_Labels20000_Project(benchmark::State& state)
{
    TextCanvas c;
    DrawLabels(state, [&](const Label& l) { c.dc.TextOut(l.x, l.y, l.text.c_str(), (int)l.text.size()); }, ManyLabels());
}
BENCHMARK(BM_Labels20000_Project)->Unit(benchmark::kMicrosecond);

void BM_Labels20000_Peer(benchmark::State& state)
{
    PeerTextCanvas c;
    DrawLabels(state, [&](const Label& l) { c.painter.drawText(QPointF(l.x, l.y + c.ascent), l.qtext); }, ManyLabels());
}
BENCHMARK(BM_Labels20000_Peer)->Unit(benchmark::kMicrosecond);

// Text of a running number: no call draws a text drawn before. Both sides format it alike.
const char* NewText(char side)
{
    static unsigned serial = 0;
    static char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c%09u", side, serial++);
    return buffer;
}

void BM_TextNew_Project(benchmark::State& state)
{
    TextCanvas c;
    DrawLabels(state, [&](const Label& l) { c.dc.TextOut(l.x, l.y, NewText('N'), 10); });
}
BENCHMARK(BM_TextNew_Project)->Unit(benchmark::kMicrosecond);

void BM_TextNew_Peer(benchmark::State& state)
{
    PeerTextCanvas c;
    DrawLabels(state, [&](const Label& l) { c.painter.drawText(QPointF(l.x, l.y + c.ascent), QString::fromLatin1(NewText('P'), 10)); });
}
BENCHMARK(BM_TextNew_Peer)->Unit(benchmark::kMicrosecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
