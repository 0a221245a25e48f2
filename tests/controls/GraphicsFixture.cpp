#include "GraphicsFixture.h"

#include "framework/rtl/ClassRegistry.h"

#include <fstream>
#include <random>

namespace dw::test {

DW_DEFINE_CLASS(TGfxHolder) {
    c.Property("Color", &TGfxHolder::Color, &TGfxHolder::SetColor).Type(ColorTypeInfo()).Default(clBtnFace);
    c.Property("Cursor", &TGfxHolder::Cursor, &TGfxHolder::SetCursor).Type(CursorTypeInfo()).Default(crDefault);
    c.Property("Font", &TGfxHolder::Font, &TGfxHolder::SetFont);
    c.Property("Picture", &TGfxHolder::Picture, &TGfxHolder::SetPicture);
}

TGfxHolder::TGfxHolder(TComponent* owner)
    : TComponent(owner), FFont(MakeObject<TFont>()), FPicture(MakeObject<TPicture>()) {}

TGfxHolder::~TGfxHolder() = default;

void RegisterGraphicsTestClasses() {
    for (TClass cls : {TGfxHolder::StaticClass(), TImageList::StaticClass()})
        if (!IsClassRegistered(cls)) RegisterClass(cls);
}

TComponent* StreamRoundTrip(TComponent* root, TMemoryStream* keep) {
    TMemoryStream local;
    TMemoryStream& stream = keep ? *keep : local;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(root);
    }
    stream.SetPosition(0);
    TReader reader(stream, 4096);
    return reader.ReadRootComponent(nullptr);
}

COLORREF PixelOf(TBitmap* bitmap, int x, int y) {
    return ColorFromPixel(bitmap->Surface()->Pixel(x, y));
}

TObjectPtr<TBitmap> MakeBitmap(int width, int height, TColor fill) {
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(fill);
    bitmap->Canvas()->FillRect({0, 0, width, height});
    return bitmap;
}

ScratchDir::ScratchDir() {
    std::random_device random;
    FPath = std::filesystem::temp_directory_path() / ("dw-gfx-" + std::to_string(random()));
    std::filesystem::create_directories(FPath);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::vector<Byte> ReadFileBytes(const String& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return std::vector<Byte>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const String& fileName, const std::vector<Byte>& bytes) {
    std::ofstream out(fileName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace dw::test
