// The shell on the headless screen: the design environment's start-up, start-up to the first
// painted main window (stored layout read, tool bar pictures loaded, window shown and painted),
// and "New" (a document window made from its template, shown inside the frame and its designer
// activated).
#include "app/MDIChild.h"
#include "app/MDIForm.h"
#include "app/Shell.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"

#include <benchmark/benchmark.h>

namespace dw {
namespace {

void StartHeadless() {
    SetBackend(std::make_unique<THeadlessBackend>());
    InitializeShell();
}

TMDIForm* ShowMainWindow() {
    auto* main = New<TMDIForm>(nullptr);
    Application->SetMainForm(main);
    main->Show();
    UpdateWindow(main->Handle());
    PumpMessages();
    return main;
}

// The design environment's start-up before the main window (registry, palette registrations,
// designer manager), and its shut-down outside the timing.
void BM_EnvironmentStartUp(benchmark::State& state) {
    SetBackend(std::make_unique<THeadlessBackend>());
    FinalizeShell();
    for (auto _ : state) {
        InitializeShell();
        state.PauseTiming();
        FinalizeShell();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnvironmentStartUp)->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstPaint(benchmark::State& state) {
    StartHeadless();
    int presents = 0;
    for (auto _ : state) {
        int before = HeadlessBackend()->PresentCount();
        TMDIForm* main = ShowMainWindow();
        state.PauseTiming();
        presents = HeadlessBackend()->PresentCount() - before;
        if (presents == 0) state.SkipWithError("the main window was not painted");
        Application->SetMainForm(nullptr);
        main->Free();
        PumpMessages();
        state.ResumeTiming();
    }
    state.counters["presents"] = presents;
    FinalizeShell();
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_NewDocument(benchmark::State& state) {
    StartHeadless();
    TMDIForm* main = ShowMainWindow();
    for (auto _ : state) {
        main->FileNew->Execute();
        UpdateWindow(main->Handle());
        PumpMessages();
        state.PauseTiming();
        if (main->MDIChildCount() != 1) state.SkipWithError("no document was made");
        main->MDIChildren(0)->Free();
        PumpMessages();
        state.ResumeTiming();
    }
    Application->SetMainForm(nullptr);
    main->Free();
    FinalizeShell();
}
BENCHMARK(BM_NewDocument)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dw
