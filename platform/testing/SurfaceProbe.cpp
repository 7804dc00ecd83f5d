// The test's own drawing surface (SurfaceProbe.h).
#include "platform/testing/SurfaceProbe.h"

#include "platform/gdi/CDC.h"

#include <QImage>
#include <QRegion>

struct TestSurface::Image {
    QImage image;
};

namespace {

QRgb ToQRgb(COLORREF color) { return qRgb(GetRValue(color), GetGValue(color), GetBValue(color)); }

} // namespace

TestSurface::TestSurface(int width, int height, COLORREF fill)
    : m_image(new Image{QImage(width, height, QImage::Format_RGB32)})
{
    Fill(fill);
}

TestSurface::~TestSurface() = default;

TestSurface::TestSurface(const TestSurface& other) : m_image(new Image{other.m_image->image.copy()}) {}

TestSurface& TestSurface::operator=(const TestSurface& other)
{
    // The QImage object stays where it is, so that attached DCs keep drawing into it.
    if (this != &other)
        m_image->image = other.m_image->image.copy();
    return *this;
}

bool TestSurface::operator==(const TestSurface& other) const { return m_image->image == other.m_image->image; }

int TestSurface::Width() const { return m_image->image.width(); }
int TestSurface::Height() const { return m_image->image.height(); }

void TestSurface::Fill(COLORREF color) { m_image->image.fill(ToQRgb(color)); }

COLORREF TestSurface::GetPixel(int x, int y) const
{
    if (!m_image->image.valid(x, y))
        return CLR_INVALID;
    const QRgb p = m_image->image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

void TestSurface::SetPixel(int x, int y, COLORREF color)
{
    if (m_image->image.valid(x, y))
        m_image->image.setPixel(x, y, ToQRgb(color));
}

void TestSurface::AttachTo(CDC& dc, const RECT* clip)
{
    if (!clip) {
        dc.AttachSurface(&m_image->image);
        return;
    }
    const QRegion region(QRect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top));
    dc.AttachSurface(&m_image->image, &region);
}

bool TestSurface::IsSurfaceOf(const CDC& dc) const { return dc.GetSurface() == &m_image->image; }
