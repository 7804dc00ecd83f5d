// CArchive's buffered transfer of scalars, strings and objects (CArchive.h): scalars little-endian
// in their Windows sizes, never host structs.
#include "platform/base/CArchive.h"

#include "platform/base/CFile.h"

#include <algorithm>
#include <cstring>
#include <string>

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
    : m_file(file),
      m_loading((mode & load) != 0),
      m_noFlushOnDelete((mode & bNoFlushOnDelete) != 0),
      m_buffer((size_t)(bufferSize < 128 ? 128 : bufferSize))
{
    if (!file)
        AfxThrowInvalidArgException();
    m_fileName = file->GetFilePath();
}

CArchive::~CArchive()
{
    if (!m_file)
        return;
    if (m_noFlushOnDelete) {
        Abort();
        return;
    }
    // A destructor cannot report: a caller that must know whether the data
    // reached the file calls Close itself.
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
        m_file = nullptr;
    }
}

void CArchive::CheckStoring() const
{
    if (!m_file)
        AfxThrowArchiveException(CArchiveException::genericException, m_fileName);
    if (m_loading)
        AfxThrowArchiveException(CArchiveException::readOnly, m_fileName);
}

void CArchive::CheckLoading() const
{
    if (!m_file)
        AfxThrowArchiveException(CArchiveException::genericException, m_fileName);
    if (!m_loading)
        AfxThrowArchiveException(CArchiveException::writeOnly, m_fileName);
}

void CArchive::Write(const void* data, UINT count)
{
    CheckStoring();
    if (count == 0)
        return;
    if (!data)
        AfxThrowInvalidArgException();
    const BYTE* p = static_cast<const BYTE*>(data);
    while (count > 0) {
        if (m_bufPos == m_buffer.size()) {
            m_file->Write(m_buffer.data(), (UINT)m_bufPos);
            m_bufPos = 0;
        }
        const size_t n = std::min<size_t>(count, m_buffer.size() - m_bufPos);
        std::memcpy(m_buffer.data() + m_bufPos, p, n);
        m_bufPos += n;
        p += n;
        count -= (UINT)n;
    }
}

void CArchive::FillBuffer()
{
    m_bufEnd = m_file->Read(m_buffer.data(), (UINT)m_buffer.size());
    m_bufPos = 0;
}

UINT CArchive::Read(void* data, UINT count)
{
    CheckLoading();
    if (count == 0)
        return 0;
    if (!data)
        AfxThrowInvalidArgException();
    BYTE* p = static_cast<BYTE*>(data);
    UINT done = 0;
    while (done < count) {
        if (m_bufPos == m_bufEnd) {
            FillBuffer();
            if (m_bufEnd == 0)
                break;
        }
        const size_t n = std::min<size_t>(count - done, m_bufEnd - m_bufPos);
        std::memcpy(p + done, m_buffer.data() + m_bufPos, n);
        m_bufPos += n;
        done += (UINT)n;
    }
    return done;
}

void CArchive::ReadExact(void* data, UINT count)
{
    if (Read(data, count) != count)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_fileName);
}

void CArchive::Flush()
{
    if (!m_file)
        return;
    if (m_loading) {
        const size_t unread = m_bufEnd - m_bufPos;
        m_bufPos = m_bufEnd = 0;
        if (unread > 0)
            m_file->Seek(-(LONGLONG)unread, CFile::current);
        return;
    }
    if (m_bufPos > 0) {
        const size_t n = m_bufPos;
        m_bufPos = 0;
        m_file->Write(m_buffer.data(), (UINT)n);
    }
}

void CArchive::Close()
{
    if (!m_file)
        return;
    Flush();
    m_file = nullptr;
}

void CArchive::Abort()
{
    m_file = nullptr;
    m_bufPos = m_bufEnd = 0;
}

CArchive& CArchive::operator<<(const char* s)
{
    StoreString(CString(s));
    return *this;
}

void CArchive::WriteCount(DWORD_PTR count)
{
    if (count < 0xFFFF) {
        *this << (WORD)count;
        return;
    }
    *this << (WORD)0xFFFF;
    if (count < 0xFFFFFFFFu) {
        *this << (DWORD)count;
        return;
    }
    *this << (DWORD)0xFFFFFFFFu << (ULONGLONG)count;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD d;
    *this >> d;
    if (d != 0xFFFFFFFFu)
        return d;
    ULONGLONG q;
    *this >> q;
    return (DWORD_PTR)q;
}

void CArchive::StoreString(const CString& s)
{
    // 0xFFFE after 0xFF marks UTF-16 text, so that length takes the DWORD form.
    const DWORD len = (DWORD)s.GetLength();
    if (len < 0xFF) {
        *this << (BYTE)len;
    } else if (len < 0xFFFE) {
        *this << (BYTE)0xFF << (WORD)len;
    } else {
        *this << (BYTE)0xFF << (WORD)0xFFFF << len;
    }
    Write(s.GetString(), len);
}

namespace {
constexpr ULONGLONG kMaxStringBytes = 0x7FFFFFFF;
}

void CArchive::LoadString(CString& s)
{
    // A length prefix, optionally preceded by the marker 0xFF 0xFFFE that
    // announces UTF-16 text (written by 16-bit builds); that text becomes UTF-8.
    bool utf16 = false;
    ULONGLONG len = 0;
    for (;;) {
        BYTE b;
        *this >> b;
        if (b < 0xFF) {
            len = b;
            break;
        }
        WORD w;
        *this >> w;
        if (w == 0xFFFE && !utf16) {
            utf16 = true;
            continue;
        }
        if (w < 0xFFFF) {
            len = w;
            break;
        }
        DWORD d;
        *this >> d;
        if (d < 0xFFFFFFFFu) {
            len = d;
            break;
        }
        *this >> len;
        break;
    }
    const ULONGLONG bytes = utf16 ? len * 2 : len;
    if (bytes > kMaxStringBytes)
        AfxThrowArchiveException(CArchiveException::badIndex, m_fileName);
    std::string data;
    // Read in pieces, so that a corrupt length fails at the end of the file
    // instead of reserving gigabytes first.
    constexpr size_t chunk = 1 << 16;
    while (data.size() < bytes) {
        const size_t n = std::min<size_t>(chunk, (size_t)bytes - data.size());
        const size_t old = data.size();
        data.resize(old + n);
        ReadExact(data.data() + old, (UINT)n);
    }
    if (!utf16) {
        s = CString(std::move(data));
        return;
    }
    std::u16string units(len, u'\0');
    for (size_t i = 0; i < len; ++i)
        units[i] = (char16_t)((BYTE)data[2 * i] | ((BYTE)data[2 * i + 1] << 8));
    s = CString::FromUtf16(units.c_str(), (int)len);
}
