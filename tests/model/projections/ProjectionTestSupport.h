// Temporary folders, small catalogue files and the process-wide settings that
// the projection tests change and give back.
#pragma once

#include "core/Settings.h"
#include "model/ProjectionCatalogue.h"
#include "platform/testing/ModalRecorder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <cpl_conv.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace projtest {

class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder("kvproj") {}
};

inline std::string ReadText(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const CString& path, const std::string& text)
{
    std::ofstream(path.GetString(), std::ios::binary | std::ios::trunc) << text;
}

// The one-line WKT that GDAL exports for an EPSG code.
inline std::string Wkt(int epsg)
{
    OGRSpatialReference srs;
    EXPECT_EQ(srs.importFromEPSG(epsg), OGRERR_NONE) << epsg;
    char* wkt = nullptr;
    srs.exportToWkt(&wkt);
    std::string text = wkt ? wkt : "";
    CPLFree(wkt);
    return text;
}

inline std::string Entry(int code, const std::string& title, const std::string& definition)
{
    return "EPSG=" + std::to_string(code) + "\nTITLE=" + title + "\n" + definition + "\n";
}

// Two groups: "Geographic" (id 1: 4326, 4803) and "UTM" (id 7: 32632).
inline std::string TwoGroups()
{
    return "MAX_GRP=7\nMAX_EPSG=900000\n"
           "GROUP=Geographic  \nGROUP_ID=1\n" +
           Entry(4326, "WGS 84", Wkt(4326)) + Entry(4803, "Lisbon (Lisbon)", Wkt(4803)) +
           "GROUP=UTM\nGROUP_ID=7\n" + Entry(32632, "WGS 84 / UTM zone 32N", Wkt(32632));
}

// Points the catalogue at a file of the test's own, answers every message box,
// and gives the catalogue path and the coordinate-system preference back.
class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() : m_savedPath(g_ProjectionCatalogPath), m_savedSystem(g_CoordinationSystem)
    {
        m_catalogue = m_folder.File("Projections.dat");
        g_ProjectionCatalogPath = m_catalogue;
    }
    ~CatalogueTest() override
    {
        g_ProjectionCatalogPath = m_savedPath;
        g_CoordinationSystem = m_savedSystem;
    }

    void Write(const std::string& text) { WriteText(m_catalogue, text); }
    std::string Read() const { return ReadText(m_catalogue); }
    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& box : m_boxes.Boxes())
            texts.push_back(box.text.GetString());
        return texts;
    }

    TempFolder m_folder;
    CString m_catalogue;
    ModalRecorder m_boxes;

private:
    CString m_savedPath;
    int m_savedSystem;
};

// The catalogue of TwoGroups and a group "Broken" whose one entry (code 55)
// does not import; new maps take 4803; the spherical preference is given back.
class MapProjection : public CatalogueTest {
protected:
    MapProjection() : m_savedSpherical(g_UseSpherical)
    {
        Write(TwoGroups() + "GROUP=Broken\nGROUP_ID=2\n" + Entry(55, "Broken", "PROJCS[\"broken\""));
        g_CoordinationSystem = 4803;
    }
    ~MapProjection() override { g_UseSpherical = m_savedSpherical; }

private:
    int m_savedSpherical;
};

inline const char* const kCatalogueMissing = "Can not find Projection.dat file in installation directory";

} // namespace projtest
