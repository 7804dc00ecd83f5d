// Device contexts. A DC draws with GDI's pixel rules into a 32-bit RGB surface
// that it does not own: a window's retained surface (AttachSurface) or the
// bitmap selected into a memory DC. Drawing is aliased; lines leave out their
// last pixel and rectangles and ellipses their right and bottom edges, so a
// figure drawn twice in an XOR raster operation restores every pixel.
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CRect.h"
#include "platform/base/CString.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/base/WinTypes.h"

#include <functional>

class QImage;
class QRegion;

// ---------------------------------------------------------------- binary raster operations (SetROP2)
#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16

// ---------------------------------------------------------------- ternary raster operations (BitBlt); every code 0x00XX0000 works
#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define SRCERASE 0x00440328u
#define NOTSRCCOPY 0x00330008u
#define NOTSRCERASE 0x001100A6u
#define MERGECOPY 0x00C000CAu
#define MERGEPAINT 0x00BB0226u
#define PATCOPY 0x00F00021u
#define PATPAINT 0x00FB0A09u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u
#define MAKEROP4(fore, back) ((DWORD)((((back) << 8) & 0xFF000000u) | (fore)))

// ---------------------------------------------------------------- modes
#define TRANSPARENT 1
#define OPAQUE 2
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE
#define AD_COUNTERCLOCKWISE 1
#define AD_CLOCKWISE 2

#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8

// ---------------------------------------------------------------- text
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
#define TA_RTLREADING 256

#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_INTERNAL 0x00001000
#define DT_EDITCONTROL 0x00002000
#define DT_PATH_ELLIPSIS 0x00004000
#define DT_END_ELLIPSIS 0x00008000
#define DT_MODIFYSTRING 0x00010000
#define DT_RTLREADING 0x00020000
#define DT_WORD_ELLIPSIS 0x00040000
#define DT_NOFULLWIDTHCHARBREAK 0x00080000
#define DT_HIDEPREFIX 0x00100000
#define DT_PREFIXONLY 0x00200000

// ---------------------------------------------------------------- device capabilities
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define PHYSICALWIDTH 110
#define PHYSICALHEIGHT 111
#define PHYSICALOFFSETX 112
#define PHYSICALOFFSETY 113
#define DT_PLOTTER 0
#define DT_RASDISPLAY 1
#define DT_RASPRINTER 2
#define RC_BITBLT 0x0001
#define RC_BANDING 0x0002
#define RC_SCALING 0x0004
#define RC_BITMAP64 0x0008
#define RC_DI_BITMAP 0x0080
#define RC_PALETTE 0x0100
#define RC_DIBTODEV 0x0200
#define RC_STRETCHBLT 0x0800
#define RC_FLOODFILL 0x1000
#define RC_STRETCHDIB 0x2000

// ---------------------------------------------------------------- edges and frame controls
#define BDR_RAISEDOUTER 0x0001
#define BDR_SUNKENOUTER 0x0002
#define BDR_RAISEDINNER 0x0004
#define BDR_SUNKENINNER 0x0008
#define BDR_OUTER (BDR_RAISEDOUTER | BDR_SUNKENOUTER)
#define BDR_INNER (BDR_RAISEDINNER | BDR_SUNKENINNER)
#define BDR_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define BDR_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)
#define BF_LEFT 0x0001
#define BF_TOP 0x0002
#define BF_RIGHT 0x0004
#define BF_BOTTOM 0x0008
#define BF_TOPLEFT (BF_TOP | BF_LEFT)
#define BF_TOPRIGHT (BF_TOP | BF_RIGHT)
#define BF_BOTTOMLEFT (BF_BOTTOM | BF_LEFT)
#define BF_BOTTOMRIGHT (BF_BOTTOM | BF_RIGHT)
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_MIDDLE 0x0800
#define BF_SOFT 0x1000
#define BF_ADJUST 0x2000
#define BF_FLAT 0x4000
#define BF_MONO 0x8000

#define DFC_CAPTION 1
#define DFC_MENU 2
#define DFC_SCROLL 3
#define DFC_BUTTON 4
#define DFCS_CAPTIONCLOSE 0x0000
#define DFCS_CAPTIONMIN 0x0001
#define DFCS_CAPTIONMAX 0x0002
#define DFCS_CAPTIONRESTORE 0x0003
#define DFCS_MENUARROW 0x0000
#define DFCS_MENUCHECK 0x0001
#define DFCS_MENUBULLET 0x0002
#define DFCS_SCROLLUP 0x0000
#define DFCS_SCROLLDOWN 0x0001
#define DFCS_SCROLLLEFT 0x0002
#define DFCS_SCROLLRIGHT 0x0003
#define DFCS_SCROLLCOMBOBOX 0x0005
#define DFCS_BUTTONCHECK 0x0000
#define DFCS_BUTTONRADIO 0x0004
#define DFCS_BUTTON3STATE 0x0008
#define DFCS_BUTTONPUSH 0x0010
#define DFCS_INACTIVE 0x0100
#define DFCS_PUSHED 0x0200
#define DFCS_CHECKED 0x0400
#define DFCS_TRANSPARENT 0x0800
#define DFCS_HOT 0x1000
#define DFCS_ADJUSTRECT 0x2000
#define DFCS_FLAT 0x4000
#define DFCS_MONO 0x8000

// Clip region combination modes (ExtSelectClipRgn); RGN_AND ... RGN_COPY come from GdiObjects.h.

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr; // always equal to m_hDC here

    CDC() = default;
    ~CDC() override; // deletes the DC it created or attached
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // ---- construction, handles
    // A memory DC holding a 1x1 monochrome bitmap until a bitmap is selected.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    BOOL Attach(HDC dc);
    HDC Detach();
    // The wrapper of `dc`: the CDC that owns it, else a wrapper that lives as long as the DC.
    static CDC* FromHandle(HDC dc);
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return FALSE; }

    // ---- surfaces (the window code binds its DCs here)
    // Binds the DC to a window's retained surface (not owned); `clip` in device pixels limits drawing (null: the whole surface).
    void AttachSurface(QImage* surface, const QRegion* clip = nullptr);
    void DetachSurface();
    QImage* GetSurface() const;
    // Called with the device rectangle (left, top, right, bottom) after each drawing call that changed pixels.
    void SetSurfaceObserver(std::function<void(const RECT&)> observer);

    // ---- state
    int SaveDC();
    BOOL RestoreDC(int savedDC); // a level from SaveDC, or -n for the n-th most recent

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region); // the clip region becomes a copy; returns the region type
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    int SetArcDirection(int direction);
    int GetArcDirection() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }
    CPoint GetBrushOrg() const;
    COLORREF GetNearestColor(COLORREF color) const;
    int GetDeviceCaps(int index) const;

    // ---- coordinates
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(LPSIZE size) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(LPSIZE size) const;

    // ---- clipping (rectangles in logical units)
    int GetClipBox(LPRECT rect) const;
    int SelectClipRgn(CRgn* region);           // null: no clip region
    int SelectClipRgn(CRgn* region, int mode); // combine with the present clip region
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int OffsetClipRgn(int dx, int dy);
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    BOOL RectVisible(LPCRECT rect) const;

    // ---- lines
    CPoint GetCurrentPosition() const;
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines);
    BOOL PolylineTo(const POINT* points, int count);
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT rect, POINT start, POINT end);
    BOOL ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL ArcTo(LPCRECT rect, POINT start, POINT end);

    // ---- filled shapes
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int width, int height);
    BOOL RoundRect(LPCRECT rect, POINT corner) { return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y); }
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Chord(LPCRECT rect, POINT start, POINT end);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT rect, POINT start, POINT end);
    BOOL Polygon(const POINT* points, int count);
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons);

    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void FillSolidRect(LPCRECT rect, COLORREF color); // leaves the background colour set to `color`
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* region);
    BOOL PaintRgn(CRgn* region);

    // ---- pixels and blocks
    COLORREF GetPixel(int x, int y) const; // CLR_INVALID outside the clip area
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    BOOL SetPixelV(POINT p, COLORREF color) { return SetPixelV(p.x, p.y, color); }
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);

    // ---- text (8-bit text is UTF-8; counts are bytes, -1 for zero-terminated where Windows allows it)
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, int* dx);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, int* dx)
    {
        return ExtTextOut(x, y, options, rect, text, (UINT)text.GetLength(), dx);
    }
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format) { return DrawText(text, text.GetLength(), rect, format); }
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    CSize GetOutputTextExtent(LPCTSTR text, int count) const { return GetTextExtent(text, count); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const { return GetTextMetrics(metrics); }
    int GetTextFace(CString& face) const;
    int GetTextFace(int count, LPTSTR face) const;
    BOOL GetCharWidth(UINT first, UINT last, int* widths) const;

    // ---- paths (figures recorded in device units between BeginPath and EndPath)
    BOOL BeginPath();
    BOOL EndPath();
    BOOL AbortPath();
    BOOL CloseFigure();
    BOOL StrokePath();
    BOOL FillPath();
    BOOL StrokeAndFillPath();

private:
    bool m_ownsDC = false; // this wrapper deletes m_hDC when it goes
    friend struct GdiDCAccess;
};

// ---------------------------------------------------------------- Win32 calls on device contexts
// Each acts on the DC as the CDC member of the same name does.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// The screen's DC: 32 bits per pixel, 96 pixels per inch; drawing into it is discarded.
HDC GdiGetScreenDC();
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);
int GetDeviceCaps(HDC dc, int index);

COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
UINT SetTextAlign(HDC dc, UINT flags);
UINT GetTextAlign(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous);

int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous);
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetWindowOrgEx(HDC dc, LPPOINT origin);
BOOL SetViewportExtEx(HDC dc, int cx, int cy, LPSIZE previous);
BOOL SetWindowExtEx(HDC dc, int cx, int cy, LPSIZE previous);
BOOL LPtoDP(HDC dc, LPPOINT points, int count);
BOOL DPtoLP(HDC dc, LPPOINT points, int count);

int GetClipBox(HDC dc, LPRECT rect);
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int x1, int y1, int x2, int y2);
int ExcludeClipRect(HDC dc, int x1, int y1, int x2, int y2);
// 1 when the DC has a clip region (copied into `region`), 0 when it has none, -1 on error.
int GetClipRgn(HDC dc, HRGN region);
BOOL RectVisible(HDC dc, LPCRECT rect);
BOOL PtVisible(HDC dc, int x, int y);

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC dc, LPPOINT position);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const INT* counts, int polygons);
BOOL Rectangle(HDC dc, int x1, int y1, int x2, int y2);
BOOL Ellipse(HDC dc, int x1, int y1, int x2, int y2);
BOOL RoundRect(HDC dc, int x1, int y1, int x2, int y2, int width, int height);
BOOL Arc(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
BOOL Chord(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
BOOL Pie(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
int SetArcDirection(HDC dc, int direction);
int GetArcDirection(HDC dc);
int FillRect(HDC dc, LPCRECT rect, HBRUSH brush);
int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush);
BOOL InvertRect(HDC dc, LPCRECT rect);
BOOL DrawFocusRect(HDC dc, LPCRECT rect);
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC dc, HRGN region);
BOOL PaintRgn(HDC dc, HRGN region);

COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop);
// Rows [startScan, startScan + lines) of a packed bitmap to the device, unscaled; returns the rows drawn.
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// A packed bitmap's rectangle stretched to the device with a raster operation; returns the rows drawn.
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
inline BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count) { return TextOutA(dc, x, y, text, count); }
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const INT* dx);
inline BOOL ExtTextOut(HDC dc, int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const INT* dx)
{
    return ExtTextOutA(dc, x, y, options, rect, text, count, dx);
}
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
inline int DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) { return DrawTextA(dc, text, count, rect, format); }
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);
inline BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size) { return GetTextExtentPoint32A(dc, text, count, size); }
BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
inline BOOL GetTextMetrics(HDC dc, LPTEXTMETRICA metrics) { return GetTextMetricsA(dc, metrics); }
int GetTextFaceA(HDC dc, int count, LPSTR face);

BOOL BeginPath(HDC dc);
BOOL EndPath(HDC dc);
BOOL AbortPath(HDC dc);
BOOL CloseFigure(HDC dc);
BOOL StrokePath(HDC dc);
BOOL FillPath(HDC dc);
BOOL StrokeAndFillPath(HDC dc);
