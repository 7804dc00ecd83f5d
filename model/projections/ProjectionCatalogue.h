// The projection catalogue "Projections.dat": the coordinate systems a map can
// use, in groups, each under a code (its EPSG code, or one this program assigned
// when it appended the system) with a title and a one-line WKT definition.
//
// File format, one item a line:
//   MAX_GRP=<highest group id>
//   MAX_EPSG=<highest code assigned to an appended system>
//   GROUP=<name>
//   GROUP_ID=<id>
//   EPSG=<code>        three lines per entry, repeated; a group's entries end at
//   TITLE=<title>      the first line that is not "EPSG=" followed by "TITLE="
//   <definition>
// Lines are read in pieces of at most kLineSize - 1 characters, so a line of
// kLineSize characters or more breaks the entry it belongs to.
//
// The lookups by code and FindCode answer from an index of the file read once
// per version of it (ProjectionCatalogueIndex.h); the list fillers read the
// file themselves. Either way the answer is the one a scan from the head gives.
// The catalogue is the installed file next to the program, or the user's copy
// beside the profile once one exists: a rewrite that may not replace the
// installed file writes that copy instead. Every rewrite is atomic (a complete
// temporary file renamed over the old one).
#pragma once

#include "platform/base/Afx.h"

class OGRSpatialReference;

// Full name of the catalogue file; empty until CProjectionCatalogue::InitPath.
extern CString g_ProjectionCatalogPath;

class CProjectionCatalogue {
public:
    // The read buffer of every line, definitions included.
    static constexpr int kLineSize = 1000;
    using LineBuffer = char[kLineSize];

    CProjectionCatalogue() = delete;

    // The user's copy "Projections.dat" in the folder of the profile when it
    // exists, else "Projections.dat" in the folder of the program file. The
    // install folder of the map library is not recorded anywhere on this
    // platform, so when neither file exists the user is told so and the path
    // next to the program is kept.
    static void InitPath();

    // Every reader determines the path first when it is still empty.

    // Copies the definition line of `code` (with its line end) into `definition`;
    // 1 when found, 0 when the code is absent or its entry cut off by the end of
    // the file.
    static int GetDefinition(int code, LineBuffer& definition);
    // A new system imported from the definition of `code`, with the traditional
    // GIS axis order; null when the code is absent or does not import. The
    // caller owns it.
    static OGRSpatialReference* CreateSpatialReference(int code);
    // The id of the group that holds the first entry of `code`; -1 when the code
    // is absent or the file cannot be opened (without a message).
    static int GetGroupID(int code);
    // Fills a combo box with the group names in file order, each with its group
    // id as item data.
    static void FillGroupCombo(HWND combo);
    // Fills a list box with the titles of the group `groupId`, each with its
    // code as item data.
    static void FillProjectionList(int groupId, HWND list);
    // The code of the first entry that imports as the same system in the same
    // linear units (equal to the precision WKT keeps); a system the catalogue
    // lacks is appended and gets a new code. -1 when the file cannot be read or
    // written, or the system cannot be stored so that it is found again.
    static int FindCode(OGRSpatialReference* srs);
    // Writes `srs` as a new entry; with group id -1 the group id and the code
    // continue the header counters. Returns the code of the entry, or -1 when
    // the catalogue cannot be read or rewritten, or the definition would not
    // fit on one line or not read back as the same system.
    static int AppendSystem(OGRSpatialReference* srs, int groupId, int code);
    // Rewrites the catalogue with the entry: it replaces the first entry of
    // `code` in the group `groupId`, else it is appended as a group of its own.
    // `title` and `groupName` may be null (the name in the definition is
    // taken). A catalogue that may not be replaced is copied with the entry to
    // the user's copy, which is the catalogue from then on. FALSE, with the old
    // file as it was, when a line of the entry would not fit on a catalogue
    // line (silently) or the file cannot be written (told to the user).
    static BOOL WriteEntry(int groupId, int code, const char* definition, const char* title,
                           const char* groupName);
    // The characters between the first and the second double quote of the
    // definition, followed by a line end; just the line end without a quote.
    static void GetTitleFromWkt(const char* definition, LineBuffer& title);
    // Removes trailing line ends and blanks, never the first character.
    static void TrimLineEnd(char* text);
};
