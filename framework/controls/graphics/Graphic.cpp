#include "framework/controls/graphics/Graphic.h"

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/Canvas.h"
#include "framework/rtl/Filer.h"

namespace dw {

DW_DEFINE_CLASS(TGraphic) {}

void TGraphic::SetWidth(int value) {
    if (value != Width()) throw EInvalidGraphicOperation(Format("Cannot change the size of a %s", ClassName()));
}

void TGraphic::SetHeight(int value) {
    if (value != Height()) throw EInvalidGraphicOperation(Format("Cannot change the size of a %s", ClassName()));
}

void TGraphic::SetSize(int width, int height) {
    SetWidth(width);
    SetHeight(height);
}

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::SetModified(bool value) {
    if (value)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed() {
    FModified = true;
    OnChange(this);
}

void TGraphic::Progress(TProgressStage stage, Byte percentDone, bool redrawNow, const TRect& r, const String& msg) {
    OnProgress(this, stage, percentDone, redrawNow, r, msg);
}

void TGraphic::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    try {
        LoadFromStream(stream);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(Format("%s: %s", fileName, e.Message()));
    }
}

void TGraphic::SaveToFile(const String& fileName) {
    TMemoryStream memory;
    SaveToStream(memory);
    memory.SaveToFile(fileName);
}

bool TGraphic::Equals(TGraphic* other) {
    if (!other || other->ClassType() != ClassType()) return false;
    if (Empty() || other->Empty()) return Empty() && other->Empty();
    TMemoryStream mine, theirs;
    WriteData(mine);
    other->WriteData(theirs);
    return mine.Bytes() == theirs.Bytes();
}

void TGraphic::DefineProperties(TFiler* filer) {
    bool hasData = !Empty();
    if (auto* ancestor = As<TGraphic>(filer->Ancestor())) hasData = !Equals(ancestor);
    filer->DefineBinaryProperty(
        "Data", [this](TStream* s) { ReadData(*s); }, [this](TStream* s) { WriteData(*s); }, hasData);
}

void TGraphic::ReadData(TStream& stream) {
    LoadFromStream(stream);
}

void TGraphic::WriteData(TStream& stream) {
    SaveToStream(stream);
}

void TGraphic::AssignTo(TPersistent* dest) const {
    if (auto* bitmap = As<TBitmap>(dest)) {
        auto* self = const_cast<TGraphic*>(this);
        if (Empty()) {
            bitmap->SetSize(0, 0);
            return;
        }
        bitmap->SetSize(Width(), Height());
        bitmap->Canvas()->Brush()->SetColor(clWhite);
        bitmap->Canvas()->FillRect({0, 0, Width(), Height()});
        bitmap->Canvas()->Draw(0, 0, self);
        return;
    }
    TPersistent::AssignTo(dest);
}

} // namespace dw
