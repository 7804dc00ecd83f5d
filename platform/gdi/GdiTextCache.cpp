// The text caches (GdiTextCache.h). Fonts are keyed by the font record's bytes (the face
// name up to its end) and the scale; lines by a key their caller builds. Each cache holds
// a bounded number of entries and starts again empty when full; both start again when the
// font generation changes, so a new substitution is drawn at once.
#include "platform/gdi/GdiTextCache.h"

#include "platform/gdi/GdiInternal.h"

#include <cstring>
#include <string>
#include <unordered_map>

namespace gdi {

namespace {

constexpr size_t kMaxFonts = 256;
constexpr size_t kMaxLines = 4096;
constexpr size_t kMaxGlyphs = 1 << 16;

struct GlyphKey {
    uint64_t font;
    uint32_t glyph;
    int fx, fy;
    bool operator==(const GlyphKey& o) const { return font == o.font && glyph == o.glyph && fx == o.fx && fy == o.fy; }
};
struct GlyphKeyHash {
    size_t operator()(const GlyphKey& k) const
    {
        uint64_t h = k.font * 0x9E3779B97F4A7C15ull ^ k.glyph;
        h = h * 0xBF58476D1CE4E5B9ull ^ (uint64_t)(uint32_t)(k.fx * 64 + k.fy);
        return (size_t)(h ^ (h >> 31));
    }
};

struct TextCaches {
    unsigned generation = 0;
    uint64_t nextSerial = 1;
    std::unordered_map<std::string, std::shared_ptr<const FontEntry>> fonts;
    std::unordered_map<std::string, LineInk> lines;
    std::unordered_map<GlyphKey, std::vector<InkRun>, GlyphKeyHash> glyphs;
    std::string key; // reused for look-ups
};

TextCaches& caches()
{
    static TextCaches* c = new TextCaches;
    ensureFontsInitialised();
    if (c->generation != fontGeneration()) {
        c->fonts.clear();
        c->lines.clear();
        c->glyphs.clear();
        c->generation = fontGeneration();
    }
    return *c;
}

} // namespace

std::shared_ptr<const FontEntry> cachedFont(const LOGFONTA& lf, double scale)
{
    TextCaches& c = caches();
    LOGFONTA clean = lf;
    const size_t faceLength = strnlen(clean.lfFaceName, LF_FACESIZE);
    std::memset(clean.lfFaceName + faceLength, 0, LF_FACESIZE - faceLength);
    c.key.assign(reinterpret_cast<const char*>(&clean), sizeof clean);
    c.key.append(reinterpret_cast<const char*>(&scale), sizeof scale);
    auto it = c.fonts.find(c.key);
    if (it != c.fonts.end())
        return it->second;
    if (c.fonts.size() >= kMaxFonts)
        c.fonts.clear();
    const QFont font = qtFont(lf, scale);
    const QFontMetrics m(font);
    auto entry = std::make_shared<const FontEntry>(
        FontEntry{font, m, m.ascent(), m.descent(), m.ascent() + m.descent(), c.nextSerial++, QRawFont::fromFont(font)});
    c.fonts.emplace(c.key, entry);
    return entry;
}

const std::vector<InkRun>& cachedGlyph(uint64_t fontSerial, uint32_t glyph, int fractionX, int fractionY,
                                       const std::function<void(std::vector<InkRun>&)>& make)
{
    TextCaches& c = caches();
    const GlyphKey key{fontSerial, glyph, fractionX, fractionY};
    auto it = c.glyphs.find(key);
    if (it != c.glyphs.end())
        return it->second;
    if (c.glyphs.size() >= kMaxGlyphs)
        c.glyphs.clear();
    std::vector<InkRun> runs;
    make(runs);
    runs.shrink_to_fit();
    return c.glyphs.emplace(key, std::move(runs)).first->second;
}

const LineInk& cachedLine(const std::string& key, const std::function<void(LineInk&)>& make)
{
    TextCaches& c = caches();
    auto it = c.lines.find(key);
    if (it != c.lines.end())
        return it->second;
    if (c.lines.size() >= kMaxLines)
        c.lines.clear();
    LineInk line;
    make(line);
    line.runs.shrink_to_fit();
    return c.lines.emplace(key, std::move(line)).first->second;
}

} // namespace gdi
