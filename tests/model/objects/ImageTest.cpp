// Image objects in layer rows: the property record (292 bytes and 16 per
// control point) round-trips, the encoded image is written back as it was
// read, and an empty image leaves mapeGeoData NULL.
#include "tests/model/objects/LayerTestSupport.h"

#include "model/objects/MapImage.h"
#include "raster/RasterStream.h"

#include <cstdlib>

namespace {

Bytes ImageRecord(int controlPoints)
{
    CMapStyle style;
    style.SetPenColor(RGB(4, 5, 6));
    Bytes record(292 + 16 * controlPoints, 0);
    style.WriteRecord(record.data());
    Scribble(record, 0, 4);
    Scribble(record, 268, 4);
    MapRecord::PutDword(record.data() + 272, 1);
    MapRecord::PutDword(record.data() + 276, RGB(1, 2, 3));
    MapRecord::PutDword(record.data() + 280, (DWORD)-20);
    MapRecord::PutDword(record.data() + 284, 35);
    MapRecord::PutDword(record.data() + 288, 3);
    for (int i = 0; i < controlPoints; ++i) {
        BYTE* p = record.data() + 292 + 16 * i;
        MapRecord::PutDword(p, (DWORD)(i * 100 - 7));
        MapRecord::PutDword(p + 4, (DWORD)(i * 50));
        MapRecord::PutFloat(p + 8, 1000.5f + i);
        MapRecord::PutFloat(p + 12, -2000.25f - i);
    }
    return record;
}

const Bytes kPicture{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 1, 2, 3};

class ImageRows : public LayerFile {};

TEST_F(ImageRows, PropertyRecordRoundTripsWithItsControlPoints)
{
    const Bytes record = ImageRecord(2);
    ASSERT_EQ(record.size(), 324u);
    InsertRow(5, MAP_OBJECT_IMAGE, record, RectRecord(0, 0, 200, 100), kPicture);
    CMapImage image;
    LoadRow(&image, 5);
    EXPECT_EQ(image.GetTransparent(), 1);
    EXPECT_EQ(image.GetTransparentColor(), RGB(1, 2, 3));
    EXPECT_EQ(image.m_nBrightness, -20);
    EXPECT_EQ(image.m_nContrast, 35);
    EXPECT_EQ(image.GetImageFormat(), 3);
    ASSERT_EQ(image.GetControlPoints().GetCount(), 2);
    EXPECT_EQ(image.GetControlPoints().GetTail().imageX, 93);
    EXPECT_EQ(image.GetStyle()->GetPenColor(), RGB(4, 5, 6));
    EXPECT_FALSE(image.GetStyle()->IsModified());

    image.GetStyle()->SetModified(true);
    image.SaveChanges();
    const Bytes stored = *Blob("mapeProperty", 5);
    ASSERT_EQ(stored.size(), record.size());
    EXPECT_TRUE(std::equal(record.begin() + 4, record.begin() + 268, stored.begin() + 4));
    EXPECT_TRUE(std::equal(record.begin() + 272, record.end(), stored.begin() + 272));
    EXPECT_EQ(Blob("mapeGeoData", 5), kPicture);   // never rewritten by a save
}

TEST_F(ImageRows, ShortRecordsAreNotReadPastTheirEnd)
{
    struct Case {
        size_t size;
        bool read;
        int points;
    };
    const Case cases[] = {{291, false, 0}, {292, true, 0}, {300, true, 0}, {308, true, 1}, {323, true, 1}};
    int id = 10;
    for (const Case& c : cases) {
        Bytes record = ImageRecord(2);
        record.resize(c.size);
        InsertRow(id, MAP_OBJECT_IMAGE, record, RectRecord(0, 0, 1, 1), std::nullopt);
        CMapImage image;
        LoadRow(&image, id++);
        EXPECT_EQ(image.GetImageFormat(), c.read ? 3 : 0) << c.size;
        EXPECT_EQ(image.GetControlPoints().GetCount(), c.points) << c.size;
    }
}

TEST_F(ImageRows, EncodeWritesTheStoredBytesAndFailsForAnEmptyImage)
{
    InsertRow(6, MAP_OBJECT_IMAGE, ImageRecord(0), RectRecord(0, 0, 1, 1), kPicture);
    CMapImage image;
    LoadRow(&image, 6);
    CRasterMemStream file;
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(image.EncodeImage(file));
    ASSERT_EQ(file.Size(), (long)kPicture.size());
    BYTE* bytes = file.GetBuffer(true);
    EXPECT_TRUE(std::equal(kPicture.begin(), kPicture.end(), bytes));
    std::free(bytes);

    CMapImage empty;
    CRasterMemStream none;
    none.Open();
    EXPECT_FALSE(empty.EncodeImage(none));
    EXPECT_EQ(none.Size(), 0);
}

TEST_F(ImageRows, FirstInsertStoresTheEncodedImageOrNull)
{
    InsertRow(6, MAP_OBJECT_IMAGE, ImageRecord(1), RectRecord(0, 0, 1, 1), kPicture);
    CMapImage loaded;
    LoadRow(&loaded, 6);
    std::unique_ptr<CMapObject> copy(loaded.Clone(layer));
    EXPECT_EQ(Blob("mapeGeoData", copy->GetMapeID()), kPicture);
    EXPECT_EQ(Blob("mapeProperty", copy->GetMapeID())->size(), 308u);

    std::unique_ptr<CMapImage> empty(new CMapImage);
    layer->AddObject(empty.get(), TRUE);
    EXPECT_EQ(Blob("mapeGeoData", empty->GetMapeID()), std::nullopt);
    EXPECT_EQ(DwordAt(*Blob("mapeProperty", empty->GetMapeID()), 276), g_lastTransparentColor);
}

}
