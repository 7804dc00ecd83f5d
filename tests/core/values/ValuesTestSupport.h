// Helpers of the value-type tests: buffers that end at an unreadable page, raw
// little-endian fields, temporary files and a memory DC to read pixels from.
#pragma once

#include "platform/base/Afx.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "tests/support/TempFolder.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

// `size` bytes whose last byte is the last readable one: a read past the end
// faults at once instead of going unnoticed.
class GuardedBuffer {
public:
    GuardedBuffer(const void* data, size_t size)
    {
        const size_t page = (size_t)sysconf(_SC_PAGESIZE);
        m_length = ((size + page - 1) / page + 1) * page;
        m_base = (BYTE*)mmap(nullptr, m_length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        mprotect(m_base + m_length - page, page, PROT_NONE);
        m_data = m_base + m_length - page - size;
        if (size)
            std::memcpy(m_data, data, size);
    }
    ~GuardedBuffer() { munmap(m_base, m_length); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    const BYTE* data() const { return m_data; }

private:
    BYTE* m_base = nullptr;
    size_t m_length = 0;
    BYTE* m_data = nullptr;
};

inline void Put32(BYTE* p, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = (BYTE)(v >> (8 * i));
}
inline DWORD Get32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }
inline void PutF32(BYTE* p, float f)
{
    DWORD v;
    std::memcpy(&v, &f, 4);
    Put32(p, v);
}
inline void PutFace(BYTE* p, const char16_t* face)
{
    for (int i = 0; i < 32; ++i) {
        const char16_t c = *face ? *face++ : 0;
        p[2 * i] = (BYTE)c;
        p[2 * i + 1] = (BYTE)(c >> 8);
    }
}

// A path in a fresh temporary folder, removed with the object.
class TempPath {
public:
    explicit TempPath(const char* name) : m_path(m_folder.Path() + "/" + name) {}
    const char* c_str() const { return m_path.c_str(); }

private:
    testsupport::TempFolder m_folder{"kv-values-"};
    std::string m_path;
};

// A white 32-bit bitmap selected into a memory DC.
class PixelCanvas {
public:
    PixelCanvas(int width, int height) : m_width(width), m_height(height)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.PatBlt(0, 0, width, height, WHITENESS);
    }
    ~PixelCanvas() { m_dc.SelectObject(m_old); }
    CDC* dc() { return &m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF at(int x, int y) const { return m_dc.GetPixel(x, y); }

    // Bounding box of the pixels that satisfy `ink` (right and bottom exclusive);
    // empty when there are none.
    CRect InkBox(const CRect& area, const std::function<bool(COLORREF)>& ink) const
    {
        CRect box(0, 0, 0, 0);
        bool any = false;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (ink(at(x, y))) {
                    if (!any)
                        box = CRect(x, y, x + 1, y + 1);
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                    any = true;
                }
        return box;
    }
    CRect InkBox(const std::function<bool(COLORREF)>& ink) const { return InkBox(CRect(0, 0, m_width, m_height), ink); }

private:
    int m_width;
    int m_height;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

inline bool IsNotWhite(COLORREF c) { return c != RGB(255, 255, 255); }
