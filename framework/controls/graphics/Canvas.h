// TCanvas: drawing on a device context with a pen, a brush and a font that are selected into it
// when a drawing operation needs them.
#pragma once

#include "framework/controls/graphics/Graphics.h"
#include "framework/platform/gdi/DeviceContext.h"

#include <initializer_list>
#include <span>

namespace dw {

class TGraphic;

DW_ENUM(TFillStyle, fsSurface, fsBorder)
DW_ENUM(TTextFormats, tfBottom, tfCalcRect, tfCenter, tfEndEllipsis, tfExpandTabs, tfExternalLeading, tfLeft, tfNoClip,
        tfNoPrefix, tfPathEllipsis, tfRight, tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfWordEllipsis,
        tfHidePrefix, tfPrefixOnly)
DW_SET(TTextFormat, TTextFormats)

// Copy modes are the ternary raster operations of BitBlt.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// The DrawText flags of a text format.
UINT TextFormatToFlags(TTextFormat format);

// The canvas does not own a handle it was given with SetHandle; subclasses that make their own
// (a bitmap's memory DC, a control's window DC) override CreateHandle and release it themselves
// with SetHandle(nullptr). The pen, brush and font are selected on demand and deselected (stock
// objects put back) when the handle is released, so the caller's DC is left as it was found.
class TCanvas : public TPersistent {
    DW_CLASS(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;

    // The device context with the pen, brush and font selected; raises EInvalidOperation when the
    // canvas has none and cannot make one.
    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* value) { FPen->Assign(value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* value) { FBrush->Assign(value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode value) { FCopyMode = value; }
    TPoint PenPos();
    void SetPenPos(TPoint value) { MoveTo(value.X, value.Y); }
    // Bounds of what can be drawn, in logical coordinates.
    TRect ClipRect();
    // clNone for a pixel outside the clip region.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    void MoveTo(int x, int y);
    // From the pen position to (x, y), excluding the end pixel; the pen moves there.
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(std::span(points.begin(), points.size())); }
    void Polygon(std::span<const TPoint> points);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(std::span(points.begin(), points.size())); }
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // Brush-only operations (no outline, raster operation PATCOPY).
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    // A dotted XOR frame: drawing it twice removes it.
    void DrawFocusRect(const TRect& rect);
    // Fills with the brush from (x, y): fsSurface over the connected area of colour, fsBorder up
    // to the border of colour. Works through pixel reads, so keep it to small areas.
    void FloodFill(int x, int y, TColor color, TFillStyle style);

    // Text in the font's colour; the background is the brush colour unless the brush is clear.
    // The pen position moves to the end of the text.
    void TextOut(int x, int y, const String& text);
    // TextOut clipped to rect (which is filled with the brush first unless the brush is clear).
    void TextRect(const TRect& rect, int x, int y, const String& text);
    // Formatted text in rect (DrawText); tfCalcRect measures into rect instead of drawing.
    void TextRect(TRect& rect, const String& text, TTextFormat format);
    TSize TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }

    // Draws a graphic with its top-left at (x, y), honouring its transparency.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies (stretching) source from another canvas with CopyMode.
    void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);

    // Deselects the pen, brush and font, so the next operation selects them afresh.
    void Refresh();

    // Everything runs on one thread, so locking only counts.
    void Lock() { ++FLockCount; }
    void Unlock() {
        if (FLockCount > 0) --FLockCount;
    }
    bool TryLock() {
        Lock();
        return true;
    }
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    enum : unsigned {
        csHandleValid = 1,
        csFontValid = 2,
        csPenValid = 4,
        csBrushValid = 8,
        csAllValid = 15,
    };
    // Called when a drawing operation needs a handle and there is none: subclasses make one and
    // pass it to SetHandle.
    virtual void CreateHandle() {}
    void RequiredState(unsigned state);
    virtual void Changing();
    virtual void Changed();

private:
    void DeselectHandles();
    void CreateFont();
    void CreatePen();
    void CreateBrush();
    void FontChanged(TObject* sender);
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);

    HDC FHandle = nullptr;
    unsigned FState = 0;
    TObjectPtr<TFont> FFont;
    TObjectPtr<TPen> FPen;
    TObjectPtr<TBrush> FBrush;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    int FLockCount = 0;
};

} // namespace dw
