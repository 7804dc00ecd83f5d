// The status text of the tiled progress indicator: a label shortened with "..."
// to fit a width, followed by the percentage or by a line of start, elapsed,
// remaining and finish times. Kept apart from the window so that the text
// follows from its inputs alone (widths come from `measure`).
//
// Text mode m: |m| = 1 percentage, 2 time line, 3 time line or, when the label
// does not fit beside it, the percentage; a positive m wraps the part in "(" ")".
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Clock.h"

#include <functional>

using ProgressTextWidth = std::function<int(const CString&)>;

struct ProgressTextState {
    int position = 0;
    int start = 0; // the position the run started from
    int lower = 0;
    int upper = 100;
    SYSTEMTIME startTime{};
    SYSTEMTIME now{};
};

// Fits `label` into `width` with `extra` pixels taken by what follows: 0 when it
// fits as it is, the number of characters removed when it was cut and ended in
// "...", minus its length when it is too short to cut.
int FitProgressLabel(CString& label, int width, int extra, const ProgressTextWidth& measure);
// The line of times, with the leading blank and, for a positive mode, the brackets.
CString ProgressTimeLine(const ProgressTextState& state, int textMode);
// What the text window shows: never empty (a single blank at least).
CString ProgressStatusText(const CString& label, int textMode, const ProgressTextState& state, int width,
                           const ProgressTextWidth& measure);
