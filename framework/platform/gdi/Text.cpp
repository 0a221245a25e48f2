#include "framework/platform/gdi/Text.h"

#include "framework/platform/gdi/FontEngine.h"
#include "framework/platform/gdi/GdiInternal.h"
#include "framework/rtl/Utf8.h"

#include <algorithm>

namespace dw {

using namespace gdi;

namespace {

struct TTextContext {
    TDeviceContext* Dc = nullptr;
    TFontObj* Font = nullptr;
    TFontInstance* Inst = nullptr;
};

bool Context(HDC dc, TTextContext& t) {
    t.Dc = LookupDC(dc);
    if (!t.Dc) return false;
    t.Font = t.Dc->S.Font.As<TFontObj>();
    if (!t.Font) return false;
    if (!t.Font->Instance) t.Font->Instance = RealizeFont(t.Font->Log);
    t.Inst = t.Font->Instance;
    return t.Inst != nullptr;
}

// Tab expansion: stops every tabWidth pixels from the start of the line; 0 means tabs take no room.
struct TTabs {
    int Width = 0;
};

int AdvanceOf(TFontInstance& inst, char32_t cp, int x, const TTabs& tabs) {
    if (cp == U'\t') return tabs.Width > 0 ? (x / tabs.Width + 1) * tabs.Width - x : 0;
    return inst.Advance(cp);
}

int Measure(TFontInstance& inst, std::u32string_view text, const TTabs& tabs = {}) {
    int x = 0;
    for (char32_t cp : text) x += AdvanceOf(inst, cp, x, tabs);
    return x;
}

inline TPixel Blend(TPixel d, TPixel c, unsigned a) {
    if (a >= 255) return c;
    unsigned na = 255 - a;
    auto ch = [&](int shift) {
        unsigned v = ((d >> shift) & 0xFF) * na + ((c >> shift) & 0xFF) * a + 128;
        return ((v + (v >> 8)) >> 8) << shift;
    };
    return 0xFF000000u | ch(16) | ch(8) | ch(0);
}

// Draws glyphs of text with the pen at (x, baseline) in surface coordinates, clipped by clip.
void DrawGlyphs(TDeviceContext& dc, TFontInstance& inst, std::u32string_view text, int x, int baseline,
                const TRegion& clip, const TTabs& tabs, const int* dx, TRect& damage) {
    TSurface* target = dc.Target();
    if (!target) return;
    TPixel color = TargetPixel(dc, dc.S.TextColor);
    bool mono = dc.MonoTarget();
    int n = 0;
    const pixman_box32_t* boxes = clip.Boxes(n);
    if (n == 0) return;
    int pen = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        const TGlyph& g = inst.Glyph(cp);
        int advance = dx ? dx[i] : AdvanceOf(inst, cp, pen - x, tabs);
        if (g.Width > 0 && g.Height > 0) {
            TRect gr{pen + g.Left, baseline - g.Top, pen + g.Left + g.Width, baseline - g.Top + g.Height};
            // First band reaching below the glyph top.
            int lo = 0, hi = n;
            while (lo < hi) {
                int mid = (lo + hi) / 2;
                if (boxes[mid].y2 <= gr.Top)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            for (int k = lo; k < n && boxes[k].y1 < gr.Bottom; ++k) {
                TRect c = gr.Intersect({boxes[k].x1, boxes[k].y1, boxes[k].x2, boxes[k].y2});
                if (c.IsEmpty()) continue;
                damage = damage.Union(c);
                for (int y = c.Top; y < c.Bottom; ++y) {
                    const std::uint8_t* cov = g.Coverage.data() + std::size_t(y - gr.Top) * g.Width - gr.Left;
                    TPixel* row = target->Row(y);
                    for (int px = c.Left; px < c.Right; ++px) {
                        unsigned a = cov[px];
                        if (a == 0) continue;
                        if (mono) {
                            if (a >= 128) row[px] = color;
                        } else
                            row[px] = Blend(row[px], color, a);
                    }
                }
            }
        }
        pen += advance;
    }
}

// The whole text output: background, glyphs, underline and strike-out. (x, top) is the cell's
// top-left in surface coordinates.
void OutputLine(TTextContext& t, std::u32string_view text, int x, int top, const TRegion& clip, const TTabs& tabs,
                const int* dx, bool opaque, int width) {
    TDeviceContext& dc = *t.Dc;
    TFontInstance& inst = *t.Inst;
    int height = inst.Height();
    if (opaque) {
        TPaintSource bk = SolidSource(dc, dc.S.BkColor);
        TPainter painter(dc, 0xF0, bk);
        painter.ClippedRegion(TRegion(TRect{x, top, x + width, top + height}) & clip);
    }
    TRect damage;
    DrawGlyphs(dc, inst, text, x, top + inst.Ascent(), clip, tabs, dx, damage);
    if (!damage.IsEmpty()) dc.Damage(damage);
    auto line = [&](int y, int thickness) {
        TPaintSource src = SolidSource(dc, dc.S.TextColor);
        TPainter painter(dc, 0xF0, src);
        painter.ClippedRegion(TRegion(TRect{x, y, x + width, y + thickness}) & clip);
    };
    if (t.Font->Log.lfUnderline) line(top + inst.UnderlineTop(), inst.UnderlineThickness());
    if (t.Font->Log.lfStrikeOut) line(top + inst.StrikeOutTop(), inst.UnderlineThickness());
}

int WidthWithDx(TFontInstance& inst, std::u32string_view text, const int* dx) {
    if (!dx) return Measure(inst, text);
    int w = 0;
    for (std::size_t i = 0; i < text.size(); ++i) w += dx[i];
    return w;
}

} // namespace

bool ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, std::string_view text, const int* dx) {
    TTextContext t;
    if (!Context(dc, t)) return false;
    TDeviceContext& d = *t.Dc;
    std::u32string s = Utf8ToCodePoints(text);
    TRegion clip = d.Clip();
    TRect rs;
    if (rect) {
        rs = d.ToSurface(rect->Left, rect->Top, rect->Right, rect->Bottom);
        if (options & ETO_OPAQUE) {
            TPaintSource bk = SolidSource(d, d.S.BkColor);
            TPainter painter(d, 0xF0, bk);
            painter.Rect(rs);
        }
        if (options & ETO_CLIPPED) clip.Intersect(rs);
    }
    int width = WidthWithDx(*t.Inst, s, dx);
    UINT align = d.S.TextAlign;
    if (align & TA_UPDATECP) {
        x = d.S.CurPos.X;
        y = d.S.CurPos.Y;
    }
    std::int64_t sx = d.SX(x), sy = d.SY(y);
    UINT h = align & TA_CENTER;
    if (h == TA_CENTER)
        sx -= width / 2;
    else if (h == TA_RIGHT)
        sx -= width;
    UINT v = align & TA_BASELINE;
    if (v == TA_BASELINE)
        sy -= t.Inst->Ascent();
    else if (v == TA_BOTTOM)
        sy -= t.Inst->Height();
    if (align & TA_UPDATECP) {
        if (h == TA_LEFT)
            d.S.CurPos.X = ClampCoord(std::int64_t(d.S.CurPos.X) + width);
        else if (h == TA_RIGHT)
            d.S.CurPos.X = ClampCoord(std::int64_t(d.S.CurPos.X) - width);
    }
    // Text far outside the clip cannot show; this also keeps the arithmetic in range.
    TRect cb = clip.Bounds();
    if (clip.IsEmpty() || sy > cb.Bottom || sy + t.Inst->Height() < cb.Top || sx > cb.Right ||
        sx + width < std::int64_t(cb.Left) - t.Inst->MaxCharWidth())
        return true;
    bool opaque = d.S.BkMode == OPAQUE && !(rect && (options & ETO_OPAQUE));
    OutputLine(t, s, static_cast<int>(sx), static_cast<int>(sy), clip, {}, dx, opaque, width);
    return true;
}

bool TextOut(HDC dc, int x, int y, std::string_view text) {
    return ExtTextOut(dc, x, y, 0, nullptr, text, nullptr);
}

bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size) {
    TTextContext t;
    if (!size || !Context(dc, t)) return false;
    *size = {Measure(*t.Inst, Utf8ToCodePoints(text)), t.Inst->Height()};
    return true;
}

bool GetTextExtentExPoint(HDC dc, std::string_view text, int maxExtent, int* fit, int* dx, TSize* size) {
    TTextContext t;
    if (!Context(dc, t)) return false;
    std::u32string s = Utf8ToCodePoints(text);
    int x = 0, fitted = 0;
    bool fitting = true;
    for (std::size_t i = 0; i < s.size(); ++i) {
        x += t.Inst->Advance(s[i]);
        if (dx) dx[i] = x;
        if (fitting && x <= maxExtent)
            fitted = static_cast<int>(i) + 1;
        else
            fitting = false;
    }
    if (fit) *fit = fitted;
    if (size) *size = {x, t.Inst->Height()};
    return true;
}

bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
    TTextContext t;
    if (!metrics || !Context(dc, t)) return false;
    TFontInstance& inst = *t.Inst;
    TEXTMETRIC tm;
    tm.tmHeight = inst.Height();
    tm.tmAscent = inst.Ascent();
    tm.tmDescent = inst.Descent();
    tm.tmInternalLeading = std::max(0, inst.Height() - inst.EmPixels());
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = inst.AveCharWidth();
    tm.tmMaxCharWidth = inst.MaxCharWidth();
    tm.tmWeight = inst.Weight();
    tm.tmItalic = t.Font->Log.lfItalic ? 1 : 0;
    tm.tmUnderlined = t.Font->Log.lfUnderline ? 1 : 0;
    tm.tmStruckOut = t.Font->Log.lfStrikeOut ? 1 : 0;
    tm.tmPitchAndFamily = inst.FixedPitch() ? 0 : TMPF_FIXED_PITCH;
    tm.tmCharSet = t.Font->Log.lfCharSet;
    *metrics = tm;
    return true;
}

bool GetCharWidth32(HDC dc, UINT first, UINT last, int* widths) {
    TTextContext t;
    if (!widths || last < first || last - first > 0xFFFF || last > 0x10FFFF || !Context(dc, t)) return false;
    for (UINT c = first; c <= last; ++c) widths[c - first] = t.Inst->Advance(static_cast<char32_t>(c));
    return true;
}

bool GetCharWidth(HDC dc, UINT first, UINT last, int* widths) {
    return GetCharWidth32(dc, first, last, widths);
}

String GetTextFace(HDC dc) {
    TTextContext t;
    if (!Context(dc, t)) return {};
    return t.Inst->Family();
}

// --- DrawText ----------------------------------------------------------------------------------------

namespace {

struct TLine {
    std::u32string Text;
    int Underline = -1; // index of the character the prefix underlines
};

// "&x" underlines x, "&&" is "&", a trailing "&" vanishes.
TLine StripPrefix(std::u32string_view s, bool process) {
    TLine line;
    if (!process) {
        line.Text = s;
        return line;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == U'&') {
            if (i + 1 >= s.size()) break;
            ++i;
            if (s[i] != U'&') line.Underline = static_cast<int>(line.Text.size());
        }
        line.Text.push_back(s[i]);
    }
    return line;
}

// Splits a line at spaces so that each part fits maxWidth (a word wider than that stays whole).
void WrapLine(TFontInstance& inst, const TLine& line, int maxWidth, const TTabs& tabs, std::vector<TLine>& out) {
    const std::u32string& s = line.Text;
    std::size_t start = 0;
    while (true) {
        std::size_t pos = start;
        std::size_t lastBreak = std::u32string::npos; // end of the last word that fits
        int x = 0;
        bool overflow = false;
        while (pos < s.size()) {
            char32_t c = s[pos];
            int w = AdvanceOf(inst, c, x, tabs);
            if (c != U' ' && x + w > maxWidth && lastBreak != std::u32string::npos) {
                overflow = true;
                break;
            }
            x += w;
            ++pos;
            if (c != U' ' && (pos >= s.size() || s[pos] == U' ')) lastBreak = pos;
            if (c == U' ' && x > maxWidth && lastBreak != std::u32string::npos) {
                overflow = true;
                break;
            }
        }
        std::size_t end = overflow ? lastBreak : s.size();
        TLine part;
        part.Text = s.substr(start, end - start);
        if (line.Underline >= int(start) && line.Underline < int(end)) part.Underline = line.Underline - int(start);
        // Spaces where a line breaks are not shown.
        if (overflow)
            while (!part.Text.empty() && part.Text.back() == U' ') part.Text.pop_back();
        out.push_back(std::move(part));
        if (!overflow) break;
        start = end;
        while (start < s.size() && s[start] == U' ') ++start;
        if (start >= s.size()) break;
    }
}

constexpr char32_t kEllipsis[] = U"...";

// The largest k in [0, n] for which fits(k) holds, where fits holds up to some k and not beyond
// (0 when it holds nowhere). A search, so that a caption of a million characters is measured a
// few dozen times, not a million.
template <class TFits> std::size_t LongestFitting(std::size_t n, TFits fits) {
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo + 1) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

void EndEllipsis(TFontInstance& inst, TLine& line, int maxWidth, const TTabs& tabs, bool wordBoundary) {
    if (Measure(inst, line.Text, tabs) <= maxWidth) return;
    std::u32string_view s = line.Text;
    int dots = Measure(inst, kEllipsis);
    auto fits = [&](std::size_t k) { return Measure(inst, s.substr(0, k), tabs) + dots <= maxWidth; };
    std::size_t keep = 0;
    if (wordBoundary) {
        // Whole words first: the longest text before a space that fits; else as much of the first
        // word as fits.
        std::vector<std::size_t> spaces;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (s[i] == U' ') spaces.push_back(i);
        std::size_t words = LongestFitting(spaces.size(), [&](std::size_t j) { return fits(spaces[j - 1]); });
        keep = words > 0 ? spaces[words - 1] : LongestFitting(spaces.empty() ? s.size() : spaces[0], fits);
        while (keep > 0 && s[keep - 1] == U' ') --keep;
    } else {
        keep = LongestFitting(s.size(), fits);
    }
    if (line.Underline >= int(keep)) line.Underline = -1;
    line.Text = std::u32string(s.substr(0, keep)) + kEllipsis;
}

void PathEllipsis(TFontInstance& inst, TLine& line, int maxWidth, const TTabs& tabs) {
    if (Measure(inst, line.Text, tabs) <= maxWidth) return;
    const std::u32string& s = line.Text;
    std::size_t slash = s.find_last_of(U"\\/");
    if (slash == std::u32string::npos || slash == 0) {
        EndEllipsis(inst, line, maxWidth, tabs, false);
        return;
    }
    std::u32string_view head = std::u32string_view(s).substr(0, slash);
    std::u32string tail = kEllipsis + s.substr(slash);
    std::size_t keep = LongestFitting(head.size(), [&](std::size_t k) {
        return Measure(inst, std::u32string(head.substr(0, k)) + tail, tabs) <= maxWidth;
    });
    line.Underline = line.Underline < int(keep) ? line.Underline : -1;
    line.Text = std::u32string(head.substr(0, keep)) + tail;
}

} // namespace

int DrawText(HDC dc, std::string_view text, TRect* rectIn, UINT format) {
    TTextContext t;
    if (!rectIn || !Context(dc, t)) return 0;
    // Work on a clamped copy so that no width or height computation can overflow.
    TRect bounds{ClampCoord(rectIn->Left), ClampCoord(rectIn->Top), ClampCoord(rectIn->Right),
                 ClampCoord(rectIn->Bottom)};
    TRect* rect = &bounds;
    TDeviceContext& d = *t.Dc;
    TFontInstance& inst = *t.Inst;
    TTabs tabs;
    if (format & DT_EXPANDTABS) {
        int chars = 8;
        if (format & DT_TABSTOP) {
            chars = static_cast<int>((format >> 8) & 0xFF);
            // The tab size occupies the bits of these flags.
            format &= ~(DT_NOCLIP | DT_EXTERNALLEADING | DT_CALCRECT | DT_NOPREFIX);
            format |= DT_TABSTOP;
            if (chars == 0) chars = 8;
        }
        tabs.Width = chars * std::max(1, inst.AveCharWidth());
    }
    bool single = (format & DT_SINGLELINE) != 0;
    bool processPrefix = (format & DT_NOPREFIX) == 0;
    std::u32string all = Utf8ToCodePoints(text);
    if (all.empty()) {
        if (format & DT_CALCRECT) {
            rectIn->Right = rectIn->Left;
            rectIn->Bottom = rectIn->Top;
        }
        return 0;
    }
    // Split into source lines.
    std::vector<std::u32string> source;
    if (single) {
        std::u32string s;
        for (char32_t c : all)
            if (c != U'\r' && c != U'\n') s.push_back(c);
        source.push_back(std::move(s));
    } else {
        std::u32string cur;
        for (std::size_t i = 0; i < all.size(); ++i) {
            char32_t c = all[i];
            if (c == U'\r' || c == U'\n') {
                source.push_back(std::move(cur));
                cur.clear();
                if (c == U'\r' && i + 1 < all.size() && all[i + 1] == U'\n') ++i;
            } else
                cur.push_back(c);
        }
        source.push_back(std::move(cur));
    }
    int rectWidth = ClampCoord(std::max<std::int64_t>(0, std::int64_t(rect->Right) - rect->Left));
    std::vector<TLine> lines;
    for (const std::u32string& s : source) {
        TLine line = StripPrefix(s, processPrefix);
        if ((format & DT_WORDBREAK) && !single)
            WrapLine(inst, line, rectWidth, tabs, lines);
        else
            lines.push_back(std::move(line));
    }
    for (TLine& line : lines) {
        if (format & DT_PATH_ELLIPSIS)
            PathEllipsis(inst, line, rectWidth, tabs);
        else if (format & DT_END_ELLIPSIS)
            EndEllipsis(inst, line, rectWidth, tabs, false);
        else if (format & DT_WORD_ELLIPSIS)
            EndEllipsis(inst, line, rectWidth, tabs, true);
    }
    int lineHeight = inst.Height();
    int total = ClampCoord(std::int64_t(lineHeight) * static_cast<std::int64_t>(lines.size()));
    int maxWidth = 0;
    for (const TLine& line : lines) maxWidth = std::max(maxWidth, Measure(inst, line.Text, tabs));

    int top = rect->Top;
    if (single) {
        if (format & DT_VCENTER)
            top = rect->Top + (rect->Bottom - rect->Top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect->Bottom - lineHeight;
    }
    int result =
        (single && (format & (DT_VCENTER | DT_BOTTOM))) ? ClampCoord(std::int64_t(top) + total - rect->Top) : total;
    if (format & DT_CALCRECT) {
        rectIn->Left = rect->Left;
        rectIn->Top = rect->Top;
        rectIn->Right = ClampCoord(std::int64_t(rect->Left) + maxWidth);
        rectIn->Bottom = ClampCoord(std::int64_t(rect->Top) + total);
        return result;
    }

    TRegion clip = d.Clip();
    if (!(format & DT_NOCLIP)) clip.Intersect(d.ToSurface(rect->Left, rect->Top, rect->Right, rect->Bottom));
    bool opaque = d.S.BkMode == OPAQUE;
    bool drawText = (format & DT_PREFIXONLY) == 0;
    bool drawUnderline = processPrefix && (format & DT_HIDEPREFIX) == 0;
    std::int64_t y = top;
    for (const TLine& line : lines) {
        if (y > TRegion::kCoordLimit) break;
        int w = Measure(inst, line.Text, tabs);
        int x = rect->Left;
        if (format & DT_CENTER)
            x = rect->Left + (rectWidth - w) / 2;
        else if (format & DT_RIGHT)
            x = rect->Right - w;
        int sx = ClampCoord(d.SX(x)), sy = ClampCoord(d.SY(static_cast<int>(y)));
        if (drawText) OutputLine(t, line.Text, sx, sy, clip, tabs, nullptr, opaque, w);
        if (drawUnderline && line.Underline >= 0) {
            int ux = Measure(inst, std::u32string_view(line.Text).substr(0, std::size_t(line.Underline)), tabs);
            int uw = inst.Advance(line.Text[std::size_t(line.Underline)]);
            int uy = sy + inst.Ascent() + 1;
            TPaintSource src = SolidSource(d, d.S.TextColor);
            TPainter painter(d, 0xF0, src);
            painter.ClippedRegion(TRegion(TRect{sx + ux, uy, sx + ux + uw, uy + 1}) & clip);
        }
        y += lineHeight;
    }
    return result;
}

} // namespace dw
