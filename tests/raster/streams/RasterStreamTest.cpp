// The memory stream the image objects encode into: growth in whole pages, reads
// of whole items only, seeking within and past the end, and a stream that was
// never opened.
#include "raster/RasterStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RasterMemStream, GrowsInWholePagesAndReadsWholeItems)
{
    CRasterMemStream stream;
    ASSERT_TRUE(stream.Open());
    const std::vector<BYTE> data(5000, 7);
    EXPECT_EQ(stream.Write(data.data(), 1, data.size()), 5000u);
    EXPECT_EQ(stream.Size(), 5000);
    EXPECT_TRUE(stream.Eof());
    BYTE buffer[40];
    EXPECT_EQ(stream.Read(buffer, 4, 10), 0u);
    ASSERT_TRUE(stream.Seek(-37, 2));
    EXPECT_EQ(stream.Read(buffer, 4, 10), 9u);
    EXPECT_EQ(stream.Tell(), 5000);
    EXPECT_FALSE(stream.Seek(-1, 0));
    EXPECT_FALSE(stream.Seek(0, 3));
    ASSERT_TRUE(stream.Seek(10, 2));
    EXPECT_EQ(stream.Error(), 1);
    EXPECT_TRUE(stream.PutC(1));
    EXPECT_EQ(stream.Size(), 5011);
    CRasterMemStream none;
    EXPECT_EQ(none.Tell(), -1);
    EXPECT_EQ(none.Size(), -1);
}

} // namespace
