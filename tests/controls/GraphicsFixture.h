// Helpers for the graphics tests: a component publishing a colour, a cursor, a font and a
// picture, stream round trips through the form filer, pixel access and scratch files.
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/Cursors.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/graphics/Picture.h"
#include "framework/rtl/Filer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dw::test {

class TGfxHolder : public TComponent {
    DW_CLASS(TGfxHolder, TComponent)
    explicit TGfxHolder(TComponent* owner);
    ~TGfxHolder() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value) { FCursor = value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value) { FPicture->Assign(value); }

private:
    TColor FColor = clBtnFace;
    TCursor FCursor = crDefault;
    TObjectPtr<TFont> FFont;
    TObjectPtr<TPicture> FPicture;
};

// Registers the classes the form reader has to create.
void RegisterGraphicsTestClasses();

// Writes root (with what it owns) in the binary form format and reads it back into a new root.
TComponent* StreamRoundTrip(TComponent* root, TMemoryStream* keep = nullptr);

// The colour of a bitmap pixel, without alpha.
COLORREF PixelOf(TBitmap* bitmap, int x, int y);
// A bitmap filled with one colour.
TObjectPtr<TBitmap> MakeBitmap(int width, int height, TColor fill);

// A folder of its own for each test, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    String File(const String& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

std::vector<Byte> ReadFileBytes(const String& fileName);
void WriteFileBytes(const String& fileName, const std::vector<Byte>& bytes);

} // namespace dw::test
