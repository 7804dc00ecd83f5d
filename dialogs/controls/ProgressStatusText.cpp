// The indicator's status text. A range of zero width counts as no progress
// instead of dividing by zero.
#include "dialogs/controls/ProgressStatusText.h"

#include <cstdint>
#include <cstdlib>

namespace {

const int64_t kTicksPerSecond = 10000000;
const int64_t kTicksPerDay = 86400 * kTicksPerSecond;

int64_t Ticks(const SYSTEMTIME& st)
{
    FILETIME ft{};
    if (!SystemTimeToFileTime(&st, &ft))
        return 0;
    return (int64_t)(((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime);
}

SYSTEMTIME FromTicks(int64_t ticks)
{
    FILETIME ft{(DWORD)(uint64_t)ticks, (DWORD)((uint64_t)ticks >> 32)};
    SYSTEMTIME st{};
    FileTimeToSystemTime(&ft, &st);
    return st;
}

bool OtherDay(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear != b.wYear || a.wMonth != b.wMonth || a.wDay != b.wDay;
}

CString DatePart(const SYSTEMTIME& st)
{
    CString s;
    s.Format("%04d/%02d/%02d/%02d ", st.wYear, st.wMonth, st.wDay, st.wDayOfWeek + 1);
    return s;
}

// "d:" for a day or more, then "hh:mm:ss".
CString Duration(int64_t ticks)
{
    if (ticks < 0)
        ticks = 0;
    CString s;
    if (ticks >= kTicksPerDay)
        s.Format("%d:", (int)(ticks / kTicksPerDay));
    const int64_t seconds = (ticks % kTicksPerDay) / kTicksPerSecond;
    CString hms;
    hms.Format("%02d:%02d:%02d", (int)(seconds / 3600), (int)(seconds / 60 % 60), (int)(seconds % 60));
    return s + hms;
}

CString Wrap(const CString& text, int textMode) { return textMode > 0 ? "(" + text + ")" : text; }

int64_t Span(const ProgressTextState& s) { return (int64_t)s.upper - s.lower; }

} // namespace

int FitProgressLabel(CString& label, int width, int extra, const ProgressTextWidth& measure)
{
    if (label.GetLength() >= 3 && label.Right(3) == "...")
        label = label.Left(label.GetLength() - 3);
    if (label.IsEmpty())
        return 0;
    const int full = measure(label);
    if (full + extra <= width)
        return 0;
    const int dots = measure("...");
    if (dots + measure(label.Left(1)) >= full)
        return -label.GetLength();
    extra += dots / 2;
    int removed = 0;
    while (measure(label) + extra > width && label.GetLength() > 1) {
        label = label.Left(label.GetLength() - 1);
        ++removed;
        while (label.GetLength() > 1 && label[label.GetLength() - 1] == ' ') {
            label = label.Left(label.GetLength() - 1);
            ++removed;
        }
    }
    label += "...";
    return removed;
}

CString ProgressTimeLine(const ProgressTextState& state, int textMode)
{
    CString line = " ";
    if (textMode > 0)
        line += "(";
    const SYSTEMTIME& start = state.startTime;
    if (OtherDay(start, state.now))
        line += DatePart(start);
    CString part;
    part.Format("%02d:%02d:%02d - ", start.wHour, start.wMinute, start.wSecond);
    line += part;

    const int64_t elapsed = Ticks(state.now) - Ticks(start);
    line += Duration(elapsed) + " - ";

    const int64_t span = Span(state);
    const int64_t q = span != 0 ? ((int64_t)state.position - state.start) * 25600 / span : 0;
    const int64_t p = q / 256;
    part.Format("%d%% / %d%% - ", (int)p, (int)(100 - p));
    line += part;

    const int64_t total = q != 0 ? elapsed * 25600 / q : elapsed;
    line += Duration(q != 0 ? total - elapsed : 0) + " - ";

    const SYSTEMTIME finish = FromTicks(Ticks(start) + total);
    if (OtherDay(finish, state.now))
        line += DatePart(finish);
    part.Format("%02d:%02d:%02d", finish.wHour, finish.wMinute, finish.wSecond);
    line += part;
    if (textMode > 0)
        line += ")";
    return line;
}

CString ProgressStatusText(const CString& label, int textMode, const ProgressTextState& state, int width,
                           const ProgressTextWidth& measure)
{
    const int m = std::abs(textMode);
    CString percent, times;
    if (m != 0) {
        const int64_t span = Span(state);
        const int64_t value = span != 0 ? ((int64_t)state.position - state.lower) * 100 / span : 0;
        CString number;
        number.Format("%d%%", (int)value);
        percent = " " + Wrap(number, textMode);
        if (m > 1)
            times = ProgressTimeLine(state, textMode);
    }
    const int available = width - 2 * measure(" ");
    CString fitted = label;
    bool fallback = false;
    if (m == 1) {
        FitProgressLabel(fitted, available, measure(percent), measure);
    } else if (m == 2) {
        FitProgressLabel(fitted, available, measure(times), measure);
    } else if (m == 3) {
        const int r = FitProgressLabel(fitted, available, measure(times), measure);
        if (r != 0 && r != fitted.GetLength()) {
            fitted = label;
            percent += "...";
            FitProgressLabel(fitted, available, measure(percent), measure);
            fallback = true;
        }
    } else {
        FitProgressLabel(fitted, available, 0, measure);
    }
    CString text = fitted;
    if (m == 1)
        text += percent;
    else if (m == 2)
        text += times;
    else if (m == 3)
        text += fallback ? percent : times;
    text.TrimLeft(' ');
    return text.IsEmpty() ? CString(" ") : text;
}
