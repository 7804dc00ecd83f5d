// The projection catalogue's readers, lookup and atomic rewrite; a rewrite that may not
// replace the installed file goes to the user's copy, and no entry is written that
// the readers could not read back.
#include "model/projections/ProjectionCatalogue.h"

#include "model/projections/ProjectionCatalogueIndex.h"

#include "core/Utilities.h"
#include "platform/base/Clock.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Profile.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/CWnd.h"
#include "resources/resource.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogr_spatialref.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

CString g_ProjectionCatalogPath;

namespace {
const char* const kCatalogueMissing = "Can not find Projection.dat file in installation directory";
const char* const kCatalogueName = "Projections.dat";

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

FilePtr OpenCatalogue()
{
    if (g_ProjectionCatalogPath.IsEmpty())
        CProjectionCatalogue::InitPath();
    return FilePtr(std::fopen(g_ProjectionCatalogPath, "r"));
}

// The catalogue, or null when it is missing. `status` is one the caller took
// of the catalogue's path during this call, or null.
CProjectionCatalogueIndex* Index(const struct stat* status = nullptr)
{
    if (g_ProjectionCatalogPath.IsEmpty())
        CProjectionCatalogue::InitPath();
    return CProjectionCatalogueIndex::For(g_ProjectionCatalogPath, status);
}

// The catalogue's index, or null after telling the user that the file is missing.
CProjectionCatalogueIndex* IndexOrReport(const struct stat* status = nullptr)
{
    CProjectionCatalogueIndex* index = Index(status);
    if (!index)
        AfxMessageBox(kCatalogueMissing, MB_OK, 0);
    return index;
}

FilePtr OpenCatalogueOrReport()
{
    FilePtr file = OpenCatalogue();
    if (!file)
        AfxMessageBox(kCatalogueMissing, MB_OK, 0);
    return file;
}

// The catalogue as its readers see it: pieces of at most kLineSize - 1
// characters, each normally one line; the last piece read can be given back.
class LineReader {
public:
    explicit LineReader(FILE* file) : m_file(file) {}
    const char* Next()
    {
        if (m_pushedBack) {
            m_pushedBack = false;
            return m_line;
        }
        return std::fgets(m_line, sizeof m_line, m_file) ? m_line : nullptr;
    }
    void PushBack() { m_pushedBack = true; }

private:
    FILE* m_file;
    CProjectionCatalogue::LineBuffer m_line = {};
    bool m_pushedBack = false;
};

bool StartsWith(const char* line, const char* prefix)
{
    return std::strncmp(line, prefix, std::strlen(prefix)) == 0;
}

bool StartsWith(const std::string& line, const char* prefix)
{
    return StartsWith(line.c_str(), prefix);
}

// atoi, with values beyond the int range clamped instead of undefined.
int ParseInt(const char* text)
{
    const long long value = std::strtoll(text, nullptr, 10);
    return (int)std::clamp<long long>(value, INT_MIN, INT_MAX);
}

// The text after the first `skip` characters of a header line, as a number.
int HeaderValue(const char* line, size_t skip)
{
    return std::strlen(line) >= skip ? ParseInt(line + skip) : 0;
}

void CopyTrimmed(CProjectionCatalogue::LineBuffer& out, const char* text)
{
    const size_t length = std::min(std::strlen(text), sizeof out - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
    CProjectionCatalogue::TrimLineEnd(out);
}

std::string WithoutLineEnd(const char* text)
{
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    // One item per line: a line end inside would break the file's structure.
    std::replace(s.begin(), s.end(), '\n', ' ');
    std::replace(s.begin(), s.end(), '\r', ' ');
    return s;
}

// GDAL reports a definition that does not import on stderr; here that is an
// answer, not an error.
class QuietGdalErrors {
public:
    QuietGdalErrors() { CPLPushErrorHandler(CPLQuietErrorHandler); }
    ~QuietGdalErrors() { CPLPopErrorHandler(); }
    QuietGdalErrors(const QuietGdalErrors&) = delete;
    QuietGdalErrors& operator=(const QuietGdalErrors&) = delete;
};

bool ImportDefinition(const char* definition, OGRSpatialReference& srs)
{
    const std::string text = WithoutLineEnd(definition);
    QuietGdalErrors quiet;
    if (text.empty() || srs.importFromWkt(text.c_str()) != OGRERR_NONE)
        return false;
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return true;
}

// Whether the system of a catalogue definition is `srs`: the same system in the
// same linear units. WKT prints a unit's factor with fewer digits than a double
// holds (the US survey foot comes back one bit off), so the factors need only
// agree to that precision; different units differ by far more.
bool IsSameSystem(const OGRSpatialReference& stored, const OGRSpatialReference& srs)
{
    // A system is the same whichever axis order its data use.
    const char* const options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", nullptr};
    if (!stored.IsSame(&srs, options))
        return false;
    const double a = stored.GetLinearUnits(), b = srs.GetLinearUnits();
    return a == b || std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

// Whether a catalogue line of `prefix` and `text` reads back whole: the readers
// take at most kLineSize - 1 characters a piece, the line end included.
bool FitsOnALine(const char* prefix, const std::string& text)
{
    return std::strlen(prefix) + text.size() <= (size_t)CProjectionCatalogue::kLineSize - 2;
}

// The user's own copy of the catalogue, in the folder of the profile: appended
// systems go there when the installed file may not be replaced.
CString UserCopyPath()
{
    const std::filesystem::path profile(AfxGetProfilePath().GetString());
    return CString((profile.parent_path() / kCatalogueName).string().c_str());
}

// Whether this process may write `path`. The superuser passes every access()
// test, so a file or folder that grants nobody write permission counts as
// read-only for him too.
bool IsWritable(const std::filesystem::path& path)
{
    using std::filesystem::perms;
    std::error_code error;
    const perms permissions = std::filesystem::status(path, error).permissions();
    if (error)
        return false;
    if ((permissions & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
        return false;
    return access(path.c_str(), W_OK) == 0;
}

// Whether a rewrite may replace the catalogue at `path`: it writes a temporary
// file in the same folder and renames it over the old one.
bool MayReplace(const CString& path)
{
    const std::filesystem::path file(path.GetString());
    std::error_code error;
    if (std::filesystem::exists(file, error) && !IsWritable(file))
        return false;
    return IsWritable(file.has_parent_path() ? file.parent_path() : std::filesystem::path("."));
}

// Where a rewrite of the catalogue goes: in place when it may be replaced, else
// the user's copy; empty when neither is possible (the catalogue is the user's
// copy and may not be replaced).
CString RewriteTarget()
{
    if (MayReplace(g_ProjectionCatalogPath))
        return g_ProjectionCatalogPath;
    const CString userCopy = UserCopyPath();
    return userCopy == g_ProjectionCatalogPath ? CString() : userCopy;
}

// MayReplace for lookups, which ask it every time: the answer is kept while the
// catalogue and its folder keep their identity, owner, permissions and status
// change times and the process its user, so two status reads replace the five
// calls of the full test. The status of the catalogue read for this goes to
// `fileStatusOut`, where `filePresent` says there is one.
bool MayReplaceKept(const CString& path, struct stat* fileStatusOut, bool* filePresent)
{
    struct Status {
        bool present = false;
        struct stat s {};
        bool operator==(const Status& o) const
        {
            if (present != o.present)
                return false;
            return !present
                || (s.st_dev == o.s.st_dev && s.st_ino == o.s.st_ino && s.st_mode == o.s.st_mode && s.st_uid == o.s.st_uid
                    && s.st_gid == o.s.st_gid && s.st_ctim.tv_sec == o.s.st_ctim.tv_sec
                    && s.st_ctim.tv_nsec == o.s.st_ctim.tv_nsec);
        }
    };
    struct Kept {
        std::string path, folder;
        Status file, folderStatus;
        uid_t user = 0;
        gid_t group = 0;
        bool answer = false;
        bool valid = false;
    };
    static Kept kept;
    // The folder is worked out once per path; a lookup then allocates nothing.
    if (kept.path != path.GetString()) {
        const std::filesystem::path file(path.GetString());
        kept = Kept{};
        kept.path = path.GetString();
        kept.folder = (file.has_parent_path() ? file.parent_path() : std::filesystem::path(".")).string();
    }
    Status fileStatus, folderStatus;
    fileStatus.present = ::stat(kept.path.c_str(), &fileStatus.s) == 0;
    folderStatus.present = ::stat(kept.folder.c_str(), &folderStatus.s) == 0;
    *filePresent = fileStatus.present;
    if (fileStatus.present)
        *fileStatusOut = fileStatus.s;
    const uid_t user = geteuid();
    const gid_t group = getegid();
    if (kept.valid && kept.file == fileStatus && kept.folderStatus == folderStatus && kept.user == user
        && kept.group == group)
        return kept.answer;
    kept.file = fileStatus;
    kept.folderStatus = folderStatus;
    kept.user = user;
    kept.group = group;
    kept.answer = MayReplace(path);
    kept.valid = true;
    return kept.answer;
}

// When the catalogue may not be replaced but the user's copy exists, that copy
// is the catalogue from now on: it holds what this or another run appended, and
// a rewrite that started from the installed file would lose those entries and
// hand out their codes again. True when `status` then holds the status of the
// catalogue's path, taken here.
bool FollowUserCopy(struct stat* status = nullptr)
{
    if (g_ProjectionCatalogPath.IsEmpty())
        CProjectionCatalogue::InitPath();
    struct stat taken {};
    bool present = false;
    if (MayReplaceKept(g_ProjectionCatalogPath, &taken, &present)) {
        if (status && present)
            *status = taken;
        return present;
    }
    const CString userCopy = UserCopyPath();
    std::error_code error;
    if (std::filesystem::exists(userCopy.GetString(), error) && userCopy != g_ProjectionCatalogPath) {
        g_ProjectionCatalogPath = userCopy;
        return false;
    }
    if (status && present)
        *status = taken;
    return present;
}

// The old catalogue's lines, whole, for the rewrite: a line too long for the
// readers is still copied as it is, so that a rewrite never loses text.
bool ReadWholeLines(const CString& path, std::vector<std::string>& lines)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    if (!in)
        return false;
    for (std::string line; std::getline(in, line);)
        lines.push_back(std::move(line));
    return true;
}

void RemoveFile(const CString& path)
{
    std::error_code error;
    std::filesystem::remove(path.GetString(), error);
}
}

void CProjectionCatalogue::InitPath()
{
    std::error_code error;
    // The user's copy holds the installed systems and those appended since.
    const CString userCopy = UserCopyPath();
    if (std::filesystem::exists(userCopy.GetString(), error)) {
        g_ProjectionCatalogPath = userCopy;
        return;
    }
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    CString path = kCatalogueName;
    if (!error && program.has_parent_path()) {
        // Beside the program (a build folder), else where the installation puts
        // the program's data relative to the program's folder.
        const std::filesystem::path folder = program.parent_path();
        std::filesystem::path found = folder / kCatalogueName;
#ifdef KV_DATA_FROM_PROGRAM
        std::error_code missing;
        if (!std::filesystem::exists(found, missing))
            found = (folder / KV_DATA_FROM_PROGRAM / kCatalogueName).lexically_normal();
#endif
        path = found.string().c_str();
    }
    g_ProjectionCatalogPath = path;
    // The design's second place, the map library's install folder recorded in
    // the machine registry, does not exist here: the answer is the one of a
    // machine without that library.
    if (!std::filesystem::exists(path.GetString(), error))
        MessageBoxFromId(IDS_LIBRARY_NOT_IN_REGISTRY);
}

int CProjectionCatalogue::GetDefinition(int code, LineBuffer& definition)
{
    std::lock_guard<std::recursive_mutex> lock(CProjectionCatalogueIndex::Lock());
    CProjectionCatalogueIndex* index = IndexOrReport();
    size_t piece = CProjectionCatalogueIndex::kNoPiece;
    if (!index || !index->FindFirst(code, &piece, nullptr) || piece == CProjectionCatalogueIndex::kNoPiece)
        return 0;
    const std::string& text = index->Piece(piece);
    std::memcpy(definition, text.c_str(), text.size() + 1);
    return 1;
}

OGRSpatialReference* CProjectionCatalogue::CreateSpatialReference(int code)
{
    std::lock_guard<std::recursive_mutex> lock(CProjectionCatalogueIndex::Lock());
    CProjectionCatalogueIndex* index = IndexOrReport();
    size_t piece = CProjectionCatalogueIndex::kNoPiece;
    if (!index || !index->FindFirst(code, &piece, nullptr) || piece == CProjectionCatalogueIndex::kNoPiece)
        return nullptr;
    const OGRSpatialReference* imported = index->Imported(piece);
    if (!imported)
        return nullptr;
    // The clone keeps the traditional GIS axis order the import set.
    return imported->Clone();
}

int CProjectionCatalogue::GetGroupID(int code)
{
    std::lock_guard<std::recursive_mutex> lock(CProjectionCatalogueIndex::Lock());
    CProjectionCatalogueIndex* index = Index();
    int group = -1;
    if (!index || !index->FindFirst(code, nullptr, &group))
        return -1;
    return group;
}

void CProjectionCatalogue::FillGroupCombo(HWND combo)
{
    ::SendMessage(combo, CB_RESETCONTENT, 0, 0);
    FilePtr file = OpenCatalogueOrReport();
    if (!file)
        return;
    LineReader reader(file.get());
    while (const char* line = reader.Next()) {
        if (!StartsWith(line, "GROUP="))
            continue;
        LineBuffer name;
        CopyTrimmed(name, line + 6);
        const char* next = reader.Next();
        if (!next)
            break;
        if (!StartsWith(next, "GROUP_ID=")) {
            // Not a group; the line may start the next one.
            reader.PushBack();
            continue;
        }
        const int id = ParseInt(next + 9);
        // The index the box gives, which a sorted box does not give in file order.
        const LRESULT index = ::SendMessage(combo, CB_ADDSTRING, 0, (LPARAM)name);
        if (index >= 0)
            ::SendMessage(combo, CB_SETITEMDATA, (WPARAM)index, (LPARAM)id);
    }
}

void CProjectionCatalogue::FillProjectionList(int groupId, HWND list)
{
    ::SendMessage(list, LB_RESETCONTENT, 0, 0);
    FilePtr file = OpenCatalogueOrReport();
    if (!file)
        return;
    LineReader reader(file.get());
    bool found = false;
    while (const char* line = reader.Next()) {
        if (StartsWith(line, "GROUP_ID=") && ParseInt(line + 9) == groupId) {
            found = true;
            break;
        }
    }
    if (!found)
        return;
    for (;;) {
        const char* line = reader.Next();
        if (!line || !StartsWith(line, "EPSG="))
            break;
        const int code = ParseInt(line + 5);
        if (code == 0)
            break;
        line = reader.Next();
        if (!line || !StartsWith(line, "TITLE="))
            break;
        LineBuffer title;
        CopyTrimmed(title, line + 6);
        // Only an entry with its definition can be chosen.
        if (!reader.Next())
            break;
        const LRESULT index = ::SendMessage(list, LB_ADDSTRING, 0, (LPARAM)title);
        if (index >= 0)
            ::SendMessage(list, LB_SETITEMDATA, (WPARAM)index, (LPARAM)code);
    }
}

int CProjectionCatalogue::FindCode(OGRSpatialReference* srs)
{
    if (!srs)
        return -1;
    struct stat status {};
    const bool statusTaken = FollowUserCopy(&status);
    {
        std::lock_guard<std::recursive_mutex> lock(CProjectionCatalogueIndex::Lock());
        CProjectionCatalogueIndex* index = IndexOrReport(statusTaken ? &status : nullptr);
        if (!index) // appending would need the same file
            return -1;
        // Writing the WKT costs more than all the rest of a repeated lookup;
        // the tree the system holds answers those.
        std::string treeKey;
        if (CProjectionCatalogueIndex::TreeKey(*srs, treeKey)) {
            if (const int* code = index->FoundBeforeByTree(treeKey))
                return *code;
        }
        // The system as the catalogue would hold it: a definition line keeps
        // only what one-line WKT says, so a system built from the registry is
        // compared in that form too (names with quotes, zoned grids).
        std::string exported;
        {
            char* wkt = nullptr;
            QuietGdalErrors quiet;
            if (srs->exportToWkt(&wkt) == OGRERR_NONE && wkt)
                exported = WithoutLineEnd(wkt);
            CPLFree(wkt);
        }
        // Equal trees of equal WKT: the tree may stand for this WKT from now on.
        const auto remember = [&](int code) {
            if (exported.empty())
                return;
            index->RememberFound(exported, code);
            if (!treeKey.empty() && CProjectionCatalogueIndex::TreeIsWkt(treeKey, exported))
                index->RememberFoundByTree(treeKey, code);
        };
        if (!exported.empty()) {
            if (const int* code = index->FoundBefore(exported)) {
                const int found = *code;
                remember(found);
                return found;
            }
        }
        const CatalogueDefinitionKey key = CatalogueDefinitionKey::FromWkt(exported);
        // The first entry of the system itself; only when there is none, the
        // first entry of its one-line form read back.
        std::unique_ptr<OGRSpatialReference> readBack;
        const OGRSpatialReference* query = srs;
        for (int pass = 0; pass < 2 && query; ++pass) {
            for (const CProjectionCatalogueIndex::Entry& entry : index->Entries()) {
                if (!entry.key.MayMatch(key))
                    continue;
                const OGRSpatialReference* candidate = index->Imported(entry.definition);
                if (candidate && IsSameSystem(*candidate, *query)) {
                    remember(entry.code);
                    return entry.code;
                }
            }
            readBack = std::make_unique<OGRSpatialReference>();
            query = !exported.empty() && ImportDefinition(exported.c_str(), *readBack) ? readBack.get() : nullptr;
        }
    }
    return AppendSystem(srs, -1, -1);
}

int CProjectionCatalogue::AppendSystem(OGRSpatialReference* srs, int groupId, int code)
{
    if (!srs)
        return -1;
    FollowUserCopy();
    LineBuffer first = {}, second = {};
    {
        FilePtr file = OpenCatalogueOrReport();
        if (!file)
            return -1;
        if (!std::fgets(first, sizeof first, file.get()) || !std::fgets(second, sizeof second, file.get()))
            second[0] = '\0';
    }
    if (groupId == -1) {
        const long long nextGroup = (long long)HeaderValue(first, 8) + 1;
        const long long nextCode = (long long)HeaderValue(second, 9) + 1;
        if (nextGroup > INT_MAX || nextCode > INT_MAX)
            return -1;
        groupId = (int)nextGroup;
        code = (int)nextCode;
    }
    char* wkt = nullptr;
    const OGRErr exported = srs->exportToWkt(&wkt);
    const std::string definition = WithoutLineEnd(wkt);
    CPLFree(wkt);
    // An entry that would not be found again would be appended anew by every
    // lookup of the system.
    OGRSpatialReference stored;
    if (exported != OGRERR_NONE || !ImportDefinition(definition.c_str(), stored) || !IsSameSystem(stored, *srs))
        return -1;
    if (!WriteEntry(groupId, code, definition.c_str(), nullptr, nullptr))
        return -1;
    return code;
}

BOOL CProjectionCatalogue::WriteEntry(int groupId, int code, const char* definition, const char* title,
                                      const char* groupName)
{
    FollowUserCopy();
    const CString source = g_ProjectionCatalogPath;

    LineBuffer wktTitle;
    GetTitleFromWkt(definition, wktTitle);
    const std::string titleText = WithoutLineEnd(title ? title : wktTitle);
    const std::string groupText = groupName ? WithoutLineEnd(groupName) : titleText;
    const std::string definitionText = WithoutLineEnd(definition);
    // A line the readers would cut in pieces breaks its entry: it could be
    // neither chosen nor found again.
    if (!FitsOnALine("", definitionText) || !FitsOnALine("TITLE=", titleText) || !FitsOnALine("GROUP=", groupText))
        return FALSE;

    const auto fail = [](const CString& path) {
        AfxMessageBox("Can not write the projection catalogue " + path, MB_OK, 0);
        return FALSE;
    };
    std::vector<std::string> lines;
    std::error_code error;
    // A catalogue that is there but cannot be read would be replaced by the new entry alone.
    if (!ReadWholeLines(source, lines) && std::filesystem::exists(source.GetString(), error))
        return fail(source);
    const CString target = RewriteTarget();
    if (target.IsEmpty())
        return fail(source);
    if (target != source)
        std::filesystem::create_directories(std::filesystem::path(target.GetString()).parent_path(), error);
    // The counters never go back: codes handed out before stay unique.
    int maxGroup = groupId, maxCode = code;
    if (lines.size() >= 2) {
        maxGroup = std::max(maxGroup, HeaderValue(lines[0].c_str(), 8));
        maxCode = std::max(maxCode, HeaderValue(lines[1].c_str(), 9));
    }

    std::srand(GetTickCount());
    CString temporary;
    for (int attempt = 0;; ++attempt) {
        if (attempt == 1000)
            return fail(target);
        temporary.Format("%stempfile_%d", target.GetString(), std::rand());
        FilePtr existing(std::fopen(temporary, "r"));
        if (!existing)
            break;
    }

    FILE* out = std::fopen(temporary, "w");
    bool written = out != nullptr;
    if (written) {
        std::fprintf(out, "MAX_GRP=%d\n", maxGroup);
        std::fprintf(out, "MAX_EPSG=%d\n", maxCode);
        bool replaced = false;
        const size_t count = lines.size();
        for (size_t i = 0; i < count;) {
            if (!StartsWith(lines[i], "GROUP=") || i + 1 >= count || !StartsWith(lines[i + 1], "GROUP_ID=")) {
                ++i;
                continue;
            }
            std::fprintf(out, "%s\n%s\n", lines[i].c_str(), lines[i + 1].c_str());
            const int group = ParseInt(lines[i + 1].c_str() + 9);
            i += 2;
            while (i + 2 < count && StartsWith(lines[i], "EPSG=") && StartsWith(lines[i + 1], "TITLE=")) {
                if (!replaced && group == groupId && ParseInt(lines[i].c_str() + 5) == code) {
                    std::fprintf(out, "%s\nTITLE=%s\n%s\n", lines[i].c_str(), titleText.c_str(),
                                 definitionText.c_str());
                    replaced = true;
                } else {
                    std::fprintf(out, "%s\n%s\n%s\n", lines[i].c_str(), lines[i + 1].c_str(), lines[i + 2].c_str());
                }
                i += 3;
            }
        }
        if (!replaced)
            std::fprintf(out, "GROUP=%s\nGROUP_ID=%d\nEPSG=%d\nTITLE=%s\n%s\n", groupText.c_str(), groupId, code,
                         titleText.c_str(), definitionText.c_str());
        written = !std::ferror(out);
        written = std::fclose(out) == 0 && written;
    }
    if (written && target == source) {
        // A catalogue rewritten in place keeps its permissions; a new user copy
        // gets the default ones, so that its owner can extend it again.
        const auto permissions = std::filesystem::status(source.GetString(), error).permissions();
        if (!error)
            std::filesystem::permissions(temporary.GetString(), permissions, error);
    }
    // rename replaces the old catalogue in one step: there is always a complete one.
    if (written)
        written = std::rename(temporary, target) == 0;
    if (!written) {
        RemoveFile(temporary);
        return fail(target);
    }
    g_ProjectionCatalogPath = target;
    CProjectionCatalogueIndex::Drop();
    return TRUE;
}

void CProjectionCatalogue::GetTitleFromWkt(const char* definition, LineBuffer& title)
{
    const char* start = definition ? std::strchr(definition, '"') : nullptr;
    size_t length = 0;
    if (start) {
        ++start;
        const char* end = std::strchr(start, '"');
        length = end ? (size_t)(end - start) : std::strcspn(start, "\r\n");
    }
    length = std::min(length, (size_t)kLineSize - 2);
    if (length)
        std::memcpy(title, start, length);
    std::replace(title, title + length, '\n', ' ');
    std::replace(title, title + length, '\r', ' ');
    title[length] = '\n';
    title[length + 1] = '\0';
}

void CProjectionCatalogue::TrimLineEnd(char* text)
{
    if (!text)
        return;
    size_t length = std::strlen(text);
    while (length > 1 && std::strchr("\n\r \t", text[length - 1]))
        text[--length] = '\0';
}
