// The first paint of a big form of standard controls (bench/data/Controls1000.dfm: 50 group boxes
// of 20 controls, 1600 x 3280): reading it, showing and painting it, destroying it; and what a
// new top-level pixel buffer of that size costs before anything is painted into it.
// `formshot --time` measures the same form once in a fresh process, where every buffer is new
// memory; here the loop repeats it in one process.
#include "framework/controls/StdReg.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/gdi/Surface.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"

#include <benchmark/benchmark.h>

namespace dw {
namespace {

struct TBigForm {
    TMemoryStream Binary;
    TBigForm() {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
        TMemoryStream text;
        text.LoadFromFile(DW_BENCH_DATA "/Controls1000.dfm");
        ObjectTextToBinary(text, Binary);
    }
};

TBigForm& BigForm() {
    static TBigForm form;
    return form;
}

TForm* LoadBigForm() {
    TMemoryStream binary;
    BigForm().Binary.SetPosition(0);
    binary.LoadFromStream(BigForm().Binary);
    binary.SetPosition(0);
    auto* form = New<TForm>(nullptr, CreateNew);
    TReader reader(binary, 4096);
    reader.ReadRootComponent(form);
    return form;
}

void BM_BigFormLoad(benchmark::State& state) {
    BigForm();
    for (auto _ : state) {
        TForm* form = LoadBigForm();
        state.PauseTiming();
        form->Free();
        PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BigFormLoad)->Unit(benchmark::kMillisecond);

void BM_BigFormLoadShowPaint(benchmark::State& state) {
    BigForm();
    for (auto _ : state) {
        TForm* form = LoadBigForm();
        form->Show();
        UpdateWindow(form->Handle());
        PumpMessages();
        state.PauseTiming();
        if (form->ComponentCount() != 1050) state.SkipWithError("not every control was read");
        form->Free();
        PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BigFormLoadShowPaint)->Unit(benchmark::kMillisecond);

void BM_BigFormDestroy(benchmark::State& state) {
    BigForm();
    for (auto _ : state) {
        state.PauseTiming();
        TForm* form = LoadBigForm();
        form->Show();
        PumpMessages();
        state.ResumeTiming();
        form->Free();
        PumpMessages();
    }
}
BENCHMARK(BM_BigFormDestroy)->Unit(benchmark::kMillisecond);

// A new window-sized pixel buffer made ready for the first paint (the form's erase then paints
// it once): what happens before any control draws.
void BM_NewTopLevelBuffer(benchmark::State& state) {
    for (auto _ : state) {
        TSurface surface(1608, 3307);
        surface.Fill(PixelFromColor(RGB(0xC0, 0xC0, 0xC0)));
        benchmark::DoNotOptimize(surface.Row(0));
    }
}
BENCHMARK(BM_NewTopLevelBuffer)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dw
