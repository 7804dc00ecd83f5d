// Message boxes through the one hook (MessageBox.h): the installed handler answers, else a real Qt
// box with the Windows buttons and default.
#include "platform/base/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_handlerMutex;
MessageBoxHandler g_handler;
CString g_appTitle = "Map Editor";

QMessageBox::StandardButton ToQt(int id)
{
    switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

int FromQt(int button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

// The buttons of each MB_ type, in order; the escape answer is the last "no" kind.
void Buttons(UINT type, int ids[3], int& count, int& escape)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: ids[0] = IDOK, ids[1] = IDCANCEL, count = 2, escape = IDCANCEL; break;
    case MB_ABORTRETRYIGNORE: ids[0] = IDABORT, ids[1] = IDRETRY, ids[2] = IDIGNORE, count = 3, escape = IDABORT; break;
    case MB_YESNOCANCEL: ids[0] = IDYES, ids[1] = IDNO, ids[2] = IDCANCEL, count = 3, escape = IDCANCEL; break;
    case MB_YESNO: ids[0] = IDYES, ids[1] = IDNO, count = 2, escape = IDNO; break;
    case MB_RETRYCANCEL: ids[0] = IDRETRY, ids[1] = IDCANCEL, count = 2, escape = IDCANCEL; break;
    default: ids[0] = IDOK, count = 1, escape = IDOK; break;
    }
}

// The MB_DEFBUTTONn button among `ids`; the first when the type has no such button.
int DefaultButton(UINT type, const int ids[3], int count)
{
    const int def = (int)((type & MB_DEFMASK) >> 8);
    return ids[def < count ? def : 0];
}

int ShowReal(const MessageBoxRequest& r)
{
    int ids[3] = {IDOK, 0, 0};
    int count = 1, escape = IDOK;
    Buttons(r.type, ids, count, escape);
    const int defaultId = DefaultButton(r.type, ids, count);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // No GUI (a command-line run): report on stderr and take the default answer.
        std::fprintf(stderr, "%s: %s\n", r.caption.GetString(), r.text.GetString());
        return defaultId;
    }
    QMessageBox box;
    box.setWindowTitle(QString::fromUtf8(r.caption.GetString()));
    box.setText(QString::fromUtf8(r.text.GetString()));
    switch (r.type & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    QMessageBox::StandardButtons buttons;
    for (int i = 0; i < count; ++i)
        buttons |= ToQt(ids[i]);
    box.setStandardButtons(buttons);
    box.setDefaultButton(ToQt(defaultId));
    box.setEscapeButton(ToQt(escape));
    return FromQt(box.exec());
}

// The installed handler answers, or else a real box. The handler is copied out
// of the lock so that it may itself show a box or install another handler.
int Show(const MessageBoxRequest& r)
{
    MessageBoxHandler h;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        h = g_handler;
    }
    return h ? h(r) : ShowReal(r);
}
}

MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler)
{
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    std::swap(g_handler, handler);
    return handler;
}

int AfxMessageBoxDefaultAnswer(UINT type)
{
    int ids[3] = {IDOK, 0, 0};
    int count = 1, escape = IDOK;
    Buttons(type, ids, count, escape);
    return DefaultButton(type, ids, count);
}

void AfxSetAppTitle(const char* title) { g_appTitle = title; }
CString AfxGetAppTitle() { return g_appTitle; }

int MessageBox(HWND, const char* text, const char* caption, UINT type)
{
    MessageBoxRequest r;
    r.text = text;
    r.caption = caption ? CString(caption) : g_appTitle;
    r.type = type;
    return Show(r);
}

int AfxMessageBox(const char* text, UINT type, UINT helpId)
{
    MessageBoxRequest r;
    r.text = text;
    r.caption = g_appTitle;
    r.type = type;
    r.helpId = helpId;
    return Show(r);
}

int AfxMessageBox(UINT idPrompt, UINT type, UINT helpId)
{
    CString text;
    text.LoadString(idPrompt);
    return AfxMessageBox(text, type, helpId == (UINT)-1 ? idPrompt : helpId);
}
