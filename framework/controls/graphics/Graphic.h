// TGraphic: the abstract picture (bitmap, icon, metafile, JPEG, PNG) with its size, transparency,
// change and progress events, file and stream input and output, and drawing onto a canvas.
#pragma once

#include "framework/controls/graphics/Graphics.h"
#include "framework/rtl/Stream.h"

namespace dw {

class TCanvas;
class TBitmap;

DW_ENUM(TProgressStage, psStarting, psRunning, psEnding)
DW_EVENT(TProgressEvent, (TObject*, TProgressStage, Byte, bool, const TRect&, const String&),
         "Sender: TObject; Stage: TProgressStage; PercentDone: Byte; RedrawNow: Boolean; const R: TRect; "
         "const Msg: string");

// A graphic class, as pictures and the file-format registry hold them.
using TGraphicClass = TClass;

// Stream data: a graphic published as a property is streamed as the binary property "Data",
// holding the graphic's own file format (a .bmp file for a bitmap, .ico for an icon, ...) and
// nothing before it. An empty graphic writes no Data.
class TGraphic : public TPersistent {
    DW_CLASS(TGraphic, TPersistent)

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Graphics whose size is fixed by their data raise EInvalidGraphicOperation.
    virtual void SetWidth(int value);
    virtual void SetHeight(int value);
    virtual void SetSize(int width, int height);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // Set by every change; cleared by whoever saved the graphic.
    bool Modified() const { return FModified; }
    void SetModified(bool value);

    // Reads the graphic's file format from the current position; a corrupt or unsupported file
    // raises EInvalidGraphic and leaves the graphic as it was.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Errors name the file.
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

    // Draws the graphic stretched into rect (its own size at rect's top-left when the sizes match).
    // Canvas::Draw and StretchDraw call it; transparency is the graphic's business.
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

    // True when both hold the same class and the same saved data.
    virtual bool Equals(TGraphic* other);

    void DefineProperties(TFiler* filer) override;
    // The stream data behind "Data" and a picture's data (see above).
    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    TGraphic() = default;
    // Marks the graphic modified and fires OnChange.
    virtual void Changed();
    void Progress(TProgressStage stage, Byte percentDone, bool redrawNow, const TRect& r, const String& msg);
    // Any graphic can be copied into a bitmap by drawing it there.
    void AssignTo(TPersistent* dest) const override;

private:
    bool FTransparent = false;
    bool FModified = false;
};

} // namespace dw
