// Temporary folders, small catalogue files and the process-wide settings that
// the projection tests change and give back.
#pragma once

#include "core/Settings.h"
#include "model/projections/ProjectionCatalogue.h"
#include "platform/base/Profile.h"
#include "platform/controls/CComboBox.h"
#include "platform/controls/CListBox.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/CWnd.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <cpl_conv.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
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

// The group combo box and projection list the catalogue fills, with what they show.
using Items = std::vector<std::pair<std::string, int>>;

class Controls {
public:
    Controls()
    {
        AfxRegisterControlClasses();
        m_parent.CreateEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr);
        m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 200, 200), &m_parent, 10);
        m_list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &m_parent, 11);
    }
    ~Controls()
    {
        if (m_parent.GetSafeHwnd())
            m_parent.DestroyWindow();
    }

    HWND Combo() const { return m_combo.GetSafeHwnd(); }
    HWND List() const { return m_list.GetSafeHwnd(); }
    Items ComboItems() const
    {
        Items items;
        for (int i = 0; i < m_combo.GetCount(); ++i) {
            CString text;
            m_combo.GetLBText(i, text);
            items.emplace_back(text.GetString(), (int)m_combo.GetItemData(i));
        }
        return items;
    }
    Items ListItems() const
    {
        Items items;
        for (int i = 0; i < m_list.GetCount(); ++i) {
            CString text;
            m_list.GetText(i, text);
            items.emplace_back(text.GetString(), (int)m_list.GetItemData(i));
        }
        return items;
    }
    void PutStale()
    {
        m_combo.AddString("stale");
        m_list.AddString("stale");
    }

private:
    CWnd m_parent;
    CComboBox m_combo;
    CListBox m_list;
};

// Points the profile, and with it the user's copy of the catalogue, at a
// configuration folder of the test's own, and gives the run's folder back.
class ProfileFolder {
public:
    explicit ProfileFolder(const std::string& config)
    {
        if (const char* saved = std::getenv("XDG_CONFIG_HOME"))
            m_saved = saved;
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        AfxSetProfileKey("Kolvo powered Applications", "Projections test");
    }
    ~ProfileFolder()
    {
        if (m_saved.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", m_saved.c_str(), 1);
        AfxSetProfileKey(nullptr, nullptr);
    }
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;

private:
    std::string m_saved;
};

inline const char* const kCatalogueMissing = "Can not find Projection.dat file in installation directory";

} // namespace projtest
