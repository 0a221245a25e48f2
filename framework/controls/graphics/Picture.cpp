#include "framework/controls/graphics/Picture.h"

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/Icon.h"
#include "framework/controls/graphics/JPEG.h"
#include "framework/controls/graphics/Metafile.h"
#include "framework/controls/graphics/PngImage.h"
#include "framework/rtl/Filer.h"

#include <algorithm>

namespace dw {

namespace {

std::vector<TFileFormat>& Formats() {
    static std::vector<TFileFormat> formats{
        {"bmp", "Bitmaps", TBitmap::StaticClass()},
        {"ico", "Icons", TIcon::StaticClass()},
        {"emf", "Enhanced Metafiles", TMetafile::StaticClass()},
        {"wmf", "Metafiles", TMetafile::StaticClass()},
        {"jpg", "JPEG Image File", TJPEGImage::StaticClass()},
        {"jpeg", "JPEG Image File", TJPEGImage::StaticClass()},
        {"png", "Portable Network Graphics", TPngImage::StaticClass()},
    };
    return formats;
}

String NormalExtension(const String& extension) {
    String ext = LowerCase(Trim(extension));
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    return ext;
}

String ExtensionOf(const String& fileName) {
    size_t slash = fileName.find_last_of('/');
    size_t dot = fileName.find_last_of('.');
    if (dot == String::npos || (slash != String::npos && dot < slash)) return "";
    return fileName.substr(dot + 1);
}

} // namespace

void RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass) {
    if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()))
        throw EInvalidArgument(Format("Picture format %s needs a graphic class", extension));
    String ext = NormalExtension(extension);
    if (ext.empty()) throw EInvalidArgument("A picture format needs a file extension");
    auto& formats = Formats();
    auto it = std::find_if(formats.begin(), formats.end(), [&](const TFileFormat& f) { return f.Extension == ext; });
    if (it != formats.end())
        *it = TFileFormat{ext, description, graphicClass};
    else
        formats.push_back(TFileFormat{ext, description, graphicClass});
}

void UnregisterGraphicClass(TGraphicClass graphicClass) {
    auto& formats = Formats();
    std::erase_if(formats, [&](const TFileFormat& f) { return f.GraphicClass->InheritsFrom(graphicClass); });
}

const std::vector<TFileFormat>& FileFormats() {
    return Formats();
}

TGraphicClass FindGraphicClassByExtension(const String& extension) {
    String ext = NormalExtension(extension);
    for (const TFileFormat& f : Formats())
        if (f.Extension == ext) return f.GraphicClass;
    return nullptr;
}

TGraphicClass FindGraphicClassByName(const String& className) {
    for (const TFileFormat& f : Formats())
        if (SameText(f.GraphicClass->ClassName(), className)) return f.GraphicClass;
    return nullptr;
}

String GraphicFilter(TGraphicClass graphicClass) {
    String masks, entries;
    int count = 0;
    for (const TFileFormat& f : Formats()) {
        if (!graphicClass || !f.GraphicClass->InheritsFrom(graphicClass)) continue;
        String mask = "*." + f.Extension;
        if (count++) {
            masks += ';';
            entries += '|';
        }
        masks += mask;
        entries += Format("%s (%s)|%s", f.Description, mask, mask);
    }
    if (count > 1) return Format("All (%s)|%s|%s", masks, masks, entries);
    return entries;
}

String GraphicExtension(TGraphicClass graphicClass) {
    for (const TFileFormat& f : Formats())
        if (f.GraphicClass == graphicClass) return f.Extension;
    return "";
}

String GraphicFileMask(TGraphicClass graphicClass) {
    String masks;
    for (const TFileFormat& f : Formats()) {
        if (!graphicClass || !f.GraphicClass->InheritsFrom(graphicClass)) continue;
        if (!masks.empty()) masks += ';';
        masks += "*." + f.Extension;
    }
    return masks;
}

// ---------------------------------------------------------------------------------------------
// TPicture

// OnChange and OnProgress belong to the control holding the picture; nothing is published.
DW_DEFINE_CLASS(TPicture) {}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::SetOwnedGraphic(TObjectPtr<TGraphic> graphic) {
    if (graphic) {
        graphic->OnChange = MakeMethod<&TPicture::GraphicChanged>(this);
        graphic->OnProgress = MakeMethod<&TPicture::GraphicProgress>(this);
    }
    FGraphic = std::move(graphic);
    Changed(this);
}

void TPicture::Assign(const TPersistent* source) {
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = As<TPicture>(source)) {
        if (picture != this) SetGraphic(picture->Graphic());
    } else if (auto* graphic = As<TGraphic>(source)) {
        SetGraphic(const_cast<TGraphic*>(graphic));
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest) const {
    if (auto* graphic = As<TGraphic>(dest); graphic && FGraphic && graphic->ClassType() == FGraphic->ClassType()) {
        graphic->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

void TPicture::SetGraphic(TGraphic* value) {
    if (value == FGraphic.get() && value) return;
    if (!value) {
        if (FGraphic) SetOwnedGraphic(nullptr);
        return;
    }
    TObjectPtr<TGraphic> copy(static_cast<TGraphic*>(value->ClassType()->Create()));
    copy->Assign(value);
    SetOwnedGraphic(std::move(copy));
}

TGraphic* TPicture::ForceType(TGraphicClass graphicClass) {
    if (!FGraphic || !FGraphic->InheritsFrom(graphicClass))
        SetOwnedGraphic(TObjectPtr<TGraphic>(static_cast<TGraphic*>(graphicClass->Create())));
    return FGraphic.get();
}

TBitmap* TPicture::Bitmap() {
    return static_cast<TBitmap*>(ForceType(TBitmap::StaticClass()));
}

TIcon* TPicture::Icon() {
    return static_cast<TIcon*>(ForceType(TIcon::StaticClass()));
}

TMetafile* TPicture::Metafile() {
    return static_cast<TMetafile*>(ForceType(TMetafile::StaticClass()));
}

int TPicture::Width() const {
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const {
    return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::LoadFromFile(const String& fileName) {
    String ext = ExtensionOf(fileName);
    TGraphicClass graphicClass = FindGraphicClassByExtension(ext);
    if (!graphicClass) throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", ext));
    TObjectPtr<TGraphic> graphic(static_cast<TGraphic*>(graphicClass->Create()));
    graphic->OnProgress = MakeMethod<&TPicture::GraphicProgress>(this);
    graphic->LoadFromFile(fileName);
    SetOwnedGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const String& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Changed(TObject*) {
    OnChange(this);
}

void TPicture::GraphicChanged(TObject* sender) {
    Changed(sender);
}

void TPicture::GraphicProgress(TObject* sender, TProgressStage stage, Byte percentDone, bool redrawNow, const TRect& r,
                               const String& msg) {
    OnProgress(sender, stage, percentDone, redrawNow, r, msg);
}

void TPicture::DefineProperties(TFiler* filer) {
    bool hasData = FGraphic != nullptr;
    if (auto* ancestor = As<TPicture>(filer->Ancestor())) {
        if (!ancestor->FGraphic || !FGraphic)
            hasData = ancestor->FGraphic.get() != FGraphic.get();
        else
            hasData = !FGraphic->Equals(ancestor->FGraphic.get());
    }
    filer->DefineBinaryProperty(
        "Data", [this](TStream* s) { ReadData(*s); }, [this](TStream* s) { WriteData(*s); }, hasData);
}

void TPicture::ReadData(TStream& stream) {
    Byte length = 0;
    if (stream.Read(&length, 1) != 1 || length == 0) {
        SetGraphic(nullptr);
        return;
    }
    String name(length, '\0');
    if (stream.Read(name.data(), length) != length)
        throw EInvalidGraphic("Picture data is truncated: the graphic class name is incomplete");
    TGraphicClass graphicClass = FindGraphicClassByName(name);
    if (!graphicClass) throw EInvalidGraphic(Format("Unknown picture format %s", name));
    TObjectPtr<TGraphic> graphic(static_cast<TGraphic*>(graphicClass->Create()));
    graphic->ReadData(stream);
    SetOwnedGraphic(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) {
    if (!FGraphic) return;
    String name = FGraphic->ClassName();
    Byte length = static_cast<Byte>(std::min<size_t>(name.size(), 255));
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name.data(), length);
    FGraphic->WriteData(stream);
}

} // namespace dw
