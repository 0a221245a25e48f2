// A small fixture for the graphics tests: a white surface with a DC drawing into it.
#pragma once

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/Surface.h"

#include <gtest/gtest.h>

namespace dw::test {

class SurfaceFixture : public ::testing::Test {
protected:
    static constexpr COLORREF White = RGB(255, 255, 255);
    static constexpr COLORREF Black = RGB(0, 0, 0);

    explicit SurfaceFixture(int width = 32, int height = 32) : Surface(width, height) {}
    void SetUp() override {
        Surface.Fill(PixelFromColor(White));
        Dc = CreateSurfaceDC(&Surface);
        ASSERT_NE(Dc, nullptr);
    }
    void TearDown() override { DeleteDC(Dc); }

    COLORREF At(int x, int y) const { return ColorFromPixel(Surface.At(x, y)); }
    // A deterministic multicoloured background, so that inverting operations show.
    void Pattern() {
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x)
                Surface.At(x, y) = PixelFromColor(RGB(x * 7 + y * 3, x * 13 ^ y * 5, (x + y) * 11));
    }
    bool SameAs(const TSurface& other) const {
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x)
                if ((Surface.At(x, y) & 0xFFFFFF) != (other.At(x, y) & 0xFFFFFF)) return false;
        return true;
    }
    int CountColor(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x) n += At(x, y) == c;
        return n;
    }

    TSurface Surface;
    HDC Dc = nullptr;
};

} // namespace dw::test
