// The in-memory projection catalogue: read once per version of the file, with
// the keys that let a lookup import and compare only the few definitions that
// can be the system it looks for.
#include "model/projections/ProjectionCatalogueIndex.h"

#include "model/projections/ProjectionCatalogue.h"

#include <cpl_error.h>
#include <ogr_spatialref.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// ---------------------------------------------------------------- WKT reading
// A WKT node: keyword, its plain values (quoted texts without quotes, numbers
// as written) and its child nodes, in order.
struct WktNode {
    std::string keyword;
    std::vector<std::string> values;
    std::vector<WktNode> children;

    const WktNode* Child(const char* name) const
    {
        for (const WktNode& child : children)
            if (child.keyword == name)
                return &child;
        return nullptr;
    }
    double Number(size_t i) const
    {
        if (i >= values.size())
            return NAN;
        char* end = nullptr;
        const double value = std::strtod(values[i].c_str(), &end);
        return end != values[i].c_str() && *end == '\0' ? value : NAN;
    }
};

class WktParser {
public:
    explicit WktParser(const std::string& text) : m_text(text) {}

    bool Parse(WktNode& root)
    {
        if (!Node(root, 0))
            return false;
        SkipBlanks();
        return m_pos == m_text.size();
    }

private:
    void SkipBlanks()
    {
        while (m_pos < m_text.size() && std::isspace((unsigned char)m_text[m_pos]))
            ++m_pos;
    }

    bool Node(WktNode& node, int depth)
    {
        // WKT of a coordinate system is shallow; a deeper text is no definition.
        if (depth > 32)
            return false;
        SkipBlanks();
        const size_t start = m_pos;
        while (m_pos < m_text.size() && (std::isalnum((unsigned char)m_text[m_pos]) || m_text[m_pos] == '_'))
            ++m_pos;
        if (m_pos == start)
            return false;
        node.keyword.assign(m_text, start, m_pos - start);
        SkipBlanks();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '[' && m_text[m_pos] != '('))
            return false;
        const char close = m_text[m_pos] == '[' ? ']' : ')';
        ++m_pos;
        for (;;) {
            SkipBlanks();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos];
            if (c == '"') {
                // A doubled quote stands for one quote.
                std::string value;
                ++m_pos;
                for (;;) {
                    if (m_pos >= m_text.size())
                        return false;
                    if (m_text[m_pos] == '"') {
                        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
                            value += '"';
                            m_pos += 2;
                            continue;
                        }
                        ++m_pos;
                        break;
                    }
                    value += m_text[m_pos++];
                }
                node.values.push_back(std::move(value));
            } else if (std::isalpha((unsigned char)c)) {
                // A keyword: a child node, or a bare word such as an axis direction.
                size_t end = m_pos;
                while (end < m_text.size() && (std::isalnum((unsigned char)m_text[end]) || m_text[end] == '_'))
                    ++end;
                size_t next = end;
                while (next < m_text.size() && std::isspace((unsigned char)m_text[next]))
                    ++next;
                if (next < m_text.size() && (m_text[next] == '[' || m_text[next] == '(')) {
                    node.children.emplace_back();
                    if (!Node(node.children.back(), depth + 1))
                        return false;
                } else {
                    node.values.emplace_back(m_text, m_pos, end - m_pos);
                    m_pos = end;
                }
            } else {
                const size_t begin = m_pos;
                while (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != close &&
                       !std::isspace((unsigned char)m_text[m_pos]))
                    ++m_pos;
                if (m_pos == begin)
                    return false;
                node.values.emplace_back(m_text, begin, m_pos - begin);
            }
            SkipBlanks();
            if (m_pos >= m_text.size())
                return false;
            if (m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_text[m_pos] == close) {
                ++m_pos;
                return true;
            }
            return false;
        }
    }

    const std::string& m_text;
    size_t m_pos = 0;
};

bool Close(double a, double b, double relative, double absolute)
{
    return std::fabs(a - b) <= std::max(absolute, relative * std::max(std::fabs(a), std::fabs(b)));
}

// Methods that the coordinate library may rewrite into one another (the 1SP
// and 2SP forms of a conic or of Mercator, the variants of a stereographic)
// share the first word of their names; methods of different first words are
// never the same projection.
std::string FamilyOf(const std::string& method)
{
    std::string family;
    for (char c : method) {
        if (c == '_' || c == ' ' || c == '(')
            break;
        family += (char)std::tolower((unsigned char)c);
    }
    return family;
}

bool ReadGeographic(const WktNode& geogcs, CatalogueDefinitionKey& key)
{
    const WktNode* datum = geogcs.Child("DATUM");
    const WktNode* spheroid = datum ? datum->Child("SPHEROID") : nullptr;
    const WktNode* unit = geogcs.Child("UNIT");
    if (!spheroid || !unit)
        return false;
    key.semiMajor = spheroid->Number(1);
    key.angularUnit = unit->Number(1);
    return std::isfinite(key.semiMajor) && std::isfinite(key.angularUnit);
}

// ---------------------------------------------------------------- the file
// The readers' pieces of the file: at most kLineSize - 1 characters each, as fgets gives them.
bool ReadPieces(FILE* file, std::vector<std::string>& pieces)
{
    CProjectionCatalogue::LineBuffer line;
    while (std::fgets(line, sizeof line, file))
        pieces.emplace_back(line);
    return !std::ferror(file);
}

bool StartsWith(const std::string& piece, const char* prefix)
{
    return piece.compare(0, std::strlen(prefix), prefix) == 0;
}

int ParseInt(const char* text)
{
    const long long value = std::strtoll(text, nullptr, 10);
    return (int)std::clamp<long long>(value, INT_MIN, INT_MAX);
}

std::string WithoutLineEnd(const std::string& text)
{
    std::string s = text;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    std::replace(s.begin(), s.end(), '\n', ' ');
    std::replace(s.begin(), s.end(), '\r', ' ');
    return s;
}

// What identifies one state of the file; the path is kept beside it, so that
// checking an unchanged file allocates nothing.
struct FileVersion {
    long long size = -1;
    long long modifiedSeconds = 0;
    long long modifiedNanoseconds = 0;
    unsigned long long inode = 0;
    unsigned long long device = 0;

    bool operator==(const FileVersion& o) const
    {
        return size == o.size && modifiedSeconds == o.modifiedSeconds &&
               modifiedNanoseconds == o.modifiedNanoseconds && inode == o.inode && device == o.device;
    }
};

FileVersion VersionFrom(const struct stat& status)
{
    FileVersion version;
    version.size = (long long)status.st_size;
    version.modifiedSeconds = (long long)status.st_mtim.tv_sec;
    version.modifiedNanoseconds = (long long)status.st_mtim.tv_nsec;
    version.inode = (unsigned long long)status.st_ino;
    version.device = (unsigned long long)status.st_dev;
    return version;
}

bool VersionOf(const char* path, FileVersion& version)
{
    struct stat status {};
    if (::stat(path, &status) != 0)
        return false;
    version = VersionFrom(status);
    return true;
}

struct Cached {
    std::string path;
    FileVersion version;
    std::unique_ptr<CProjectionCatalogueIndex> index;
    // The index dropped after a rewrite, until the next one takes over what
    // it can of it.
    std::unique_ptr<CProjectionCatalogueIndex> previous;
};

Cached& TheCache()
{
    static Cached cache;
    return cache;
}
}

CatalogueDefinitionKey CatalogueDefinitionKey::FromWkt(const std::string& wkt)
{
    CatalogueDefinitionKey key;
    WktNode root;
    if (!WktParser(WithoutLineEnd(wkt)).Parse(root))
        return key;
    if (root.keyword == "GEOGCS") {
        if (ReadGeographic(root, key))
            key.kind = kGeographic;
        return key;
    }
    if (root.keyword != "PROJCS")
        return key;
    const WktNode* geogcs = root.Child("GEOGCS");
    const WktNode* projection = root.Child("PROJECTION");
    const WktNode* unit = root.Child("UNIT");
    if (!geogcs || !projection || projection->values.empty() || !unit || !ReadGeographic(*geogcs, key))
        return key;
    key.linearUnit = unit->Number(1);
    if (!std::isfinite(key.linearUnit))
        return key;
    key.method = projection->values[0];
    key.methodFamily = FamilyOf(key.method);
    for (const WktNode& child : root.children) {
        if (child.keyword != "PARAMETER" || child.values.size() < 2)
            continue;
        const double value = child.Number(1);
        if (std::isfinite(value))
            key.parameters.emplace_back(child.values[0], value);
    }
    key.kind = kProjected;
    return key;
}

bool CatalogueDefinitionKey::MayMatch(const CatalogueDefinitionKey& other) const
{
    if (kind == kUnknown || other.kind == kUnknown)
        return true;
    if (kind != other.kind)
        return false;
    // The coordinate library compares ellipsoids, units and parameter values
    // to 1e-10 relative; these checks are far looser, so never stricter.
    if (!Close(semiMajor, other.semiMajor, 1e-7, 1e-6))
        return false;
    if (kind == kGeographic)
        return true;
    if (!Close(linearUnit, other.linearUnit, 1e-7, 1e-12))
        return false;
    if (methodFamily != other.methodFamily)
        return false;
    // Values of one method in the same units compare one to one; a rewritten
    // method or other angular units give other numbers for the same system.
    if (method != other.method || !Close(angularUnit, other.angularUnit, 1e-9, 1e-15))
        return true;
    for (const auto& [name, value] : parameters) {
        for (const auto& [otherName, otherValue] : other.parameters) {
            if (name == otherName && !Close(value, otherValue, 1e-7, 1e-7))
                return false;
        }
    }
    return true;
}

std::recursive_mutex& CProjectionCatalogueIndex::Lock()
{
    static std::recursive_mutex mutex;
    return mutex;
}

void CProjectionCatalogueIndex::Drop()
{
    std::lock_guard<std::recursive_mutex> lock(Lock());
    Cached& cache = TheCache();
    std::unique_ptr<CProjectionCatalogueIndex> previous = std::move(cache.index ? cache.index : cache.previous);
    cache = Cached();
    cache.previous = std::move(previous);
}

CProjectionCatalogueIndex* CProjectionCatalogueIndex::For(const char* path, const struct stat* status)
{
    std::lock_guard<std::recursive_mutex> lock(Lock());
    Cached& cache = TheCache();
    FileVersion version;
    if (!path) {
        cache = Cached();
        return nullptr;
    }
    if (status)
        version = VersionFrom(*status);
    else if (!VersionOf(path, version)) {
        cache = Cached();
        return nullptr;
    }
    if (cache.index && cache.version == version && cache.path == path)
        return cache.index.get();
    const std::unique_ptr<CProjectionCatalogueIndex> donor = std::move(cache.index ? cache.index : cache.previous);
    cache = Cached();

    FILE* file = std::fopen(path, "r");
    if (!file)
        return nullptr;
    auto index = std::make_unique<CProjectionCatalogueIndex>();
    const bool read = ReadPieces(file, index->m_pieces);
    std::fclose(file);
    if (!read)
        return nullptr;

    // The first piece of every code, as a scan of every piece finds it, with
    // the group whose id precedes it.
    const std::vector<std::string>& pieces = index->m_pieces;
    int group = -1;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (StartsWith(pieces[i], "GROUP_ID="))
            group = ParseInt(pieces[i].c_str() + 9);
        else if (StartsWith(pieces[i], "EPSG="))
            index->m_firstOfCode.emplace(ParseInt(pieces[i].c_str() + 5), FirstOfCode{i, group});
    }
    // The entries of a lookup: each "EPSG=" piece with the piece after the
    // next as its definition; the scan goes on after the definition.
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (!StartsWith(pieces[i], "EPSG="))
            continue;
        if (i + 2 >= pieces.size())
            break;
        Entry entry;
        entry.code = ParseInt(pieces[i].c_str() + 5);
        entry.definition = i + 2;
        index->m_entries.push_back(std::move(entry));
        i += 2;
    }
    index->TakeOver(donor.get());
    // The file may have changed while it was read: the version is taken again
    // so that a change during the read is seen by the next use.
    FileVersion after;
    if (VersionOf(path, after) && after == version) {
        cache.path = path;
        cache.version = version;
    }
    cache.index = std::move(index);
    return cache.index.get();
}

void CProjectionCatalogueIndex::TakeOver(CProjectionCatalogueIndex* previous)
{
    // A key and an import are functions of the definition's text alone.
    struct Known {
        const CatalogueDefinitionKey* key = nullptr;
        std::unique_ptr<OGRSpatialReference>* imported = nullptr;
    };
    std::unordered_map<std::string_view, Known> known;
    if (previous) {
        known.reserve(previous->m_entries.size());
        for (const Entry& entry : previous->m_entries)
            known[previous->m_pieces[entry.definition]].key = &entry.key;
        for (auto& [piece, srs] : previous->m_imported)
            known[previous->m_pieces[piece]].imported = &srs;
    }
    for (Entry& entry : m_entries) {
        const std::string& text = m_pieces[entry.definition];
        const auto it = known.find(text);
        if (it == known.end() || !it->second.key) {
            entry.key = CatalogueDefinitionKey::FromWkt(text);
        } else {
            entry.key = *it->second.key;
        }
        if (it != known.end() && it->second.imported) {
            m_imported.emplace(entry.definition, std::move(*it->second.imported));
            it->second.imported = nullptr;
        }
    }
}

bool CProjectionCatalogueIndex::FindFirst(int code, size_t* definition, int* group) const
{
    const auto it = m_firstOfCode.find(code);
    if (it == m_firstOfCode.end())
        return false;
    const size_t i = it->second.piece;
    if (definition)
        *definition = i + 2 < m_pieces.size() ? i + 2 : kNoPiece;
    if (group)
        *group = it->second.group;
    return true;
}

const OGRSpatialReference* CProjectionCatalogueIndex::Imported(size_t piece)
{
    if (piece >= m_pieces.size())
        return nullptr;
    const auto found = m_imported.find(piece);
    if (found != m_imported.end())
        return found->second.get();
    const std::string text = WithoutLineEnd(m_pieces[piece]);
    auto srs = std::make_unique<OGRSpatialReference>();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const bool ok = !text.empty() && srs->importFromWkt(text.c_str()) == OGRERR_NONE;
    CPLPopErrorHandler();
    if (ok)
        srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    else
        srs.reset();
    return m_imported.emplace(piece, std::move(srs)).first->second.get();
}

const int* CProjectionCatalogueIndex::FoundBefore(const std::string& wkt) const
{
    const auto it = m_found.find(wkt);
    return it == m_found.end() ? nullptr : &it->second;
}

void CProjectionCatalogueIndex::RememberFound(const std::string& wkt, int code)
{
    // A bound against systems made up by the thousand: the answers start again.
    if (m_found.size() >= 4096)
        m_found.clear();
    m_found.emplace(wkt, code);
}

const int* CProjectionCatalogueIndex::FoundBeforeByTree(const std::string& treeKey) const
{
    const auto it = m_foundByTree.find(treeKey);
    return it == m_foundByTree.end() ? nullptr : &it->second;
}

void CProjectionCatalogueIndex::RememberFoundByTree(const std::string& treeKey, int code)
{
    if (m_foundByTree.size() >= 4096)
        m_foundByTree.clear();
    m_foundByTree.emplace(treeKey, code);
}

namespace {
void AppendQuoted(std::string& out, const char* value)
{
    out += '"';
    for (const char* c = value ? value : ""; *c; ++c) {
        if (*c == '"')
            out += '"';
        out += *c;
    }
    out += '"';
}

// Every value quoted, quotes doubled: two trees write the same text only when
// they are the same tree.
void AppendTree(std::string& out, const OGR_SRSNode& node)
{
    AppendQuoted(out, node.GetValue());
    const int count = node.GetChildCount();
    if (count == 0)
        return;
    out += '[';
    for (int i = 0; i < count; ++i) {
        if (i)
            out += ',';
        AppendTree(out, *node.GetChild(i));
    }
    out += ']';
}
}

bool CProjectionCatalogueIndex::TreeKey(const OGRSpatialReference& srs, std::string& key)
{
    key.clear();
    const OGR_SRSNode* root = srs.GetRoot();
    if (!root || (!EQUAL(root->GetValue(), "GEOGCS") && !EQUAL(root->GetValue(), "PROJCS")))
        return false;
    // The tree names every axis; the WKT the lookup writes names those of a
    // plane system only (a third axis makes it write another form of WKT).
    int axes = 0;
    for (int i = 0; i < root->GetChildCount(); ++i)
        if (EQUAL(root->GetChild(i)->GetValue(), "AXIS"))
            ++axes;
    if (axes != 2)
        return false;
    key.reserve(512);
    AppendTree(key, *root);
    return true;
}

bool CProjectionCatalogueIndex::TreeIsWkt(const std::string& treeKey, const std::string& wkt)
{
    OGR_SRSNode parsed;
    const char* text = wkt.c_str();
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        const OGRErr error = parsed.importFromWkt(&text);
        CPLPopErrorHandler();
        if (error != OGRERR_NONE || *text != '\0')
            return false;
    }
    std::string written;
    written.reserve(treeKey.size());
    AppendTree(written, parsed);
    return written == treeKey;
}
