// The journal is a text file of the set's paths, one a line, written under a
// temporary name, synchronised and renamed: it exists whole or not at all.
#include "core/FileSetCommit.h"

#include "core/SQLiteException.h"
#include "platform/base/CFile.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {
const char* const kStagedSuffix = ".part";
FileSetCommitProbe g_probe = nullptr;

void Probe(int step)
{
    if (g_probe)
        g_probe(step);
}

CString StagedName(const CString& path)
{
    return path + kStagedSuffix;
}

bool Exists(const CString& path)
{
    std::error_code error;
    return std::filesystem::exists(path.GetString(), error);
}

void Remove(const CString& path)
{
    std::error_code error;
    std::filesystem::remove(path.GetString(), error);
}

// Moves the staged file of `path` onto it; nothing when it was moved already.
void MoveIntoPlace(const CString& path)
{
    const CString staged = StagedName(path);
    if (Exists(staged))
        MoveStagedFile(staged, path);
}

void WriteJournal(const CString& journal, const std::vector<CString>& paths)
{
    const CString temporary = journal + kStagedSuffix;
    std::string text;
    for (const CString& path : paths)
        text += std::string(path.GetString()) + "\n";
    try {
        CFile out;
        if (!out.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
            throw CSQLiteException("Cannot write " + journal);
        out.Write(text.data(), (UINT)text.size());
        out.Flush();
        out.Close();
    } catch (CFileException* e) {
        e->Delete();
        Remove(temporary);
        throw CSQLiteException("Cannot write " + journal);
    }
    std::error_code error;
    std::filesystem::rename(temporary.GetString(), journal.GetString(), error);
    if (error) {
        Remove(temporary);
        throw CSQLiteException("Cannot write " + journal);
    }
}
}

void SetFileSetCommitProbe(FileSetCommitProbe probe)
{
    g_probe = probe;
}

void MoveStagedFile(const CString& staged, const CString& path)
{
    Remove(path + "-journal");
    std::error_code error;
    std::filesystem::rename(staged.GetString(), path.GetString(), error);
    if (error)
        throw CSQLiteException("Cannot replace " + path + ": " + error.message().c_str());
}

CFileSetCommit::CFileSetCommit(const CString& anchor) : m_strJournal(anchor + ".journal") {}

CFileSetCommit::~CFileSetCommit()
{
    if (m_bCommitted)
        return;
    for (const CString& path : m_Paths)
        Remove(StagedName(path));
}

CString CFileSetCommit::Stage(const CString& path)
{
    m_Paths.push_back(path);
    return StagedName(path);
}

void CFileSetCommit::Commit()
{
    if (m_Paths.empty())
        return;
    int step = 0;
    Probe(step++);
    WriteJournal(m_strJournal, m_Paths);
    m_bCommitted = true;
    Probe(step++);
    for (const CString& path : m_Paths) {
        MoveIntoPlace(path);
        Probe(step++);
    }
    Remove(m_strJournal);
    Probe(step);
}

void RecoverFileSet(const CString& anchor)
{
    const CString journal = anchor + ".journal";
    // A journal still under its temporary name was never complete: its set was
    // not committed.
    Remove(journal + kStagedSuffix);
    std::ifstream in(journal.GetString(), std::ios::binary);
    if (!in)
        return;
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            MoveIntoPlace(line.c_str());
    in.close();
    Remove(journal);
}
