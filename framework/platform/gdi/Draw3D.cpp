#include "framework/platform/gdi/Draw3D.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiHandle.h"
#include "framework/platform/gdi/GdiInternal.h"
#include "framework/platform/gdi/Surface.h"

#include <algorithm>

namespace dw {

namespace {

void Fill(HDC dc, int l, int t, int r, int b, int colorIndex) {
    if (r > l && b > t) FillSolidRect(dc, {l, t, r, b}, GetSysColor(colorIndex));
}

} // namespace

// --- Edges ---------------------------------------------------------------------------------------------

bool DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags) {
    if (!rect || !IsValidDC(dc) || (flags & BF_DIAGONAL)) return false;
    TRect r = *rect;
    struct TLayer {
        int TopLeft, BottomRight;
    };
    std::vector<TLayer> layers;
    bool outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    if (flags & BF_MONO) {
        if (outer || inner) layers.push_back({COLOR_WINDOWFRAME, COLOR_WINDOWFRAME});
        if (outer && inner) layers.push_back({COLOR_WINDOW, COLOR_WINDOW});
    } else if (flags & BF_FLAT) {
        if (outer || inner) layers.push_back({COLOR_BTNSHADOW, COLOR_BTNSHADOW});
        if (outer && inner) layers.push_back({COLOR_BTNFACE, COLOR_BTNFACE});
    } else {
        bool soft = (flags & BF_SOFT) != 0;
        if (edge & BDR_RAISEDOUTER)
            layers.push_back({soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW});
        else if (edge & BDR_SUNKENOUTER)
            layers.push_back({soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT});
        if (edge & BDR_RAISEDINNER)
            layers.push_back({soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW});
        else if (edge & BDR_SUNKENINNER)
            layers.push_back({soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT});
    }
    for (const TLayer& layer : layers) {
        if (r.IsEmpty()) break;
        // Bottom-right lines own the top-right and bottom-left corners.
        if (flags & BF_TOP)
            Fill(dc, r.Left, r.Top, (flags & BF_RIGHT) ? r.Right - 1 : r.Right, r.Top + 1, layer.TopLeft);
        if (flags & BF_LEFT)
            Fill(dc, r.Left, r.Top, r.Left + 1, (flags & BF_BOTTOM) ? r.Bottom - 1 : r.Bottom, layer.TopLeft);
        if (flags & BF_RIGHT) Fill(dc, r.Right - 1, r.Top, r.Right, r.Bottom, layer.BottomRight);
        if (flags & BF_BOTTOM) Fill(dc, r.Left, r.Bottom - 1, r.Right, r.Bottom, layer.BottomRight);
        if (flags & BF_LEFT) r.Left++;
        if (flags & BF_TOP) r.Top++;
        if (flags & BF_RIGHT) r.Right--;
        if (flags & BF_BOTTOM) r.Bottom--;
    }
    if ((flags & BF_MIDDLE) && !r.IsEmpty())
        Fill(dc, r.Left, r.Top, r.Right, r.Bottom, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST) *rect = r;
    return true;
}

// --- Frame controls -----------------------------------------------------------------------------------

namespace {

// Draws the '#' cells of a small picture in a colour, with (x, y) the picture's top-left.
void Picture(HDC dc, int x, int y, std::initializer_list<const char*> rows, int colorIndex, char mark = '#') {
    COLORREF c = GetSysColor(colorIndex);
    int yy = y;
    for (const char* row : rows) {
        for (int xx = 0; row[xx]; ++xx)
            if (row[xx] == mark) SetPixelV(dc, x + xx, yy, c);
        ++yy;
    }
}

// The checked-button and three-state background: highlight and face in a checkerboard.
void Dither(HDC dc, const TRect& r) {
    TGdiHandle tile(CreateBitmap(2, 2, 1, 32, nullptr));
    if (TSurface* s = GetBitmapSurface(tile)) {
        TPixel a = PixelFromColor(GetSysColor(COLOR_BTNHIGHLIGHT)), b = PixelFromColor(GetSysColor(COLOR_BTNFACE));
        s->At(0, 0) = s->At(1, 1) = a;
        s->At(1, 0) = s->At(0, 1) = b;
    }
    TGdiHandle brush(CreatePatternBrush(tile));
    FillRect(dc, &r, brush);
}

void ButtonFrame(HDC dc, TRect& r, UINT state) {
    if (state & DFCS_FLAT) {
        DrawEdge(dc, &r, (state & (DFCS_PUSHED | DFCS_CHECKED)) ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                 BF_RECT | BF_ADJUST);
        Fill(dc, r.Left, r.Top, r.Right, r.Bottom, COLOR_BTNFACE);
    } else if (state & DFCS_MONO) {
        DrawEdge(dc, &r, BDR_OUTER, BF_RECT | BF_MONO | BF_ADJUST);
        Fill(dc, r.Left, r.Top, r.Right, r.Bottom, COLOR_BTNFACE);
    } else if (state & DFCS_CHECKED) {
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_ADJUST);
        Dither(dc, r);
    } else if (state & DFCS_PUSHED) {
        // The classic pressed button: a dark frame with the shadow line inside it.
        Fill(dc, r.Left, r.Top, r.Right, r.Top + 1, COLOR_WINDOWFRAME);
        Fill(dc, r.Left, r.Bottom - 1, r.Right, r.Bottom, COLOR_WINDOWFRAME);
        Fill(dc, r.Left, r.Top, r.Left + 1, r.Bottom, COLOR_WINDOWFRAME);
        Fill(dc, r.Right - 1, r.Top, r.Right, r.Bottom, COLOR_WINDOWFRAME);
        r = r.Inflate(-1, -1);
        DrawEdge(dc, &r, BDR_OUTER, BF_RECT | BF_FLAT | BF_ADJUST);
        Fill(dc, r.Left, r.Top, r.Right, r.Bottom, COLOR_BTNFACE);
    } else
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
}

void CheckBox(HDC dc, const TRect& rect, UINT state) {
    int x = rect.Left + (rect.Width() - 13) / 2, y = rect.Top + (rect.Height() - 13) / 2;
    TRect box{x, y, x + 13, y + 13};
    if (state & (DFCS_FLAT | DFCS_MONO))
        DrawEdge(dc, &box, BDR_OUTER, BF_RECT | BF_ADJUST | ((state & DFCS_MONO) ? BF_MONO : BF_FLAT));
    else
        DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    if ((state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED))
        Dither(dc, box);
    else
        Fill(dc, box.Left, box.Top, box.Right, box.Bottom, grey ? COLOR_BTNFACE : COLOR_WINDOW);
    if (state & DFCS_CHECKED) {
        int color = (state & DFCS_INACTIVE) || (state & DFCS_BUTTON3STATE) ? COLOR_BTNSHADOW : COLOR_BTNTEXT;
        Picture(dc, box.Left + 1, box.Top + 1,
                {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}, color);
    }
}

void RadioButton(HDC dc, const TRect& rect, UINT state) {
    int x = rect.Left + (rect.Width() - 12) / 2, y = rect.Top + (rect.Height() - 12) / 2;
    // o: outer ring, i: inner ring, w: inside. The upper-left halves of the rings are dark, the
    // lower-right halves light.
    static const char* const mask[12] = {"....oooo....", "..ooiiiioo..", ".oiiwwwwiio.", ".oiwwwwwwio.",
                                         "oiwwwwwwwwio", "oiwwwwwwwwio", "oiwwwwwwwwio", "oiwwwwwwwwio",
                                         ".oiwwwwwwio.", ".oiiwwwwiio.", "..ooiiiioo..", "....oooo...."};
    bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
    for (int yy = 0; yy < 12; ++yy)
        for (int xx = 0; xx < 12; ++xx) {
            char c = mask[yy][xx];
            if (c == '.') continue;
            bool upperLeft = xx + yy < 11;
            int color;
            if (c == 'w' || (flat && c == 'i'))
                color = grey ? COLOR_BTNFACE : COLOR_WINDOW;
            else if (flat)
                color = (state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW;
            else if (c == 'o')
                color = upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
            else
                color = upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
            SetPixelV(dc, x + xx, y + yy, GetSysColor(color));
        }
    if (state & DFCS_CHECKED)
        Picture(dc, x + 4, y + 4, {".##.", "####", "####", ".##."},
                (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
}

enum class TArrow { Up, Down, Left, Right };

void Arrow(HDC dc, const TRect& r, TArrow dir, int colorIndex, int shift) {
    int size = std::max(1, std::min(r.Width(), r.Height()) / 4);
    COLORREF c = GetSysColor(colorIndex);
    int cx = r.Left + (r.Width() - 1) / 2 + shift, cy = r.Top + (r.Height() - 1) / 2 + shift;
    for (int i = 0; i < size; ++i) {
        int half = (dir == TArrow::Up || dir == TArrow::Left) ? i : size - 1 - i;
        if (dir == TArrow::Up || dir == TArrow::Down) {
            int y = cy - size / 2 + i;
            FillSolidRect(dc, {cx - half, y, cx + half + 1, y + 1}, c);
        } else {
            int x = cx - size / 2 + i;
            FillSolidRect(dc, {x, cy - half, x + 1, cy + half + 1}, c);
        }
    }
}

void ScrollButton(HDC dc, TRect r, UINT state) {
    UINT part = state & 0xFF;
    if (part == DFCS_SCROLLSIZEGRIP) {
        Fill(dc, r.Left, r.Top, r.Right, r.Bottom, COLOR_BTNFACE);
        // Three diagonal ridges, each a highlight line and two shadow lines.
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j) {
                int d = 4 * k + 2 + j;
                int color = j == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
                for (int i = 0; i < d && i < r.Width() && i < r.Height(); ++i)
                    SetPixelV(dc, r.Right - d + i, r.Bottom - 1 - i, GetSysColor(color));
            }
        return;
    }
    TRect inner = r;
    int shift = 0;
    if (state & DFCS_PUSHED) {
        if (state & DFCS_FLAT)
            DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else
            DrawEdge(dc, &inner, BDR_OUTER, BF_RECT | BF_FLAT | BF_ADJUST);
        Fill(dc, inner.Left, inner.Top, inner.Right, inner.Bottom, COLOR_BTNFACE);
        shift = 1;
    } else if (state & DFCS_FLAT) {
        DrawEdge(dc, &inner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        Fill(dc, inner.Left, inner.Top, inner.Right, inner.Bottom, COLOR_BTNFACE);
    } else
        DrawEdge(dc, &inner, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    TArrow dir = part == DFCS_SCROLLUP      ? TArrow::Up
                 : part == DFCS_SCROLLLEFT  ? TArrow::Left
                 : part == DFCS_SCROLLRIGHT ? TArrow::Right
                                            : TArrow::Down;
    if (state & DFCS_INACTIVE) {
        Arrow(dc, r, dir, COLOR_BTNHIGHLIGHT, 1);
        Arrow(dc, r, dir, COLOR_BTNSHADOW, 0);
    } else
        Arrow(dc, r, dir, COLOR_BTNTEXT, shift);
}

void CaptionButton(HDC dc, TRect r, UINT state) {
    TRect inner = r;
    ButtonFrame(dc, inner, state & (DFCS_PUSHED | DFCS_FLAT | DFCS_MONO));
    int shift = (state & DFCS_PUSHED) ? 1 : 0;
    // Glyph box: proportional to the button, as the classic caption glyphs are.
    int gw = std::max(3, (r.Width() - 6) & ~1), gh = std::max(3, r.Height() - 7);
    int gx = r.Left + (r.Width() - gw) / 2 + shift, gy = r.Top + (r.Height() - gh) / 2 + shift;
    int color = (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_BTNTEXT;
    COLORREF c = GetSysColor(color);
    auto glyph = [&](int dx, int dy, COLORREF col) {
        int x = gx + dx, y = gy + dy;
        switch (state & 0xFF) {
        case DFCS_CAPTIONCLOSE: {
            int n = std::min(gw, gh + 1);
            int ox = x + (gw - n) / 2;
            for (int i = 0; i < n - 1 || i < 1; ++i) {
                int yy = y + i * (gh - 1) / std::max(1, n - 2);
                FillSolidRect(dc, {ox + i, yy, ox + i + 2, yy + 1}, col);
                FillSolidRect(dc, {ox + n - 2 - i, yy, ox + n - i, yy + 1}, col);
            }
            break;
        }
        case DFCS_CAPTIONMIN:
            FillSolidRect(dc, {x + 1, y + gh - 2, x + gw / 2 + 2, y + gh}, col);
            break;
        case DFCS_CAPTIONMAX:
            FillSolidRect(dc, {x, y, x + gw, y + 2}, col);
            FillSolidRect(dc, {x, y, x + 1, y + gh}, col);
            FillSolidRect(dc, {x + gw - 1, y, x + gw, y + gh}, col);
            FillSolidRect(dc, {x, y + gh - 1, x + gw, y + gh}, col);
            break;
        case DFCS_CAPTIONRESTORE: {
            int w = gw * 2 / 3, h = gh * 2 / 3;
            auto box = [&](int bx, int by) {
                FillSolidRect(dc, {bx, by, bx + w, by + 2}, col);
                FillSolidRect(dc, {bx, by, bx + 1, by + h}, col);
                FillSolidRect(dc, {bx + w - 1, by, bx + w, by + h}, col);
                FillSolidRect(dc, {bx, by + h - 1, bx + w, by + h}, col);
            };
            box(x + gw - w, y);
            FillSolidRect(dc, {x, y + gh - h, x + w, y + gh}, GetSysColor(COLOR_BTNFACE));
            box(x, y + gh - h);
            break;
        }
        case DFCS_CAPTIONHELP:
            Picture(dc, x + (gw - 6) / 2, y + (gh - 9) / 2,
                    {".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##.."}, color);
            break;
        default:
            break;
        }
    };
    if (state & DFCS_INACTIVE) glyph(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    glyph(0, 0, c);
}

void MenuMark(HDC dc, const TRect& r, UINT state) {
    int color = COLOR_MENUTEXT;
    switch (state & 0xFF) {
    case DFCS_MENUARROW:
        Arrow(dc, r, TArrow::Right, color, 0);
        break;
    case DFCS_MENUCHECK:
        Picture(dc, r.Left + (r.Width() - 7) / 2, r.Top + (r.Height() - 7) / 2,
                {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}, color);
        break;
    case DFCS_MENUBULLET:
        Picture(dc, r.Left + (r.Width() - 4) / 2, r.Top + (r.Height() - 4) / 2, {".##.", "####", "####", ".##."},
                color);
        break;
    default:
        break;
    }
}

} // namespace

bool DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state) {
    if (!rect || !IsValidDC(dc)) return false;
    TRect r = *rect;
    switch (type) {
    case DFC_BUTTON:
        if (state & DFCS_BUTTONPUSH) {
            ButtonFrame(dc, r, state);
            if (state & DFCS_ADJUSTRECT) *rect = r;
        } else if (state & DFCS_BUTTONRADIO)
            RadioButton(dc, r, state);
        else
            CheckBox(dc, r, state);
        return true;
    case DFC_SCROLL:
        ScrollButton(dc, r, state);
        return true;
    case DFC_CAPTION:
        CaptionButton(dc, r, state);
        return true;
    case DFC_MENU:
        MenuMark(dc, r, state);
        return true;
    default:
        return false;
    }
}

bool DrawCaptionBackground(HDC dc, const TRect& rect, bool active) {
    return GradientFillRect(dc, rect, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION),
                            GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION), false);
}

} // namespace dw
