// Caches of text drawing (private to the platform): the Qt font and metrics of each font
// record, and the ink of each line of text drawn, as runs of pixels relative to where it
// was drawn. Both are emptied when face substitutions or registered fonts change.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QString>

#include "platform/gdi/GdiObjects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace gdi {

struct FontEntry {
    QFont font;
    QFontMetrics metrics;
    int ascent, descent, height;
    uint64_t serial; // names this entry in line keys; never reused
    QRawFont raw;    // the font's glyphs, for lines that need no shaping
};

// The font of `lf` at `scale` device pixels per logical unit.
std::shared_ptr<const FontEntry> cachedFont(const LOGFONTA& lf, double scale);

// A row of ink pixels [x0, x1) on row y, relative to the point a line was drawn at.
struct InkRun {
    int y, x0, x1;
};

// A line of text as drawn at the device origin: its width in device pixels and, when `exact`
// (drawing it elsewhere moves its pixels by whole pixels and changes nothing else), its ink.
struct LineInk {
    double width = 0;
    bool exact = false;
    std::vector<InkRun> runs;
};

// The ink of one glyph drawn alone with its origin at a fraction (in 64ths of a pixel) of a
// pixel from the device origin, as runs relative to that pixel; `make` fills it in when it is
// not known yet. Valid until the next call.
const std::vector<InkRun>& cachedGlyph(uint64_t fontSerial, uint32_t glyph, int fractionX, int fractionY,
                                       const std::function<void(std::vector<InkRun>&)>& make);

// The line that `key` names (everything its pixels depend on besides an integer move); `make`
// fills it in when it is not known yet. The line stays valid until the next call.
const LineInk& cachedLine(const std::string& key, const std::function<void(LineInk&)>& make);

} // namespace gdi
