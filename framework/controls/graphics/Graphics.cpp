#include "framework/controls/graphics/Graphics.h"

#include "framework/controls/graphics/Bitmap.h"
#include "framework/rtl/Filer.h"

#include <cmath>
#include <cstring>

namespace dw {

namespace {

struct TCharsetName {
    int Value;
    const char* Name;
};

constexpr TCharsetName kCharsetNames[] = {
    {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};

constexpr int kPenModeRop2[] = {
    R2_BLACK,       // pmBlack
    R2_WHITE,       // pmWhite
    R2_NOP,         // pmNop
    R2_NOT,         // pmNot
    R2_COPYPEN,     // pmCopy
    R2_NOTCOPYPEN,  // pmNotCopy
    R2_MERGEPENNOT, // pmMergePenNot
    R2_MASKPENNOT,  // pmMaskPenNot
    R2_MERGENOTPEN, // pmMergeNotPen
    R2_MASKNOTPEN,  // pmMaskNotPen
    R2_MERGEPEN,    // pmMerge
    R2_NOTMERGEPEN, // pmNotMerge
    R2_MASKPEN,     // pmMask
    R2_NOTMASKPEN,  // pmNotMask
    R2_XORPEN,      // pmXor
    R2_NOTXORPEN,   // pmNotXor
};

// MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

} // namespace

const TTypeInfo& FontCharsetTypeInfo() {
    static const TTypeInfo& info = []() -> const TTypeInfo& {
        const TTypeInfo& t = NamedType(tkInteger, "TFontCharset", 0, 255);
        RegisterIntegerConsts(
            t,
            [](const String& ident, std::int32_t& value) {
                int v;
                if (!IdentToCharset(ident, v)) return false;
                value = v;
                return true;
            },
            [](std::int32_t value, String& ident) { return CharsetToIdent(value, ident); });
        return t;
    }();
    return info;
}

const TTypeInfo& FontNameTypeInfo() {
    static const TTypeInfo& info = NamedType(tkLString, "TFontName");
    return info;
}

bool CharsetToIdent(int charset, String& ident) {
    for (const TCharsetName& entry : kCharsetNames)
        if (entry.Value == charset) {
            ident = entry.Name;
            return true;
        }
    return false;
}

bool IdentToCharset(const String& ident, int& charset) {
    for (const TCharsetName& entry : kCharsetNames)
        if (SameText(ident, entry.Name)) {
            charset = entry.Value;
            return true;
        }
    return false;
}

void GetCharsetValues(const std::function<void(const String& name)>& proc) {
    for (const TCharsetName& entry : kCharsetNames) proc(entry.Name);
}

int PenModeToROP2(TPenMode mode) {
    int index = static_cast<int>(mode);
    if (index < 0 || index >= static_cast<int>(std::size(kPenModeRop2))) return R2_COPYPEN;
    return kPenModeRop2[index];
}

TPenMode ROP2ToPenMode(int rop2) {
    for (size_t i = 0; i < std::size(kPenModeRop2); ++i)
        if (kPenModeRop2[i] == rop2) return static_cast<TPenMode>(i);
    return pmCopy;
}

// ---------------------------------------------------------------------------------------------
// TGraphicsObject

// OnChange is for the owner of the object (a canvas, a control), not for the inspector.
DW_DEFINE_CLASS(TGraphicsObject) {}

TGraphicsObject::~TGraphicsObject() {
    FreeHandle();
}

HGDIOBJ TGraphicsObject::HandleObject() const {
    if (!FHandle) {
        FHandle = CreateHandleObject();
        if (!FHandle) throw EOutOfResources(Format("Cannot create a %s handle", ClassName()));
    }
    return FHandle;
}

void TGraphicsObject::AdoptHandle(HGDIOBJ handle) {
    FreeHandle();
    FHandle = handle;
}

void TGraphicsObject::FreeHandle() const {
    if (FHandle) {
        // A handle still selected into a device context stays alive until the context lets go.
        if (!IsStockObject(FHandle)) DeleteObject(FHandle);
        FHandle = nullptr;
    }
}

void TGraphicsObject::Changed() {
    FreeHandle();
    OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TFont

DW_DEFINE_CLASS(TFont) {
    c.Property("Charset", &TFont::Charset, &TFont::SetCharset).Type(FontCharsetTypeInfo());
    c.Property("Color", &TFont::Color, &TFont::SetColor).Type(ColorTypeInfo());
    c.Property("Height", &TFont::Height, &TFont::SetHeight);
    c.Property("Name", &TFont::Name, &TFont::SetName).Type(FontNameTypeInfo());
    c.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    c.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    c.Property("Style", &TFont::Style, &TFont::SetStyle);
}

TFont::TFont() = default;

void TFont::Assign(const TPersistent* source) {
    if (auto* font = As<TFont>(source)) {
        if (Equals(*font)) return;
        FName = font->FName;
        FHeight = font->FHeight;
        FStyle = font->FStyle;
        FColor = font->FColor;
        FCharset = font->FCharset;
        FPitch = font->FPitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

bool TFont::Equals(const TFont& other) const {
    return SameText(FName, other.FName) && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FCharset == other.FCharset && FPitch == other.FPitch;
}

void TFont::SetHandle(HFONT handle) {
    LOGFONT lf;
    if (!handle || GetObject(handle, sizeof lf, &lf) <= 0 || GetObjectType(handle) != OBJ_FONT)
        throw EInvalidArgument("The handle given to TFont is not a font");
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD) style += fsBold;
    if (lf.lfItalic) style += fsItalic;
    if (lf.lfUnderline) style += fsUnderline;
    if (lf.lfStrikeOut) style += fsStrikeOut;
    FStyle = style;
    FCharset = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    AdoptHandle(handle);
    OnChange(this);
}

void TFont::SetName(const TFontName& value) {
    if (value.empty() || value == FName) return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (value == FHeight) return;
    FHeight = value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int value) {
    SetHeight(-MulDiv(value, ScreenPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == FColor) return;
    // The colour is the device context's text colour, not part of the font handle.
    FColor = value;
    OnChange(this);
}

void TFont::SetCharset(TFontCharset value) {
    if (value == FCharset) return;
    FCharset = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == FPitch) return;
    FPitch = value;
    Changed();
}

LOGFONT TFont::LogFont() const {
    LOGFONT lf;
    lf.lfHeight = FHeight;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = FStyle.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    // "Default" asks for the face the platform would choose on its own.
    if (!SameText(FName, "Default")) SetFaceName(lf, FName);
    return lf;
}

HGDIOBJ TFont::CreateHandleObject() const {
    LOGFONT lf = LogFont();
    return CreateFontIndirect(&lf);
}

// ---------------------------------------------------------------------------------------------
// TPen

DW_DEFINE_CLASS(TPen) {
    c.Property("Color", &TPen::Color, &TPen::SetColor).Type(ColorTypeInfo()).Default(clBlack);
    c.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    c.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    c.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TPen::Assign(const TPersistent* source) {
    if (auto* pen = As<TPen>(source)) {
        if (FColor == pen->FColor && FMode == pen->FMode && FStyle == pen->FStyle && FWidth == pen->FWidth) return;
        FColor = pen->FColor;
        FMode = pen->FMode;
        FStyle = pen->FStyle;
        FWidth = pen->FWidth;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == FMode) return;
    FMode = value;
    OnChange(this);
}

void TPen::SetStyle(TPenStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 1) value = 1;
    if (value == FWidth) return;
    FWidth = value;
    Changed();
}

HGDIOBJ TPen::CreateHandleObject() const {
    int style = PS_SOLID;
    switch (FStyle) {
    case psSolid:
        style = PS_SOLID;
        break;
    case psDash:
        style = PS_DASH;
        break;
    case psDot:
        style = PS_DOT;
        break;
    case psDashDot:
        style = PS_DASHDOT;
        break;
    case psDashDotDot:
        style = PS_DASHDOTDOT;
        break;
    case psClear:
        style = PS_NULL;
        break;
    case psInsideFrame:
        style = PS_INSIDEFRAME;
        break;
    }
    return CreatePen(style, FWidth, ColorToRGB(FColor));
}

// ---------------------------------------------------------------------------------------------
// TBrush

DW_DEFINE_CLASS(TBrush) {
    c.Property("Color", &TBrush::Color, &TBrush::SetColor).Type(ColorTypeInfo()).Default(clWhite);
    c.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TBrush::Assign(const TPersistent* source) {
    if (auto* brush = As<TBrush>(source)) {
        if (FColor == brush->FColor && FStyle == brush->FStyle && FBitmap == brush->FBitmap) return;
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        FBitmap = brush->FBitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor value) {
    if (value == FColor && FStyle != bsClear) return;
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
    if (value == FBitmap) return;
    FBitmap = value;
    Changed();
}

HGDIOBJ TBrush::CreateHandleObject() const {
    if (FBitmap && !FBitmap->Empty()) return CreatePatternBrush(FBitmap->Handle());
    LOGBRUSH lb;
    lb.lbColor = ColorToRGB(FColor);
    switch (FStyle) {
    case bsSolid:
        lb.lbStyle = BS_SOLID;
        break;
    case bsClear:
        lb.lbStyle = BS_NULL;
        break;
    default:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<std::uintptr_t>(HS_HORIZONTAL + (FStyle - bsHorizontal));
        break;
    }
    return CreateBrushIndirect(&lb);
}

} // namespace dw
