// The "SysDateTimePick32" window class: a Qt date-time edit with the display format
// of DTM_SETFORMAT (Windows picture letters turned into Qt's). A change made by the
// user sends DTN_DATETIMECHANGE; DTM_SETSYSTEMTIME sends nothing.
#include "platform/controls/CtlHost.h"

#include "platform/wnd/WndInternal.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>

namespace ctl {

namespace {

struct DateState {
    QPointer<QDateTimeEdit> edit;
    int suppress = 0;
};

States<DateState> g_states;

// Windows picture letters of a date-time format as Qt's.
QString QtFormat(const char* windows)
{
    const QString in = QString::fromUtf8(windows ? windows : "");
    QString out;
    for (int i = 0; i < in.size();) {
        const QChar c = in[i];
        if (c == QLatin1Char('\'')) {
            const int end = in.indexOf(QLatin1Char('\''), i + 1);
            const int stop = end < 0 ? (int)in.size() : end + 1;
            out += in.mid(i, stop - i);
            i = stop;
            continue;
        }
        int n = 1;
        while (i + n < in.size() && in[i + n] == c)
            ++n;
        const QString run = in.mid(i, n);
        switch (c.unicode()) {
        case 'd':
        case 'M':
        case 'H':
        case 'h':
        case 'm':
        case 's':
            out += run;
            break;
        case 'y':
            out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            break;
        case 't':
            out += n == 1 ? QStringLiteral("A") : QStringLiteral("AP");
            break;
        case 'g':
            break; // no era in Qt's formats
        default:
            if (c.isLetter())
                out += QLatin1Char('\'') + run + QLatin1Char('\'');
            else
                out += run;
            break;
        }
        i += n;
    }
    return out;
}

QString DefaultFormat(DWORD style)
{
    const QLocale locale;
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
        return QStringLiteral("HH:mm:ss");
    if (style & DTS_LONGDATEFORMAT)
        return locale.dateFormat(QLocale::LongFormat);
    return locale.dateFormat(QLocale::ShortFormat);
}

QDateTime FromSystemTime(const SYSTEMTIME& st)
{
    return QDateTime(QDate(st.wYear, st.wMonth, st.wDay), QTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

SYSTEMTIME ToSystemTime(const QDateTime& t)
{
    SYSTEMTIME st{};
    st.wYear = (WORD)t.date().year();
    st.wMonth = (WORD)t.date().month();
    st.wDayOfWeek = (WORD)(t.date().dayOfWeek() % 7);
    st.wDay = (WORD)t.date().day();
    st.wHour = (WORD)t.time().hour();
    st.wMinute = (WORD)t.time().minute();
    st.wSecond = (WORD)t.time().second();
    st.wMilliseconds = (WORD)t.time().msec();
    return st;
}

void Changed(HWND h)
{
    std::shared_ptr<DateState> s = g_states.Get(h);
    if (!s || s->suppress || !s->edit)
        return;
    NMDATETIMECHANGE nm{};
    nm.dwFlags = GDT_VALID;
    nm.st = ToSystemTime(s->edit->dateTime());
    Notify(h, &nm.nmhdr, DTN_DATETIMECHANGE);
}

QWidget* MakeDate(HWND h, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* host = new HostWidget(h, parent);
    std::shared_ptr<DateState> s = g_states.Make(h);
    auto* edit = new QDateTimeEdit(QDateTime::currentDateTime(), host);
    s->edit = edit;
    host->SetEditor(edit);
    const DWORD style = (DWORD)cs.style;
    edit->setDisplayFormat(DefaultFormat(style));
    edit->setCalendarPopup(!(style & DTS_UPDOWN) && (style & DTS_TIMEFORMAT) != DTS_TIMEFORMAT);
    if (style & DTS_RIGHTALIGN)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, host, [h]() { Changed(h); });
    return host;
}

LRESULT CALLBACK DateProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<DateState> sp = g_states.Get(h);
    if (!sp || !sp->edit)
        return ::DefWindowProc(h, message, wParam, lParam);
    DateState& s = *sp;
    switch (message) {
    case WM_NCCREATE:
        AttachEditorInput(h);
        if (QLineEdit* line = s.edit->findChild<QLineEdit*>())
            wnd::AddInputWidget(h, line);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_NCDESTROY:
        g_states.Drop(h);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        NMHDR nm{};
        Notify(h, &nm, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETTEXT:
        return CopyText(FromQ(s.edit->text()), reinterpret_cast<char*>(lParam), (int)wParam);
    case WM_GETTEXTLENGTH:
        return (LRESULT)FromQ(s.edit->text()).size();
    case DTM_SETFORMAT: {
        const char* format = reinterpret_cast<const char*>(lParam);
        ++s.suppress;
        s.edit->setDisplayFormat(format ? QtFormat(format) : DefaultFormat(Style(h)));
        --s.suppress;
        return TRUE;
    }
    case DTM_GETSYSTEMTIME:
        if (SYSTEMTIME* st = reinterpret_cast<SYSTEMTIME*>(lParam)) {
            *st = ToSystemTime(s.edit->dateTime());
            return GDT_VALID;
        }
        return GDT_ERROR;
    case DTM_SETSYSTEMTIME: {
        const SYSTEMTIME* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if ((int)wParam != GDT_VALID || !st)
            return (int)wParam == GDT_NONE && (Style(h) & DTS_SHOWNONE);
        const QDateTime t = FromSystemTime(*st);
        if (!t.isValid())
            return FALSE;
        ++s.suppress;
        s.edit->setDateTime(t);
        --s.suppress;
        return TRUE;
    }
    case DTM_GETRANGE: {
        SYSTEMTIME* range = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (range) {
            range[0] = ToSystemTime(s.edit->minimumDateTime());
            range[1] = ToSystemTime(s.edit->maximumDateTime());
        }
        return GDTR_MIN | GDTR_MAX;
    }
    case DTM_SETRANGE: {
        const SYSTEMTIME* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (!range)
            return FALSE;
        ++s.suppress;
        if (wParam & GDTR_MIN)
            s.edit->setMinimumDateTime(FromSystemTime(range[0]));
        if (wParam & GDTR_MAX)
            s.edit->setMaximumDateTime(FromSystemTime(range[1]));
        --s.suppress;
        return TRUE;
    }
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterDateTime() { RegisterHostedClass(DATETIMEPICK_CLASS, DateProc, MakeDate); }

} // namespace ctl
