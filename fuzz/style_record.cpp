// Fuzz target: the 272-byte style record, read, written back, and turned into its pen, brush and
// symbol font.
#include "fuzz/FuzzTarget.h"

#include "core/MapStyle.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/testing/FuzzPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    if (size < (size_t)CMapStyle::kRecordSize)
        return 0;
    const CMapStyle style(data, (int)size);
    const CMapStyle::Record first = style.ToRecord();
    const CMapStyle again(first.data(), (int)first.size());
    FuzzCheckSameRecord(first, again.ToRecord(), "style record round trip");
    CPen pen;
    style.CreatePen(pen);
    CBrush brush;
    style.CreateBrush(brush);
    CFont font;
    style.CreateSymbolFont(font);
    (void)style.GetSymbolText();
    return 0;
}
