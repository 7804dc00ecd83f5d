// Fuzz target: the 124-byte label record, read, written back, and drawn turned as stored on a small
// canvas, where every anchor, font and angle must draw in bounded time.
#include "fuzz/FuzzTarget.h"

#include "core/MapLabel.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/testing/FuzzPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    CMapLabel label;
    if (!FuzzReadRecord(label, data, size, "label record round trip", CFloatPoint(0, 0)))
        return 0;
    // The bytes past the record, if any, are its text.
    const size_t textBytes = size > (size_t)CMapLabel::kRecordSize ? size - CMapLabel::kRecordSize : 0;
    label.SetText(textBytes ? CString(reinterpret_cast<const char*>(data) + CMapLabel::kRecordSize, (int)textBytes)
                            : CString("Label"));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(64, 64, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const double ox = 0, oy = 0, zoom = 1;
    label.Select();
    label.Draw(&dc, RECT{0, 0, 64, 64}, &ox, &oy, &zoom);
    dc.SelectObject(old);
    return 0;
}
