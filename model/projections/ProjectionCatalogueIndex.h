// The projection catalogue held in memory, once per process and per version of
// the file: its pieces as the readers see them (at most kLineSize - 1
// characters each), the first entry of every code, and for every entry the key
// of its definition that a lookup compares before it imports anything.
//
// Invariants:
// - The index answers exactly as a scan of the file from its head would: the
//   first entry of a code wins, and the entries of FindCode are those its scan
//   would step through, in file order.
// - It stands for one state of the file: path, size, modification time and
//   inode are checked on every use, so a rewrite by this or another process is
//   read again; CProjectionCatalogue drops it after its own rewrites too.
// - A definition key is a necessary condition of sameness: two definitions
//   whose keys do not match never import as the same system, so skipping them
//   cannot change which entry is found first.
// - Imported systems are kept per entry once made; callers get clones. Keys
//   and imported systems depend on a definition's text alone, so an index
//   read after a rewrite takes them over for the definitions it still holds.
// Main thread use; a mutex keeps a stray second thread from breaking it.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class OGRSpatialReference;
struct stat;

// What a one-line WKT says of its system without importing it.
struct CatalogueDefinitionKey {
    enum Kind { kUnknown, kGeographic, kProjected };
    Kind kind = kUnknown;       // kUnknown: compare fully with anything
    double semiMajor = 0;       // of the ellipsoid, in metres
    double angularUnit = 0;     // radians per unit of the geographic system
    double linearUnit = 0;      // metres per unit (projected systems)
    std::string method;         // PROJECTION name
    std::string methodFamily;   // methods that may be rewritten into each other
    std::vector<std::pair<std::string, double>> parameters;

    static CatalogueDefinitionKey FromWkt(const std::string& wkt);
    // False only when the two definitions cannot be the same system.
    bool MayMatch(const CatalogueDefinitionKey& other) const;
};

class CProjectionCatalogueIndex {
public:
    struct Entry {
        int code = 0;
        size_t definition = 0;   // index of its definition piece
        CatalogueDefinitionKey key;
    };

    // The index of the catalogue at `path`, read anew when the file changed;
    // null when the file cannot be opened. The reference stays valid until the
    // next call of For or Drop. `status`, when given, is the caller's status
    // of `path` taken during this call, used in place of a second one.
    static CProjectionCatalogueIndex* For(const char* path, const struct stat* status = nullptr);
    static void Drop();
    // The lock the callers hold while they use an index.
    static std::recursive_mutex& Lock();

    static constexpr size_t kNoPiece = (size_t)-1;
    // The piece after the piece after the first "EPSG=<code>" piece, as
    // kNoPiece when the file ends first; false when the code is absent.
    bool FindFirst(int code, size_t* definition, int* group) const;
    const std::string& Piece(size_t i) const { return m_pieces[i]; }
    // The entries a lookup steps through, in file order.
    const std::vector<Entry>& Entries() const { return m_entries; }
    // The system of the definition piece, imported once with the traditional
    // GIS axis order; null when it does not import.
    const OGRSpatialReference* Imported(size_t piece);
    // Answers of earlier lookups by the one-line WKT of the system looked up:
    // a lookup compares the system and that WKT read back, so a system that
    // writes the same WKT gets the same entry.
    const int* FoundBefore(const std::string& wkt) const;
    void RememberFound(const std::string& wkt, int code);

    // The same answers by the system's node tree (TreeKey), which a system
    // holds ready while its WKT must be written anew on every call. A tree
    // key is remembered only where the tree is exactly the WKT the answer was
    // found for (TreeIsWkt), so equal trees mean equal WKT.
    const int* FoundBeforeByTree(const std::string& treeKey) const;
    void RememberFoundByTree(const std::string& treeKey, int code);
    // The node tree of a plane geographic or projected system written out with
    // every value quoted; false (and nothing to look up) for other systems and
    // for trees that do not name both axes.
    static bool TreeKey(const OGRSpatialReference& srs, std::string& key);
    // Whether `wkt` parses to the tree that `treeKey` was written from.
    static bool TreeIsWkt(const std::string& treeKey, const std::string& wkt);

private:
    // Sets the keys of the entries, taking over from the index this one
    // replaces (or null) the keys and imported systems of definitions whose
    // text is unchanged, so that a rewrite does not cost a full reading.
    void TakeOver(CProjectionCatalogueIndex* previous);

    struct FirstOfCode {
        size_t piece;   // index of the "EPSG=" piece
        int group;      // the last GROUP_ID before it, -1 when none
    };
    std::vector<std::string> m_pieces;
    std::unordered_map<int, FirstOfCode> m_firstOfCode;
    std::vector<Entry> m_entries;
    std::unordered_map<size_t, std::unique_ptr<OGRSpatialReference>> m_imported;   // null: does not import
    std::unordered_map<std::string, int> m_found;
    std::unordered_map<std::string, int> m_foundByTree;
};
