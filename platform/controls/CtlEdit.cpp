// The "Edit" window class: a Qt line edit (or a plain text edit for ES_MULTILINE)
// in a host widget. Character positions are those of the 8-bit text: bytes of its
// UTF-8 form, each line break of a multi-line control counting as CR LF.
//
// EN_UPDATE and EN_CHANGE follow every change the user makes, once the key or
// mouse message that made it has been handled, and follow WM_SETTEXT (single-line
// controls only, as on Windows) and EM_REPLACESEL.
#include "platform/controls/CtlHost.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace ctl {

namespace {

struct EditState : ChangeReports {
    QPointer<QLineEdit> line;
    QPointer<QPlainTextEdit> text;
    bool multi = false;
    int limit = 0; // 0: the default
};

States<EditState> g_states;

int Utf8Len(QChar c) { return c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3; }

int WinFromQt(const QString& t, int q, bool ml)
{
    q = std::clamp(q, 0, (int)t.size());
    int n = 0;
    for (int i = 0; i < q; ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('\n')) {
            n += ml ? 2 : 1;
        } else if (c.isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
            n += 4;
            ++i;
        } else {
            n += Utf8Len(c);
        }
    }
    return n;
}

// A position inside a character, or between CR and LF, is taken as the one before.
int QtFromWin(const QString& t, int w, bool ml)
{
    if (w < 0)
        return (int)t.size();
    int n = 0, i = 0;
    while (i < t.size()) {
        const QChar c = t[i];
        int len, step = 1;
        if (c == QLatin1Char('\n')) {
            len = ml ? 2 : 1;
        } else if (c.isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
            len = 4;
            step = 2;
        } else {
            len = Utf8Len(c);
        }
        if (n + len > w)
            break;
        n += len;
        i += step;
    }
    return i;
}

QString Current(const EditState& s)
{
    if (s.line)
        return s.line->text();
    if (s.text)
        return s.text->toPlainText();
    return QString();
}

// The text as the 8-bit API returns it: line breaks as CR LF in a multi-line control.
std::string WindowText(const EditState& s) { return s.multi ? ToWindowText(Current(s)) : FromQ(Current(s)); }

void SendChange(HWND h)
{
    Command(h, EN_UPDATE);
    if (::IsWindow(h))
        Command(h, EN_CHANGE);
}

void UserEdited(HWND h)
{
    if (std::shared_ptr<EditState> s = g_states.Get(h))
        EditorChanged(*s, [h] { SendChange(h); });
}

// Selection in Qt positions: (anchor, position).
void QtSelection(const EditState& s, int* start, int* end)
{
    if (s.line) {
        if (s.line->hasSelectedText()) {
            *start = s.line->selectionStart();
            *end = *start + (int)s.line->selectedText().size();
        } else {
            *start = *end = s.line->cursorPosition();
        }
    } else if (s.text) {
        const QTextCursor c = s.text->textCursor();
        *start = c.selectionStart();
        *end = c.selectionEnd();
    } else {
        *start = *end = 0;
    }
}

void SetQtSelection(EditState& s, int anchor, int position)
{
    if (s.line) {
        if (anchor == position)
            s.line->setCursorPosition(position);
        else
            s.line->setSelection(anchor, position - anchor);
    } else if (s.text) {
        QTextCursor c = s.text->textCursor();
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        s.text->setTextCursor(c);
    }
}

void ApplyStyle(EditState& s, DWORD style, DWORD exStyle)
{
    const bool frame = (style & WS_BORDER) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    Qt::Alignment align = Qt::AlignLeft;
    if (style & ES_CENTER)
        align = Qt::AlignHCenter;
    else if (style & ES_RIGHT)
        align = Qt::AlignRight;
    if (s.line) {
        s.line->setFrame(frame);
        s.line->setReadOnly(style & ES_READONLY);
        s.line->setEchoMode((style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
        s.line->setAlignment(align | Qt::AlignVCenter);
    } else if (s.text) {
        s.text->setFrameShape(frame ? QFrame::StyledPanel : QFrame::NoFrame);
        s.text->setReadOnly(style & ES_READONLY);
        s.text->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        s.text->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        const bool wrap = !(style & ES_AUTOHSCROLL) && !(style & WS_HSCROLL);
        s.text->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        QTextOption option = s.text->document()->defaultTextOption();
        option.setAlignment(align);
        s.text->document()->setDefaultTextOption(option);
    }
    if (QWidget* editor = s.line ? static_cast<QWidget*>(s.line) : static_cast<QWidget*>(s.text)) {
        QPalette pal = editor->palette();
        if (style & ES_READONLY) {
            const COLORREF face = SysColor(COLOR_BTNFACE);
            pal.setColor(QPalette::Base, QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
        } else {
            pal.setColor(QPalette::Base, QApplication::palette().color(QPalette::Base));
        }
        editor->setPalette(pal);
    }
}

QWidget* MakeEdit(HWND h, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* host = new HostWidget(h, parent);
    std::shared_ptr<EditState> s = g_states.Make(h);
    const DWORD style = (DWORD)cs.style;
    s->multi = (style & ES_MULTILINE) != 0;
    if (s->multi) {
        auto* text = new QPlainTextEdit(host);
        text->setTabChangesFocus(false);
        text->setContextMenuPolicy(Qt::DefaultContextMenu);
        s->text = text;
        host->SetEditor(text);
        QObject::connect(text, &QPlainTextEdit::textChanged, host, [h]() { UserEdited(h); });
    } else {
        auto* line = new QLineEdit(host);
        s->line = line;
        host->SetEditor(line);
        QObject::connect(line, &QLineEdit::textEdited, host, [h]() { UserEdited(h); });
    }
    ApplyStyle(*s, style, cs.dwExStyle);
    ++s->suppress;
    if (s->line)
        s->line->setText(FromWindowText(cs.lpszName));
    else
        s->text->setPlainText(FromWindowText(cs.lpszName));
    --s->suppress;
    return host;
}

int LineCount(const EditState& s) { return s.text ? s.text->document()->blockCount() : 1; }

// Qt position of the start of a line; -1 when there is no such line.
int LineStart(const EditState& s, int line)
{
    if (!s.text)
        return line == 0 ? 0 : -1;
    const QTextBlock b = s.text->document()->findBlockByNumber(line);
    return b.isValid() ? b.position() : -1;
}

int LineOf(const EditState& s, int qpos)
{
    if (!s.text)
        return 0;
    return s.text->document()->findBlock(qpos).blockNumber();
}

QString LineText(const EditState& s, int line)
{
    if (!s.text)
        return line == 0 ? Current(s) : QString();
    const QTextBlock b = s.text->document()->findBlockByNumber(line);
    return b.isValid() ? b.text() : QString();
}

QPoint PosOf(HWND h, EditState& s, int qpos)
{
    HostWidget* host = HostOf(h);
    if (s.text) {
        QTextCursor c(s.text->document());
        c.setPosition(std::clamp(qpos, 0, (int)s.text->document()->characterCount() - 1));
        const QRect r = s.text->cursorRect(c);
        return s.text->viewport()->mapTo(host, r.topLeft());
    }
    if (s.line) {
        const int keep = s.line->cursorPosition();
        int a = 0, b = 0;
        QtSelection(s, &a, &b);
        const bool selected = s.line->hasSelectedText();
        s.line->setCursorPosition(qpos);
        const QRect r = s.line->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        if (selected)
            SetQtSelection(s, a == keep ? b : a, keep);
        else
            s.line->setCursorPosition(keep);
        return s.line->mapTo(host, r.topLeft());
    }
    return QPoint();
}

// The Qt position of a character index; for a negative one, the selection's start.
int QtPosOrSelStart(const EditState& s, int index)
{
    if (index >= 0)
        return QtFromWin(Current(s), index, s.multi);
    int a, b;
    QtSelection(s, &a, &b);
    return a;
}

// Runs a change made by a message and reports it when the text changed.
template <class F>
void ChangeText(HWND h, EditState& s, F&& change)
{
    ChangeByMessage(s, [&] { return Current(s); }, change, [h] { SendChange(h); });
}

bool IsNavigationKey(UINT vk) { return vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT || vk == VK_F4; }

LRESULT Deliver(HWND h, EditState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DeliverInput(h, s, message, wParam, lParam, [h] { SendChange(h); });
}

LRESULT CALLBACK EditProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<EditState> sp = g_states.Get(h);
    if (!sp)
        return ::DefWindowProc(h, message, wParam, lParam);
    EditState& s = *sp;
    const bool ml = s.multi;
    switch (message) {
    case WM_NCCREATE:
        AttachEditorInput(h);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_CREATE:
        CheckSelfPainted(h);
        return 0;
    case WM_NCDESTROY:
        g_states.Drop(h);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_SETTEXT: {
        ++s.suppress;
        if (s.line)
            s.line->setText(FromWindowText(reinterpret_cast<const char*>(lParam)));
        else if (s.text)
            s.text->setPlainText(FromWindowText(reinterpret_cast<const char*>(lParam)));
        --s.suppress;
        s.modified = false;
        if (!ml)
            SendChange(h);
        return TRUE;
    }
    case WM_GETTEXT:
        return CopyText(WindowText(s), reinterpret_cast<char*>(lParam), (int)wParam);
    case WM_GETTEXTLENGTH:
        return (LRESULT)WindowText(s).size();
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN) {
            const DWORD style = Style(h);
            if (ml && msg->wParam == VK_RETURN && (style & ES_WANTRETURN))
                code |= DLGC_WANTMESSAGE;
            if (HWND combo = ComboOfEdit(h))
                if ((msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) &&
                    ::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0))
                    code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_SETFOCUS:
        Command(h, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Command(h, EN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (HWND combo = ComboOfEdit(h)) {
            const bool alt = message == WM_SYSKEYDOWN;
            if ((IsNavigationKey((UINT)wParam) || (alt && (wParam == VK_UP || wParam == VK_DOWN))) &&
                ::SendMessage(combo, CBP_EDITKEY, wParam, alt))
                return 0;
        }
        return Deliver(h, s, message, wParam, lParam);
    case WM_CHAR: {
        const unsigned char c = (unsigned char)wParam;
        const DWORD style = Style(h);
        if (!ml && (c == '\t' || c == '\r' || c == '\n' || c == 0x1b))
            return 0; // the dialog's keys; the editor would move Qt's focus or beep
        if (ml && c == '\r' && !(style & ES_WANTRETURN) && (::GetKeyState(VK_CONTROL) & 0x8000) == 0)
            return 0;
        if ((style & ES_NUMBER) && c >= ' ' && (c < '0' || c > '9'))
            return 0;
        if (c >= ' ' || c == '\r' || c == '\t') {
            const int limit = s.limit > 0 ? s.limit : (ml ? 0x7FFFFFFE : 0x7FFE);
            int a, b;
            QtSelection(s, &a, &b);
            if (a == b && (int)WindowText(s).size() >= limit) {
                Command(h, EN_MAXTEXT);
                return 0;
            }
        }
        return Deliver(h, s, message, wParam, lParam);
    }
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_IBEAM);

    // ---- selection and text
    case EM_GETSEL: {
        int a, b;
        QtSelection(s, &a, &b);
        const QString t = Current(s);
        const DWORD start = (DWORD)WinFromQt(t, a, ml), end = (DWORD)WinFromQt(t, b, ml);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return (LRESULT)(DWORD)MAKELONG(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
        const QString t = Current(s);
        const int start = (int)wParam, end = (int)lParam;
        if (start == -1) {
            int a, b;
            QtSelection(s, &a, &b);
            SetQtSelection(s, b, b);
            return 0;
        }
        const int qa = QtFromWin(t, start, ml);
        const int qb = end < 0 ? (int)t.size() : QtFromWin(t, end, ml);
        if (start == 0 && end == -1)
            SetQtSelection(s, 0, (int)t.size());
        else
            SetQtSelection(s, qa, qb);
        return 0;
    }
    case EM_REPLACESEL: {
        const QString insert = FromWindowText(reinterpret_cast<const char*>(lParam));
        ChangeText(h, s, [&]() {
            if (s.line) {
                s.line->insert(insert);
            } else if (s.text) {
                QTextCursor c = s.text->textCursor();
                c.insertText(insert);
                s.text->setTextCursor(c);
            }
        });
        return 0;
    }
    case EM_GETMODIFY:
        return s.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        s.modified = wParam != 0;
        return 0;
    case EM_GETLINECOUNT:
        return LineCount(s);
    case EM_LINEINDEX: {
        int line = (int)wParam;
        if (line < 0) {
            int a, b;
            QtSelection(s, &a, &b);
            line = LineOf(s, b);
        }
        const int q = LineStart(s, line);
        return q < 0 ? -1 : WinFromQt(Current(s), q, ml);
    }
    case EM_LINEFROMCHAR:
        return LineOf(s, QtPosOrSelStart(s, (int)wParam));
    case EM_LINELENGTH:
        return (LRESULT)FromQ(LineText(s, LineOf(s, QtPosOrSelStart(s, (int)wParam)))).size();
    case EM_GETLINE: {
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || (int)wParam >= LineCount(s))
            return 0;
        return CopyLine(FromQ(LineText(s, (int)wParam)), buffer);
    }
    case EM_LIMITTEXT: {
        s.limit = (int)wParam;
        if (s.line)
            s.line->setMaxLength(s.limit > 0 ? s.limit : 32767);
        return 0;
    }
    case EM_GETLIMITTEXT:
        return s.limit > 0 ? s.limit : (ml ? 0x7FFFFFFE : 0x7FFE);
    case EM_SETREADONLY:
        ApplyStyle(s, SetStyleBits(h, ES_READONLY, wParam != 0), ExStyle(h));
        return TRUE;
    case EM_SETPASSWORDCHAR:
        ApplyStyle(s, SetStyleBits(h, ES_PASSWORD, wParam != 0), ExStyle(h));
        return 0;
    case EM_GETPASSWORDCHAR:
        return (Style(h) & ES_PASSWORD) ? '*' : 0;
    case EM_CANUNDO:
        if (s.line)
            return s.line->isUndoAvailable();
        return s.text && s.text->document()->isUndoAvailable();
    case EM_UNDO:
    case WM_UNDO:
        ChangeText(h, s, [&]() {
            if (s.line)
                s.line->undo();
            else if (s.text)
                s.text->undo();
        });
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        if (s.text) {
            s.text->document()->clearUndoRedoStacks();
        } else if (s.line) {
            int a, b;
            QtSelection(s, &a, &b);
            ++s.suppress;
            s.line->setText(s.line->text());
            --s.suppress;
            SetQtSelection(s, a, b);
        }
        return 0;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        ChangeText(h, s, [&]() {
            if (message == WM_CUT)
                s.line ? s.line->cut() : s.text->cut();
            else if (message == WM_PASTE)
                s.line ? s.line->paste() : s.text->paste();
            else if (s.line)
                s.line->del();
            else
                s.text->textCursor().removeSelectedText();
        });
        return 0;
    case WM_COPY:
        if (s.line)
            s.line->copy();
        else if (s.text)
            s.text->copy();
        return 0;
    case EM_SCROLLCARET:
        if (s.text)
            s.text->ensureCursorVisible();
        return TRUE;
    case EM_GETFIRSTVISIBLELINE:
        return s.text ? s.text->cursorForPosition(QPoint(0, 0)).blockNumber() : 0;
    case EM_LINESCROLL:
        if (s.text) {
            QScrollBar* v = s.text->verticalScrollBar();
            v->setValue(v->value() + (int)lParam);
            QScrollBar* hb = s.text->horizontalScrollBar();
            hb->setValue(hb->value() + (int)wParam * FontMetrics(Font(h)).aveWidth);
        }
        return TRUE;
    case EM_POSFROMCHAR: {
        const QString t = Current(s);
        const int q = QtFromWin(t, (int)wParam, ml);
        if ((int)wParam > WinFromQt(t, (int)t.size(), ml))
            return -1;
        const QPoint p = PosOf(h, s, q);
        return (LRESULT)(DWORD)MAKELONG(p.x(), p.y());
    }
    case EM_CHARFROMPOS: {
        HostWidget* host = HostOf(h);
        const QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        int q = 0;
        if (s.text && host)
            q = s.text->cursorForPosition(s.text->viewport()->mapFrom(host, p)).position();
        else if (s.line && host)
            q = s.line->cursorPositionAt(s.line->mapFrom(host, p));
        const QString t = Current(s);
        return (LRESULT)(DWORD)MAKELONG(WinFromQt(t, q, ml), LineOf(s, q));
    }
    case EM_GETRECT:
        if (RECT* r = reinterpret_cast<RECT*>(lParam))
            *r = Client(h);
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
    case EM_SETMARGINS:
    case EM_SETTABSTOPS:
    case EM_FMTLINES:
        return 0;
    default:
        if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_KEYUP || message == WM_SYSKEYUP ||
            message == WM_SYSCHAR)
            return Deliver(h, s, message, wParam, lParam);
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

HWND ComboOfEdit(HWND edit)
{
    if (::GetDlgCtrlID(edit) != 1001)
        return nullptr;
    HWND parent = ::GetParent(edit);
    char cls[32] = {};
    if (!parent || !::GetClassName(parent, cls, (int)sizeof cls))
        return nullptr;
    return CompareNoCase(cls, WC_COMBOBOX) == 0 ? parent : nullptr;
}

void RegisterEdit() { RegisterHostedClass(WC_EDIT, EditProc, MakeEdit); }

} // namespace ctl
