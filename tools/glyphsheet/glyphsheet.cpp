// glyphsheet OUTPUT.png: starts the design environment on the headless screen and draws every
// palette record's glyph as the palette shows it (DrawClassGlyph on a push-button frame), page by
// page with the class names, followed by the drag image of an armed class with its caption and
// that of a class without a record. For people who look at the glyphs.
#include "environment/ClassGlyph.h"
#include "environment/DesignerManager.h"
#include "environment/PackageMng.h"
#include "environment/Startup.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/gdi/Png.h"
#include "framework/rtl/Exceptions.h"

#include <cstdio>
#include <memory>

using namespace dw;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyphsheet OUTPUT.png\n");
        return 2;
    }
    try {
        SetBackend(std::make_unique<THeadlessBackend>());
        if (!InitDesignEnvironment()) throw EInvalidOperation("The design environment did not start");
        TPackageMng& registry = PackageMng();
        constexpr int cell = 28, nameWidth = 96, perRow = 6, pageHeight = 18;
        const int columnWidth = cell + nameWidth;
        int rows = 0;
        TStringList* pages = registry.Pages();
        for (int p = 0; p < pages->Count(); ++p) {
            int count = 0;
            for (int i = 0; i < registry.ClassInfoCount(); ++i)
                if (registry.ClassInfos(i)->Page() == pages->Strings(p)) ++count;
            rows += (count + perRow - 1) / perRow;
        }
        int width = perRow * columnWidth + 8;
        int height = pages->Count() * pageHeight + rows * (cell + 4) + 3 * (cell + 8) + 8;
        auto sheet = MakeObject<TBitmap>(width, height);
        TCanvas* canvas = sheet->Canvas();
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(TRect{0, 0, width, height});
        int y = 4;
        for (int p = 0; p < pages->Count(); ++p) {
            canvas->Brush()->SetStyle(bsClear);
            canvas->Font()->SetStyle({fsBold});
            canvas->TextOut(4, y + 2, pages->Strings(p));
            canvas->Font()->SetStyle({});
            y += pageHeight;
            int column = 0;
            for (int i = 0; i < registry.ClassInfoCount(); ++i) {
                TComponentClassInfo* info = registry.ClassInfos(i);
                if (info->Page() != pages->Strings(p)) continue;
                if (column == perRow) {
                    column = 0;
                    y += cell + 4;
                }
                int x = 4 + column * columnWidth;
                DrawClassGlyph(canvas, TRect{x, y, x + cell, y + cell}, info->Glyph(), gfPushButton);
                canvas->Brush()->SetStyle(bsClear);
                canvas->TextOut(x + cell + 4, y + (cell - canvas->TextHeight("T")) / 2,
                                WideToUtf8(info->DisplayName()));
                ++column;
            }
            y += cell + 4;
        }
        // Drag images: a registered class with and without caption, and a class without a record.
        for (auto [cls, caption] : {std::pair{TButton::StaticClass(), false}, std::pair{TButton::StaticClass(), true},
                                    std::pair{TForm::StaticClass(), true}}) {
            DesignerManager().SetComponentClass(cls);
            TDragImageList* image = GetClassDragImage(caption);
            image->Draw(canvas, 8, y + 4, 0);
            y += cell + 8;
        }
        SavePng(*sheet->Surface(), argv[1]);
        std::printf("%s: %d classes on %d pages\n", argv[1], registry.ClassInfoCount(), pages->Count());
        DoneDesignEnvironment();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "glyphsheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
