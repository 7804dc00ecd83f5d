// Cuts the bytes of a receiver, as they come from its port or from a stored
// log, into sentence lines, the one rule for both.
//
// A line ends at CR LF, at LF alone and at CR alone: receivers and the files
// they leave use all three. A "$" or "!" (which no sentence holds inside) also
// starts a new line, so that noise before a sentence or two sentences run
// together on one line still give every sentence its own line. Zero bytes are
// dropped: a line is C text. A line longer than kMaxLine characters (NMEA
// allows 82) is dropped whole and counted, and no more than kMaxLine of it is
// ever held, so that input without line ends never grows without bound. Empty
// lines are not handed on.
#pragma once

#include "platform/base/CString.h"

#include <cstddef>
#include <string>

class CNmeaLineCutter {
public:
    static constexpr size_t kMaxLine = 1024;

    // Hands every line that the bytes complete to `each(const CString&)`, in order.
    template <class Each>
    void Feed(const char* data, size_t size, Each&& each)
    {
        for (size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\r' || c == '\n') {
                Emit(each);
                continue;
            }
            if (c == '$' || c == '!')
                Emit(each);
            if (c == 0)
                continue;
            if (m_Line.size() < kMaxLine) {
                m_Line += c;
            } else {
                m_bCut = true;
                ++m_nDroppedBytes;
            }
        }
    }
    // The text after the last line end, as the last line (a file that does not
    // end in a line end).
    template <class Each>
    void Finish(Each&& each)
    {
        Emit(each);
    }

    // Lines dropped for being longer than kMaxLine, and their characters beyond it.
    unsigned long long GetCutLines() const { return m_nCutLines; }
    unsigned long long GetDroppedBytes() const { return m_nDroppedBytes; }

private:
    template <class Each>
    void Emit(Each& each)
    {
        if (m_bCut) {
            ++m_nCutLines;
            m_bCut = false;
            m_Line.clear();
            return;
        }
        if (m_Line.empty())
            return;
        const CString line(m_Line);
        m_Line.clear();
        each(line);
    }

    std::string m_Line;
    bool m_bCut = false;
    unsigned long long m_nCutLines = 0;
    unsigned long long m_nDroppedBytes = 0;
};
