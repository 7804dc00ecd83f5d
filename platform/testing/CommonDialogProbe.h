// Test support: the toolkit's own file, colour and font dialogs that the common
// dialogs show when no answer is hooked in, seen through plain types so that tests
// can check what they show and act on them as the user would.
//
//     WhenColorDialogShown([](ColorDialogView& d) {
//         EXPECT_EQ(d.CurrentColor(), RGB(0, 128, 255));
//         d.SetCurrentColor(RGB(200, 100, 50));
//         d.Accept();
//     });
//     dlg.DoModal();
//
// The inspector runs once the next modal dialog shows; it must end the dialog. When
// no dialog of the expected kind shows, the test fails and the modal one is closed.
#pragma once

#include "platform/base/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

// What every one of these dialogs offers.
class CommonDialogView {
public:
    struct Dialog; // the toolkit's dialog, out of the test's sight

    explicit CommonDialogView(Dialog& dialog) : m_dialog(dialog) {}
    CommonDialogView(const CommonDialogView&) = delete;
    CommonDialogView& operator=(const CommonDialogView&) = delete;

    std::string Title() const;
    void Accept(); // what the dialog's OK (Open, Save) button does
    void Reject(); // what its Cancel button does

protected:
    Dialog& m_dialog;
};

class FileDialogView : public CommonDialogView {
public:
    using CommonDialogView::CommonDialogView;

    // Each filter as the dialog lists it: the description, then its patterns in parentheses.
    std::vector<std::string> NameFilters() const;
    std::string SelectedNameFilter() const;
    void SelectNameFilter(const std::string& filter);
    void SelectFile(const std::string& path);
};

class ColorDialogView : public CommonDialogView {
public:
    using CommonDialogView::CommonDialogView;

    COLORREF CurrentColor() const;
    void SetCurrentColor(COLORREF color);
};

class FontDialogView : public CommonDialogView {
public:
    using CommonDialogView::CommonDialogView;

    std::string Family() const;
    int PointSize() const;
    int Weight() const; // on the FW_ scale
    bool Italic() const;
    void SetFont(const std::string& family, int pointSize, int weight, bool italic);
};

void WhenFileDialogShown(std::function<void(FileDialogView&)> inspect);
void WhenColorDialogShown(std::function<void(ColorDialogView&)> inspect);
void WhenFontDialogShown(std::function<void(FontDialogView&)> inspect);
