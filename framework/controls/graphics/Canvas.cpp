#include "framework/controls/graphics/Canvas.h"

#include "framework/controls/graphics/Graphic.h"
#include "framework/platform/gdi/Text.h"

#include <vector>

namespace dw {

UINT TextFormatToFlags(TTextFormat format) {
    static constexpr std::pair<TTextFormats, UINT> kFlags[] = {
        {tfBottom, DT_BOTTOM},
        {tfCalcRect, DT_CALCRECT},
        {tfCenter, DT_CENTER},
        {tfEndEllipsis, DT_END_ELLIPSIS},
        {tfExpandTabs, DT_EXPANDTABS},
        {tfExternalLeading, DT_EXTERNALLEADING},
        {tfLeft, DT_LEFT},
        {tfNoClip, DT_NOCLIP},
        {tfNoPrefix, DT_NOPREFIX},
        {tfPathEllipsis, DT_PATH_ELLIPSIS},
        {tfRight, DT_RIGHT},
        {tfSingleLine, DT_SINGLELINE},
        {tfTop, DT_TOP},
        {tfVerticalCenter, DT_VCENTER},
        {tfWordBreak, DT_WORDBREAK},
        {tfWordEllipsis, DT_WORD_ELLIPSIS},
        {tfHidePrefix, DT_HIDEPREFIX},
        {tfPrefixOnly, DT_PREFIXONLY},
    };
    UINT flags = 0;
    for (auto [item, flag] : kFlags)
        if (format.Contains(item)) flags |= flag;
    return flags;
}

DW_DEFINE_CLASS(TCanvas) {
    c.Property("Brush", &TCanvas::Brush, &TCanvas::SetBrush);
    c.Property("CopyMode", &TCanvas::CopyMode, &TCanvas::SetCopyMode).Default(static_cast<Int64>(cmSrcCopy));
    c.Property("Font", &TCanvas::Font, &TCanvas::SetFont);
    c.Property("Pen", &TCanvas::Pen, &TCanvas::SetPen);
}

TCanvas::TCanvas() : FFont(MakeObject<TFont>()), FPen(MakeObject<TPen>()), FBrush(MakeObject<TBrush>()) {
    FFont->OnChange = MakeMethod<&TCanvas::FontChanged>(this);
    FPen->OnChange = MakeMethod<&TCanvas::PenChanged>(this);
    FBrush->OnChange = MakeMethod<&TCanvas::BrushChanged>(this);
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    Changing();
    RequiredState(csAllValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    if (FHandle) {
        DeselectHandles();
        TPoint pos;
        if (GetCurrentPositionEx(FHandle, &pos)) FPenPos = pos;
        FHandle = nullptr;
        FState &= ~csHandleValid;
    }
    if (dc) {
        FHandle = dc;
        FState |= csHandleValid;
        MoveToEx(FHandle, FPenPos.X, FPenPos.Y, nullptr);
    }
}

void TCanvas::RequiredState(unsigned state) {
    unsigned needed = state & ~FState;
    if (!needed) return;
    if (needed & csHandleValid) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    }
    if (needed & csFontValid) CreateFont();
    if (needed & csPenValid) CreatePen();
    if (needed & csBrushValid) CreateBrush();
    FState |= state;
}

void TCanvas::DeselectHandles() {
    if (!FHandle) return;
    if (FState & csPenValid) SelectObject(FHandle, GetStockObject(BLACK_PEN));
    if (FState & csBrushValid) SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
    if (FState & csFontValid) SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    FState &= ~(csPenValid | csBrushValid | csFontValid);
}

void TCanvas::CreateFont() {
    SelectObject(FHandle, FFont->Handle());
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
}

void TCanvas::CreatePen() {
    SelectObject(FHandle, FPen->Handle());
    SetROP2(FHandle, PenModeToROP2(FPen->Mode()));
}

void TCanvas::CreateBrush() {
    SelectObject(FHandle, FBrush->Handle());
    COLORREF color = ColorToRGB(FBrush->Color());
    if (FBrush->Style() == bsSolid) {
        SetBkColor(FHandle, color);
        SetBkMode(FHandle, OPAQUE);
    } else {
        // Hatches and text over a clear or hatched brush leave the background alone.
        SetBkColor(FHandle, ~color & 0xFFFFFF);
        SetBkMode(FHandle, TRANSPARENT);
    }
}

void TCanvas::FontChanged(TObject*) {
    if (FState & csFontValid) {
        FState &= ~csFontValid;
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(TObject*) {
    if (FState & csPenValid) {
        FState &= ~csPenValid;
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged(TObject*) {
    if (FState & csBrushValid) {
        FState &= ~csBrushValid;
        SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
    }
}

void TCanvas::Changing() {
    OnChanging(this);
}

void TCanvas::Changed() {
    OnChange(this);
}

void TCanvas::Refresh() {
    DeselectHandles();
}

TPoint TCanvas::PenPos() {
    if (FHandle) GetCurrentPositionEx(FHandle, &FPenPos);
    return FPenPos;
}

TRect TCanvas::ClipRect() {
    RequiredState(csHandleValid);
    TRect r;
    GetClipBox(FHandle, &r);
    return r;
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState(csHandleValid);
    COLORREF c = GetPixel(FHandle, x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixelV(FHandle, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = {x, y};
    if (FHandle) MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::LineTo(FHandle, x, y);
    FPenPos = {x, y};
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.empty()) return;
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.empty()) return;
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Polygon(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Rectangle(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Ellipse(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Arc(FHandle, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Pie(FHandle, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    dw::Chord(FHandle, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    dw::FillRect(FHandle, &rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    dw::FrameRect(FHandle, &rect, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    dw::DrawFocusRect(FHandle, &rect);
    Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    TRect clip;
    if (GetClipBox(FHandle, &clip) == ERROR || clip.IsEmpty() || !clip.Contains({x, y})) {
        Changed();
        return;
    }
    COLORREF target = ColorToRGB(color) & 0xFFFFFF;
    auto fillable = [&](COLORREF c) {
        if (c == CLR_INVALID) return false;
        return style == fsSurface ? c == target : c != target;
    };
    if (!fillable(GetPixel(FHandle, x, y))) {
        Changed();
        return;
    }
    // Scan-line fill: read the whole area first, so that filling with a brush whose colour
    // matches the target cannot loop.
    const int w = clip.Width(), h = clip.Height();
    std::vector<std::uint8_t> state(static_cast<size_t>(w) * h, 0); // 0 unknown, 1 fillable, 2 not, 3 done
    auto at = [&](int px, int py) -> std::uint8_t& {
        return state[static_cast<size_t>(py - clip.Top) * w + (px - clip.Left)];
    };
    auto isFillable = [&](int px, int py) {
        std::uint8_t& s = at(px, py);
        if (s == 0) s = fillable(GetPixel(FHandle, px, py)) ? 1 : 2;
        return s == 1;
    };
    std::vector<TPoint> stack{{x, y}};
    HBRUSH brush = FBrush->Handle();
    while (!stack.empty()) {
        TPoint p = stack.back();
        stack.pop_back();
        if (!isFillable(p.X, p.Y)) continue;
        int left = p.X, right = p.X;
        while (left > clip.Left && isFillable(left - 1, p.Y)) --left;
        while (right + 1 < clip.Right && isFillable(right + 1, p.Y)) ++right;
        for (int i = left; i <= right; ++i) at(i, p.Y) = 3;
        TRect span{left, p.Y, right + 1, p.Y + 1};
        dw::FillRect(FHandle, &span, brush);
        for (int ny : {p.Y - 1, p.Y + 1}) {
            if (ny < clip.Top || ny >= clip.Bottom) continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                bool f = isFillable(i, ny);
                if (f && !inRun) stack.push_back({i, ny});
                inRun = f;
            }
        }
    }
    Changed();
}

void TCanvas::TextOut(int x, int y, const String& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    dw::TextOut(FHandle, x, y, text);
    TSize size;
    GetTextExtentPoint32(FHandle, text, &size);
    MoveTo(x + size.cx, y);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const String& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(FHandle, x, y, options, &rect, text);
    Changed();
}

void TCanvas::TextRect(TRect& rect, const String& text, TTextFormat format) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    DrawText(FHandle, text, &rect, TextFormatToFlags(format));
    Changed();
}

TSize TCanvas::TextExtent(const String& text) {
    RequiredState(csHandleValid | csFontValid);
    TSize size;
    GetTextExtentPoint32(FHandle, text, &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    // Monochrome pictures draw in the font colour on the brush colour.
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    graphic->Draw(this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
    if (!canvas) return;
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    canvas->RequiredState(csHandleValid | csBrushValid);
    StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), canvas->FHandle, source.Left, source.Top,
               source.Width(), source.Height(), FCopyMode);
    Changed();
}

} // namespace dw
