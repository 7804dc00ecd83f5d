// The property dialogs under test: a map of one layer on a file in a temporary
// folder, objects stored in it, and the file opened again in a new map.
#pragma once

#include "core/MapField.h"
#include "core/MapFieldValue.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapText.h"
#include "platform/dialogs/CDialog.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "tests/model/layers/LayerFileMaps.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace proptest {

class MapFixture : public ::testing::Test {
protected:
    MapFixture() : m_folder("kvprops") {}

    virtual std::vector<CMapField> Fields() const { return {}; }

    void SetUp() override
    {
        m_path = m_folder.File("Props.klz");
        ASSERT_TRUE(layerfile::CreateLayerFile(m_path, "Props", Fields()));
        Open();
    }

    // A new map with the file opened into a new layer that knows its path, in
    // a window of 200 x 200 pixels at two pixels a unit.
    void Open()
    {
        layer = nullptr;
        layer = layerfile::OpenInNewMap(model, m_path, 200, 2.0);
        ASSERT_NE(layer, nullptr);
        layer->SetFilePath(m_path);
    }

    // Commits the layer's writes and opens the file in a new map.
    void SaveAndReopen()
    {
        layer->SaveProperties();
        Open();
    }

    CMapText* AddText(const char* words, float x, float y, float size = 24.0f)
    {
        auto text = std::make_unique<CMapText>();
        text->SetText(words);
        text->MoveTo(CFloatPoint(x, y));
        text->SetFontSize(size);
        layer->AddObject(text.get(), TRUE);
        return text.release(); // the layer keeps it
    }

    // The layer's own object with that id after a reopen.
    template <typename T>
    T* Find(int id)
    {
        return dynamic_cast<T*>(layer->LoadObject(id, TRUE));
    }

    testsupport::TempFolder m_folder;
    CString m_path;
    std::unique_ptr<CMapModel> model;
    CMapLayer* layer = nullptr;
};

// Sets a control's text as typing it would.
inline void Type(CWnd& dialog, int id, const char* text) { dialog.GetDlgItem(id)->SetWindowText(text); }

inline CString TextOf(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItem(id)->GetWindowText(text);
    return text;
}

inline void Check(CWnd& dialog, int id, bool on)
{
    dialog.GetDlgItem(id)->SendMessage(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace proptest
