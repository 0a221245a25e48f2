// The windowing core's basic value types: points, sizes, rectangles, colours, the message
// parameter types and the opaque handle types of windows and graphics objects.
#pragma once

#include <algorithm>
#include <cstdint>

namespace dw {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
    TPoint operator+(TPoint o) const { return {X + o.X, Y + o.Y}; }
    TPoint operator-(TPoint o) const { return {X - o.X, Y - o.Y}; }
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// Left and top are inside, right and bottom just outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    // Empty (all zero) when the rectangles do not overlap.
    TRect Intersect(const TRect& o) const {
        TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    TRect Union(const TRect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
    }
};

inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// $00BBGGRR, as colours have always been stored.
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = std::uint32_t;

// Handles are opaque. A handle that was destroyed is recognised as invalid; using it fails
// cleanly instead of touching freed memory.
struct HWND__;
using HWND = HWND__*;
struct HDC__;
using HDC = HDC__*;
struct HGDIOBJ__;
using HGDIOBJ = HGDIOBJ__*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;

constexpr std::int16_t LoWordSigned(LPARAM v) { return static_cast<std::int16_t>(v & 0xFFFF); }
constexpr std::int16_t HiWordSigned(LPARAM v) { return static_cast<std::int16_t>((v >> 16) & 0xFFFF); }
constexpr std::uint16_t LOWORD(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HIWORD(std::uintptr_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<std::int32_t>((static_cast<std::uint32_t>(lo) & 0xFFFF) |
                                                         ((static_cast<std::uint32_t>(hi) & 0xFFFF) << 16)));
}
inline TPoint PointFromLParam(LPARAM lp) { return {LoWordSigned(lp), HiWordSigned(lp)}; }

} // namespace dw
