// Files: CFile (unbuffered, binary), CStdioFile (buffered, text mode by default)
// and CFileFind. Failures of an open file throw CFileException*; Open reports
// its failure by its result and, when given, the exception object.
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"

#include <cstdio>
#include <vector>

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens the file or throws CFileException*.
    CFile(const char* fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Sharing flags are accepted and not enforced: this platform has no
    // mandatory file locks. The text/binary flags matter to CStdioFile only.
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* data, UINT count);
    virtual void Write(const void* data, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual ULONGLONG GetPosition() const;
    // Writes what the file buffers through to the disk.
    virtual void Flush();
    virtual void Close();
    // Closes without throwing; what could not be written is lost.
    virtual void Abort();
    virtual BOOL IsOpen() const { return m_fd >= 0; }

    // The full path given to Open (made absolute); the name is its last
    // component, '/' or '\\' separated; the title is the name without its extension.
    CString GetFilePath() const { return m_path; }
    CString GetFileName() const;
    CString GetFileTitle() const;
    virtual void SetFilePath(const char* path);

    static void Rename(const char* oldName, const char* newName);
    static void Remove(const char* fileName);

protected:
    // Opens the descriptor for Open; FALSE with `error` filled on failure.
    BOOL OpenDescriptor(const char* fileName, UINT openFlags, CFileException* error);
    [[noreturn]] void ThrowErrno(int err) const;
    void CheckOpen() const;

    int m_fd = -1;
    CString m_path;
};

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(const char* fileName, UINT openFlags);
    ~CStdioFile() override;

    // Text mode (the default unless typeBinary is given) writes each "\n" as
    // "\r\n" and reads "\r\n" as "\n", as the Windows files are.
    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* data, UINT count) override;
    void Write(const void* data, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG length) override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    BOOL IsOpen() const override { return m_stream != nullptr; }

    // The next line without its line end ("\n" or "\r\n"); FALSE at the end
    // of the file when nothing was left to read.
    BOOL ReadString(CString& line);
    // At most `maxChars - 1` characters up to and including the "\n"; null at the end.
    char* ReadString(char* buffer, UINT maxChars);
    void WriteString(const char* text);

private:
    enum class Op { none, read, write };
    void Switch(Op op);
    int GetChar();
    void CheckStream() const;
    void ThrowStreamError() const;

    FILE* m_stream = nullptr;
    bool m_text = true;
    Op m_lastOp = Op::none;
};

// Walks the files of a folder that match a pattern ("*" and "?" in the last
// component; "*.*" matches every name).
class CFileFind : public CObject {
public:
    CFileFind();
    ~CFileFind() override;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // TRUE when something matches; FindNextFile then moves to the first match.
    BOOL FindFile(const char* pattern = nullptr, DWORD unused = 0);
    // Moves to the next match; FALSE when that match is the last one.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetRoot() const;
    ULONGLONG GetLength() const;
    BOOL IsDirectory() const;
    BOOL IsDots() const;

private:
    struct Match {
        CString name;
        bool directory = false;
        ULONGLONG length = 0;
    };
    const Match* Current() const;

    std::vector<Match> m_matches;
    CString m_root;
    size_t m_next = 0;      // index of the match the next FindNextFile moves to
    bool m_found = false;   // FindNextFile has moved to a match
};
