// The object property sheet and its pages, driven through their controls: the
// pages each kind of object gets, the style pages' load and OK, the process-wide
// default colours, the enabling rule of an uneditable layer, the Data page's
// values (sorted or not) and the General page's measures and "Draw by".
#include "tests/dialogs/properties/PropertiesTestSupport.h"

#include "core/Settings.h"
#include "dialogs/MUIObjectPropertySheet.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/TextFont.h"
#include "model/objects/MapImage.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapRectangle.h"
#include "model/objects/MapSpline.h"
#include "platform/controls/CHeaderCtrl.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"

#include <functional>
#include <memory>

namespace {

using proptest::Check;
using proptest::TextOf;
using proptest::Type;

void Pick(CWnd& page, int id, COLORREF color)
{
    auto* button = dynamic_cast<CUiDropColorButton*>(CWnd::FromHandlePermanent(page.GetDlgItem(id)->m_hWnd));
    ASSERT_NE(button, nullptr);
    button->SetColor(color);
    page.SendMessage(WM_UI_COLORSELECTED, (WPARAM)color, (LPARAM)id);
}

void Select(CWnd& page, int id, int index)
{
    CWnd* combo = page.GetDlgItem(id);
    combo->SendMessage(CB_SETCURSEL, (WPARAM)index, 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo->m_hWnd);
}

int Selected(CWnd& page, int id) { return (int)page.GetDlgItem(id)->SendMessage(CB_GETCURSEL, 0, 0); }

class ObjectSheet : public proptest::MapFixture {
protected:
    std::vector<CMapField> Fields() const override
    {
        return {CMapField("Name", 3, 20), CMapField("Count", 1, 8)};
    }

    void SetUp() override
    {
        proptest::MapFixture::SetUp();
        m_saved = {g_NewObjectBrushColor, g_NewObjectPenColor, g_NewObjectSymbolColor, g_NewObjectBkColor};
    }
    void TearDown() override
    {
        g_NewObjectBrushColor = m_saved[0];
        g_NewObjectPenColor = m_saved[1];
        g_NewObjectSymbolColor = m_saved[2];
        g_NewObjectBkColor = m_saved[3];
    }

    // Runs the sheet of `object` on page `page` with `act`; returns DoModal's result.
    INT_PTR Run(CMapObject* object, int page, const std::function<int(CMUIObjectPropertySheet&, CWnd&)>& act,
                CMapStyle* styleOut = nullptr, BOOL* dataChanged = nullptr)
    {
        CMUIObjectPropertySheet sheet(object, "Object Properties", nullptr, 0);
        DialogAnswerer answers;
        answers.Then([&](CWnd&) {
            EXPECT_TRUE(sheet.SetActivePage(page));
            return act(sheet, *sheet.GetActivePage());
        });
        const INT_PTR result = sheet.DoModal();
        if (styleOut)
            *styleOut = *sheet.GetStyle();
        if (dataChanged)
            *dataChanged = sheet.IsDataChanged();
        return result;
    }

    // A rectangle stored in the layer; the caller owns the copy it gets.
    std::unique_ptr<CMapRectangle> AddRectangle(double l, double b, double r, double t)
    {
        auto rect = std::make_unique<CMapRectangle>();
        rect->SetRect(l, b, r, t);
        layer->AddObject(rect.get(), TRUE);
        return rect;
    }

    CMapNode* AddNode(const char* name, const char* count)
    {
        auto* node = new CMapNode;
        node->SetPosition(5, 5);
        layer->AddObject(node, TRUE);
        node->SetAttributeText(0, name);
        node->SetAttributeText(1, count);
        node->SaveChanges();
        return node;
    }

    std::vector<int> m_saved;
};

TEST_F(ObjectSheet, EachKindGetsThePagesThatSuitIt)
{
    CMapNode node;
    CMapRectangle rectangle;
    CMapPolyline polyline;
    CMapImage image;
    struct Case {
        CMapObject* object;
        std::vector<const char*> pages;
    };
    const Case cases[] = {
        {&node, {"General", "Node", "Data"}},
        {&rectangle, {"General", "Fill", "Line", "Data"}},
        {&polyline, {"General", "Line", "Data"}},
        {&image, {"General", "Data"}},
        {nullptr, {}},
    };
    for (const Case& c : cases) {
        CMUIObjectPropertySheet sheet(c.object, "Object Properties");
        std::vector<const char*> pages;
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            CPropertyPage* p = sheet.GetPage(i);
            pages.push_back(p == &sheet.m_GeneralPage ? "General"
                            : p == &sheet.m_NodePage  ? "Node"
                            : p == &sheet.m_FillPage  ? "Fill"
                            : p == &sheet.m_LinePage  ? "Line"
                            : p == &sheet.m_DataPage  ? "Data"
                                                      : "?");
        }
        EXPECT_EQ(pages.size(), c.pages.size());
        for (size_t i = 0; i < pages.size() && i < c.pages.size(); ++i)
            EXPECT_STREQ(pages[i], c.pages[i]);
    }
}

TEST_F(ObjectSheet, FillPageOpensOnTheStyleAndOkWritesTheSheetsStyleAndTheDefaults)
{
    auto rect = AddRectangle(0, 0, 10, 10);
    rect->GetOwnStyle()->SetBrushStyle(3);
    rect->GetOwnStyle()->SetBkOpaque(0);
    CMapStyle result;
    ASSERT_EQ(Run(rect.get(), 1,
                  [](CMUIObjectPropertySheet& sheet, CWnd& page) {
                      EXPECT_EQ(Selected(page, IDC_STYLE_PATTERN), 3); // "Cross"
                      Select(page, IDC_STYLE_PATTERN, 0);               // "None"
                      Check(page, IDC_STYLE_FILL_BACKGROUND, true);
                      Pick(page, IDC_STYLE_FILL_COLOR, RGB(10, 200, 30));
                      return DialogAnswerer::Press(sheet, IDOK);
                  },
                  &result),
              IDOK);
    EXPECT_EQ(result.GetBrushStyle(), 0);
    EXPECT_TRUE(result.IsBkOpaque());
    EXPECT_EQ(result.GetBrushColor(), RGB(10, 200, 30));
    EXPECT_EQ(g_NewObjectBrushColor, (int)RGB(10, 200, 30));
    EXPECT_EQ(rect->GetOwnStyle()->GetBrushStyle(), 3); // the object waits for its caller
}

TEST_F(ObjectSheet, LinePageShowsAWholeWidthAndReadsNoNumberAsZero)
{
    auto rect = AddRectangle(0, 0, 10, 10);
    rect->GetOwnStyle()->SetPenWidth(2.7f);
    rect->GetOwnStyle()->SetPenStyle(2);
    CMapStyle result;
    Run(
        rect.get(), 2,
        [](CMUIObjectPropertySheet& sheet, CWnd& page) {
            EXPECT_STREQ(TextOf(page, IDC_STYLE_LINE_WIDTH), "2");
            EXPECT_EQ(Selected(page, IDC_STYLE_DASH), 2);
            EXPECT_FALSE(page.GetDlgItem(IDC_STYLE_ARROW_BEGIN)->IsWindowEnabled()); // arrows: lines only
            Type(page, IDC_STYLE_LINE_WIDTH, "wide");
            Pick(page, IDC_STYLE_LINE_COLOR, RGB(0, 128, 0));
            return DialogAnswerer::Press(sheet, IDOK);
        },
        &result);
    EXPECT_FLOAT_EQ(result.GetPenWidth(), 0.0f);
    EXPECT_EQ(result.GetPenStyle(), 2);
    EXPECT_EQ(result.GetPenColor(), RGB(0, 128, 0));
    EXPECT_EQ(g_NewObjectPenColor, (int)RGB(0, 128, 0)); // the pen of the next new object
}

TEST_F(ObjectSheet, AnUneditableLayerKeepsTheStylePagesReadOnly)
{
    auto rect = AddRectangle(0, 0, 10, 10);
    layer->SetEditable(0);
    for (int page : {1, 2}) {
        Run(rect.get(), page, [](CMUIObjectPropertySheet& sheet, CWnd& p) {
            for (int id : {IDC_STYLE_PATTERN, IDC_STYLE_FILL_COLOR, IDC_STYLE_DASH, IDC_STYLE_LINE_WIDTH})
                if (CWnd* control = p.GetDlgItem(id)) {
                    EXPECT_FALSE(control->IsWindowEnabled()) << id;
                }
            return DialogAnswerer::Press(sheet, IDCANCEL);
        });
    }
}

TEST_F(ObjectSheet, NodePageKeepsAHighCharacterAndABoldItalicFont)
{
    CMapNode* node = AddNode("Mill", "7");
    CMapStyle* own = node->GetOwnStyle();
    own->SetSymbolFontName("Map Symbols");
    own->SetSymbolFontStyle(3);
    own->SetSymbolSize(20);
    LOGFONTW font = own->GetSymbolFont();
    own->SetSymbol(font, RGB(1, 2, 3), (WCHAR)200);
    CMapStyle result;
    Run(
        node, 1,
        [](CMUIObjectPropertySheet& sheet, CWnd& page) {
            EXPECT_EQ(Selected(page, IDC_STYLE_SYMBOL), 200);
            EXPECT_EQ(Selected(page, IDC_STYLE_SYMBOL_STYLE), 3);
            EXPECT_STREQ(TextOf(page, IDC_STYLE_SYMBOL_SIZE), "20");
            // The list shows the characters in the chosen font.
            auto& nodePage = dynamic_cast<CMUIPropertyNodePage&>(page);
            EXPECT_STREQ(nodePage.GetSymbolFont()->GetFaceName(), "Map Symbols");
            const int arial = (int)page.GetDlgItem(IDC_STYLE_SYMBOL_FONT)->SendMessage(CB_FINDSTRINGEXACT, (WPARAM)-1,
                                                                                      (LPARAM) "Arial");
            Select(page, IDC_STYLE_SYMBOL_FONT, arial);
            EXPECT_STREQ(nodePage.GetSymbolFont()->GetFaceName(), "Arial");
            Type(page, IDC_STYLE_SYMBOL_SIZE, "0");
            return DialogAnswerer::Press(sheet, IDOK);
        },
        &result);
    EXPECT_EQ(result.GetSymbolCharW(), (WCHAR)200);
    EXPECT_EQ(result.GetSymbolFontStyle(), 3);
    EXPECT_STREQ(result.GetSymbolFontName(), "Arial");
    EXPECT_EQ(result.GetSymbolSize(), 13); // a size of 0 is the default height
    EXPECT_EQ(result.GetSymbolColor(), RGB(1, 2, 3));
}

class DataPage : public ObjectSheet {
protected:
    static void ClickItem(CMUIDataInfoPage& page, int item)
    {
        CRect r;
        page.m_list.GetItemRect(item, r, LVIR_BOUNDS);
        AfxTestMouse(page.m_list.m_hWnd, WM_LBUTTONDOWN, r.CenterPoint().x, r.CenterPoint().y, MK_LBUTTON);
        AfxTestMouse(page.m_list.m_hWnd, WM_LBUTTONUP, r.CenterPoint().x, r.CenterPoint().y, 0);
        AfxTestProcessEvents();
    }
};

TEST_F(DataPage, ASortedListWritesEachValueToItsOwnField)
{
    CMapNode* node = AddNode("Mill", "7");
    const int id = node->GetMapeID();
    BOOL changed = FALSE;
    Run(
        node, 2,
        [](CMUIObjectPropertySheet& sheet, CWnd& p) {
            auto& page = dynamic_cast<CMUIDataInfoPage&>(p);
            EXPECT_EQ(page.m_list.GetItemCount(), 2);
            EXPECT_STREQ(page.m_list.GetItemText(0, 0), "Name");
            EXPECT_STREQ(page.m_list.GetItemText(1, 1), "7");
            EXPECT_FALSE(page.GetDlgItem(IDC_OBJECT_DATA_VALUE)->IsWindowEnabled());
            // The user sorts by field name: "Count" comes first.
            CHeaderCtrl* header = page.m_list.GetHeaderCtrl();
            CRect column;
            header->GetItemRect(0, &column);
            AfxTestMouse(header->m_hWnd, WM_LBUTTONDOWN, column.CenterPoint().x, column.CenterPoint().y, MK_LBUTTON);
            AfxTestMouse(header->m_hWnd, WM_LBUTTONUP, column.CenterPoint().x, column.CenterPoint().y, 0);
            AfxTestProcessEvents();
            EXPECT_STREQ(page.m_list.GetItemText(0, 0), "Count");

            ClickItem(page, 0);
            EXPECT_TRUE(page.GetDlgItem(IDC_OBJECT_DATA_VALUE)->IsWindowEnabled());
            EXPECT_STREQ(TextOf(page, IDC_OBJECT_DATA_GROUP), "Count");
            EXPECT_STREQ(TextOf(page, IDC_OBJECT_DATA_VALUE), "7");
            Type(page, IDC_OBJECT_DATA_VALUE, "9");
            EXPECT_STREQ(page.m_list.GetItemText(0, 1), "9");
            return DialogAnswerer::Press(sheet, IDOK);
        },
        nullptr, &changed);
    EXPECT_TRUE(changed);
    EXPECT_STREQ(node->GetAttributeText(0), "Mill");
    EXPECT_STREQ(node->GetAttributeText(1), "9");

    node->SaveChanges();
    SaveAndReopen();
    CMapObject* again = layer->LoadObject(id, TRUE);
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(again->GetAttributeText(0), "Mill");
    EXPECT_STREQ(again->GetAttributeText(1), "9");
}

TEST_F(DataPage, TheSameValueAgainChangesNothingAndAnUneditableLayerEditsNothing)
{
    CMapNode* node = AddNode("Mill", "7");
    BOOL changed = TRUE;
    Run(
        node, 2,
        [](CMUIObjectPropertySheet& sheet, CWnd& p) {
            auto& page = dynamic_cast<CMUIDataInfoPage&>(p);
            ClickItem(page, 0);
            Type(page, IDC_OBJECT_DATA_VALUE, "Mill");
            return DialogAnswerer::Press(sheet, IDOK);
        },
        nullptr, &changed);
    EXPECT_FALSE(changed);

    layer->SetEditable(0);
    Run(
        node, 2,
        [](CMUIObjectPropertySheet& sheet, CWnd& p) {
            auto& page = dynamic_cast<CMUIDataInfoPage&>(p);
            ClickItem(page, 1);
            EXPECT_FALSE(page.GetDlgItem(IDC_OBJECT_DATA_VALUE)->IsWindowEnabled());
            return DialogAnswerer::Press(sheet, IDOK);
        },
        nullptr, &changed);
    EXPECT_FALSE(changed);
    EXPECT_STREQ(node->GetAttributeText(1), "7");
}

TEST_F(ObjectSheet, GeneralPageMeasuresAndSavesTheDrawByChoice)
{
    auto rect = AddRectangle(0.12345, 0, 0.5, 0.25);
    const int id = rect->GetMapeID();
    for (int spherical : {1, 0}) {
        CMapUnits units = model->GetUnits();
        units.SetUseSpherical(spherical);
        model->SetUnits(units);
        Run(rect.get(), 0, [&](CMUIObjectPropertySheet& sheet, CWnd& p) {
            auto& page = dynamic_cast<CMUIPropertyGeneralPage&>(p);
            EXPECT_NE(page.m_strAreaUnit.Find(spherical ? "(spherical)" : "(cartesian)"), -1);
            EXPECT_NE(page.m_strDistanceUnit.Find(spherical ? "(spherical)" : "(cartesian)"), -1);
            for (double shown : {page.m_dArea, page.m_dPerimeter, page.m_dX1, page.m_dX2}) {
                EXPECT_DOUBLE_EQ(shown, CMUIPropertyGeneralPage::Round3(shown)); // three decimals at most
            }
            EXPECT_GT(page.m_dArea, 0.0);
            EXPECT_GT(page.m_dPerimeter, 0.0);
            return DialogAnswerer::Press(sheet, IDCANCEL);
        });
    }
    Run(rect.get(), 0, [](CMUIObjectPropertySheet& sheet, CWnd& p) {
        auto& page = dynamic_cast<CMUIPropertyGeneralPage&>(p);
        EXPECT_EQ(page.m_nDrawBy, 1); // its own style
        Check(page, IDC_OBJECT_DRAW_BY_OBJECT, false);
        Check(page, IDC_OBJECT_DRAW_BY_LAYER, true);
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_TRUE(rect->UsesLayerStyle());
    SaveAndReopen();
    std::unique_ptr<CMapObject> again(layer->LoadObject(id, TRUE));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->UsesLayerStyle());
}

TEST_F(ObjectSheet, GeneralPageCountsASplinesControlPoints)
{
    CMapSpline spline;
    spline.SetControlPoints({CFloatPoint(0, 0), CFloatPoint(5, 5), CFloatPoint(10, 0), CFloatPoint(15, 5),
                             CFloatPoint(20, 0)});
    auto rect = AddRectangle(0, 0, 1, 1);
    const struct {
        CMapObject* object;
        int points;
    } cases[] = {{&spline, 5}, {rect.get(), 4}};
    for (const auto& c : cases) {
        Run(c.object, 0, [&](CMUIObjectPropertySheet& sheet, CWnd& p) {
            EXPECT_STREQ(TextOf(p, IDC_OBJECT_POINTS), std::to_string(c.points).c_str());
            return DialogAnswerer::Press(sheet, IDCANCEL);
        });
    }
}

} // namespace
