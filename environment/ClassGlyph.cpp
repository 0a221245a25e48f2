#include "environment/ClassGlyph.h"

#include "environment/DesignerManager.h"
#include "environment/PackageMng.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Resources.h"

#include <algorithm>

namespace dw {

namespace {
TColor BottomLeftColor(TBitmap* bitmap) {
    return bitmap->Canvas()->Pixels(0, bitmap->Height() - 1);
}

// The screen's default font without anti-aliasing: blended edges would take the transparent
// colour into the letters and show as a coloured fringe once it is masked out.
void UseCrispDefaultFont(TCanvas* canvas) {
    TObjectPtr<TFont> font = MakeObject<TFont>();
    LOGFONT logFont = font->LogFont();
    logFont.lfQuality = NONANTIALIASED_QUALITY;
    canvas->Font()->SetHandle(CreateFontIndirect(&logFont));
}
} // namespace

void DrawClassGlyph(TCanvas* canvas, const TRect& rect, TBitmap* glyph, int frameKind) {
    if (!canvas || !glyph || glyph->Empty()) return;
    TColor oldBrushColor = canvas->Brush()->Color();
    if (frameKind == gfPushButton || frameKind == gfRaisedEdge) {
        canvas->Brush()->SetColor(clBtnFace);
        TRect frame = rect;
        if (frameKind == gfPushButton)
            DrawFrameControl(canvas->Handle(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH);
        else
            DrawEdge(canvas->Handle(), &frame, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    }
    int width = glyph->Width(), height = glyph->Height();
    int left = rect.Left + (rect.Width() - width) / 2;
    int top = rect.Top + (rect.Height() - height) / 2;
    COLORREF transparent = ColorToRGB(BottomLeftColor(glyph)) & 0xFFFFFF;
    TransparentBlt(canvas->Handle(), left, top, width, height, static_cast<TBitmapCanvas*>(glyph->Canvas())->BitmapDC(),
                   0, 0, width, height, transparent);
    canvas->Brush()->SetColor(oldBrushColor);
}

namespace {
struct TDragImageCache {
    TObjectPtr<TDragImageList> List;
    TClass ComponentClass = nullptr;
    bool WithCaption = false;
};

TDragImageCache& DragImageCache() {
    static TDragImageCache cache;
    return cache;
}
} // namespace

TDragImageList* GetClassDragImage(bool withCaption) {
    TClass armed = DesignerManager().ComponentClass();
    if (!armed) return nullptr;
    TDragImageCache& cache = DragImageCache();
    if (cache.List && cache.ComponentClass == armed && cache.WithCaption == withCaption) return cache.List.get();

    TObjectPtr<TBitmap> image = MakeObject<TBitmap>();
    String caption;
    TComponentClassInfo* info = PackageMng().FindClassInfo(armed);
    if (info) {
        image->Assign(info->Glyph());
        caption = WideToUtf8(info->DisplayName());
    } else {
        // A missing resource leaves an empty glyph; the caption still tells what is dragged.
        try {
            if (FindResource("NOICON_DSN", "BITMAP").Data) image->LoadFromResourceName("NOICON_DSN");
        } catch (const Exception&) {
        }
        caption = armed->ClassName();
    }
    TColor transparent = image->Empty() ? clFuchsia : BottomLeftColor(image.get());

    if (withCaption) {
        TObjectPtr<TBitmap> measure = MakeObject<TBitmap>();
        UseCrispDefaultFont(measure->Canvas());
        TSize text = measure->Canvas()->TextExtent(caption);
        int glyphWidth = image->Width();
        int width = glyphWidth + text.cx + 2;
        int height = std::max(image->Height(), text.cy);
        TObjectPtr<TBitmap> wide = MakeObject<TBitmap>(width, height);
        TCanvas* canvas = wide->Canvas();
        canvas->Brush()->SetColor(transparent);
        canvas->FillRect(TRect{0, 0, width, height});
        if (!image->Empty()) canvas->Draw(0, 0, image.get());
        UseCrispDefaultFont(canvas);
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(glyphWidth + 2, (height - text.cy) / 2, caption);
        image = std::move(wide);
    }

    if (!cache.List) cache.List.reset(New<TDragImageList>(nullptr));
    cache.List->SetSize(image->Width(), image->Height());
    cache.List->Clear();
    if (!image->Empty()) cache.List->AddMasked(image.get(), transparent);
    cache.ComponentClass = armed;
    cache.WithCaption = withCaption;
    return cache.List.get();
}

void FreeClassDragImage() {
    TDragImageCache& cache = DragImageCache();
    cache.List.reset();
    cache.ComponentClass = nullptr;
    cache.WithCaption = false;
}

} // namespace dw
