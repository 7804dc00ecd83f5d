// Stream operations in the manner of the C standard I/O functions; the memory
// stream grows in whole pages and reads whole items only.
#include "raster/RasterStream.h"

#include <cstdlib>
#include <cstring>

bool CRasterStream::PutC(unsigned char c)
{
    return Write(&c, 1, 1) == 1;
}

CRasterMemStream::CRasterMemStream(BYTE* buffer, DWORD size)
    : m_pBuffer(buffer), m_nSize((LONG)size), m_bOwnsBuffer(buffer == nullptr), m_nCapacity((LONG)size)
{
}

CRasterMemStream::~CRasterMemStream()
{
    Close();
}

bool CRasterMemStream::Open()
{
    if (m_pBuffer)
        return false;
    m_nSize = m_nCapacity = m_nPosition = 0;
    m_pBuffer = static_cast<BYTE*>(std::malloc(1));
    m_bOwnsBuffer = true;
    return m_pBuffer != nullptr;
}

BYTE* CRasterMemStream::GetBuffer(bool detach)
{
    m_bOwnsBuffer = !detach;
    return m_pBuffer;
}

bool CRasterMemStream::Close()
{
    if (m_pBuffer && m_bOwnsBuffer) {
        std::free(m_pBuffer);
        m_pBuffer = nullptr;
        m_nSize = 0;
    }
    return true;
}

void CRasterMemStream::Free()
{
    Close();
}

bool CRasterMemStream::Alloc(DWORD needed)
{
    if ((DWORD)m_nCapacity >= needed)
        return true;
    const DWORD capacity = (DWORD)m_nCapacity + ((needed - (DWORD)m_nCapacity + 4095) / 4096) * 4096;
    BYTE* grown = static_cast<BYTE*>(m_pBuffer ? std::realloc(m_pBuffer, capacity) : std::malloc(capacity));
    if (!grown)
        return false;
    m_pBuffer = grown;
    m_bOwnsBuffer = true;
    m_nCapacity = (LONG)capacity;
    return true;
}

size_t CRasterMemStream::Read(void* buffer, size_t size, size_t count)
{
    if (!m_pBuffer || !buffer || m_nPosition > m_nSize)
        return 0;
    size_t bytes = size * count;
    if (bytes == 0)
        return 0;
    if ((size_t)m_nPosition + bytes > (size_t)m_nSize)
        bytes = (size_t)(m_nSize - m_nPosition);
    std::memcpy(buffer, m_pBuffer + m_nPosition, bytes);
    m_nPosition += (LONG)bytes;
    return bytes / size;
}

size_t CRasterMemStream::Write(const void* buffer, size_t size, size_t count)
{
    if (!m_pBuffer || !buffer || size * count == 0)
        return 0;
    const size_t bytes = size * count;
    if ((size_t)m_nPosition + bytes > (size_t)m_nCapacity && !Alloc((DWORD)(m_nPosition + bytes)))
        return 0;
    std::memcpy(m_pBuffer + m_nPosition, buffer, bytes);
    m_nPosition += (LONG)bytes;
    if (m_nPosition > m_nSize)
        m_nSize = m_nPosition;
    return count;
}

bool CRasterMemStream::Seek(long offset, int origin)
{
    if (!m_pBuffer)
        return false;
    long position;
    switch (origin) {
    case 0: position = offset; break;
    case 1: position = m_nPosition + offset; break;
    case 2: position = m_nSize + offset; break;
    default: return false;
    }
    if (position < 0)
        return false;
    m_nPosition = (LONG)position;
    return true;
}

long CRasterMemStream::Tell()
{
    return m_pBuffer ? m_nPosition : -1;
}

long CRasterMemStream::Size()
{
    return m_pBuffer ? m_nSize : -1;
}

bool CRasterMemStream::Flush()
{
    return m_pBuffer != nullptr;
}

bool CRasterMemStream::Eof()
{
    return !m_pBuffer || m_nPosition >= m_nSize;
}

long CRasterMemStream::Error()
{
    if (!m_pBuffer)
        return -1;
    return m_nPosition > m_nSize ? 1 : 0;
}

long CRasterMemStream::GetC()
{
    if (Eof())
        return -1;
    return m_pBuffer[m_nPosition++];
}
