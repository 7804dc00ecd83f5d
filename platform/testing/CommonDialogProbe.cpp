// The toolkit's common dialogs seen through plain types (CommonDialogProbe.h).
#include "platform/testing/CommonDialogProbe.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QTimer>

#include <gtest/gtest.h>

struct CommonDialogView::Dialog {
    QDialog& qt;
};

namespace {

template <class D>
D& As(CommonDialogView::Dialog& d)
{
    return static_cast<D&>(d.qt);
}

// Posted so that it runs inside the dialog's own event loop, once it is modal.
template <class D, class View>
void WhenShown(std::function<void(View&)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        D* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "no " << D::staticMetaObject.className() << " shown";
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
            return;
        }
        CommonDialogView::Dialog dialog{*d};
        View view(dialog);
        inspect(view);
    });
}

std::vector<std::string> ToStd(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

std::string CommonDialogView::Title() const { return m_dialog.qt.windowTitle().toStdString(); }

void CommonDialogView::Accept() { m_dialog.qt.accept(); }
void CommonDialogView::Reject() { m_dialog.qt.reject(); }

std::vector<std::string> FileDialogView::NameFilters() const
{
    return ToStd(As<QFileDialog>(m_dialog).nameFilters());
}

std::string FileDialogView::SelectedNameFilter() const
{
    return As<QFileDialog>(m_dialog).selectedNameFilter().toStdString();
}

void FileDialogView::SelectNameFilter(const std::string& filter)
{
    As<QFileDialog>(m_dialog).selectNameFilter(QString::fromStdString(filter));
}

void FileDialogView::SelectFile(const std::string& path)
{
    As<QFileDialog>(m_dialog).selectFile(QString::fromStdString(path));
}

COLORREF ColorDialogView::CurrentColor() const
{
    const QColor c = As<QColorDialog>(m_dialog).currentColor();
    return RGB(c.red(), c.green(), c.blue());
}

void ColorDialogView::SetCurrentColor(COLORREF color)
{
    As<QColorDialog>(m_dialog).setCurrentColor(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
}

std::string FontDialogView::Family() const { return As<QFontDialog>(m_dialog).currentFont().family().toStdString(); }
int FontDialogView::PointSize() const { return As<QFontDialog>(m_dialog).currentFont().pointSize(); }
int FontDialogView::Weight() const { return As<QFontDialog>(m_dialog).currentFont().weight(); }
bool FontDialogView::Italic() const { return As<QFontDialog>(m_dialog).currentFont().italic(); }

void FontDialogView::SetFont(const std::string& family, int pointSize, int weight, bool italic)
{
    QFont f(QString::fromStdString(family));
    f.setPointSize(pointSize);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    As<QFontDialog>(m_dialog).setCurrentFont(f);
}

void WhenFileDialogShown(std::function<void(FileDialogView&)> inspect)
{
    WhenShown<QFileDialog>(std::move(inspect));
}

void WhenColorDialogShown(std::function<void(ColorDialogView&)> inspect)
{
    WhenShown<QColorDialog>(std::move(inspect));
}

void WhenFontDialogShown(std::function<void(FontDialogView&)> inspect)
{
    WhenShown<QFontDialog>(std::move(inspect));
}
