// The rich edit window classes ("RichEdit20A", "RICHEDIT"): plain text in a Qt
// text edit. Character positions count characters with one for each line break,
// as the rich edit control does; WM_GETTEXT and streaming out give CR LF breaks.
// EN_CHANGE and EN_SELCHANGE reach the parent only when the event mask asks for
// them; EN_CHANGE follows every change of the text, by the user, WM_SETTEXT,
// EM_REPLACESEL or EM_STREAMIN.
#include "platform/controls/CtlHost.h"
#include "platform/gdi/GdiInternal.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace ctl {

namespace {

struct RichState : ChangeReports {
    QPointer<QPlainTextEdit> text;
    DWORD eventMask = 0;
    int limit = 32767;
    CHARRANGE lastSel{0, 0};
};

States<RichState> g_states;

QString Plain(const RichState& s) { return s.text ? s.text->toPlainText() : QString(); }

std::string WindowText(const RichState& s) { return ToWindowText(Plain(s)); }

CHARRANGE Selection(const RichState& s)
{
    if (!s.text)
        return CHARRANGE{0, 0};
    const QTextCursor c = s.text->textCursor();
    return CHARRANGE{(LONG)c.selectionStart(), (LONG)c.selectionEnd()};
}

void SetSelection(RichState& s, LONG from, LONG to)
{
    if (!s.text)
        return;
    const int length = (int)Plain(s).size();
    QTextCursor c = s.text->textCursor();
    if (from == -1) {
        c.setPosition(c.position());
    } else {
        if (to < 0 || (from == 0 && to == -1))
            to = length;
        c.setPosition(std::clamp((int)from, 0, length));
        c.setPosition(std::clamp((int)to, 0, length), QTextCursor::KeepAnchor);
    }
    s.text->setTextCursor(c);
}

void SendChange(HWND h, const RichState& s)
{
    if (s.eventMask & ENM_UPDATE)
        Command(h, EN_UPDATE);
    if (::IsWindow(h) && (s.eventMask & ENM_CHANGE))
        Command(h, EN_CHANGE);
}

void TextChanged(HWND h)
{
    if (std::shared_ptr<RichState> s = g_states.Get(h))
        EditorChanged(*s, [h, &s] { SendChange(h, *s); });
}

void SelectionMoved(HWND h)
{
    std::shared_ptr<RichState> s = g_states.Get(h);
    if (!s || !(s->eventMask & ENM_SELCHANGE))
        return;
    const CHARRANGE now = Selection(*s);
    if (now.cpMin == s->lastSel.cpMin && now.cpMax == s->lastSel.cpMax)
        return;
    s->lastSel = now;
    SELCHANGE sc{};
    sc.chrg = now;
    sc.seltyp = now.cpMin == now.cpMax ? SEL_EMPTY : SEL_TEXT;
    Notify(h, &sc.nmhdr, EN_SELCHANGE);
}

template <class F>
void ChangeText(HWND h, RichState& s, F&& change)
{
    ChangeByMessage(s, [&] { return Plain(s); }, change, [h, &s] { SendChange(h, s); });
}

QWidget* MakeRich(HWND h, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* host = new HostWidget(h, parent);
    std::shared_ptr<RichState> s = g_states.Make(h);
    auto* text = new QPlainTextEdit(host);
    text->setTabChangesFocus(false);
    s->text = text;
    host->SetEditor(text);
    const DWORD style = (DWORD)cs.style;
    const bool frame = (style & WS_BORDER) || (cs.dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    text->setFrameShape(frame ? QFrame::StyledPanel : QFrame::NoFrame);
    text->setReadOnly(style & ES_READONLY);
    text->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const bool wrap = (style & ES_MULTILINE) && !(style & ES_AUTOHSCROLL) && !(style & WS_HSCROLL);
    text->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    text->setPlainText(FromWindowText(cs.lpszName));
    QObject::connect(text, &QPlainTextEdit::textChanged, host, [h]() { TextChanged(h); });
    QObject::connect(text, &QPlainTextEdit::cursorPositionChanged, host, [h]() { SelectionMoved(h); });
    QObject::connect(text, &QPlainTextEdit::selectionChanged, host, [h]() { SelectionMoved(h); });
    return host;
}

LRESULT Deliver(HWND h, RichState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DeliverInput(h, s, message, wParam, lParam, [h, &s] { SendChange(h, s); });
}

int LineOf(const RichState& s, int pos)
{
    return s.text ? s.text->document()->findBlock(std::max(0, pos)).blockNumber() : 0;
}

QString LineText(const RichState& s, int line)
{
    const QTextBlock b = s.text ? s.text->document()->findBlockByNumber(line) : QTextBlock();
    return b.isValid() ? b.text() : QString();
}

QPoint PosOf(HWND h, RichState& s, int pos)
{
    HostWidget* host = HostOf(h);
    if (!s.text || !host)
        return QPoint();
    QTextCursor c(s.text->document());
    c.setPosition(std::clamp(pos, 0, std::max(0, s.text->document()->characterCount() - 1)));
    return s.text->viewport()->mapTo(host, s.text->cursorRect(c).topLeft());
}

void FillCharFormat(HWND h, CHARFORMAT* cf)
{
    LOGFONTA lf{};
    HFONT font = Font(h);
    ::GetObject(font, sizeof lf, &lf);
    int points = 10;
    if (lf.lfHeight) {
        const int px = std::abs((int)lf.lfHeight);
        points = std::max(1, ::MulDiv(px, 72, 96));
    }
    const DWORD mask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_FACE | CFM_COLOR |
                       CFM_CHARSET | CFM_OFFSET;
    cf->dwMask = mask;
    cf->dwEffects = CFE_AUTOCOLOR | (lf.lfWeight >= 600 ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0) |
                    (lf.lfUnderline ? CFE_UNDERLINE : 0) | (lf.lfStrikeOut ? CFE_STRIKEOUT : 0);
    cf->yHeight = points * 20;
    cf->yOffset = 0;
    cf->crTextColor = SysColor(COLOR_WINDOWTEXT);
    cf->bCharSet = lf.lfCharSet;
    cf->bPitchAndFamily = lf.lfPitchAndFamily;
    lstrcpyn(cf->szFaceName, lf.lfFaceName, LF_FACESIZE);
}

LRESULT CALLBACK RichProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<RichState> sp = g_states.Get(h);
    if (!sp)
        return ::DefWindowProc(h, message, wParam, lParam);
    RichState& s = *sp;
    switch (message) {
    case WM_NCCREATE:
        AttachEditorInput(h);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_NCDESTROY:
        g_states.Drop(h);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        ChangeText(h, s, [&]() { s.text->setPlainText(FromWindowText(text)); });
        s.modified = false;
        return TRUE;
    }
    case WM_GETTEXT:
        return CopyText(WindowText(s), reinterpret_cast<char*>(lParam), (int)wParam);
    case WM_GETTEXTLENGTH:
        return (LRESULT)WindowText(s).size();
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && (Style(h) & ES_MULTILINE) &&
            (Style(h) & ES_WANTRETURN))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SETFOCUS:
        Command(h, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Command(h, EN_KILLFOCUS);
        return 0;
    case WM_CHAR: {
        const unsigned char c = (unsigned char)wParam;
        const DWORD style = Style(h);
        if (c == '\r' && (!(style & ES_MULTILINE) || !(style & ES_WANTRETURN)) && !(::GetKeyState(VK_CONTROL) & 0x8000))
            return 0;
        if ((c == '\t' || c == 0x1b) && !(style & ES_MULTILINE))
            return 0;
        if (c >= ' ' || c == '\r') {
            const CHARRANGE sel = Selection(s);
            if (sel.cpMin == sel.cpMax && (int)Plain(s).size() >= s.limit)
                return 0;
        }
        return Deliver(h, s, message, wParam, lParam);
    }
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_IBEAM);
    case EM_SETEVENTMASK: {
        const DWORD old = s.eventMask;
        s.eventMask = (DWORD)lParam;
        s.lastSel = Selection(s);
        return old;
    }
    case EM_GETEVENTMASK:
        return s.eventMask;
    case EM_EXGETSEL:
        if (CHARRANGE* r = reinterpret_cast<CHARRANGE*>(lParam))
            *r = Selection(s);
        return 0;
    case EM_EXSETSEL: {
        const CHARRANGE* r = reinterpret_cast<const CHARRANGE*>(lParam);
        if (r)
            SetSelection(s, r->cpMin, r->cpMax);
        return Selection(s).cpMax;
    }
    case EM_GETSEL: {
        const CHARRANGE r = Selection(s);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = (DWORD)r.cpMin;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = (DWORD)r.cpMax;
        return (LRESULT)(DWORD)MAKELONG(std::min<LONG>(r.cpMin, 0xFFFF), std::min<LONG>(r.cpMax, 0xFFFF));
    }
    case EM_SETSEL:
        SetSelection(s, (LONG)(int)wParam, (LONG)(int)lParam);
        return 0;
    case EM_REPLACESEL: {
        const char* text = reinterpret_cast<const char*>(lParam);
        ChangeText(h, s, [&]() {
            QTextCursor c = s.text->textCursor();
            c.insertText(FromWindowText(text));
            s.text->setTextCursor(c);
        });
        return 0;
    }
    case EM_GETSELTEXT: {
        const CHARRANGE r = Selection(s);
        QString t = Plain(s).mid(r.cpMin, r.cpMax - r.cpMin);
        t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        const std::string bytes = FromQ(t);
        return CopyText(bytes, reinterpret_cast<char*>(lParam), (int)bytes.size() + 1);
    }
    case EM_GETTEXTRANGE: {
        TEXTRANGE* tr = reinterpret_cast<TEXTRANGE*>(lParam);
        if (!tr || !tr->lpstrText)
            return 0;
        const QString all = Plain(s);
        const int to = tr->chrg.cpMax < 0 ? (int)all.size() : std::min((int)tr->chrg.cpMax, (int)all.size());
        const int from = std::clamp((int)tr->chrg.cpMin, 0, to);
        QString t = all.mid(from, to - from);
        t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        const std::string bytes = FromQ(t);
        return CopyText(bytes, tr->lpstrText, (int)bytes.size() + 1);
    }
    case EM_GETTEXTLENGTHEX: {
        const GETTEXTLENGTHEX* gl = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
        if (gl && (gl->flags & GTL_USECRLF))
            return (LRESULT)WindowText(s).size();
        return (LRESULT)Plain(s).size();
    }
    case EM_EXLINEFROMCHAR:
        return LineOf(s, (int)lParam);
    case EM_LINEFROMCHAR:
        return LineOf(s, (int)wParam < 0 ? Selection(s).cpMin : (int)wParam);
    case EM_LINEINDEX: {
        int line = (int)wParam;
        if (line < 0)
            line = LineOf(s, Selection(s).cpMax);
        const QTextBlock b = s.text->document()->findBlockByNumber(line);
        return b.isValid() ? b.position() : -1;
    }
    case EM_LINELENGTH:
        return (LRESULT)LineText(s, LineOf(s, (int)wParam < 0 ? Selection(s).cpMin : (int)wParam)).size();
    case EM_GETLINECOUNT:
        return s.text->document()->blockCount();
    case EM_GETLINE: {
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || (int)wParam >= s.text->document()->blockCount())
            return 0;
        return CopyLine(FromQ(LineText(s, (int)wParam)), buffer);
    }
    case EM_GETFIRSTVISIBLELINE:
        return s.text->cursorForPosition(QPoint(0, 0)).blockNumber();
    case EM_LINESCROLL: {
        QScrollBar* v = s.text->verticalScrollBar();
        v->setValue(v->value() + (int)lParam);
        return TRUE;
    }
    case EM_SCROLLCARET:
        s.text->ensureCursorVisible();
        return 0;
    case EM_POSFROMCHAR: {
        const QPoint p = PosOf(h, s, (int)lParam);
        if (POINTL* out = reinterpret_cast<POINTL*>(wParam)) {
            out->x = p.x();
            out->y = p.y();
        }
        return 0;
    }
    case EM_CHARFROMPOS: {
        const POINTL* in = reinterpret_cast<const POINTL*>(lParam);
        HostWidget* host = HostOf(h);
        if (!in || !host)
            return 0;
        return s.text->cursorForPosition(s.text->viewport()->mapFrom(host, QPoint(in->x, in->y))).position();
    }
    case EM_GETCHARFORMAT:
        if (CHARFORMAT* cf = reinterpret_cast<CHARFORMAT*>(lParam)) {
            FillCharFormat(h, cf);
            return cf->dwMask;
        }
        return 0;
    case EM_SETCHARFORMAT: {
        const CHARFORMAT* cf = reinterpret_cast<const CHARFORMAT*>(lParam);
        if (!cf)
            return FALSE;
        // Plain text: a format applies to the whole control, as its font.
        LOGFONTA lf{};
        ::GetObject(Font(h), sizeof lf, &lf);
        if (cf->dwMask & CFM_FACE)
            lstrcpyn(lf.lfFaceName, cf->szFaceName, LF_FACESIZE);
        if (cf->dwMask & CFM_SIZE)
            lf.lfHeight = -::MulDiv(cf->yHeight, 96, 1440);
        if (cf->dwMask & CFM_BOLD)
            lf.lfWeight = (cf->dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
        if (cf->dwMask & CFM_ITALIC)
            lf.lfItalic = (cf->dwEffects & CFE_ITALIC) ? 1 : 0;
        if (s.text)
            s.text->setFont(gdi::qtFont(lf));
        return TRUE;
    }
    case EM_STREAMIN: {
        EDITSTREAM* es = reinterpret_cast<EDITSTREAM*>(lParam);
        if (!es || !es->pfnCallback || !(wParam & SF_TEXT))
            return 0;
        std::string bytes;
        char buffer[4096];
        es->dwError = 0;
        for (;;) {
            LONG got = 0;
            const DWORD error = es->pfnCallback(es->dwCookie, reinterpret_cast<LPBYTE>(buffer), (LONG)sizeof buffer, &got);
            if (error) {
                es->dwError = error;
                break;
            }
            if (got <= 0)
                break;
            bytes.append(buffer, (size_t)got);
        }
        const QString text = FromWindowText(bytes.data(), bytes.size());
        ChangeText(h, s, [&]() {
            if (wParam & SFF_SELECTION) {
                QTextCursor c = s.text->textCursor();
                c.insertText(text);
                s.text->setTextCursor(c);
            } else {
                s.text->setPlainText(text);
            }
        });
        if (!(wParam & SFF_SELECTION))
            s.modified = false;
        return (LRESULT)bytes.size();
    }
    case EM_STREAMOUT: {
        EDITSTREAM* es = reinterpret_cast<EDITSTREAM*>(lParam);
        if (!es || !es->pfnCallback || !(wParam & SF_TEXT))
            return 0;
        std::string bytes;
        if (wParam & SFF_SELECTION) {
            const CHARRANGE r = Selection(s);
            bytes = ToWindowText(Plain(s).mid(r.cpMin, r.cpMax - r.cpMin));
        } else {
            bytes = WindowText(s);
        }
        es->dwError = 0;
        size_t done = 0;
        while (done < bytes.size()) {
            const LONG chunk = (LONG)std::min<size_t>(4096, bytes.size() - done);
            LONG written = 0;
            const DWORD error = es->pfnCallback(es->dwCookie, reinterpret_cast<LPBYTE>(bytes.data() + done), chunk, &written);
            if (error) {
                es->dwError = error;
                break;
            }
            if (written <= 0)
                break;
            done += (size_t)written;
        }
        return (LRESULT)done;
    }
    case EM_EXLIMITTEXT:
        s.limit = lParam > 0 ? (int)lParam : 32767;
        return 0;
    case EM_LIMITTEXT:
        s.limit = wParam > 0 ? (int)wParam : 32767;
        return 0;
    case EM_GETLIMITTEXT:
        return s.limit;
    case EM_GETMODIFY:
        return s.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        s.modified = wParam != 0;
        return 0;
    case EM_SETREADONLY:
        SetStyleBits(h, ES_READONLY, wParam != 0);
        s.text->setReadOnly(wParam != 0);
        return TRUE;
    case EM_SETBKGNDCOLOR: {
        QPalette pal = s.text->palette();
        const COLORREF c = wParam ? SysColor(COLOR_WINDOW) : (COLORREF)lParam;
        pal.setColor(QPalette::Base, QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
        s.text->setPalette(pal);
        return 0;
    }
    case EM_CANUNDO:
        return s.text->document()->isUndoAvailable();
    case EM_UNDO:
    case WM_UNDO:
        ChangeText(h, s, [&]() { s.text->undo(); });
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        s.text->document()->clearUndoRedoStacks();
        return 0;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        ChangeText(h, s, [&]() {
            if (message == WM_CUT)
                s.text->cut();
            else if (message == WM_PASTE)
                s.text->paste();
            else
                s.text->textCursor().removeSelectedText();
        });
        return 0;
    case WM_COPY:
        s.text->copy();
        return 0;
    case EM_HIDESELECTION:
    case EM_SETOPTIONS:
    case EM_GETOPTIONS:
    case EM_SETRECT:
    case EM_SETMARGINS:
        return 0;
    case EM_CANPASTE:
        return s.text->canPaste();
    default:
        if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_KEYDOWN || message == WM_KEYUP ||
            message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR)
            return Deliver(h, s, message, wParam, lParam);
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterRichEdit()
{
    RegisterHostedClass(RICHEDIT_CLASS, RichProc, MakeRich);
    RegisterHostedClass(RICHEDIT_CLASS10A, RichProc, MakeRich);
}

} // namespace ctl
