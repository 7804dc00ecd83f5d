// A progress indicator laid over an existing window (the target): a bar of
// nine bitmap tiles, refreshed every 500 ms and on every step, and, with a text
// window, a status text written into it (ProgressStatusText.h). The bar runs
// from top to bottom when the target is higher than wide.
//
// Tiles by index: 0 start end, 1 before the lower marker, 2 lower marker,
// 3 middle of the filled part, 4 filled, 5 upper marker (the position), 6 after
// the upper marker, 7 empty, 8 far end. Cyan (0, 255, 255) is transparent.
//
// The position never goes below `start`, the position a run started from.
#pragma once

#include "dialogs/controls/ProgressStatusText.h"
#include "platform/base/CRect.h"
#include "platform/controls/CImageList.h"
#include "platform/controls/CStatic.h"

#include <memory>

class CBitmap;

class CStatusBarProgress : public CStatic {
public:
    CStatusBarProgress(CWnd* target, int upper, CBitmap* tiles = nullptr, BOOL reverse = FALSE,
                       CWnd* textWnd = nullptr, LPCTSTR label = nullptr, int textMode = 0);
    ~CStatusBarProgress() override;

    BOOL SetRange(int lower, int upper, int step, BOOL rescale, BOOL redraw);
    // Clamped to the range and raised to start; returns the previous position.
    int SetPos(int pos, BOOL redraw);
    int StepIt(BOOL redraw);
    // The position, or with `percent` the progress in 1/256 percent.
    int GetPos(BOOL percent) const;
    void Show();
    void Redraw();

    int GetLower() const { return m_lower; }
    int GetUpper() const { return m_upper; }
    int GetUpperMarker() const { return m_upperMarker; }
    int GetLowerMarker() const { return m_lowerMarker; }
    int GetBarEnd() const { return m_barEnd; }
    CSize GetTileSize() const { return CSize(m_tileWidth, m_tileHeight); }
    BOOL IsVertical() const { return m_vertical; }
    const CString& GetLastText() const { return m_lastText; }
    // The built-in tiles: colour of the inner pixels of tile `index`.
    static COLORREF BuiltInTileColor(int index);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    BOOL Create(CBitmap* tiles);
    BOOL BuildTiles(CBitmap* tiles);
    // Computes the markers; true when they or the bar end differ from what was drawn.
    bool ComputeMarkers();
    void DrawTile(CDC& dc, int tile, int at);
    void PaintAll(CDC& dc);
    CRect TargetRect() const;

    BOOL m_vertical = FALSE;
    CString m_label;
    CString m_lastText;
    CString m_savedText;
    int m_textMode = 0;
    int m_lower = 0;
    int m_upper = 0;
    int m_step = 1;
    int m_lastLowerMarker = -1;
    int m_lowerMarker = 0;
    int m_start = 0;
    int m_lastUpperMarker = -1;
    int m_upperMarker = 0;
    int m_previousPos = 0;
    int m_position = 0;
    int m_lastBarEnd = -1;
    int m_barEnd = 0;
    BOOL m_reverse = FALSE;
    int m_tileWidth = 0;
    int m_tileHeight = 0;
    CImageList m_tiles;
    CRect m_lastTargetRect;
    std::unique_ptr<CBitmap> m_paintBitmap;
    CSize m_paintSize;
    CWnd* m_target = nullptr;
    CWnd* m_textWnd = nullptr;
    SYSTEMTIME m_startTime{};
};
