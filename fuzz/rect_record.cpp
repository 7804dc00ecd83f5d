// Fuzz target: the 40-byte rectangle record, read, written back, and taken to the device.
#include "fuzz/FuzzTarget.h"

#include "core/DoubleRect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDoubleRect rect;
    if (!FuzzReadRecord(rect, data, size, "rectangle record round trip"))
        return 0;
    // Every value a record can hold reaches the device bounded.
    const CRect device = rect.ToDeviceRect(0, 0, 1e-3, 600);
    FuzzCheck(std::abs(device.left) <= kDeviceCoordinateLimit && std::abs(device.top) <= kDeviceCoordinateLimit,
              "device rectangle within the device limit");
    rect.Normalize();
    (void)rect.ToDeviceFloatRect(1e30, -1e30, 1e-30, 0);
    return 0;
}
