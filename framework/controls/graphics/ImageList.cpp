#include "framework/controls/graphics/ImageList.h"

#include "framework/controls/graphics/DibFormat.h"
#include "framework/controls/graphics/Icon.h"
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cstring>

namespace dw {

namespace {

constexpr char kStreamMagic[4] = {'D', 'W', 'I', 'L'};
constexpr int kStreamVersion = 1;
constexpr int kStreamHeaderSize = 28;

bool IsWhite(TPixel p) {
    return (p & 0xFFFFFF) == 0xFFFFFF;
}

int Luminance(TPixel p) {
    return (((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000;
}

TPixel Opaque(COLORREF c) {
    return PixelFromColor(c & 0xFFFFFF);
}

// p over an opaque colour.
TPixel Over(TPixel p, TPixel background) {
    TPixel a = p >> 24, inv = 255 - a;
    auto channel = [&](int shift) {
        return std::min<TPixel>(255, ((p >> shift) & 0xFF) + (((background >> shift) & 0xFF) * inv + 127) / 255)
               << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

void FillBitmap(TBitmap* bitmap, const TSurface& pixels, bool withAlpha) {
    bitmap->SetMonochrome(false);
    bitmap->SetSize(0, 0);
    bitmap->SetPixelFormat(withAlpha ? pf32bit : pf24bit);
    bitmap->SetSize(pixels.Width(), pixels.Height());
    TSurface& s = *bitmap->Surface();
    for (int y = 0; y < pixels.Height(); ++y)
        std::memcpy(s.Row(y), pixels.Row(y), sizeof(TPixel) * static_cast<size_t>(pixels.Width()));
    bitmap->SetAlphaFormat(withAlpha ? afPremultiplied : afIgnored);
    bitmap->SetModified(true);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TChangeLink

DW_DEFINE_CLASS(TChangeLink) {}

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    OnChange(FSender);
}

// ---------------------------------------------------------------------------------------------
// TCustomImageList

DW_DEFINE_CLASS(TCustomImageList) {}

DW_DEFINE_CLASS(TImageList) {
    c.Property("BlendColor", &TImageList::BlendColor, &TImageList::SetBlendColor).Type(ColorTypeInfo()).Default(clNone);
    c.Property("BkColor", &TImageList::BkColor, &TImageList::SetBkColor).Type(ColorTypeInfo()).Default(clNone);
    c.Property("AllocBy", &TImageList::AllocBy, &TImageList::SetAllocBy).Default(4);
    c.Property("DrawingStyle", &TImageList::DrawingStyle, &TImageList::SetDrawingStyle).Default(dsNormal);
    c.Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
    c.Property("ImageType", &TImageList::ImageType, &TImageList::SetImageType).Default(itImage);
    c.Property("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(true);
    c.Property("ShareImages", &TImageList::ShareImages, &TImageList::SetShareImages).Default(false);
    c.Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
    c.Property("OnChange", &TImageList::OnChange, &TImageList::OnChange);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : FLinks) link->SetSender(nullptr);
}

void TCustomImageList::Assign(const TPersistent* source) {
    if (auto* other = As<TCustomImageList>(source)) {
        if (other == this) return;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        FMasked = other->FMasked;
        FBkColor = other->FBkColor;
        FBlendColor = other->FBlendColor;
        FDrawingStyle = other->FDrawingStyle;
        FImageType = other->FImageType;
        FAllocBy = other->FAllocBy;
        FImages.clear();
        for (const TSurface& image : other->FImages) FImages.push_back(image.Clone());
        Change();
        return;
    }
    TComponent::Assign(source);
}

void TCustomImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1 || width > TSurface::kMaxDimension || height > TSurface::kMaxDimension)
        throw EInvalidArgument(Format("Image list size %d x %d is not valid", width, height));
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Change();
}

void TCustomImageList::SetMasked(bool value) {
    if (value == FMasked) return;
    FMasked = value;
    Change();
}

void TCustomImageList::SetBkColor(TColor value) {
    if (value == FBkColor) return;
    FBkColor = value;
    Change();
}

void TCustomImageList::SetBlendColor(TColor value) {
    if (value == FBlendColor) return;
    FBlendColor = value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
    if (value == FDrawingStyle) return;
    FDrawingStyle = value;
    Change();
}

void TCustomImageList::SetImageType(TImageType value) {
    if (value == FImageType) return;
    FImageType = value;
    Change();
}

void TCustomImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation(Format("Image list index %d is out of range (the list has %d images)", index, Count()));
}

void TCustomImageList::Change() {
    FStripsValid = false;
    if (FUpdateCount > 0) {
        FChanged = true;
        return;
    }
    FChanged = false;
    // A link may unregister itself while being told.
    std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
    OnChange(this);
}

void TCustomImageList::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link || std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) return;
    if (link->Sender() && link->Sender() != this) link->Sender()->UnRegisterChanges(link);
    link->SetSender(this);
    FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    auto it = std::find(FLinks.begin(), FLinks.end(), link);
    if (it == FLinks.end()) return;
    FLinks.erase(it);
    link->SetSender(nullptr);
}

std::vector<TSurface> TCustomImageList::Cut(TBitmap* image, TBitmap* mask, bool useKey, COLORREF keyColor,
                                            bool firstOnly) const {
    std::vector<TSurface> cells;
    if (!image || image->Empty()) return cells;
    const TSurface& src = *image->Surface();
    const TSurface* maskPixels = mask && !mask->Empty() ? mask->Surface() : nullptr;
    const bool alpha = image->AlphaFormat() != afIgnored && !image->Monochrome();
    const int count = firstOnly ? 1 : std::max(1, image->Width() / FWidth);
    keyColor &= 0xFFFFFF;
    for (int i = 0; i < count; ++i) {
        TSurface cell(FWidth, FHeight);
        cell.Fill(0);
        for (int y = 0; y < FHeight && y < src.Height(); ++y) {
            for (int x = 0; x < FWidth; ++x) {
                const int sx = i * FWidth + x;
                if (sx >= src.Width()) break;
                TPixel p = src.At(sx, y);
                if (!alpha) p |= 0xFF000000u;
                if (FMasked) {
                    if (useKey && ColorFromPixel(p) == keyColor) p = 0;
                    if (maskPixels && Luminance(maskPixels->Pixel(sx, y)) >= 128) p = 0;
                } else {
                    p |= 0xFF000000u;
                }
                cell.At(x, y) = p;
            }
        }
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::vector<TSurface> TCustomImageList::CutMasked(TBitmap* image, TColor maskColor, bool firstOnly) const {
    if (!image || image->Empty()) return {};
    COLORREF key = 0;
    bool useKey = maskColor != clNone;
    if (maskColor == clDefault)
        key = ColorFromPixel(image->Surface()->Pixel(0, image->Height() - 1));
    else if (useKey)
        key = ColorToRGB(maskColor);
    return Cut(image, nullptr, useKey, key, firstOnly);
}

TSurface TCustomImageList::IconPixels(TIcon* icon) const {
    TSurface cell(FWidth, FHeight);
    cell.Fill(0);
    if (!icon || icon->Empty()) return cell;
    // Icons of another size are scaled to the list's, as the classic list does.
    const TSurface& src = *icon->Image()->Surface();
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            TPixel p = src.At(x * src.Width() / FWidth, y * src.Height() / FHeight);
            cell.At(x, y) = FMasked ? p : (p | 0xFF000000u);
        }
    return cell;
}

int TCustomImageList::InsertImages(int index, std::vector<TSurface> images) {
    if (images.empty()) return -1;
    if (index < 0 || index > Count())
        throw EInvalidOperation(Format("Image list index %d is out of range (the list has %d images)", index, Count()));
    FImages.insert(FImages.begin() + index, std::make_move_iterator(images.begin()),
                   std::make_move_iterator(images.end()));
    Change();
    return index;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    return InsertImages(Count(), Cut(image, mask, false, 0, false));
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    return InsertImages(Count(), CutMasked(image, maskColor, false));
}

int TCustomImageList::AddIcon(TIcon* icon) {
    if (!icon || icon->Empty()) return -1;
    std::vector<TSurface> one;
    one.push_back(IconPixels(icon));
    return InsertImages(Count(), std::move(one));
}

void TCustomImageList::AddImages(TCustomImageList* value) {
    if (!value || value == this) return;
    if (value->FWidth != FWidth || value->FHeight != FHeight)
        throw EInvalidOperation(Format("Images of %d x %d cannot be added to an image list of %d x %d", value->FWidth,
                                       value->FHeight, FWidth, FHeight));
    std::vector<TSurface> copies;
    for (const TSurface& image : value->FImages) copies.push_back(image.Clone());
    InsertImages(Count(), std::move(copies));
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
    InsertImages(index, Cut(image, mask, false, 0, false));
}

void TCustomImageList::InsertMasked(int index, TBitmap* image, TColor maskColor) {
    InsertImages(index, CutMasked(image, maskColor, false));
}

void TCustomImageList::InsertIcon(int index, TIcon* icon) {
    if (!icon || icon->Empty()) return;
    std::vector<TSurface> one;
    one.push_back(IconPixels(icon));
    InsertImages(index, std::move(one));
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    std::vector<TSurface> cells = Cut(image, mask, false, 0, true);
    if (cells.empty()) return;
    FImages[static_cast<size_t>(index)] = std::move(cells.front());
    Change();
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* image, TColor maskColor) {
    CheckIndex(index);
    std::vector<TSurface> cells = CutMasked(image, maskColor, true);
    if (cells.empty()) return;
    FImages[static_cast<size_t>(index)] = std::move(cells.front());
    Change();
}

void TCustomImageList::ReplaceIcon(int index, TIcon* icon) {
    CheckIndex(index);
    if (!icon || icon->Empty()) return;
    FImages[static_cast<size_t>(index)] = IconPixels(icon);
    Change();
}

void TCustomImageList::Delete(int index) {
    if (index == -1) {
        Clear();
        return;
    }
    CheckIndex(index);
    FImages.erase(FImages.begin() + index);
    Change();
}

void TCustomImageList::Move(int curIndex, int newIndex) {
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (curIndex == newIndex) return;
    TSurface image = std::move(FImages[static_cast<size_t>(curIndex)]);
    FImages.erase(FImages.begin() + curIndex);
    FImages.insert(FImages.begin() + newIndex, std::move(image));
    Change();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

bool TCustomImageList::ResourceLoad(const String& resourceName, TColor maskColor) {
    if (!FindResource(resourceName, "BITMAP").Data) return false;
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromResourceName(resourceName);
    AddMasked(bitmap.get(), maskColor);
    return true;
}

bool TCustomImageList::GetResource(const String& resourceName, int width, TColor maskColor) {
    if (!FindResource(resourceName, "BITMAP").Data) return false;
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->LoadFromResourceName(resourceName);
    BeginUpdate();
    {
        auto restore = ScopeExit([&] { EndUpdate(); });
        SetSize(width > 0 ? width : bitmap->Height(), bitmap->Height());
        Clear();
        AddMasked(bitmap.get(), maskColor);
    }
    return true;
}

TSurface TCustomImageList::Compose(int index, TDrawingStyle style, TImageType imageType, bool enabled) const {
    const TSurface& image = ImagePixels(index);
    const int w = image.Width(), h = image.Height();
    if (!enabled) {
        // The classic embossed look: a highlight shadow of the shape, then the shape in grey.
        TSurface out(w + 1, h + 1);
        out.Fill(0);
        const TPixel highlight = Opaque(ColorToRGB(clBtnHighlight));
        const TPixel shadow = Opaque(ColorToRGB(clBtnShadow));
        auto inShape = [&](int x, int y) {
            TPixel p = image.At(x, y);
            if (FMasked && (p >> 24) < 128) return false;
            return !IsWhite(dib::Unpremultiply(p | (FMasked ? 0 : 0xFF000000u)));
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (inShape(x, y)) out.At(x + 1, y + 1) = highlight;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (inShape(x, y)) out.At(x, y) = shadow;
        return out;
    }
    TSurface out(w, h);
    if (imageType == itMask) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                out.At(x, y) = FMasked && (image.At(x, y) >> 24) < 128 ? 0xFFFFFFFFu : 0xFF000000u;
        return out;
    }
    const bool fill = !FMasked || (FBkColor != clNone && FBkColor != clDefault && style != dsTransparent);
    const TPixel background = FMasked ? Opaque(ColorToRGB(FBkColor)) : 0xFF000000u;
    int blendPercent = style == dsFocus ? 25 : style == dsSelected ? 50 : 0;
    TColor blendColor = FBlendColor == clNone || FBlendColor == clDefault ? clHighlight : FBlendColor;
    const COLORREF blend = ColorToRGB(blendColor);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            TPixel p = image.At(x, y);
            if (fill) p = FMasked ? Over(p, background) : (p | 0xFF000000u);
            if (blendPercent) {
                TPixel a = p >> 24;
                auto mix = [&](int shift, int b) {
                    TPixel c = (p >> shift) & 0xFF;
                    return ((c * (100 - blendPercent) + static_cast<TPixel>(b) * blendPercent * a / 255 + 50) / 100)
                           << shift;
                };
                p = (a << 24) | mix(16, GetRValue(blend)) | mix(8, GetGValue(blend)) | mix(0, GetBValue(blend));
            }
            out.At(x, y) = p;
        }
    return out;
}

void TCustomImageList::DrawPixels(TCanvas* canvas, int x, int y, const TSurface& pixels) {
    // One scratch bitmap per list, grown as needed, so drawing allocates no bitmap per image.
    if (!FScratch) {
        FScratch = MakeObject<TBitmap>();
        FScratch->SetPixelFormat(pf32bit);
    }
    if (FScratch->Width() < pixels.Width() || FScratch->Height() < pixels.Height())
        FScratch->SetSize(std::max(FScratch->Width(), pixels.Width()), std::max(FScratch->Height(), pixels.Height()));
    TSurface& scratch = *FScratch->Surface();
    for (int row = 0; row < pixels.Height(); ++row)
        std::memcpy(scratch.Row(row), pixels.Row(row), sizeof(TPixel) * static_cast<size_t>(pixels.Width()));
    HDC source = static_cast<TBitmapCanvas*>(FScratch->Canvas())->BitmapDC();
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(canvas->Handle(), x, y, pixels.Width(), pixels.Height(), source, 0, 0, pixels.Width(), pixels.Height(),
               blend);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, FDrawingStyle, FImageType, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType imageType,
                            bool enabled) {
    if (!canvas || index < 0 || index >= Count()) return;
    DrawPixels(canvas, x, y, Compose(index, style, imageType, enabled));
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
    if (!image) return;
    CheckIndex(index);
    image->SetSize(FWidth, FHeight);
    Draw(image->Canvas(), 0, 0, index);
}

void TCustomImageList::GetImage(int index, TBitmap* image) {
    if (!image) return;
    CheckIndex(index);
    FillBitmap(image, ImagePixels(index), FMasked);
}

void TCustomImageList::GetMask(int index, TBitmap* mask) {
    if (!mask) return;
    CheckIndex(index);
    FillBitmap(mask, Compose(index, dsNormal, itMask, true), false);
    mask->SetMonochrome(true);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
    if (!icon) return;
    CheckIndex(index);
    TObjectPtr<TBitmap> image = MakeObject<TBitmap>();
    FillBitmap(image.get(), ImagePixels(index), true);
    icon->Assign(image.get());
}

HBITMAP TCustomImageList::GetImageBitmap() {
    if (FImages.empty()) return nullptr;
    if (!FStripsValid || !FImageStrip || !FMaskStrip) {
        TSurface images(FWidth * Count(), FHeight), masks(FWidth * Count(), FHeight);
        for (int i = 0; i < Count(); ++i) {
            const TSurface& image = FImages[static_cast<size_t>(i)];
            for (int y = 0; y < FHeight; ++y)
                for (int x = 0; x < FWidth; ++x) {
                    TPixel p = image.At(x, y);
                    bool transparent = FMasked && (p >> 24) < 128;
                    images.At(i * FWidth + x, y) = transparent ? 0xFF000000u : (p | 0xFF000000u);
                    masks.At(i * FWidth + x, y) = transparent ? 0xFFFFFFFFu : 0xFF000000u;
                }
        }
        if (!FImageStrip) FImageStrip = MakeObject<TBitmap>();
        if (!FMaskStrip) FMaskStrip = MakeObject<TBitmap>();
        FillBitmap(FImageStrip.get(), images, false);
        FillBitmap(FMaskStrip.get(), masks, false);
        FMaskStrip->SetMonochrome(true);
        FStripsValid = true;
    }
    return FImageStrip->Handle();
}

HBITMAP TCustomImageList::GetMaskBitmap() {
    if (!GetImageBitmap()) return nullptr;
    return FMaskStrip->Handle();
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TCustomImageList::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Bitmap", [this](TStream* s) { ReadBitmapData(*s); }, [this](TStream* s) { WriteBitmapData(*s); }, Count() > 0);
}

void TCustomImageList::ReadBitmapData(TStream& stream) {
    Byte head[kStreamHeaderSize];
    if (stream.Read(head, sizeof head) != static_cast<Int64>(sizeof head))
        throw EInvalidGraphic("Image list data is truncated: the header is incomplete");
    if (std::memcmp(head, kStreamMagic, sizeof kStreamMagic) != 0)
        throw EInvalidGraphic("Image list data is not valid: it does not start with \"DWIL\"");
    const int version = dib::GetU16(head + 4);
    if (version != kStreamVersion)
        throw EInvalidGraphic(Format("Image list data of version %d is not supported", version));
    const std::uint32_t width = dib::GetU32(head + 8), height = dib::GetU32(head + 12), count = dib::GetU32(head + 16);
    const Byte masked = head[20];
    if (width < 1 || height < 1 || width > static_cast<std::uint32_t>(TSurface::kMaxDimension) ||
        height > static_cast<std::uint32_t>(TSurface::kMaxDimension))
        throw EInvalidGraphic(Format("Image list data is not valid: an image size of %u x %u", width, height));
    if (masked > 1) throw EInvalidGraphic(Format("Image list data is not valid: masked flag %d", int(masked)));
    const std::int64_t pixels = std::int64_t(width) * height * count;
    if (pixels > TSurface::kMaxPixels)
        throw EInvalidGraphic(
            Format("Image list data is not valid: %u images of %u x %u are too many", count, width, height));
    const Int64 expected = pixels * 4, available = dib::Remaining(stream);
    if (available < expected)
        throw EInvalidGraphic(
            Format("Image list data is truncated: %d bytes of images expected, %d found", expected, available));
    if (available > expected)
        throw EInvalidGraphic(
            Format("Image list data is not valid: %d bytes follow the last image", available - expected));
    std::vector<Byte> data(static_cast<size_t>(expected));
    if (expected && stream.Read(data.data(), expected) != expected)
        throw EInvalidGraphic("Image list data is truncated: the images are incomplete");

    std::vector<TSurface> images;
    images.reserve(count);
    const Byte* p = data.data();
    for (std::uint32_t i = 0; i < count; ++i) {
        TSurface image(static_cast<int>(width), static_cast<int>(height));
        for (std::uint32_t y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < width; ++x, p += 4) {
                TPixel straight = (TPixel(p[3]) << 24) | (TPixel(p[2]) << 16) | (TPixel(p[1]) << 8) | p[0];
                image.At(static_cast<int>(x), static_cast<int>(y)) = dib::Premultiply(straight);
            }
        images.push_back(std::move(image));
    }
    FWidth = static_cast<int>(width);
    FHeight = static_cast<int>(height);
    FMasked = masked != 0;
    FImages = std::move(images);
    Change();
}

void TCustomImageList::WriteBitmapData(TStream& stream) {
    std::vector<Byte> out(kStreamHeaderSize, 0);
    std::memcpy(out.data(), kStreamMagic, sizeof kStreamMagic);
    out[4] = kStreamVersion;
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<Byte>(v >> (8 * i));
    };
    put32(8, static_cast<std::uint32_t>(FWidth));
    put32(12, static_cast<std::uint32_t>(FHeight));
    put32(16, static_cast<std::uint32_t>(Count()));
    out[20] = FMasked ? 1 : 0;
    out.reserve(out.size() + static_cast<size_t>(FWidth) * FHeight * 4 * FImages.size());
    for (const TSurface& image : FImages)
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x) {
                TPixel p = dib::Unpremultiply(image.At(x, y));
                out.push_back(static_cast<Byte>(p));
                out.push_back(static_cast<Byte>(p >> 8));
                out.push_back(static_cast<Byte>(p >> 16));
                out.push_back(static_cast<Byte>(p >> 24));
            }
    stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

// ---------------------------------------------------------------------------------------------
// TDragImageList

DW_DEFINE_CLASS(TDragImageList) {}

TDragImageList::~TDragImageList() {
    EndDrag();
}

bool TDragImageList::SetDragImage(int index, int hotSpotX, int hotSpotY) {
    if (index < 0 || index >= Count()) return false;
    bool visible = FVisible;
    HideDragImage();
    FDragIndex = index;
    FHotSpot = {hotSpotX, hotSpotY};
    if (visible) ShowDragImage();
    return true;
}

TRect TDragImageList::ImageRect() const {
    return Bounds(FDragPos.X - FHotSpot.X, FDragPos.Y - FHotSpot.Y, Width(), Height());
}

bool TDragImageList::BeginDrag(HDC dc, int x, int y) {
    EndDrag();
    if (!dc || !IsValidDC(dc) || FDragIndex < 0 || FDragIndex >= Count()) return false;
    FDragDC = dc;
    FDragPos = {x, y};
    return ShowDragImage();
}

bool TDragImageList::DragMove(int x, int y) {
    if (!Dragging()) return false;
    bool visible = FVisible;
    HideDragImage();
    FDragPos = {x, y};
    if (visible) ShowDragImage();
    return true;
}

bool TDragImageList::ShowDragImage() {
    if (!Dragging()) return false;
    if (FVisible) return true;
    if (FDragIndex < 0 || FDragIndex >= Count()) return false;
    TRect r = ImageRect();
    if (!FBackground) FBackground = MakeObject<TBitmap>();
    FBackground->SetSize(r.Width(), r.Height());
    HDC saveDC = FBackground->Canvas()->Handle();
    BitBlt(saveDC, 0, 0, r.Width(), r.Height(), FDragDC, r.Left, r.Top, SRCCOPY);
    // Draw through a canvas without disturbing what the caller selected into its DC.
    int saved = SaveDC(FDragDC);
    {
        TObjectPtr<TCanvas> canvas = MakeObject<TCanvas>();
        canvas->SetHandle(FDragDC);
        Draw(canvas.get(), r.Left, r.Top, FDragIndex);
        canvas->SetHandle(nullptr);
    }
    RestoreDC(FDragDC, saved);
    FVisible = true;
    return true;
}

bool TDragImageList::HideDragImage() {
    if (!Dragging() || !FVisible) return Dragging();
    TRect r = ImageRect();
    BitBlt(FDragDC, r.Left, r.Top, r.Width(), r.Height(), FBackground->Canvas()->Handle(), 0, 0, SRCCOPY);
    FVisible = false;
    return true;
}

bool TDragImageList::EndDrag() {
    if (!Dragging()) return false;
    HideDragImage();
    FDragDC = nullptr;
    return true;
}

} // namespace dw
