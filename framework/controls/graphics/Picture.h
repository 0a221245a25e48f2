// TPicture: a holder of any graphic, loaded from and saved to files in the registered picture
// formats and streamed with its graphic's class; and the registry of those formats.
#pragma once

#include "framework/controls/graphics/Graphic.h"

#include <vector>

namespace dw {

class TBitmap;
class TIcon;
class TMetafile;

struct TFileFormat {
    String Extension; // lower case, without the full stop
    String Description;
    TGraphicClass GraphicClass = nullptr;
};

// Registers a picture format. The built-in formats are there from the start: bmp (TBitmap), ico
// (TIcon), emf and wmf (TMetafile), jpg and jpeg (TJPEGImage), png (TPngImage), in that order.
// Registering an extension again replaces the earlier entry.
void RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass);
// Removes every format whose class is graphicClass or derives from it.
void UnregisterGraphicClass(TGraphicClass graphicClass);
// The registered formats, in registration order.
const std::vector<TFileFormat>& FileFormats();
// The class registered for a file extension (with or without the full stop), or null.
TGraphicClass FindGraphicClassByExtension(const String& extension);
// A registered graphic class by name (without regard to case), or null.
TGraphicClass FindGraphicClassByName(const String& className);

// A file-dialog filter for the formats of graphicClass and its descendants, in registration
// order: "Bitmaps (*.bmp)|*.bmp" for one format; with several an "All (...)" entry comes first.
String GraphicFilter(TGraphicClass graphicClass);
// The default extension of a graphic class (the first registered for exactly that class), "" when
// it has none.
String GraphicExtension(TGraphicClass graphicClass);
// "*.bmp;*.ico;..." for the formats of graphicClass and its descendants.
String GraphicFileMask(TGraphicClass graphicClass);

// Stream data: the binary property "Data" holds the graphic's class name as a short string (a
// length byte and the name) followed by the graphic's own data (see TGraphic), so that reading
// restores a graphic of the same class. A picture without a graphic writes no Data.
class TPicture : public TPersistent {
    DW_CLASS(TPicture, TPersistent)
    TPicture();
    ~TPicture() override;

    // From another picture or a graphic (copied), or null (cleared).
    void Assign(const TPersistent* source) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of value (a graphic of the same class), or nothing for null.
    void SetGraphic(TGraphic* value);
    // The graphic as a bitmap, icon or metafile; when it is something else (or nothing) it is
    // replaced by an empty graphic of that class first.
    TBitmap* Bitmap();
    TIcon* Icon();
    TMetafile* Metafile();

    int Width() const;
    int Height() const;

    // Picks the graphic class by the file's extension; raises EInvalidGraphic for an extension
    // that is not registered, and leaves the picture as it was when loading fails.
    void LoadFromFile(const String& fileName);
    // Saves the graphic in its own format, whatever the extension says.
    void SaveToFile(const String& fileName);

    void DefineProperties(TFiler* filer) override;

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    void AssignTo(TPersistent* dest) const override;
    virtual void Changed(TObject* sender);

private:
    void SetOwnedGraphic(TObjectPtr<TGraphic> graphic);
    TGraphic* ForceType(TGraphicClass graphicClass);
    void GraphicChanged(TObject* sender);
    void GraphicProgress(TObject* sender, TProgressStage stage, Byte percentDone, bool redrawNow, const TRect& r,
                         const String& msg);
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    TObjectPtr<TGraphic> FGraphic;
};

} // namespace dw
