// CArchive: the class library's binary stream over a CFile. Scalars are stored
// little-endian in their Windows sizes. A string is its bytes after a length:
// one byte below 0xFF; else 0xFF and a WORD below 0xFFFE; else 0xFF, 0xFFFF and
// a DWORD. Failures throw CArchiveException* (and CFileException* from the file).
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"

#include <bit>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "archive scalars are little-endian and are copied from host memory");

class CFile;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // The file stays the caller's: closing the archive flushes it but leaves it open.
    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_loading; }
    BOOL IsStoring() const { return !m_loading; }
    CFile* GetFile() const { return m_file; }

    // Reads up to `count` bytes; fewer only at the end of the file.
    UINT Read(void* data, UINT count);
    void Write(const void* data, UINT count);
    // Storing: writes the buffer to the file. Loading: gives the bytes read
    // ahead back to the file, so that its position is where the archive stopped.
    void Flush();
    void Close();
    // Closes without writing what is buffered and without throwing.
    void Abort();

    // Element counts of collections: a WORD, or 0xFFFF and a DWORD, or 0xFFFF,
    // 0xFFFFFFFF and a 64-bit count.
    void WriteCount(DWORD_PTR count);
    DWORD_PTR ReadCount();

    CArchive& operator<<(BYTE v) { return WriteScalar(v); }
    CArchive& operator<<(char v) { return WriteScalar(v); }
    CArchive& operator<<(WORD v) { return WriteScalar(v); }
    CArchive& operator<<(SHORT v) { return WriteScalar(v); }
    CArchive& operator<<(WCHAR v) { return WriteScalar(v); }
    CArchive& operator<<(LONG v) { return WriteScalar(v); }   // also int and BOOL
    CArchive& operator<<(DWORD v) { return WriteScalar(v); }  // also UINT
    CArchive& operator<<(LONGLONG v) { return WriteScalar(v); }
    CArchive& operator<<(ULONGLONG v) { return WriteScalar(v); }
    CArchive& operator<<(float v) { return WriteScalar(v); }
    CArchive& operator<<(double v) { return WriteScalar(v); }
    // A text literal is a string, never a truth value.
    CArchive& operator<<(const char* s);

    CArchive& operator>>(BYTE& v) { return ReadScalar(v); }
    CArchive& operator>>(char& v) { return ReadScalar(v); }
    CArchive& operator>>(WORD& v) { return ReadScalar(v); }
    CArchive& operator>>(SHORT& v) { return ReadScalar(v); }
    CArchive& operator>>(WCHAR& v) { return ReadScalar(v); }
    CArchive& operator>>(LONG& v) { return ReadScalar(v); }
    CArchive& operator>>(DWORD& v) { return ReadScalar(v); }
    CArchive& operator>>(LONGLONG& v) { return ReadScalar(v); }
    CArchive& operator>>(ULONGLONG& v) { return ReadScalar(v); }
    CArchive& operator>>(float& v) { return ReadScalar(v); }
    CArchive& operator>>(double& v) { return ReadScalar(v); }

private:
    friend CArchive& operator<<(CArchive& ar, const CString& s);
    friend CArchive& operator>>(CArchive& ar, CString& s);
    void StoreString(const CString& s);
    void LoadString(CString& s);

    template <class T> CArchive& WriteScalar(T v);
    template <class T> CArchive& ReadScalar(T& v);
    void ReadExact(void* data, UINT count);
    void FillBuffer();
    void CheckStoring() const;
    void CheckLoading() const;

    CFile* m_file;
    bool m_loading;
    bool m_noFlushOnDelete;
    std::vector<BYTE> m_buffer;
    size_t m_bufPos = 0;   // next byte to read or to write
    size_t m_bufEnd = 0;   // loading: bytes valid in the buffer
    CString m_fileName;
};

template <class T> CArchive& CArchive::WriteScalar(T v)
{
    Write(&v, sizeof v);
    return *this;
}

template <class T> CArchive& CArchive::ReadScalar(T& v)
{
    ReadExact(&v, sizeof v);
    return *this;
}

inline CArchive& operator<<(CArchive& ar, const CString& s)
{
    ar.StoreString(s);
    return ar;
}

inline CArchive& operator>>(CArchive& ar, CString& s)
{
    ar.LoadString(s);
    return ar;
}
