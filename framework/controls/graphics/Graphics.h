// The graphics objects of the canvas: TGraphicsObject with its handle made on demand, TFont, TPen
// and TBrush; the picture exceptions; and the types they publish.
#pragma once

#include "framework/controls/graphics/Colors.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Persistent.h"

#include <functional>

namespace dw {

// A picture that cannot be read, written or used: a corrupt file, an unknown format, a size
// beyond what the framework draws.
DW_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
// An operation the graphic does not support (drawing on a picture that has no canvas, ...).
DW_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

class TBitmap;

DW_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
DW_SET(TFontStyles, TFontStyle)
DW_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
DW_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
DW_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
        pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
DW_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)

using TFontCharset = std::uint8_t;
using TFontName = String;

// Named types of font properties. Charsets are stored by name (DEFAULT_CHARSET, ...).
const TTypeInfo& FontCharsetTypeInfo();
const TTypeInfo& FontNameTypeInfo();
bool CharsetToIdent(int charset, String& ident);
bool IdentToCharset(const String& ident, int& charset);
// Calls proc with the name of every named charset, in numeric order.
void GetCharsetValues(const std::function<void(const String& name)>& proc);

// The raster operation (R2_xxx) of a pen mode, and back.
int PenModeToROP2(TPenMode mode);
TPenMode ROP2ToPenMode(int rop2);

// The screen resolution fonts are measured at.
constexpr int ScreenPixelsPerInch = 96;

// A persistent object behind a graphics handle of the windowing core. The handle is made when
// first asked for and deleted whenever a property changes, so it always matches the properties.
class TGraphicsObject : public TPersistent {
    DW_CLASS(TGraphicsObject, TPersistent)
    ~TGraphicsObject() override;

    // Fired after every change (a canvas re-selects the object; a control repaints).
    TNotifyEvent OnChange;
    bool HandleAllocated() const { return FHandle != nullptr; }

protected:
    TGraphicsObject() = default;
    // Makes a new handle for the current properties.
    virtual HGDIOBJ CreateHandleObject() const = 0;
    HGDIOBJ HandleObject() const;
    // Takes ownership of handle, freeing the current one.
    void AdoptHandle(HGDIOBJ handle);
    void FreeHandle() const;
    virtual void Changed();

private:
    mutable HGDIOBJ FHandle = nullptr;
};

class TFont : public TGraphicsObject {
    DW_CLASS(TFont, TGraphicsObject)
    TFont();

    void Assign(const TPersistent* source) override;
    // True when every property matches (the handles are not compared).
    bool Equals(const TFont& other) const;

    HFONT Handle() const { return HandleObject(); }
    // Takes the properties of an existing font handle and owns it from then on.
    void SetHandle(HFONT handle);

    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& value);
    // Below zero: the character height in pixels; above zero: the cell height.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Points at ScreenPixelsPerInch: -Height * 72 / 96, rounded.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    int PixelsPerInch() const { return ScreenPixelsPerInch; }

    // The font description the handle is made from.
    LOGFONT LogFont() const;

protected:
    HGDIOBJ CreateHandleObject() const override;

private:
    TFontName FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};

class TPen : public TGraphicsObject {
    DW_CLASS(TPen, TGraphicsObject)
    TPen() = default;

    void Assign(const TPersistent* source) override;

    HPEN Handle() const { return HandleObject(); }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // The raster operation the canvas draws with; it is a property of the device context, not of
    // the pen handle, so changing it keeps the handle.
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    int Width() const { return FWidth; }
    // Widths below 1 draw as 1.
    void SetWidth(int value);

protected:
    HGDIOBJ CreateHandleObject() const override;

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

class TBrush : public TGraphicsObject {
    DW_CLASS(TBrush, TGraphicsObject)
    TBrush() = default;

    void Assign(const TPersistent* source) override;

    HBRUSH Handle() const { return HandleObject(); }
    TColor Color() const { return FColor; }
    // Setting a colour turns a clear brush solid, as one expects when asking for a colour.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // A pattern bitmap (not owned: the caller keeps it alive while the brush uses it); it takes
    // precedence over the style. The brush copies the pixels when its handle is made.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* value);

protected:
    HGDIOBJ CreateHandleObject() const override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

} // namespace dw
