// What forms and controls put on the screen: a screenshot of a simple form, the pixels of
// backgrounds and children, the designer's grid drawn on the form's canvas, and repaints that
// touch only what changed.
#include "CoreFixture.h"

#include "framework/platform/gdi/Png.h"

#include <cstdlib>
#include <filesystem>

namespace dw::test {
namespace {

using PaintTest = CoreTest;

COLORREF PixelAt(THeadlessBackend* backend, HWND window, TPoint clientPoint) {
    TSurface shot = backend->WindowScreenshot(window);
    TPoint screen = clientPoint;
    ClientToScreen(window, screen);
    TRect w = GetWindowRect(window);
    // Surfaces hold 0xAARRGGBB; colours compare as COLORREF (0x00BBGGRR).
    TPixel p = shot.Pixel(screen.X - w.Left, screen.Y - w.Top);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// A hook whose grid is a few dots drawn on the form's canvas, as the designer's is.
class TGridHook : public TRecordingHook {
public:
    void PaintGrid() override {
        TRecordingHook::PaintGrid();
        for (int x = 8; x < 200; x += 8)
            for (int y = 8; y < 150; y += 8) Form->Canvas()->SetPixels(x, y, clBlack);
    }
};

TEST_F(PaintTest, ScreenshotOfASimpleForm) {
    TForm* form = MakeForm(40, 40, 320, 200);
    form->SetCaption("Core controls");
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetAlign(alTop);
    panel->SetHeight(40);
    panel->SetColor(clWhite);
    auto* ok = New<TTestControl>(form);
    ok->SetParent(form);
    ok->SetBounds(20, 60, 90, 28);
    ok->SetCaption("OK");
    auto* cancel = New<TTestControl>(form);
    cancel->SetParent(form);
    cancel->SetBounds(120, 60, 90, 28);
    cancel->SetCaption("Cancel");
    cancel->SetColor(clYellow);
    auto* mark = New<TTestGraphic>(form);
    mark->SetParent(form);
    mark->SetBounds(20, 110, 190, 30);
    mark->SetColor(clRed);
    auto* inside = New<TTestGraphic>(form);
    inside->SetParent(panel);
    inside->SetBounds(10, 10, 60, 20);
    inside->SetColor(clBlue);
    form->Repaint();
    PumpMessages();

    String dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    String file = dir + "/dw-controls-simple-form.png";
    Backend->SaveWindowScreenshot(form->Handle(), file);
    EXPECT_TRUE(std::filesystem::exists(file));
    std::cout << "screenshot: " << file << "\n";

    EXPECT_EQ(PixelAt(Backend, form->Handle(), {300, 190}), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {300, 20}), ColorToRGB(clWhite));
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {25, 115}), ColorToRGB(clRed));
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {15, 15}), ColorToRGB(clBlue));
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {125, 62}), ColorToRGB(clYellow));
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {20, 60}), ColorToRGB(clBlack)); // button frame
}

TEST_F(PaintTest, DesignStateFormPaintsTheGridThroughTheHook) {
    TForm* form = MakeForm(40, 40, 200, 150);
    TGridHook hook;
    hook.Form = form;
    form->SetDesigner(&hook);
    form->SetDesigning(true);
    form->Repaint();
    EXPECT_GE(hook.GridPaints, 1);
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {16, 16}), 0u);
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {17, 16}), ColorToRGB(clBtnFace));
    // Outside design state the form paints itself (OnPaint), not the grid.
    form->SetDesigning(false);
    int before = hook.GridPaints;
    form->Repaint();
    EXPECT_EQ(hook.GridPaints, before);
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {16, 16}), ColorToRGB(clBtnFace));
    form->SetDesigner(nullptr);
}

TEST_F(PaintTest, MovingOneControlRepaintsOnlyWhatChanged) {
    TForm* form = MakeForm(40, 40, 400, 300);
    auto* moved = New<TTestGraphic>(form);
    moved->SetParent(form);
    moved->SetBounds(10, 10, 40, 20);
    auto* farGraphic = New<TTestGraphic>(form);
    farGraphic->SetParent(form);
    farGraphic->SetBounds(300, 250, 40, 20);
    auto* farWindow = New<TTestControl>(form);
    farWindow->SetParent(form);
    farWindow->SetBounds(300, 10, 60, 30);
    form->Repaint();
    PumpMessages();
    moved->PaintCount = farGraphic->PaintCount = farWindow->PaintCount = 0;
    moved->SetBounds(60, 10, 40, 20);
    PumpMessages();
    EXPECT_EQ(moved->PaintCount, 1);
    EXPECT_EQ(farGraphic->PaintCount, 0);
    EXPECT_EQ(farWindow->PaintCount, 0);
    // The old place shows the form's background again.
    EXPECT_EQ(PixelAt(Backend, form->Handle(), {15, 15}), ColorToRGB(clBtnFace));
}

TEST_F(PaintTest, PaintToDrawsTheControlAndItsChildrenIntoAnotherDc) {
    TForm* form = MakeForm(40, 40, 200, 100);
    auto* panel = New<TTestPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 60);
    panel->SetColor(clWhite);
    auto* child = New<TTestGraphic>(panel);
    child->SetParent(panel);
    child->SetBounds(10, 10, 20, 20);
    child->SetColor(clLime);
    HDC screen = GetDC(nullptr);
    HDC memDC = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 80);
    HGDIOBJ old = SelectObject(memDC, bitmap);
    TRect all{0, 0, 120, 80};
    FillSolidRect(memDC, all, RGB(0, 0, 0));
    panel->PaintTo(memDC, 5, 5);
    EXPECT_EQ(GetPixel(memDC, 5 + 50, 5 + 50) & 0xFFFFFF, ColorToRGB(clWhite));
    EXPECT_EQ(GetPixel(memDC, 5 + 15, 5 + 15) & 0xFFFFFF, ColorToRGB(clLime));
    EXPECT_EQ(GetPixel(memDC, 2, 2) & 0xFFFFFF, 0u);
    SelectObject(memDC, old);
    DeleteObject(bitmap);
    DeleteDC(memDC);
    ReleaseDC(nullptr, screen);
}

} // namespace
} // namespace dw::test
