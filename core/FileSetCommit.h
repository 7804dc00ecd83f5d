// Replacing several files so that they change together. Each new file is
// first written whole under its staging name (its own name + ".part"); Commit
// then writes a journal naming the set, moves every staged file onto its own
// name and removes the journal. The journal is the commit point:
//   - a process ended before the journal exists leaves every old file (and
//     some staged files, which are never read);
//   - one ended after leaves a journal, and RecoverFileSet, run by the reader
//     of the set before it reads, finishes the moves.
// So a reader that recovers first finds all the old files or all the new ones.
// The files are SQLite databases: a rollback journal left beside a replaced
// file belongs to its old content and goes with it, or SQLite would play it
// back into the new one.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

class CFileSetCommit {
public:
    // The journal is `anchor` + ".journal"; RecoverFileSet(anchor) reads it.
    explicit CFileSetCommit(const CString& anchor);
    // Removes the staged files of a set that was not committed.
    ~CFileSetCommit();
    CFileSetCommit(const CFileSetCommit&) = delete;
    CFileSetCommit& operator=(const CFileSetCommit&) = delete;

    // Adds `path` to the set; the name under which its new content is to be
    // written whole before Commit. Files move in the order they were added.
    CString Stage(const CString& path);
    bool IsEmpty() const { return m_Paths.empty(); }

    // Moves every staged file onto its own name. Throws CSQLiteException when
    // the journal cannot be written (nothing was replaced) or a move fails
    // (the journal stays, for RecoverFileSet to finish).
    void Commit();

private:
    CString m_strJournal;
    std::vector<CString> m_Paths;
    bool m_bCommitted = false;
};

// Called at every step of a commit with the step's number: 0 before the
// journal is written, 1 once it is, then 2, 3, ... after each move, and last
// after the journal is gone. A test stops a process there to see what an
// interruption at that very point leaves. None by default.
using FileSetCommitProbe = void (*)(int step);
void SetFileSetCommitProbe(FileSetCommitProbe probe);

// Moves the whole new database file `staged` onto `path`, first dropping a
// rollback journal left beside the file it replaces. Throws CSQLiteException.
void MoveStagedFile(const CString& staged, const CString& path);

// Finishes a commit of the set anchored at `anchor` that was cut off after its
// journal was written; nothing when there is no journal. Throws
// CSQLiteException when a move fails (the journal stays).
void RecoverFileSet(const CString& anchor);
