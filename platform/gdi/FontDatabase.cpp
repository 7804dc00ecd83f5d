// The font database: face substitution, application fonts from memory and files, the
// Qt font of a font record, and the enumeration of families.
#include "platform/gdi/FontDatabase.h"

#include "platform/gdi/GdiInternal.h"

#include <QByteArray>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

// An application font registered from memory, loaded when fonts are initialised.
struct MemoryFont {
    const void* data;
    std::size_t size;
    std::vector<QString> faces;
};

struct FontState {
    std::map<QString, QString> substitutes; // lower-case face -> family
    std::map<QString, double> cellRatio;    // family -> (ascent + descent) / em
    std::map<QString, std::vector<int>> files; // file name -> application font ids
    std::vector<MemoryFont> memoryFonts;    // registered, in order; loaded once initialised
    std::map<QString, QString> appFaces;    // lower-case face -> face, of loaded application fonts
    bool initialised = false;
    unsigned generation = 0; // counts changes of what a face draws with
};
FontState& fonts()
{
    static FontState* s = new FontState;
    return *s;
}

bool familyInstalled(const QString& family)
{
    if (!QGuiApplication::instance())
        return false;
    return QFontDatabase::hasFamily(family);
}

QString defaultFamilyFor(BYTE pitchAndFamily)
{
    const int family = pitchAndFamily & 0xF0, pitch = pitchAndFamily & 0x03;
    if (family == FF_MODERN || pitch == FIXED_PITCH)
        return QStringLiteral("Liberation Mono");
    if (family == FF_ROMAN)
        return QStringLiteral("Liberation Serif");
    return QStringLiteral("Liberation Sans");
}

double cellRatio(const QFont& base)
{
    FontState& s = fonts();
    const QString key = base.family() + QString::number(base.weight()) + (base.italic() ? "i" : "");
    auto it = s.cellRatio.find(key);
    if (it != s.cellRatio.end())
        return it->second;
    QFont f(base);
    f.setPixelSize(200);
    const QFontMetricsF m(f);
    double r = (m.ascent() + m.descent()) / 200.0;
    if (r <= 0.1)
        r = 1.15;
    s.cellRatio.emplace(key, r);
    return r;
}

// Adds the font to Qt's database and maps its faces to its family; a font Qt cannot
// read leaves its faces to the default family.
void loadMemoryFont(const MemoryFont& font)
{
    if (!font.data || font.size == 0)
        return;
    const int id = QFontDatabase::addApplicationFontFromData(
        QByteArray(static_cast<const char*>(font.data), (qsizetype)font.size));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (families.isEmpty())
        return;
    const QByteArray family = families.front().toUtf8();
    for (const QString& face : font.faces) {
        AfxSetFontSubstitute(face.toUtf8().constData(), family.constData());
        fonts().appFaces[face.toLower()] = face;
    }
}

} // namespace

namespace gdi {

QString faceSubstitute(const QString& face)
{
    ensureFontsInitialised();
    FontState& s = fonts();
    auto it = s.substitutes.find(face.toLower());
    if (it != s.substitutes.end())
        return it->second;
    if (!face.isEmpty() && familyInstalled(face))
        return face;
    return QStringLiteral("DejaVu Sans");
}

void ensureFontsInitialised()
{
    if (!fonts().initialised && QGuiApplication::instance())
        AfxInitFonts();
}

QFont qtFont(const LOGFONTA& lf, double scale)
{
    QString face = QString::fromUtf8(lf.lfFaceName, (int)strnlen(lf.lfFaceName, LF_FACESIZE));
    const QString family = face.isEmpty() ? defaultFamilyFor(lf.lfPitchAndFamily) : faceSubstitute(face);
    QFont f(family);
    f.setFamilies({family});
    f.setWeight(QFont::Weight(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 1, 1000)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    // GDI places glyphs by their advances alone: no kerning, and no ligatures or other
    // substitutions where the script does not need shaping.
    f.setKerning(false);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias | QFont::NoFontMerging
                                            | QFont::PreferNoShaping));
    f.setHintingPreference(QFont::PreferFullHinting);
    // Negative heights are the em size, positive ones the cell (ascent + descent); 0 is the default.
    const double h = lf.lfHeight * std::fabs(scale);
    auto toPixels = [](double v) { return std::isfinite(v) ? (int)std::clamp(std::round(v), 0.0, (double)kMaxFontPixels) : 0; };
    int pixels;
    if (lf.lfHeight < 0)
        pixels = toPixels(-h);
    else if (lf.lfHeight > 0)
        pixels = toPixels(h / cellRatio(f));
    else
        pixels = 12;
    // Glyphs beyond kMaxFontPixels are larger than any surface; past it Qt's rendering only costs time.
    f.setPixelSize(std::clamp(pixels, 1, kMaxFontPixels));
    if (lf.lfWidth > 0) {
        const QFontMetricsF m(f);
        const double natural = m.averageCharWidth();
        if (natural > 0)
            f.setStretch((int)std::clamp(std::round(lf.lfWidth * std::fabs(scale) * 100.0 / natural), 1.0, 4000.0));
    }
    return f;
}

} // namespace gdi

namespace gdi {
unsigned fontGeneration() { return fonts().generation; }
} // namespace gdi

void AfxSetFontSubstitute(LPCSTR face, LPCSTR family)
{
    if (!face || !family)
        return;
    fonts().substitutes[QString::fromUtf8(face).toLower()] = QString::fromUtf8(family);
    ++fonts().generation;
}

CString AfxGetFontFamily(LPCSTR face)
{
    return CString(gdi::faceSubstitute(QString::fromUtf8(face ? face : "")).toUtf8().constData());
}

void AfxInitFonts()
{
    FontState& s = fonts();
    if (s.initialised || !QGuiApplication::instance())
        return;
    s.initialised = true;
    static const char* const sans[] = {"Arial", "Helvetica", "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg",
                                       "MS Shell Dlg 2", "System", "Tahoma", "Verdana", "Segoe UI"};
    static const char* const serif[] = {"Times New Roman", "Times", "MS Serif"};
    static const char* const mono[] = {"Courier New", "Courier", "Fixedsys", "Terminal", "Lucida Console"};
    auto map = [](const char* const* faces, size_t n, const char* family) {
        const char* use = familyInstalled(family) ? family : "DejaVu Sans";
        for (size_t i = 0; i < n; ++i)
            AfxSetFontSubstitute(faces[i], use);
    };
    map(sans, std::size(sans), "Liberation Sans");
    map(serif, std::size(serif), "Liberation Serif");
    map(mono, std::size(mono), "Liberation Mono");
    for (const MemoryFont& font : s.memoryFonts)
        loadMemoryFont(font);
}

void AfxRegisterFont(const void* data, std::size_t size, std::initializer_list<const char*> faces)
{
    MemoryFont font{data, size, {}};
    for (const char* face : faces)
        if (face && *face)
            font.faces.push_back(QString::fromUtf8(face));
    FontState& s = fonts();
    s.memoryFonts.push_back(font);
    if (s.initialised && QGuiApplication::instance())
        loadMemoryFont(font);
}

HANDLE AddFontMemResourceEx(const void* data, DWORD size, void*, DWORD* count)
{
    if (count)
        *count = 0;
    if (!data || !size || !QGuiApplication::instance())
        return nullptr;
    const int id = QFontDatabase::addApplicationFontFromData(QByteArray(static_cast<const char*>(data), (qsizetype)size));
    if (id < 0)
        return nullptr;
    ++fonts().generation;
    if (count)
        *count = (DWORD)QFontDatabase::applicationFontFamilies(id).size();
    return reinterpret_cast<HANDLE>((intptr_t)id + 1);
}

BOOL RemoveFontMemResourceEx(HANDLE font)
{
    const intptr_t id = reinterpret_cast<intptr_t>(font) - 1;
    ++fonts().generation;
    return font && QFontDatabase::removeApplicationFont((int)id);
}

int AddFontResourceExA(LPCSTR fileName, DWORD, void*)
{
    if (!fileName || !QGuiApplication::instance())
        return 0;
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(fileName));
    if (id < 0)
        return 0;
    fonts().files[QString::fromUtf8(fileName)].push_back(id);
    ++fonts().generation;
    return (int)QFontDatabase::applicationFontFamilies(id).size();
}

BOOL RemoveFontResourceExA(LPCSTR fileName, DWORD, void*)
{
    if (!fileName)
        return FALSE;
    auto& files = fonts().files;
    auto it = files.find(QString::fromUtf8(fileName));
    if (it == files.end() || it->second.empty())
        return FALSE;
    const int id = it->second.back();
    it->second.pop_back();
    ++fonts().generation;
    return QFontDatabase::removeApplicationFont(id);
}

int EnumFontFamiliesExA(HDC, const LOGFONTA* font, FONTENUMPROCA proc, LPARAM param, DWORD)
{
    if (!proc || !QGuiApplication::instance())
        return 0;
    gdi::ensureFontsInitialised();
    // Installed families and the faces that stand for one, each once, in alphabetical order.
    std::map<QString, QString> faces; // lower-case -> shown name
    for (const QString& f : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(f))
            faces.emplace(f.toLower(), f);
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "MS Sans Serif"}) {
        const QString f = QString::fromUtf8(face);
        if (fonts().substitutes.count(f.toLower()))
            faces.emplace(f.toLower(), f);
    }
    for (const auto& [key, face] : fonts().appFaces)
        faces.emplace(key, face);
    QString only;
    if (font && font->lfFaceName[0])
        only = QString::fromUtf8(font->lfFaceName, (int)strnlen(font->lfFaceName, LF_FACESIZE)).toLower();
    const BYTE charset = font ? font->lfCharSet : DEFAULT_CHARSET;
    int result = 1;
    for (const auto& [key, name] : faces) {
        if (!only.isEmpty() && key != only)
            continue;
        ENUMLOGFONTEXA elf{};
        NEWTEXTMETRICEXA ntm{};
        const QByteArray utf8 = name.toUtf8();
        CString::CopyToField(elf.elfLogFont.lfFaceName, LF_FACESIZE, utf8.constData());
        CString::CopyToField(reinterpret_cast<char*>(elf.elfFullName), LF_FULLFACESIZE, utf8.constData());
        std::strncpy(reinterpret_cast<char*>(elf.elfStyle), "Regular", LF_FACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfScript), "Western", LF_FACESIZE - 1);
        LOGFONTA& lf = elf.elfLogFont;
        lf.lfHeight = 16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = charset == DEFAULT_CHARSET ? ANSI_CHARSET : charset;
        lf.lfOutPrecision = 3;
        lf.lfClipPrecision = 2;
        lf.lfQuality = 1;
        const QFont qf = gdi::qtFont(lf);
        const QFontMetrics m(qf);
        const bool fixed = QFontInfo(qf).fixedPitch();
        lf.lfPitchAndFamily = (BYTE)((fixed ? FIXED_PITCH : VARIABLE_PITCH) | (fixed ? FF_MODERN : FF_SWISS));
        TEXTMETRICA& tm = ntm.ntmTm.tm;
        tm.tmHeight = m.ascent() + m.descent();
        tm.tmAscent = m.ascent();
        tm.tmDescent = m.descent();
        tm.tmInternalLeading = std::max(0, tm.tmHeight - qf.pixelSize());
        tm.tmAveCharWidth = m.averageCharWidth();
        tm.tmMaxCharWidth = m.maxWidth();
        tm.tmWeight = FW_NORMAL;
        tm.tmFirstChar = 0x20;
        tm.tmLastChar = 0xFF;
        tm.tmDefaultChar = 0x1F;
        tm.tmBreakChar = 0x20;
        tm.tmPitchAndFamily = (BYTE)(TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH) | (lf.lfPitchAndFamily & 0xF0));
        tm.tmCharSet = lf.lfCharSet;
        tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
        ntm.ntmTm.ntmSizeEM = 2048;
        ntm.ntmTm.ntmCellHeight = (UINT)tm.tmHeight;
        ntm.ntmTm.ntmAvgWidth = (UINT)tm.tmAveCharWidth;
        result = proc(&elf.elfLogFont, &ntm.ntmTm.tm, TRUETYPE_FONTTYPE, param);
        if (result == 0)
            break;
    }
    return result;
}
