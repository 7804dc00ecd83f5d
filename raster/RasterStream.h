// The byte streams through which images are read and written, with the
// operations of the C standard I/O functions. CRasterMemStream is a growable
// block of memory from the C heap: its buffer can be handed over to a caller
// that frees it with free().
#pragma once

#include "platform/base/WinTypes.h"

#include <cstddef>

class CRasterStream {
public:
    CRasterStream() = default;
    CRasterStream(const CRasterStream&) = default;
    CRasterStream& operator=(const CRasterStream&) = default;
    virtual ~CRasterStream() = default;

    virtual bool Close() = 0;
    // Number of whole items read or written.
    virtual size_t Read(void* buffer, size_t size, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t size, size_t count) = 0;
    // origin 0 from the start, 1 from the current position, 2 from the end.
    virtual bool Seek(long offset, int origin) = 0;
    virtual long Tell() = 0;
    virtual long Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual long Error() = 0;
    virtual bool PutC(unsigned char c);
    // The byte 0..255, or -1.
    virtual long GetC() = 0;
};

class CRasterMemStream : public CRasterStream {
public:
    // Over a caller's block (not owned unless a write grows it), or none.
    explicit CRasterMemStream(BYTE* buffer = nullptr, DWORD size = 0);
    // Copying would make two streams free one block.
    CRasterMemStream(const CRasterMemStream&) = delete;
    CRasterMemStream& operator=(const CRasterMemStream&) = delete;
    ~CRasterMemStream() override;

    // Starts an empty owned buffer; false while a buffer is attached.
    bool Open();
    // The buffer; with `detach` the caller takes it over (and frees it with free()).
    BYTE* GetBuffer(bool detach = true);

    bool Close() override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    size_t Write(const void* buffer, size_t size, size_t count) override;
    bool Seek(long offset, int origin) override;
    long Tell() override;
    long Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    long GetC() override;

protected:
    // Grows the capacity to at least `needed` in whole steps of 4096 bytes;
    // false (old block kept) when the heap has no block.
    bool Alloc(DWORD needed);
    void Free();

private:
    BYTE* m_pBuffer = nullptr;
    LONG m_nSize = 0;
    bool m_bOwnsBuffer = false;
    LONG m_nPosition = 0;
    LONG m_nCapacity = 0;
};
