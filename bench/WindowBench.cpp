// Window manager benchmarks: the posted-message round trip and repainting one child among many.
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"

#include <benchmark/benchmark.h>

namespace {

using namespace dw;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static long counter = 0;
    if (msg == WM_USER) return ++counter;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT PaintingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, ps);
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(hwnd, ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterBenchClasses() {
    SetBackend(std::make_unique<THeadlessBackend>());
    WNDCLASS wc;
    if (!GetClassInfo("BenchCounting", wc)) {
        wc.lpfnWndProc = CountingProc;
        wc.lpszClassName = "BenchCounting";
        RegisterClass(wc);
        wc.lpfnWndProc = PaintingProc;
        wc.lpszClassName = "BenchPainting";
        RegisterClass(wc);
    }
}

// Post, retrieve and dispatch one message.
void BM_PostedMessageRoundTrip(benchmark::State& state) {
    RegisterBenchClasses();
    HWND w = CreateWindowEx(0, "BenchCounting", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr);
    PumpMessages();
    TMsg msg;
    for (auto _ : state) {
        PostMessage(w, WM_USER, 0, 0);
        PeekMessage(msg, nullptr, 0, 0, PM_REMOVE);
        benchmark::DoNotOptimize(DispatchMessage(msg));
    }
    DestroyWindow(w);
}
BENCHMARK(BM_PostedMessageRoundTrip);

// Invalidate one child among 1,000 siblings and let the loop repaint it.
void BM_RepaintOneChildAmongThousand(benchmark::State& state) {
    RegisterBenchClasses();
    HWND top =
        CreateWindowEx(0, "BenchPainting", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 1000, nullptr);
    std::vector<HWND> children;
    for (int i = 0; i < 1000; ++i)
        children.push_back(CreateWindowEx(0, "BenchPainting", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                          (i % 40) * 25, (i / 40) * 25, 24, 24, top, i));
    PumpMessages();
    std::size_t k = 0;
    for (auto _ : state) {
        InvalidateRect(children[(k++ * 37) % children.size()], nullptr, true);
        benchmark::DoNotOptimize(PumpMessages());
    }
    DestroyWindow(top);
}
BENCHMARK(BM_RepaintOneChildAmongThousand);

// For comparison: repainting the whole top-level window with its 1,000 children.
void BM_RepaintAllThousandChildren(benchmark::State& state) {
    RegisterBenchClasses();
    HWND top =
        CreateWindowEx(0, "BenchPainting", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 1000, nullptr);
    for (int i = 0; i < 1000; ++i)
        CreateWindowEx(0, "BenchPainting", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, (i % 40) * 25, (i / 40) * 25,
                       24, 24, top, i);
    PumpMessages();
    for (auto _ : state) {
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        benchmark::DoNotOptimize(PumpMessages());
    }
    DestroyWindow(top);
}
BENCHMARK(BM_RepaintAllThousandChildren);

} // namespace
