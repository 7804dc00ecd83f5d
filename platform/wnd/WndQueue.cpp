// The thread's message queue. Input translated from Qt events and PostMessage's
// messages wait here in order; the Qt event loop drains the queue as soon as it has
// something, unless a caller is pumping it itself (PeekMessage / GetMessage), in
// which case the messages wait for that caller. WM_QUIT is a flag that is reported
// once the queue is empty, as on Windows.
#include "platform/wnd/WndInternal.h"

#include "platform/base/Clock.h"
#include "platform/wnd/CWinThread.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QThread>

#include <algorithm>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace wnd {

namespace {

struct Queued {
    MSG msg{};
    std::shared_ptr<NativeInput> native;
    std::string chars; // the characters TranslateMessage makes of a key-down
    std::shared_ptr<HeldInput> held; // set: no message yet, see HeldInput
};

std::mutex g_mutex;
std::deque<Queued> g_queue;
bool g_wakePosted = false;
bool g_quitPending = false;
int g_quitCode = 0;
int g_peekDepth = 0;
// While held input is routed, the messages it makes take its place in the queue.
std::ptrdiff_t g_routeAt = -1;

// The message last taken out of the queue, for TranslateMessage / DispatchMessage.
Queued g_last;
bool g_haveLast = false;

struct DispatchContext {
    HWND hwnd;
    UINT message;
    NativeInput* native;
};
std::vector<DispatchContext> g_dispatching;

DWORD g_lastMessagePos = 0;
LONG g_lastMessageTime = 0;
QPoint g_cursor;
bool g_cursorSynthetic = false;
BYTE g_keys[256] = {};

class Dispatcher : public QObject {
public:
    static QEvent::Type WakeType()
    {
        static const QEvent::Type type = (QEvent::Type)QEvent::registerEventType();
        return type;
    }

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() != WakeType())
            return;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            g_wakePosted = false;
        }
        if (g_peekDepth == 0)
            DrainQueue();
    }
};

QObject* TheDispatcher()
{
    static Dispatcher* dispatcher = nullptr;
    if (!dispatcher && QCoreApplication::instance()) {
        dispatcher = new Dispatcher;
        if (dispatcher->thread() != QCoreApplication::instance()->thread())
            dispatcher->moveToThread(QCoreApplication::instance()->thread());
    }
    return dispatcher;
}

// Asks the event loop to drain the queue; called with g_mutex held.
void WakeLocked()
{
    if (g_wakePosted)
        return;
    if (QObject* d = TheDispatcher()) {
        g_wakePosted = true;
        QCoreApplication::postEvent(d, new QEvent(Dispatcher::WakeType()));
    }
}

bool SameMessage(const MSG& a, const MSG& b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time;
}

bool Matches(const MSG& m, HWND hwnd, UINT first, UINT last)
{
    if (hwnd && m.hwnd != hwnd && !::IsChild(hwnd, m.hwnd))
        return false;
    if (first == 0 && last == 0)
        return true;
    return m.message >= first && m.message <= last;
}

bool IsInput(const Queued& q)
{
    const UINT m = q.msg.message;
    return q.held || (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

// Routes held input that no undispatched input precedes any more. Called without g_mutex.
void RouteHeldInput()
{
    if (g_routeAt >= 0)
        return; // a handler of the event being routed pumps: the rest keeps its order
    for (;;) {
        std::shared_ptr<HeldInput> held;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            const auto it = std::find_if(g_queue.begin(), g_queue.end(), IsInput);
            if (it == g_queue.end() || !it->held)
                return;
            held = std::move(it->held);
            g_routeAt = it - g_queue.begin();
            g_queue.erase(it);
        }
        if (held->window) {
            const std::unique_ptr<QEvent> event = held->make(held->window);
            QCoreApplication::sendEvent(held->window, event.get());
        }
        g_routeAt = -1;
    }
}

void Translate(const Queued& q)
{
    if ((q.msg.message != WM_KEYDOWN && q.msg.message != WM_SYSKEYDOWN) || q.chars.empty())
        return;
    const UINT charMessage = q.msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    std::lock_guard<std::mutex> lock(g_mutex);
    for (auto it = q.chars.rbegin(); it != q.chars.rend(); ++it) {
        Queued c;
        c.msg = q.msg;
        c.msg.message = charMessage;
        c.msg.wParam = (WPARAM)(unsigned char)*it;
        c.native = q.native;
        g_queue.push_front(std::move(c));
    }
}

LRESULT Dispatch(const MSG& msg, NativeInput* native)
{
    g_lastMessagePos = (DWORD)MAKELONG(msg.pt.x, msg.pt.y);
    g_lastMessageTime = (LONG)msg.time;
    if (msg.message == WM_TIMER && msg.lParam) {
        if (msg.hwnd && !::IsWindow(msg.hwnd))
            return 0;
        reinterpret_cast<TIMERPROC>(msg.lParam)(msg.hwnd, WM_TIMER, msg.wParam, GetTickCount());
        return 0;
    }
    if (!msg.hwnd || !::IsWindow(msg.hwnd))
        return 0;
    g_dispatching.push_back(DispatchContext{msg.hwnd, msg.message, native});
    const LRESULT result = ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    g_dispatching.pop_back();
    return result;
}

bool g_messageSinceIdle = false;

void Process(Queued q)
{
    g_messageSinceIdle = true;
    MSG msg = q.msg;
    g_lastMessagePos = (DWORD)MAKELONG(msg.pt.x, msg.pt.y);
    g_lastMessageTime = (LONG)msg.time;
    if (AfxPreTranslateMessage(&msg))
        return;
    Translate(q);
    Dispatch(msg, q.native.get());
}

void EnterPeek() { ++g_peekDepth; }

void LeavePeek()
{
    if (--g_peekDepth == 0) {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_queue.empty() || g_quitPending)
            WakeLocked();
    }
}

bool OnGuiThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace

bool PeekModeActive() { return g_peekDepth > 0; }

bool TakeMessageSinceIdle()
{
    const bool was = g_messageSinceIdle;
    g_messageSinceIdle = false;
    return was;
}

void EnqueueInput(const MSG& msg, std::shared_ptr<NativeInput> native, std::string chars)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Queued q;
    q.msg = msg;
    q.native = std::move(native);
    q.chars = std::move(chars);
    if (g_routeAt >= 0 && g_routeAt <= (std::ptrdiff_t)g_queue.size())
        g_queue.insert(g_queue.begin() + g_routeAt++, std::move(q));
    else
        g_queue.push_back(std::move(q));
}

bool RoutingHeldInput() { return g_routeAt >= 0; }

bool MustHoldInput()
{
    if (g_peekDepth == 0 || g_routeAt >= 0)
        return false;
    std::lock_guard<std::mutex> lock(g_mutex);
    return std::any_of(g_queue.begin(), g_queue.end(), IsInput);
}

void HoldInput(QWindow* window, std::function<std::unique_ptr<QEvent>(QWindow*)> make)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Queued q;
    q.held = std::make_shared<HeldInput>();
    q.held->window = window;
    q.held->make = std::move(make);
    g_queue.push_back(std::move(q));
}

void EnqueueTimer(HWND hwnd, UINT_PTR id, TIMERPROC proc)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    for (const Queued& q : g_queue)
        if (q.msg.message == WM_TIMER && q.msg.hwnd == hwnd && q.msg.wParam == id)
            return; // at most one WM_TIMER of a timer waits
    Queued q;
    q.msg.hwnd = hwnd;
    q.msg.message = WM_TIMER;
    q.msg.wParam = id;
    q.msg.lParam = (LPARAM)proc;
    q.msg.time = MessageTime();
    POINT p;
    ::GetCursorPos(&p);
    q.msg.pt = p;
    g_queue.push_back(std::move(q));
}

void PurgeQueue(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::erase_if(g_queue, [hwnd](const Queued& q) { return q.msg.hwnd == hwnd; });
}

void PurgeTimer(HWND hwnd, UINT_PTR id)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::erase_if(g_queue, [hwnd, id](const Queued& q) {
        return q.msg.message == WM_TIMER && q.msg.hwnd == hwnd && q.msg.wParam == id;
    });
}

void DrainQueue()
{
    while (g_peekDepth == 0) {
        RouteHeldInput();
        Queued q;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            if (g_queue.empty())
                break;
            q = std::move(g_queue.front());
            g_queue.pop_front();
        }
        Process(std::move(q));
    }
    if (g_peekDepth == 0 && g_quitPending && QThread::currentThread()->loopLevel() > 0) {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_queue.empty()) {
            // The running loop takes the quit: CWinThread::Run returns with its code.
            g_quitPending = false;
            QCoreApplication::exit(g_quitCode);
        }
    }
}

DWORD MessageTime() { return GetTickCount(); }

void NoteInputState(const MSG&, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    auto set = [](int vk, bool down) { g_keys[vk] = (BYTE)((g_keys[vk] & 1) | (down ? 0x80 : 0)); };
    set(VK_SHIFT, modifiers & Qt::ShiftModifier);
    set(VK_CONTROL, modifiers & Qt::ControlModifier);
    set(VK_MENU, modifiers & Qt::AltModifier);
    set(VK_LBUTTON, buttons & Qt::LeftButton);
    set(VK_RBUTTON, buttons & Qt::RightButton);
    set(VK_MBUTTON, buttons & Qt::MiddleButton);
}

void NoteKey(UINT vk, bool down)
{
    if (vk == 0 || vk > 255)
        return;
    BYTE& k = g_keys[vk];
    if (down && !(k & 0x80))
        k ^= 1; // toggled on each press
    k = (BYTE)((k & 1) | (down ? 0x80 : 0));
}

bool DeliverNativeInput(HWND hwnd, UINT message)
{
    if (g_dispatching.empty())
        return false;
    const DispatchContext& c = g_dispatching.back();
    if (c.hwnd != hwnd || !c.native || c.native->deliverOn != message || c.native->delivered)
        return false;
    DeliverToWidget(*c.native);
    return true;
}

void SetCursorPosition(const QPoint& global, bool synthetic)
{
    g_cursor = global;
    g_cursorSynthetic = synthetic;
}

} // namespace wnd

using namespace wnd;

// ---------------------------------------------------------------- Win32 calls

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool gui = OnGuiThread();
    if (gui && hWnd && !::IsWindow(hWnd))
        return FALSE;
    std::lock_guard<std::mutex> lock(g_mutex);
    Queued q;
    q.msg.hwnd = hWnd;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    q.msg.time = GetTickCount();
    if (gui) {
        POINT p;
        ::GetCursorPos(&p);
        q.msg.pt = p;
    }
    g_queue.push_back(std::move(q));
    WakeLocked();
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_quitPending = true;
    g_quitCode = nExitCode;
    WakeLocked();
}

BOOL AfxIsQuitPending()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_quitPending;
}

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (QCoreApplication::instance()) {
        EnterPeek();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        LeavePeek();
    }
    RouteHeldInput();
    std::lock_guard<std::mutex> lock(g_mutex);
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (it->held || !Matches(it->msg, hWnd, wMsgFilterMin, wMsgFilterMax))
            continue;
        *lpMsg = it->msg;
        if (wRemoveMsg & PM_REMOVE) {
            g_last = std::move(*it);
            g_haveLast = true;
            g_queue.erase(it);
        }
        return TRUE;
    }
    const bool quitInRange = (wMsgFilterMin == 0 && wMsgFilterMax == 0) ||
                             (WM_QUIT >= wMsgFilterMin && WM_QUIT <= wMsgFilterMax);
    if (g_quitPending && quitInRange && !hWnd) {
        *lpMsg = MSG{};
        lpMsg->message = WM_QUIT;
        lpMsg->wParam = (WPARAM)g_quitCode;
        lpMsg->time = GetTickCount();
        if (wRemoveMsg & PM_REMOVE)
            g_quitPending = false;
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    for (;;) {
        if (::PeekMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
            return lpMsg->message != WM_QUIT;
        if (!QCoreApplication::instance())
            return FALSE; // nothing could ever arrive
        EnterPeek();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        LeavePeek();
    }
}

BOOL WaitMessage()
{
    if (!QCoreApplication::instance())
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_queue.empty() || g_quitPending)
            return TRUE;
    }
    EnterPeek();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    LeavePeek();
    return TRUE;
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    if (!lpMsg || !g_haveLast || !SameMessage(*lpMsg, g_last.msg))
        return FALSE;
    if ((lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN) || g_last.chars.empty())
        return FALSE;
    Translate(g_last);
    g_last.chars.clear();
    return TRUE;
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return 0;
    std::shared_ptr<NativeInput> native;
    if (g_haveLast && SameMessage(*lpMsg, g_last.msg)) {
        native = g_last.native;
        g_haveLast = false;
        g_last = Queued();
    }
    return Dispatch(*lpMsg, native.get());
}

BOOL AfxPumpMessage()
{
    if (CWinThread* thread = AfxGetThread())
        return thread->PumpMessage();
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

UINT RegisterWindowMessage(LPCSTR lpString)
{
    static std::unordered_map<std::string, UINT> messages;
    static UINT next = 0xC000;
    if (!lpString || !*lpString)
        return 0;
    auto [it, added] = messages.emplace(lpString, next);
    if (added)
        ++next;
    return it->second;
}

DWORD GetMessagePos() { return g_lastMessagePos; }
LONG GetMessageTime() { return g_lastMessageTime; }

SHORT GetKeyState(int nVirtKey)
{
    if (nVirtKey == VK_LSHIFT || nVirtKey == VK_RSHIFT)
        nVirtKey = VK_SHIFT;
    else if (nVirtKey == VK_LCONTROL || nVirtKey == VK_RCONTROL)
        nVirtKey = VK_CONTROL;
    else if (nVirtKey == VK_LMENU || nVirtKey == VK_RMENU)
        nVirtKey = VK_MENU;
    if (nVirtKey < 0 || nVirtKey > 255)
        return 0;
    const BYTE k = g_keys[nVirtKey];
    return (SHORT)(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int vKey) { return (SHORT)(GetKeyState(vKey) & 0x8000); }

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    // Synthetic input (tests, programmatic moves) defines where the pointer is; real
    // input leaves that to the system's pointer.
    const QPoint p = g_cursorSynthetic || !QCoreApplication::instance() ? g_cursor : QCursor::pos();
    lpPoint->x = p.x();
    lpPoint->y = p.y();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    if (QCoreApplication::instance())
        QCursor::setPos(X, Y);
    g_cursor = QPoint(X, Y);
    g_cursorSynthetic = true;
    return TRUE;
}
