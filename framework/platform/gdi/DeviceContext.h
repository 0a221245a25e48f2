// Device contexts (HDC): coordinates, selected objects, saved states, raster operations, clipping,
// line and shape drawing and blits; and the window manager's entry points for DCs on window
// surfaces.
#pragma once

#include "framework/platform/Types.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/Region.h"

namespace dw {

class TSurface;

// --- Window manager interface --------------------------------------------------------------
//
// Coordinates: logical (what the drawing calls take; pixels, MM_TEXT only) -> device (relative
// to the DC origin: logical - window origin + viewport origin) -> surface (device + device
// origin). The window manager gives each DC a device origin (e.g. a child's client area in its
// top-level window's surface) and a *visible region* in surface coordinates (what the window
// may touch: its area minus covering siblings and, unless asked otherwise, its children). The
// application's clip region (SelectClipRgn and friends) is kept apart, in device coordinates;
// drawing is clipped by visible region & application clip & surface bounds. SelectClipRgn(dc,
// null) removes only the application clip.
//
// The surface must outlive the DC (release DCs before freeing or replacing a surface). A surface
// that is resized (TSurface::Resize) is noticed by its DCs.
HDC CreateSurfaceDC(TSurface* surface, TPoint deviceOrigin, const TRegion& visibleRegion);
// The whole surface visible, origin at its top-left.
HDC CreateSurfaceDC(TSurface* surface);
// Frees a DC made by CreateSurfaceDC (DeleteDC does the same).
void ReleaseSurfaceDC(HDC dc);
// Replaces the visible region of a live DC (surface coordinates), e.g. when a window above moved.
bool SetDCVisibleRegion(HDC dc, const TRegion& visibleRegion);
bool GetDCVisibleRegion(HDC dc, TRegion& visibleRegion);
bool SetDCDeviceOrigin(HDC dc, TPoint deviceOrigin);
// Points a surface DC at another surface (a top-level window that got a new backing surface).
bool SetDCSurface(HDC dc, TSurface* surface, TPoint deviceOrigin, const TRegion& visibleRegion);
// The surface a DC draws into (a memory DC's selected bitmap); null for a bad handle.
TSurface* GetDCSurface(HDC dc);
// Puts a DC back to its freshly created state (stock objects selected, origins zero, default
// modes and colours, no application clip, no saved states) without touching the visible region;
// for the window manager's DC cache.
bool ResetDCState(HDC dc);
bool IsValidDC(HDC dc);
// Number of live DCs; for leak tests.
int DCCount();

// --- Creating and saving ---------------------------------------------------------------------

// A memory DC holding a 1 x 1 monochrome bitmap until one is selected. dc may be null.
HDC CreateCompatibleDC(HDC dc);
bool DeleteDC(HDC dc);
// Returns the new save level (1, 2, ...), 0 on failure.
int SaveDC(HDC dc);
// level > 0: back to that saved state (discarding those above); level < 0: relative (-1 is the
// most recent). The restored state is removed from the stack.
bool RestoreDC(HDC dc, int level);

// Pens, brushes, fonts and bitmaps return the previously selected object; a region becomes the
// clip region (a copy) and the region kind is returned, cast to a handle. Null on failure, e.g. a
// bitmap already selected into another DC or of another format than the DC's.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT objectType);
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF SetDCPenColor(HDC dc, COLORREF color);

// --- Coordinates -------------------------------------------------------------------------------

// The DC origin in screen coordinates (surface screen origin + device origin).
bool GetDCOrgEx(HDC dc, TPoint* origin);
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* previous);
bool GetWindowOrgEx(HDC dc, TPoint* origin);
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* previous);
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* previous);
bool GetViewportOrgEx(HDC dc, TPoint* origin);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* previous);
bool LPtoDP(HDC dc, TPoint* points, int count);
bool DPtoLP(HDC dc, TPoint* points, int count);

// --- Modes and colours -------------------------------------------------------------------------

// Binary raster operations: how pen and brush colours (P) combine with the destination (D).
constexpr int R2_BLACK = 1;        // 0
constexpr int R2_NOTMERGEPEN = 2;  // ~(P | D)
constexpr int R2_MASKNOTPEN = 3;   // ~P & D
constexpr int R2_NOTCOPYPEN = 4;   // ~P
constexpr int R2_MASKPENNOT = 5;   // P & ~D
constexpr int R2_NOT = 6;          // ~D
constexpr int R2_XORPEN = 7;       // P ^ D
constexpr int R2_NOTMASKPEN = 8;   // ~(P & D)
constexpr int R2_MASKPEN = 9;      // P & D
constexpr int R2_NOTXORPEN = 10;   // ~(P ^ D)
constexpr int R2_NOP = 11;         // D
constexpr int R2_MERGENOTPEN = 12; // ~P | D
constexpr int R2_COPYPEN = 13;     // P
constexpr int R2_MERGEPENNOT = 14; // P | ~D
constexpr int R2_MERGEPEN = 15;    // P | D
constexpr int R2_WHITE = 16;       // 1

// Returns the previous mode, 0 on failure (bad DC or mode outside 1..16).
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// Brush patterns are aligned to the brush origin in device coordinates.
bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* previous);
bool GetBrushOrgEx(HDC dc, TPoint* origin);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
// StretchBlt samples the nearest source pixel in every mode except HALFTONE, which filters
// (bilinear) and is used only with SRCCOPY.
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);

// --- Lines and shapes --------------------------------------------------------------------------
// Outlines use the selected pen, interiors the selected brush, both under the ROP2 mode. Each
// call paints every pixel at most once (so drawing twice with R2_XORPEN or R2_NOTXORPEN restores
// the picture), except where a polyline crosses itself.

bool MoveToEx(HDC dc, int x, int y, TPoint* previous);
bool GetCurrentPositionEx(HDC dc, TPoint* position);
// Draws from the current position to (x, y), excluding the end pixel, and moves there.
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const TPoint* points, int count);
bool PolylineTo(HDC dc, const TPoint* points, int count);
bool Polygon(HDC dc, const TPoint* points, int count);
bool PolyPolygon(HDC dc, const TPoint* points, const int* counts, int polygonCount);
// The outline lies inside [left, right) x [top, bottom) for one-pixel and inside-frame pens; wider
// pens are centred on it. With a null pen the filled area of Rectangle, RoundRect and Ellipse ends
// one pixel short on the right and bottom, as it always has.
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
// Arcs run counter-clockwise from the ray towards (xStart, yStart) to the ray towards (xEnd, yEnd).
bool Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
bool Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
bool Chord(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);

// A brush may also be a system colour index plus one, cast to HBRUSH, as window classes have
// always written their backgrounds.
int FillRect(HDC dc, const TRect* rect, HBRUSH brush);
int FrameRect(HDC dc, const TRect* rect, HBRUSH brush);
bool InvertRect(HDC dc, const TRect* rect);
// A dotted frame (every other pixel, aligned to the DC origin) inverted with XOR, so drawing it
// twice removes it.
bool DrawFocusRect(HDC dc, const TRect* rect);
// Returns the colour actually set, CLR_INVALID when the pixel is clipped away or the DC is bad.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
bool SetPixelV(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the clip region.
COLORREF GetPixel(HDC dc, int x, int y);

// Fills a rectangle with a solid colour under R2_COPYPEN, whatever is selected; for the
// gradient caption and other quick fills.
bool FillSolidRect(HDC dc, const TRect& rect, COLORREF color);
// Horizontal (left to right) or vertical (top to bottom) two-colour gradient.
bool GradientFillRect(HDC dc, const TRect& rect, COLORREF from, COLORREF to, bool vertical);

// --- Blits ---------------------------------------------------------------------------------------
// Ternary raster operations: bits 16..23 hold the truth table over (pattern, source, destination);
// every one of the 256 is supported.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Source pixels come from the source DC's surface; areas outside that surface are left alone
// (they have no source). Source and destination may be the same surface and overlap (scrolling).
// SRCCOPY copies pixels exactly, alpha included; every other operation writes opaque pixels.
bool PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
// Negative sizes mirror.
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                DWORD rop);
// Copies (stretching with the nearest pixel) every source pixel whose colour is not
// transparentColor.
bool TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, UINT transparentColor);

constexpr BYTE AC_SRC_OVER = 0;
constexpr BYTE AC_SRC_ALPHA = 1;
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0; // AC_SRC_ALPHA: use the source's per-pixel (premultiplied) alpha
};
bool AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                BLENDFUNCTION blend);

// Device-independent bits straight onto a DC (see SetDIBits for the formats).
int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage);

// --- Clipping ------------------------------------------------------------------------------------
// Regions given to and returned by these calls are in device coordinates, rectangles in logical
// ones. They return the kind of the resulting clip region (NULLREGION, SIMPLEREGION, COMPLEXREGION)
// or ERROR.

// A copy of rgn becomes the application clip; null removes it (the visible region stays).
int SelectClipRgn(HDC dc, HRGN rgn);
// RGN_COPY with null rgn removes the clip; other modes combine the current clip (the whole
// visible area when there is none) with rgn.
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
// Bounds of what can be drawn (visible region & clip), in logical coordinates.
int GetClipBox(HDC dc, TRect* rect);
// Copies the application clip into rgn: 1 when there is one, 0 when there is none, -1 on error.
int GetClipRgn(HDC dc, HRGN rgn);
bool RectVisible(HDC dc, const TRect* rect);
bool PtVisible(HDC dc, int x, int y);

// --- Capabilities --------------------------------------------------------------------------------
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int RC_BITBLT = 1;
constexpr int RC_STRETCHBLT = 0x800;
constexpr int RC_DI_BITMAP = 0x80;
// Fixed 96 DPI; HORZRES/VERTRES are the surface size.
int GetDeviceCaps(HDC dc, int index);

} // namespace dw
