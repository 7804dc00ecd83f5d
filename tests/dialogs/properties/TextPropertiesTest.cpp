// Text Properties and Label Properties, driven through their controls: one
// item shows its values and OK writes what was changed, several items start
// blank and take what was entered, validation keeps the dialog open, and what
// was written is in the layer file when it is opened again.
#include "tests/dialogs/properties/PropertiesTestSupport.h"

#include "core/Settings.h"
#include "dialogs/LabelPropertiesDlg.h"
#include "dialogs/TextPropertiesDlg.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiDropColorButton.h"
#include "model/objects/MapNode.h"
#include "platform/dialogs/CommonDialogs.h"
#include "resources/resource.h"

#include <cstring>

namespace {

using proptest::Check;
using proptest::TextOf;
using proptest::Type;

// A colour picked in a drop-down button, as the button reports it.
void Pick(CDialog& dialog, int id, COLORREF color)
{
    auto* button = dynamic_cast<CUiDropColorButton*>(CWnd::FromHandlePermanent(dialog.GetDlgItem(id)->m_hWnd));
    ASSERT_NE(button, nullptr);
    button->SetColor(color);
    dialog.SendMessage(WM_UI_COLORSELECTED, (WPARAM)color, (LPARAM)id);
}

class TextProperties : public proptest::MapFixture {
protected:
    void SetUp() override
    {
        proptest::MapFixture::SetUp();
        m_savedTextColor = g_DefaultTextColor;
        m_savedPenColor = g_NewObjectPenColor;
        m_savedBrushColor = g_NewObjectBrushColor;
    }
    void TearDown() override
    {
        g_DefaultTextColor = m_savedTextColor;
        g_NewObjectPenColor = m_savedPenColor;
        g_NewObjectBrushColor = m_savedBrushColor;
    }

    // Runs the dialog on `texts` with `answer`; returns DoModal's result.
    INT_PTR Run(std::vector<CMapText*> texts, std::function<int(CTextPropertiesDlg&)> answer,
                BOOL* modified = nullptr)
    {
        DialogAnswerer answers;
        answers.Then([&](CWnd& w) { return answer(dynamic_cast<CTextPropertiesDlg&>(w)); });
        CTextPropertiesDlg dialog(texts);
        const INT_PTR result = dialog.DoModal();
        if (modified)
            *modified = dialog.IsModified();
        return result;
    }

    COLORREF m_savedTextColor = 0;
    int m_savedPenColor = 0;
    int m_savedBrushColor = 0;
};

TEST_F(TextProperties, OneTextGetsItsOwnWordsAndLooksAndKeepsThemInTheFile)
{
    CMapText* text = AddText("Text", 10, 20);
    const int id = text->GetMapeID();
    BOOL modified = FALSE;
    const INT_PTR result = Run(
        {text},
        [](CTextPropertiesDlg& dlg) {
            EXPECT_STREQ(TextOf(dlg, IDC_TEXTPROP_TEXT), "Text");
            EXPECT_STREQ(TextOf(dlg, IDC_TEXTPROP_X), "10");
            EXPECT_STREQ(TextOf(dlg, IDC_TEXTPROP_Y), "20");
            EXPECT_EQ(dlg.GetShownFontHeight(), 12); // 24 map units at 2 units a pixel
            EXPECT_TRUE(dlg.GetDlgItem(IDC_TEXTPROP_TEXT)->IsWindowEnabled());
            Type(dlg, IDC_TEXTPROP_TEXT, "Old Mill");
            Type(dlg, IDC_TEXTPROP_X, "15.5");
            Type(dlg, IDC_TEXTPROP_ANGLE, "90");
            Check(dlg, IDC_TEXTPROP_LINE, true);
            Pick(dlg, IDC_TEXTPROP_FOREGROUND, RGB(200, 0, 0));
            return DialogAnswerer::Press(dlg, IDOK);
        },
        &modified);
    ASSERT_EQ(result, IDOK);
    EXPECT_TRUE(modified);
    EXPECT_EQ(g_DefaultTextColor, RGB(200, 0, 0)); // the next texts' colour
    text->SaveChanges();
    SaveAndReopen();

    auto* again = Find<CMapText>(id);
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(again->GetText(), "Old Mill");
    EXPECT_FLOAT_EQ(again->GetAnchor().x, 15.5f);
    EXPECT_FLOAT_EQ(again->GetAnchor().y, 20.0f);
    EXPECT_FLOAT_EQ(again->GetFontSize(), 24.0f); // no font chosen: the size stays
    const CMapStyle* style = again->GetStyle();
    EXPECT_EQ(style->GetTextLine(), 1);
    EXPECT_EQ(style->GetTextColor(), RGB(200, 0, 0));
    EXPECT_EQ(style->GetTextAngle(), 90);
}

TEST_F(TextProperties, OkWithoutChangesChangesNothingHoweverOften)
{
    CMapText* text = AddText("Text", 0.1f, 0.7f, 25.0f); // positions with no short decimal form
    for (int round = 0; round < 3; ++round) {
        BOOL modified = TRUE;
        ASSERT_EQ(Run({text}, [](CTextPropertiesDlg& dlg) { return DialogAnswerer::Press(dlg, IDOK); }, &modified),
                  IDOK);
        EXPECT_FALSE(modified) << "round " << round;
        EXPECT_FLOAT_EQ(text->GetFontSize(), 25.0f) << "round " << round;
        EXPECT_FLOAT_EQ(text->GetAnchor().x, 0.1f);
    }
}

TEST_F(TextProperties, SeveralTextsTakeWhatWasEnteredAndKeepTheirWordsAndSizes)
{
    CMapText* a = AddText("North", 1, 1, 10.0f);
    CMapText* b = AddText("South", 5, 5, 30.0f);
    ModalRecorder boxes;
    int refusals = 0;
    const INT_PTR result = Run({a, b}, [&](CTextPropertiesDlg& dlg) {
        EXPECT_STREQ(TextOf(dlg, IDC_TEXTPROP_X), "");
        EXPECT_STREQ(TextOf(dlg, IDC_TEXTPROP_ANGLE), "");
        // Empty numbers are refused and the dialog stays.
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
        refusals += dlg.ContinueModal() ? 1 : 0;
        Type(dlg, IDC_TEXTPROP_X, "40");
        Type(dlg, IDC_TEXTPROP_Y, "50");
        Type(dlg, IDC_TEXTPROP_ANGLE, "3601"); // out of range: refused too
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
        refusals += dlg.ContinueModal() ? 1 : 0;
        Type(dlg, IDC_TEXTPROP_ANGLE, "45");
        return DialogAnswerer::Press(dlg, IDOK);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    for (CMapText* t : {a, b}) {
        EXPECT_FLOAT_EQ(t->GetAnchor().x, 40.0f);
        EXPECT_FLOAT_EQ(t->GetAnchor().y, 50.0f);
        EXPECT_EQ(t->GetStyle()->GetTextAngle(), 45);
    }
    EXPECT_STREQ(a->GetText(), "North");
    EXPECT_STREQ(b->GetText(), "South");
    EXPECT_FLOAT_EQ(a->GetFontSize(), 10.0f);
    EXPECT_FLOAT_EQ(b->GetFontSize(), 30.0f);
}

TEST_F(TextProperties, OnlyAnotherFaceOrSizeCountsAsANewFont)
{
    CMapText* text = AddText("Text", 10, 20);
    struct Case {
        const char* what;
        std::function<void(LOGFONTA&)> change;
        bool counts;
        float size;
    };
    const Case cases[] = {
        {"bolder", [](LOGFONTA& f) { f.lfWeight = 700; }, false, 24.0f},
        {"larger", [](LOGFONTA& f) { f.lfHeight = f.lfHeight * 2; }, true, 48.0f},
    };
    for (const Case& c : cases) {
        BOOL modified = FALSE;
        Run(
            {text},
            [&](CTextPropertiesDlg& dlg) {
                DialogAnswerer fonts;
                fonts.Then([&](CWnd& w) {
                    auto& fd = dynamic_cast<CFontDialog&>(w);
                    c.change(fd.m_lf);
                    return IDOK;
                });
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEXTPROP_FONT, BN_CLICKED),
                                (LPARAM)dlg.GetDlgItem(IDC_TEXTPROP_FONT)->m_hWnd);
                return DialogAnswerer::Press(dlg, IDOK);
            },
            &modified);
        EXPECT_EQ(modified != FALSE, c.counts) << c.what;
        EXPECT_FLOAT_EQ(text->GetFontSize(), c.size) << c.what;
    }
}

TEST_F(TextProperties, AnUneditableLayerShowsButDoesNotEdit)
{
    CMapText* text = AddText("Text", 10, 20);
    layer->SetEditable(0);
    Run({text}, [](CTextPropertiesDlg& dlg) {
        for (int id : {IDC_TEXTPROP_TEXT, IDC_TEXTPROP_FONT, IDC_TEXTPROP_X, IDC_TEXTPROP_ANGLE, IDC_TEXTPROP_LINE,
                       IDC_TEXTPROP_FOREGROUND})
            EXPECT_FALSE(dlg.GetDlgItem(id)->IsWindowEnabled()) << id;
        return IDCANCEL;
    });
}

class LabelProperties : public proptest::MapFixture {};

TEST_F(LabelProperties, TwoLabelsTakeTheEnteredPlaceAndAngleAndKeepTheirTexts)
{
    // Labels as the map window selects them: of objects read from the file.
    int ids[2] = {};
    const char* names[] = {"Well", "Gate"};
    for (int i = 0; i < 2; ++i) {
        auto* node = new CMapNode;
        node->SetPosition(10 + 20 * i, 10);
        node->GetLabel()->SetText(names[i]);
        layer->AddObject(node, TRUE);
        ids[i] = node->GetMapeID();
    }
    SaveAndReopen();
    CMapObject* first = layer->LoadObject(ids[0], TRUE);
    CMapObject* second = layer->LoadObject(ids[1], TRUE);
    ASSERT_TRUE(first && second);

    ModalRecorder boxes;
    DialogAnswerer answers;
    answers.Then([](CWnd& w) {
        auto& dlg = dynamic_cast<CLabelPropertiesDlg&>(w);
        EXPECT_STREQ(TextOf(dlg, IDC_LABELPROP_Y), "");
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(dlg.ContinueModal());
        Type(dlg, IDC_LABELPROP_X, "12");
        Type(dlg, IDC_LABELPROP_Y, "14");
        Type(dlg, IDC_LABELPROP_ANGLE, "30");
        Check(dlg, IDC_LABELPROP_BACKGROUND, true);
        Pick(dlg, IDC_LABELPROP_BACKGROUND_COLOR, RGB(0, 0, 160));
        return DialogAnswerer::Press(dlg, IDOK);
    });
    CLabelPropertiesDlg dialog({first->GetLabel(), second->GetLabel()});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(boxes.Boxes().size(), 1u);

    SaveAndReopen();
    const char* texts[] = {"Well", "Gate"};
    for (int i = 0; i < 2; ++i) {
        CMapObject* node = layer->LoadObject(ids[i], TRUE);
        ASSERT_NE(node, nullptr);
        const CMapLabel* label = node->GetLabel();
        EXPECT_STREQ(label->GetText(), texts[i]);
        EXPECT_FLOAT_EQ(label->GetAnchor().x, 12.0f);
        EXPECT_FLOAT_EQ(label->GetAnchor().y, 14.0f);
        EXPECT_EQ(label->GetRotation(), 30);
        EXPECT_EQ(label->GetBackground(), 1);
        EXPECT_EQ(label->GetBackColor(), RGB(0, 0, 160));
    }
}

TEST_F(LabelProperties, OneLabelShowsItsValuesAndACancelledFontChangesNothing)
{
    auto* node = new CMapNode;
    node->SetPosition(10, 10);
    layer->AddObject(node, TRUE);
    CMapLabel* label = node->GetLabel();
    label->SetText("Well");
    label->SetAnchor(CFloatPoint(3, 4));
    label->SetRotation(150, FALSE);
    const LOGFONTA before = label->GetLogFontA();

    DialogAnswerer answers;
    answers.Then([](CWnd& w) {
        auto& dlg = dynamic_cast<CLabelPropertiesDlg&>(w);
        EXPECT_STREQ(TextOf(dlg, IDC_LABELPROP_TEXT), "Well");
        EXPECT_STREQ(TextOf(dlg, IDC_LABELPROP_X), "3");
        EXPECT_STREQ(TextOf(dlg, IDC_LABELPROP_ANGLE), "15");
        DialogAnswerer fonts(IDCANCEL);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LABELPROP_FONT, BN_CLICKED),
                        (LPARAM)dlg.GetDlgItem(IDC_LABELPROP_FONT)->m_hWnd);
        return DialogAnswerer::Press(dlg, IDOK);
    });
    CLabelPropertiesDlg dialog({label});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    const LOGFONTA after = label->GetLogFontA();
    EXPECT_STREQ(after.lfFaceName, before.lfFaceName);
    EXPECT_EQ(after.lfHeight, before.lfHeight);
    EXPECT_EQ(label->GetRotation(), 15);
    EXPECT_STREQ(label->GetText(), "Well");
}

} // namespace
