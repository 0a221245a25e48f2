// Image lists: TCustomImageList and TImageList (a component holding equally sized images with
// masks, drawn normally, blended or disabled, streamed in form files), TChangeLink for the
// controls that show its images, and TDragImageList for drag images.
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/rtl/Component.h"

#include <vector>

namespace dw {

class TIcon;
class TCustomImageList;

DW_ENUM(TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent)
DW_ENUM(TImageType, itImage, itMask)

// A control that shows images of a list keeps a change link registered with it; the list tells
// every link about changes (OnChange of the list itself is one more listener).
class TChangeLink : public TObject {
    DW_CLASS(TChangeLink, TObject)
    TChangeLink() = default;
    ~TChangeLink() override;
    TCustomImageList* Sender() const { return FSender; }
    void SetSender(TCustomImageList* value) { FSender = value; }
    virtual void Change();
    TNotifyEvent OnChange;

private:
    TCustomImageList* FSender = nullptr;
};

// Images are kept as 32-bit pixels with premultiplied alpha; the mask of an image is its alpha
// (transparent where the mask is white). A list that is not Masked draws every pixel opaque.
//
// Stream data: the binary property "Bitmap" holds, all integers little-endian:
//   "DWIL", version (16 bits, 1), 16 reserved bits, width, height, count (32 bits each),
//   masked (8 bits, 0 or 1), 3 reserved bytes, then count images of width x height pixels,
//   top row first, each pixel 4 bytes blue, green, red, alpha, colours not premultiplied
//   (alpha 0 is the masked-out background).
// A list without images writes no Bitmap. Reading checks every field and the length of the data
// and raises EInvalidGraphic naming what is wrong, leaving the list as it was.
class TCustomImageList : public TComponent {
    DW_CLASS(TCustomImageList, TComponent)
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // From another image list: size, settings and images.
    void Assign(const TPersistent* source) override;

    int Count() const { return static_cast<int>(FImages.size()); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size clears the images.
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    void SetSize(int width, int height);
    bool Masked() const { return FMasked; }
    void SetMasked(bool value);
    // clNone: transparent pixels show what is below; a colour fills them (except dsTransparent).
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor value);
    // The colour dsFocus and dsSelected blend with (clNone or clDefault: clHighlight).
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor value);
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const { return FImageType; }
    void SetImageType(TImageType value);
    // Kept for form files; the list grows as needed.
    int AllocBy() const { return FAllocBy; }
    void SetAllocBy(int value) { FAllocBy = value < 1 ? 1 : value; }
    bool ShareImages() const { return FShareImages; }
    void SetShareImages(bool value) { FShareImages = value; }

    // Adds the images of a bitmap: a bitmap wider than Width is a strip of Width-wide images,
    // left to right (a narrower one gives one image). mask: white where the image is transparent
    // (null: the bitmap's own alpha, or opaque). Returns the index of the first image added, -1
    // for an empty bitmap.
    int Add(TBitmap* image, TBitmap* mask);
    // Like Add, transparent where the bitmap has maskColor (clDefault: its bottom-left pixel;
    // clNone: nowhere).
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    // Appends copies of all images of another list of the same size.
    void AddImages(TCustomImageList* value);
    void Insert(int index, TBitmap* image, TBitmap* mask);
    void InsertMasked(int index, TBitmap* image, TColor maskColor);
    void InsertIcon(int index, TIcon* icon);
    // Replaces one image with the first image of the bitmap.
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void ReplaceMasked(int index, TBitmap* image, TColor maskColor);
    void ReplaceIcon(int index, TIcon* icon);
    // Deleting index -1 clears the list.
    void Delete(int index);
    void Move(int curIndex, int newIndex);
    void Clear();

    // Loads a bitmap resource as a strip at the list's size; false when there is no such resource.
    bool ResourceLoad(const String& resourceName, TColor maskColor);
    // Sizes the list to the resource (height from the bitmap, width as given, the bitmap's height
    // when 0), clears it and loads the strip.
    bool GetResource(const String& resourceName, int width, TColor maskColor);

    // Draws with the list's DrawingStyle and ImageType. Disabled images are drawn embossed: the
    // shape of every pixel that is neither transparent nor white, in clBtnHighlight one pixel
    // down and right, then in clBtnShadow.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType imageType, bool enabled = true);
    // Sizes image to the list's size and draws the image onto it (over what it holds).
    void GetBitmap(int index, TBitmap* image);
    // The image with its transparency as a 32-bit bitmap with alpha.
    void GetImage(int index, TBitmap* image);
    // The mask as a monochrome bitmap: white where transparent.
    void GetMask(int index, TBitmap* mask);
    void GetIcon(int index, TIcon* icon);
    // All images side by side (transparent parts black) and their masks (white where
    // transparent); the bitmaps belong to the list and are rebuilt after changes.
    HBITMAP GetImageBitmap();
    HBITMAP GetMaskBitmap();

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    void DefineProperties(TFiler* filer) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void CheckIndex(int index) const;
    // The pixels of one image as drawn with the style: premultiplied, (Width + 1) x (Height + 1)
    // when disabled (for the embossed offset), Width x Height otherwise.
    TSurface Compose(int index, TDrawingStyle style, TImageType imageType, bool enabled) const;
    void DrawPixels(TCanvas* canvas, int x, int y, const TSurface& pixels);
    const TSurface& ImagePixels(int index) const { return FImages[static_cast<size_t>(index)]; }

private:
    // Cuts images out of a bitmap; keyColor is used when useKey, otherwise mask or alpha.
    std::vector<TSurface> Cut(TBitmap* image, TBitmap* mask, bool useKey, COLORREF keyColor, bool firstOnly) const;
    std::vector<TSurface> CutMasked(TBitmap* image, TColor maskColor, bool firstOnly) const;
    TSurface IconPixels(TIcon* icon) const;
    int InsertImages(int index, std::vector<TSurface> images);
    void ReadBitmapData(TStream& stream);
    void WriteBitmapData(TStream& stream);

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    int FAllocBy = 4;
    bool FShareImages = false;
    std::vector<TSurface> FImages;
    int FUpdateCount = 0;
    bool FChanged = false;
    std::vector<TChangeLink*> FLinks;
    TObjectPtr<TBitmap> FImageStrip;
    TObjectPtr<TBitmap> FMaskStrip;
    bool FStripsValid = false;
    TObjectPtr<TBitmap> FScratch;
};

// The published image list of forms.
class TImageList : public TCustomImageList {
    DW_CLASS(TImageList, TCustomImageList)
    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
};

// An image list whose image follows the mouse while something is dragged. It draws into a
// device context given by the drag manager, saving what was under the image and restoring it
// when the image hides or moves. Positions are the mouse position in that context's coordinates;
// the image's hot spot is put there.
class TDragImageList : public TCustomImageList {
    DW_CLASS(TDragImageList, TCustomImageList)
    explicit TDragImageList(TComponent* owner) : TCustomImageList(owner) {}
    ~TDragImageList() override;

    // Chooses the image and its hot spot; false for a bad index.
    bool SetDragImage(int index, int hotSpotX, int hotSpotY);
    TPoint DragHotspot() const { return FHotSpot; }
    void SetDragHotspot(TPoint value) { FHotSpot = value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    bool Dragging() const { return FDragDC != nullptr; }
    TPoint DragPosition() const { return FDragPos; }

    // Starts dragging in dc with the mouse at (x, y) and shows the image.
    bool BeginDrag(HDC dc, int x, int y);
    bool DragMove(int x, int y);
    bool ShowDragImage();
    bool HideDragImage();
    // Hides the image and lets go of the DC.
    bool EndDrag();

private:
    TRect ImageRect() const;

    HDC FDragDC = nullptr;
    TPoint FDragPos;
    TPoint FHotSpot;
    int FDragIndex = 0;
    bool FVisible = false;
    TCursor FDragCursor = crDrag;
    TObjectPtr<TBitmap> FBackground;
};

} // namespace dw
