// The label options of a Layer Control row: the label field reaching the layer
// at once, the block's colours and switches through Apply, the colours becoming
// the defaults of new styles, the font dialog, and the preview as it is drawn.
#include "core/MapStyle.h"
#include "core/Settings.h"
#include "dialogs/LabelOptionsDlg.h"
#include "dialogs/LayerControlDlg.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"
#include "tests/dialogs/layers/LayerDialogsTestSupport.h"

#include <cstring>

using namespace layertest;

namespace {

class LabelOptions : public ::testing::Test {
protected:
    LabelOptions()
        : folder("kvlabel"), savedText(g_DefaultTextColor), savedBack(g_DefaultTextBkColor),
          savedPen(g_NewObjectPenColor)
    {
        layer = AddLayerFile(map.model, folder, "Wells",
                             {CMapField("Name", FIELD_TYPE_STRING, 10), CMapField("Kind", FIELD_TYPE_STRING, 10)});
        AddNode(layer, 1, 1, {"north", "deep"});
        AddNode(layer, 2, 2, {"south", "dry"});
        row.m_pLayer = layer;
        layer->GetLabelProperties(row.m_LabelProperties);
    }
    ~LabelOptions() override
    {
        g_DefaultTextColor = savedText;
        g_DefaultTextBkColor = savedBack;
        g_NewObjectPenColor = savedPen;
    }
    // Drops the picker and moves `steps` cells to the right before taking the cell.
    static COLORREF Pick(CUiDropColorButton& button, int steps)
    {
        button.SetFocus();
        AfxTestProcessEvents();
        AfxTestKeyStroke(button.GetSafeHwnd(), VK_DOWN);
        AfxTestProcessEvents();
        for (int i = 0; i < steps; ++i)
            AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_RIGHT);
        AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_RETURN);
        AfxTestProcessEvents();
        return button.GetColor();
    }
    std::vector<std::string> LabelTexts()
    {
        layer->SaveProperties();
        RawFile raw(layer->GetFilePath());
        return raw.Column("select mapeLabelText from _MapGeoData order by mapeID;");
    }

    testsupport::TempFolder folder;
    FakeMapWindow map;
    CMapLayer* layer = nullptr;
    CLayerControlRow row;
    DialogAnswerer answers;
    ModalRecorder boxes;
    COLORREF savedText, savedBack;
    int savedPen;
};

TEST_F(LabelOptions, TheFieldReachesTheLayerAtOnceAndTheColoursBecomeDefaults)
{
    COLORREF line = 0, text = 0;
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLabelOptionsDlg&>(w);
        EXPECT_EQ(dlg.m_cbField.GetCount(), 2);
        EXPECT_EQ(dlg.m_cbField.GetCurSel(), -1) << "no label field yet";
        EXPECT_EQ(TextOf(dlg, IDC_LABEL_OFFSET), "2");
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_LABEL_ROTATE), (UINT)BST_CHECKED);
        dlg.m_cbField.SetFocus();
        Key(dlg.m_cbField.GetSafeHwnd(), VK_DOWN);
        Key(dlg.m_cbField.GetSafeHwnd(), VK_DOWN);
        Click(dlg, IDC_LABEL_LINE);
        line = Pick(dlg.m_btnLine, 3);
        text = Pick(dlg.m_btnForeground, 1);
        return ClickButton(dlg, IDOK);
    });
    CLabelOptionsDlg dialog(&row, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(line, text);
    EXPECT_EQ(layer->GetLabelField(), "Kind");
    EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"deep", "dry"}));
    EXPECT_EQ(row.m_LabelProperties.line, 1);
    EXPECT_EQ(row.m_LabelProperties.lineColor, line);
    EXPECT_EQ(row.m_LabelProperties.textColor, text);
    EXPECT_EQ(row.m_LabelProperties.background, 0);
    // Styles made from now on take the confirmed colours.
    CMapStyle style;
    EXPECT_EQ(style.GetPenColor(), line);
    EXPECT_EQ(style.GetTextColor(), text);
}

TEST_F(LabelOptions, TheLayerControlWritesTheBlockOnApply)
{
    answers.Then([&](CWnd& w) {
        auto& control = dynamic_cast<CLayerControlDlg&>(w);
        Click(control, IDC_LAYER_LABEL);
        EXPECT_EQ(control.GetChangeFlags(), CLayerControlDlg::kChangeLabel);
        MapLabelFontBlock stored;
        layer->GetLabelProperties(stored);
        EXPECT_EQ(stored.background, 0) << "the block waits for Apply";
        return ClickButton(control, IDOK);
    });
    answers.Then([](CWnd& options) {
        Click(options, IDC_LABEL_BACKGROUND);
        return ClickButton(options, IDOK);
    });
    CLayerControlDlg dialog(&map, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    MapLabelFontBlock stored;
    layer->GetLabelProperties(stored);
    EXPECT_EQ(stored.background, 1);
    layer->SaveProperties();
    RawFile raw(layer->GetFilePath());
    EXPECT_EQ(raw.Column("select count(*) from _MapGeoData where mapeLabelProp is not null;"),
              (std::vector<std::string>{"2"}));
}

TEST_F(LabelOptions, ThePreviewFramesAndFillsOnlyWhatIsSwitchedOn)
{
    row.m_LabelProperties.lineColor = RGB(255, 0, 0);
    row.m_LabelProperties.backColor = RGB(0, 255, 0);
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLabelOptionsDlg&>(w);
        AfxTestProcessEvents();
        // The sample's box: its right edge and a spot inside it right of the text.
        CClientDC dc(&dlg);
        LOGFONTA font{};
        LogFontWToA(row.m_LabelProperties.font, font);
        font.lfHeight = 16;
        CFont sample;
        sample.CreateFontIndirect(&font);
        CFont* old = dc.SelectObject(&sample);
        const CSize size = dc.GetTextExtent("Sample label");
        dc.SelectObject(old);
        const CPoint edge(240 + size.cx - 1, 100 + size.cy / 2);
        const CPoint inside(240 + size.cx - 2, 100 + size.cy - 2);
        const COLORREF ground = dlg.GetSurfacePixel(230, 95);
        EXPECT_EQ(dlg.GetSurfacePixel(edge.x, edge.y), ground);
        EXPECT_EQ(dlg.GetSurfacePixel(inside.x, inside.y), ground);
        Click(dlg, IDC_LABEL_LINE);
        Click(dlg, IDC_LABEL_BACKGROUND);
        AfxTestProcessEvents();
        EXPECT_EQ(dlg.GetSurfacePixel(edge.x, edge.y), RGB(255, 0, 0));
        EXPECT_EQ(dlg.GetSurfacePixel(inside.x, inside.y), RGB(0, 255, 0));
        return ClickButton(dlg, IDCANCEL);
    });
    CLabelOptionsDlg dialog(&row, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(row.m_LabelProperties.line, 0) << "Cancel leaves the block";
}

TEST_F(LabelOptions, APaintWithAHalfTypedOffsetAsksNothing)
{
    answers.Then([&](CWnd& dlg) {
        TypeInto(dlg, IDC_LABEL_OFFSET, "x");
        Click(dlg, IDC_LABEL_LINE); // redraws the preview
        dlg.Invalidate();
        AfxTestProcessEvents();
        EXPECT_TRUE(boxes.Boxes().empty()) << "the paint ran a data exchange";
        EXPECT_EQ(ClickButton(dlg, IDOK), -1) << "OK checks the offset";
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        return ClickButton(dlg, IDCANCEL);
    });
    CLabelOptionsDlg dialog(&row, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(LabelOptions, TheFontDialogChangesTheBlockOnlyWhenConfirmed)
{
    const MapLabelFontBlock before = row.m_LabelProperties;
    LOGFONT chosen{};
    chosen.lfHeight = -20;
    chosen.lfWeight = FW_BOLD;
    strcpy(chosen.lfFaceName, "DejaVu Serif");
    answers.Then([&](CWnd& dlg) {
        Click(dlg, IDC_LABEL_FONT); // cancelled
        EXPECT_EQ(std::memcmp(&row.m_LabelProperties.font, &before.font, sizeof(LOGFONTW)), 0);
        EXPECT_EQ(row.m_LabelProperties.textColor, before.textColor);
        Click(dlg, IDC_LABEL_FONT);
        return ClickButton(dlg, IDOK);
    });
    answers.Then([](CWnd&) { return IDCANCEL; });
    answers.ThenFont(chosen, RGB(0, 0, 200));
    CLabelOptionsDlg dialog(&row, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(row.m_LabelProperties.font.lfWeight, FW_BOLD);
    EXPECT_EQ(row.m_LabelProperties.font.lfHeight, -20);
    EXPECT_EQ(GetLogFontFaceName(row.m_LabelProperties.font), "DejaVu Serif");
    EXPECT_EQ(row.m_LabelProperties.textColor, RGB(0, 0, 200));
}

TEST_F(LabelOptions, ALayerWithoutFieldsKeepsItsLabelField)
{
    CMapLayer* bare = AddLayerFile(map.model, folder, "Bare");
    bare->SetLabelFieldName("Gone");
    CLayerControlRow bareRow;
    bareRow.m_pLayer = bare;
    answers.Then([](CWnd& w) {
        auto& dlg = dynamic_cast<CLabelOptionsDlg&>(w);
        EXPECT_EQ(dlg.m_cbField.GetCount(), 0);
        return ClickButton(dlg, IDOK);
    });
    CLabelOptionsDlg dialog(&bareRow, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(bare->GetLabelField(), "Gone");
}

} // namespace
