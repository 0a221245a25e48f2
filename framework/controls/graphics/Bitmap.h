// TBitmap: a device-independent bitmap with its own canvas, read from and written to BMP files
// and bitmap resources.
#pragma once

#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/graphics/Graphic.h"
#include "framework/platform/gdi/Surface.h"

#include <vector>

namespace dw {

// The depth a bitmap is saved with (and was loaded from). Pixels in memory are always 32-bit;
// choosing 1, 4, 8, 15 or 16 bits maps them to that depth at once, so what is shown is what is
// saved. pfDevice and pfCustom save as 24 bits (32 with alpha).
DW_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom)
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor as set.
DW_ENUM(TTransparentMode, tmAuto, tmFixed)
// afIgnored: pixels draw opaque. afDefined and afPremultiplied: pixels carry alpha and draw
// blended; in memory they are premultiplied either way, as the windowing core keeps them.
DW_ENUM(TAlphaFormat, afIgnored, afDefined, afPremultiplied)

class TBitmapCanvas;

class TBitmap : public TGraphic {
    DW_CLASS(TBitmap, TGraphic)
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    // From another bitmap (a copy of the pixels), a picture (its graphic), any other graphic (drawn
    // over white, or converted keeping its alpha), or null (empty).
    void Assign(const TPersistent* source) override;

    // Draws into the bitmap. It may be used on an empty bitmap to measure text.
    TCanvas* Canvas();

    bool Empty() const override { return !FHandle; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int value) override { SetSize(value, FHeight); }
    void SetHeight(int value) override { SetSize(FWidth, value); }
    // Keeps the overlapping top-left part of the picture; new pixels are white. A size of zero in
    // either direction makes the bitmap empty.
    void SetSize(int width, int height) override;

    // The bitmap handle (null while empty). It stays owned by the bitmap.
    HBITMAP Handle() const { return FHandle; }
    // Takes ownership of an existing bitmap handle.
    void SetHandle(HBITMAP value);
    // Gives the handle to the caller, leaving the bitmap empty.
    HBITMAP ReleaseHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    // A monochrome bitmap is a one-bit bitmap of the windowing core: blitting it onto colour maps
    // black to the text colour and white to the background colour.
    bool Monochrome() const;
    void SetMonochrome(bool value);
    // The colour table of an indexed format (kept from the file, or the standard one).
    const std::vector<RGBQUAD>& Palette() const { return FPalette; }
    void SetPalette(const std::vector<RGBQUAD>& value);

    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);
    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat value);

    // One row of 32-bit pixels (0xAARRGGBB), top row 0. Neither reading nor writing through it
    // is a change by itself: a writer calls SetModified(true) when done, which fires OnChange.
    TPixel* ScanLine(int row);
    const TPixel* ScanLine(int row) const;
    // The pixels (null while empty).
    TSurface* Surface() const;

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // Loads the bitmap resource (type "BITMAP") of that name; raises EResNotFound when there is
    // none and EInvalidGraphic when it is not a valid bitmap.
    void LoadFromResourceName(const String& name);

    void Draw(TCanvas* canvas, const TRect& rect) override;

    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) override;

protected:
    void Changed() override;

private:
    friend class TBitmapCanvas;
    // Replaces the pixels by a new handle (owned), or empties the bitmap with null.
    void NewImage(HBITMAP handle, TPixelFormat format);
    // Reads a BMP file, or with fileHeader false a bare DIB as classic bitmap resources hold it.
    void LoadBitmap(TStream& stream, bool fileHeader);
    // Lets go of the canvas's memory DC, so the bitmap is selected nowhere.
    void ReleaseCanvasContext();
    void CanvasChanged(TObject* sender);
    // Maps the pixels onto what the pixel format can hold.
    void Quantize();
    int SaveBitCount() const;

    HBITMAP FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<RGBQUAD> FPalette;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    TAlphaFormat FAlphaFormat = afIgnored;
    bool FMonochrome = false;
    TObjectPtr<TBitmapCanvas> FCanvas;
};

// The canvas of a bitmap: a memory DC with the bitmap selected, made on first use.
class TBitmapCanvas : public TCanvas {
    DW_CLASS(TBitmapCanvas, TCanvas)
    explicit TBitmapCanvas(TBitmap* bitmap = nullptr) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override;
    // The memory DC with the bitmap selected, without selecting pen, brush or font.
    HDC BitmapDC();
    // Deletes the memory DC (the bitmap is then selected nowhere).
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* FBitmap;
    HDC FMemoryDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

} // namespace dw
