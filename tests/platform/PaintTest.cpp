// Painting: clipping of children against siblings and parents, whole-window DCs over children,
// update regions and their order, erasing, update locking, shapes, errors in WM_PAINT and screenshots.
#include "tests/platform/WmFixture.h"

#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/gdi/SysColors.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {
namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

class PaintTest : public WmTest {
protected:
    // The window paints its whole client area in one colour.
    void PaintWith(HWND hwnd, COLORREF color) {
        On(hwnd, WM_PAINT, [color](HWND h, WPARAM, LPARAM) -> LRESULT {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, ps);
            HBRUSH brush = CreateSolidBrush(color);
            TRect r = GetClientRect(h);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            EndPaint(h, ps);
            return 0;
        });
    }
    // The colour at a point of a top-level window's surface (window coordinates).
    COLORREF At(HWND top, int x, int y) { return ColorFromPixel(GetWindowSurface(top)->Pixel(x, y)); }
};

TEST_F(PaintTest, SiblingsClipAsTheirStylesAsk) {
    for (bool clipSiblings : {true, false}) {
        HWND top = Popup({0, 0, 200, 200}, 0, WS_CLIPCHILDREN);
        PaintWith(top, White);
        DWORD style = clipSiblings ? WS_CLIPSIBLINGS : 0;
        HWND lower = Child(top, {10, 10, 110, 110}, style);
        HWND upper = Child(top, {60, 60, 160, 160}, style);
        PaintWith(lower, Red);
        PaintWith(upper, Blue);
        Pump();
        EXPECT_EQ(At(top, 80, 80), Blue);
        EXPECT_EQ(At(top, 20, 20), Red);
        EXPECT_EQ(At(top, 150, 150), Blue);
        EXPECT_EQ(At(top, 5, 5), White);
        // The lower window repaints alone: with WS_CLIPSIBLINGS it stays under its sibling.
        InvalidateRect(lower, nullptr, true);
        Pump();
        EXPECT_EQ(At(top, 80, 80), clipSiblings ? Blue : Red) << clipSiblings;
        DestroyWindow(top);
    }
}

TEST_F(PaintTest, ParentsPaintFirstAndClipChildrenWhenAsked) {
    for (bool clipChildren : {true, false}) {
        Log.clear();
        HWND top = Popup({0, 0, 200, 200}, 0, clipChildren ? WS_CLIPCHILDREN : 0);
        HWND child = Child(top, {50, 50, 100, 100});
        PaintWith(top, Green);
        PaintWith(child, Red);
        Pump();
        std::vector<HWND> order;
        for (const auto& e : Log)
            if (e.msg == WM_PAINT) order.push_back(e.hwnd);
        EXPECT_EQ(order, (std::vector<HWND>{top, child}));
        EXPECT_EQ(At(top, 75, 75), Red);
        // The parent alone: with WS_CLIPCHILDREN it leaves the child alone; without, the child
        // is repainted after it.
        Log.clear();
        InvalidateRect(top, nullptr, true);
        Pump();
        EXPECT_EQ(At(top, 75, 75), Red);
        EXPECT_EQ(Count(child, WM_PAINT), clipChildren ? 0 : 1);
        DestroyWindow(top);
    }
}

TEST_F(PaintTest, WholeWindowDcDrawsOverChildrenClientDcDoesNot) {
    HWND top = Popup({0, 0, 200, 200}, 0, WS_CLIPCHILDREN | WS_BORDER);
    HWND child = Child(top, {40, 40, 100, 100});
    PaintWith(top, White);
    PaintWith(child, Red);
    Pump();
    HBRUSH blue = CreateSolidBrush(Blue);
    HDC client = GetDC(top);
    TRect all{0, 0, 200, 200};
    FillRect(client, &all, blue);
    ReleaseDC(top, client);
    EXPECT_EQ(At(top, 1 + 60, 1 + 60), Red);                  // the child survives
    EXPECT_EQ(At(top, 0, 0), GetSysColor(COLOR_WINDOWFRAME)); // the border is outside the client DC
    HDC whole = GetWindowDC(top);
    FillRect(whole, &all, blue);
    ReleaseDC(top, whole);
    EXPECT_EQ(At(top, 1 + 60, 1 + 60), Blue); // drawn over the child
    EXPECT_EQ(At(top, 0, 0), Blue);           // and over the frame
    DeleteObject(blue);
}

TEST_F(PaintTest, InvalidatingOneChildRepaintsOnlyThatChild) {
    HWND top = Popup({0, 0, 800, 800}, 0, WS_CLIPCHILDREN);
    std::vector<HWND> children;
    for (int i = 0; i < 100; ++i)
        children.push_back(Child(top, Bounds((i % 10) * 70, (i / 10) * 70, 60, 60), WS_CLIPSIBLINGS));
    Pump();
    Log.clear();
    InvalidateRect(children[42], nullptr, true);
    Pump();
    std::vector<HWND> painted;
    for (const auto& e : Log)
        if (e.msg == WM_PAINT) painted.push_back(e.hwnd);
    EXPECT_EQ(painted, (std::vector<HWND>{children[42]}));
}

TEST_F(PaintTest, UpdateRegionsAccumulateAndValidate) {
    HWND top = Popup({0, 0, 200, 200});
    Pump();
    TRect r;
    EXPECT_FALSE(GetUpdateRect(top, &r, false));
    TRect a{10, 10, 20, 20}, b{50, 50, 60, 70};
    InvalidateRect(top, &a, false);
    InvalidateRect(top, &b, false);
    EXPECT_TRUE(GetUpdateRect(top, &r, false));
    EXPECT_EQ(r, (TRect{10, 10, 60, 70}));
    ValidateRect(top, &a);
    EXPECT_TRUE(GetUpdateRect(top, &r, false));
    EXPECT_EQ(r, b);
    TRect seenPaint;
    On(top, WM_PAINT, [&](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(h, ps);
        seenPaint = ps.rcPaint;
        EndPaint(h, ps);
        return 0;
    });
    Pump();
    EXPECT_EQ(seenPaint, b);
    EXPECT_FALSE(GetUpdateRect(top, &r, false));
}

TEST_F(PaintTest, ClassBrushErasesAndEraseAnswerReachesBeginPaint) {
    RegisterTestClass("DwBrushed", 0, ColorIndexBrush(COLOR_HIGHLIGHT));
    HWND w = Top({0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, 0, "DwBrushed");
    Pump();
    EXPECT_EQ(At(w, 50, 50), GetSysColor(COLOR_HIGHLIGHT));
    std::vector<bool> fErase;
    On(w, WM_PAINT, [&](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(h, ps);
        fErase.push_back(ps.fErase);
        EndPaint(h, ps);
        return 0;
    });
    On(w, WM_ERASEBKGND, [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; }); // did not erase
    InvalidateRect(w, nullptr, true);
    Pump();
    InvalidateRect(w, nullptr, false); // no erase asked
    Pump();
    EXPECT_EQ(fErase, (std::vector<bool>{true, false}));
    DestroyWindow(w);
    UnregisterClass("DwBrushed");
}

TEST_F(PaintTest, UpdateWindowPaintsNow) {
    HWND top = Popup({0, 0, 100, 100});
    HWND child = Child(top, {0, 0, 50, 50});
    PaintWith(child, Red);
    Pump();
    InvalidateRect(top, nullptr, true);
    Log.clear();
    UpdateWindow(top);
    EXPECT_EQ(Count(top, WM_PAINT), 1);
    EXPECT_EQ(Count(child, WM_PAINT), 1);
    TMsg msg;
    EXPECT_FALSE(PeekMessage(msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(PaintTest, LockedWindowsDrawNothingUntilUnlocked) {
    HWND top = Popup({0, 0, 200, 200}, 0, WS_CLIPCHILDREN);
    HWND child = Child(top, {50, 50, 150, 150});
    PaintWith(top, White);
    PaintWith(child, Red);
    Pump();
    ASSERT_TRUE(LockWindowUpdate(top));
    EXPECT_FALSE(LockWindowUpdate(child)); // one lock at a time
    PaintWith(child, Blue);
    Log.clear();
    InvalidateRect(child, nullptr, true);
    Pump();
    EXPECT_EQ(Count(child, WM_PAINT), 0);
    HDC dc = GetDC(child);
    HBRUSH green = CreateSolidBrush(Green);
    TRect r{0, 0, 100, 100};
    FillRect(dc, &r, green);
    ReleaseDC(child, dc);
    DeleteObject(green);
    EXPECT_EQ(At(top, 100, 100), Red);
    ASSERT_TRUE(LockWindowUpdate(nullptr));
    Pump();
    EXPECT_EQ(Count(child, WM_PAINT), 1);
    EXPECT_EQ(At(top, 100, 100), Blue);
}

TEST_F(PaintTest, WindowShapesClipPaintingAndHitTests) {
    HWND top = Popup({0, 0, 200, 200}, 0, WS_CLIPCHILDREN);
    PaintWith(top, White);
    HWND round = Child(top, {50, 50, 150, 150});
    PaintWith(round, Red);
    EXPECT_EQ(SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), true), 1);
    Pump();
    EXPECT_EQ(At(top, 100, 100), Red);
    EXPECT_EQ(At(top, 52, 52), White);
    EXPECT_EQ(WindowFromPoint({52, 52}), top);
    EXPECT_EQ(WindowFromPoint({100, 100}), round);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(round, copy), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(copy, 50, 50));
    EXPECT_FALSE(PtInRegion(copy, 1, 1));
    DeleteObject(copy);
    SetWindowRgn(round, nullptr, true);
    Pump();
    EXPECT_EQ(At(top, 52, 52), Red);
}

TEST_F(PaintTest, ErrorInPaintReleasesTheDcAndValidates) {
    HWND w = Popup({0, 0, 100, 100});
    Pump();
    On(w, WM_PAINT, [](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(h, ps);
        throw EInvalidOperation("paint failed");
    });
    int dcs = DCCount();
    InvalidateRect(w, nullptr, true);
    EXPECT_THROW(Pump(), EInvalidOperation);
    EXPECT_EQ(DCCount(), dcs);
    TMsg msg;
    EXPECT_FALSE(PeekMessage(msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(PaintTest, ScreenshotCompositesTopLevelWindowsInZOrder) {
    HWND back = Popup({0, 0, 100, 100});
    HWND front = Popup({50, 50, 150, 150});
    HWND tip = Popup({90, 90, 110, 110}, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    PaintWith(back, Red);
    PaintWith(front, Blue);
    PaintWith(tip, Green);
    Pump();
    BringWindowToTop(back);
    Pump();
    TSurface shot = Screen->Screenshot();
    EXPECT_EQ(ColorFromPixel(shot.Pixel(75, 75)), Red);
    EXPECT_EQ(ColorFromPixel(shot.Pixel(120, 120)), Blue);
    EXPECT_EQ(ColorFromPixel(shot.Pixel(100, 100)), Green);
    EXPECT_EQ(ColorFromPixel(shot.Pixel(300, 300)), GetSysColor(COLOR_BACKGROUND));
    ShowWindow(back, SW_HIDE);
    shot = Screen->Screenshot();
    EXPECT_EQ(ColorFromPixel(shot.Pixel(75, 75)), Blue);
}

TEST_F(PaintTest, FramesArePaintedByDefWindowProc) {
    HWND top = Popup({0, 0, 200, 200}, 0, WS_CLIPCHILDREN);
    PaintWith(top, White);
    HWND bordered = Child(top, {10, 10, 60, 60}, WS_BORDER);
    HWND sunken = Child(top, {100, 10, 150, 60}, 0, WS_EX_CLIENTEDGE);
    PaintWith(bordered, Red);
    PaintWith(sunken, Red);
    Pump();
    EXPECT_EQ(At(top, 10, 10), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(top, 11, 11), Red);
    EXPECT_EQ(At(top, 100, 10), GetSysColor(COLOR_BTNSHADOW)); // sunken edge: shadow outside
    EXPECT_EQ(At(top, 102, 12), Red);
}

TEST_F(PaintTest, MovingATopLevelWindowKeepsItsPixels) {
    HWND w = Popup({0, 0, 100, 100});
    PaintWith(w, Red);
    Pump();
    Log.clear();
    MoveWindow(w, 300, 200, 100, 100, true);
    BringWindowToTop(w);
    Pump();
    EXPECT_EQ(Count(w, WM_PAINT), 0);
    EXPECT_EQ(ColorFromPixel(Screen->Screenshot().Pixel(350, 250)), Red);
    MoveWindow(w, 300, 200, 120, 100, true); // a new size needs new pixels
    Pump();
    EXPECT_EQ(Count(w, WM_PAINT), 1);
}

TEST_F(PaintTest, LockWindowUpdateDcStillDrawsWhileLocked) {
    HWND top = Popup({0, 0, 100, 100});
    PaintWith(top, White);
    Pump();
    LockWindowUpdate(top);
    HDC plain = GetDCEx(top, nullptr, DCX_CACHE);
    HDC feedback = GetDCEx(top, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    HBRUSH red = CreateSolidBrush(Red);
    HBRUSH blue = CreateSolidBrush(Blue);
    TRect left{0, 0, 50, 100}, right{50, 0, 100, 100};
    FillRect(plain, &left, red);
    FillRect(feedback, &right, blue);
    ReleaseDC(top, plain);
    ReleaseDC(top, feedback);
    DeleteObject(red);
    DeleteObject(blue);
    EXPECT_EQ(At(top, 25, 50), White);
    EXPECT_EQ(At(top, 75, 50), Blue);
    LockWindowUpdate(nullptr);
}

TEST_F(PaintTest, SaveBitsWindowsPutBackWhatTheyCovered) {
    RegisterTestClass("DwHandle", CS_SAVEBITS);
    HWND top = Popup({0, 0, 200, 200}, 0, WS_CLIPCHILDREN);
    HWND control = Child(top, {20, 20, 120, 120}, WS_CLIPSIBLINGS);
    PaintWith(top, White);
    PaintWith(control, Red);
    Pump();
    HWND handle = Child(top, {50, 50, 57, 57}, WS_CLIPSIBLINGS, 0, "DwHandle");
    PaintWith(handle, Blue);
    Pump();
    EXPECT_EQ(At(top, 53, 53), Blue);
    Log.clear();
    SetWindowPos(handle, nullptr, 90, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(Count(control, WM_PAINT), 0); // nothing under the old place had to repaint
    EXPECT_EQ(At(top, 53, 53), Red);
    EXPECT_EQ(At(top, 93, 93), Blue);
    // Once the area below changed, hiding must repaint it rather than put old pixels back.
    PaintWith(control, Green);
    InvalidateRect(control, nullptr, true);
    Pump();
    Log.clear();
    ShowWindow(handle, SW_HIDE);
    Pump();
    EXPECT_EQ(Count(control, WM_PAINT), 1);
    EXPECT_EQ(At(top, 93, 93), Green);
    DestroyWindow(top);
    UnregisterClass("DwHandle");
}

TEST_F(PaintTest, DcLimitedToTheUpdateRegion) {
    HWND w = Popup({0, 0, 100, 100});
    PaintWith(w, White);
    Pump();
    TRect area{10, 10, 30, 30};
    InvalidateRect(w, &area, false);
    HDC dc = GetDCEx(w, nullptr, DCX_INTERSECTUPDATE | DCX_VALIDATE);
    HBRUSH red = CreateSolidBrush(Red);
    TRect all{0, 0, 100, 100};
    FillRect(dc, &all, red);
    ReleaseDC(w, dc);
    DeleteObject(red);
    EXPECT_EQ(At(w, 20, 20), Red);
    EXPECT_EQ(At(w, 50, 50), White);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, false));
}

TEST_F(PaintTest, PrintPaintsFrameClientAndChildrenIntoAnyDc) {
    HWND top = Popup({0, 0, 100, 80}, 0, WS_BORDER);
    HWND child = Child(top, {20, 20, 60, 50});
    for (auto [h, color] : {std::pair{top, White}, std::pair{child, Red}}) {
        On(h, WM_PRINTCLIENT, [color = color](HWND hw, WPARAM wp, LPARAM) -> LRESULT {
            HBRUSH b = CreateSolidBrush(color);
            TRect r = GetClientRect(hw);
            FillRect(reinterpret_cast<HDC>(wp), &r, b);
            DeleteObject(b);
            return 0;
        });
    }
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 100, 80);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessage(top, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(GetPixel(mem, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(GetPixel(mem, 5, 5), White);
    EXPECT_EQ(GetPixel(mem, 1 + 30, 1 + 30), Red);
    EXPECT_EQ(GetPixel(mem, 1 + 61, 1 + 30), White);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

} // namespace
} // namespace dw::test
