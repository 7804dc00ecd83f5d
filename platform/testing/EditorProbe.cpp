// The editor inside edit-like controls as the user meets it (EditorProbe.h).
#include "platform/testing/EditorProbe.h"

#include "platform/controls/CtlHost.h"

#include <QDateTimeEdit>
#include <QImage>
#include <QLineEdit>
#include <QTest>

namespace {

QWidget* EditorOf(HWND hwnd)
{
    ctl::HostWidget* host = ctl::HostOf(hwnd);
    return host ? host->editor() : nullptr;
}

} // namespace

bool EditorIsSingleLine(HWND hwnd) { return qobject_cast<QLineEdit*>(EditorOf(hwnd)) != nullptr; }

int EditorHeight(HWND hwnd)
{
    QWidget* editor = EditorOf(hwnd);
    return editor ? editor->height() : 0;
}

bool DoubleClickEditor(HWND hwnd, int x, int y)
{
    QWidget* editor = EditorOf(hwnd);
    if (!editor)
        return false;
    QTest::mouseDClick(editor, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    return true;
}

bool GetEditorFont(HWND hwnd, EditorFontFacts* out)
{
    QWidget* editor = EditorOf(hwnd);
    if (!editor || !out)
        return false;
    const QFont font = editor->font();
    out->family = CString(font.family().toUtf8().constData());
    out->pixelSize = font.pixelSize();
    out->bold = font.bold();
    return true;
}

bool SelectDateField(HWND hwnd, DateField field)
{
    auto* edit = qobject_cast<QDateTimeEdit*>(EditorOf(hwnd));
    if (!edit)
        return false;
    QDateTimeEdit::Section section = QDateTimeEdit::NoSection;
    switch (field) {
    case DateField::Year: section = QDateTimeEdit::YearSection; break;
    case DateField::Month: section = QDateTimeEdit::MonthSection; break;
    case DateField::Day: section = QDateTimeEdit::DaySection; break;
    case DateField::Hour: section = QDateTimeEdit::HourSection; break;
    case DateField::Minute: section = QDateTimeEdit::MinuteSection; break;
    case DateField::Second: section = QDateTimeEdit::SecondSection; break;
    }
    if (!(edit->displayedSections() & section))
        return false;
    edit->setCurrentSection(section);
    return true;
}

bool ShowsSurface(HWND hwnd)
{
    ctl::HostWidget* host = ctl::HostOf(hwnd);
    return host && host->showsSurface();
}

COLORREF ShownPixel(HWND hwnd, int x, int y)
{
    ctl::HostWidget* host = ctl::HostOf(hwnd);
    if (!host)
        return CLR_INVALID;
    const QImage shown = host->grab().toImage();
    if (!shown.valid(x, y))
        return CLR_INVALID;
    const QColor c = shown.pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}
