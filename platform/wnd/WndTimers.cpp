// Timers: SetTimer and KillTimer. A window's timers are Qt timers of its bridge
// object and arrive as queued WM_TIMER messages; timers without a window call their
// procedure directly. A killed timer's pending WM_TIMER is removed from the queue.
#include "platform/wnd/WndShared.h"

#include "platform/base/Clock.h"
#include "platform/wnd/WndWidget.h"

#include <QCoreApplication>
#include <QTimerEvent>

#include <algorithm>

using namespace wnd;

namespace {

// Timers without a window call their procedure directly.
class ThreadTimers : public QObject {
public:
    std::map<UINT_PTR, std::pair<int, TIMERPROC>> timers;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        for (const auto& [id, t] : timers)
            if (t.first == event->timerId()) {
                if (t.second)
                    t.second(nullptr, WM_TIMER, id, GetTickCount());
                return;
            }
    }
};

ThreadTimers* TheThreadTimers()
{
    static ThreadTimers* timers = QCoreApplication::instance() ? new ThreadTimers : nullptr;
    return timers;
}

} // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    const int ms = (int)std::clamp<UINT>(AfxScaledWait(uElapse), 10, 0x7FFFFFFF);
    if (!hWnd) {
        ThreadTimers* tt = TheThreadTimers();
        if (!tt || !lpTimerFunc)
            return 0;
        auto it = tt->timers.find(nIDEvent);
        if (it != tt->timers.end()) {
            tt->killTimer(it->second.first);
        } else {
            static UINT_PTR next = 0x7F00;
            nIDEvent = ++next;
        }
        tt->timers[nIDEvent] = {tt->startTimer(ms), lpTimerFunc};
        return nIDEvent;
    }
    Window* w = Find(hWnd);
    if (!w || !w->bridge)
        return 0;
    Timer& t = w->timers[nIDEvent];
    if (t.qtId)
        w->bridge->killTimer(t.qtId);
    t.qtId = w->bridge->startTimer(ms);
    t.proc = lpTimerFunc;
    return nIDEvent ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    if (!hWnd) {
        ThreadTimers* tt = TheThreadTimers();
        if (!tt)
            return FALSE;
        auto it = tt->timers.find(uIDEvent);
        if (it == tt->timers.end())
            return FALSE;
        tt->killTimer(it->second.first);
        tt->timers.erase(it);
        return TRUE;
    }
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    auto it = w->timers.find(uIDEvent);
    if (it == w->timers.end())
        return FALSE;
    if (w->bridge)
        w->bridge->killTimer(it->second.qtId);
    w->timers.erase(it);
    PurgeTimer(hWnd, uIDEvent);
    return TRUE;
}
