// A form of 1,000 controls read from its text form: creating, showing and painting it, and
// destroying it, on the headless screen.
#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"

#include <benchmark/benchmark.h>

namespace dw {

// A windowed control that paints a face, a frame and its caption, as a button does.
class TBenchButton : public TCustomControl {
    DW_CLASS(TBenchButton, TCustomControl)
    explicit TBenchButton(TComponent* owner) : TCustomControl(owner) {
        FTabStop = true;
        FColor = clBtnFace;
        FParentColor = false;
    }

protected:
    void Paint() override {
        TRect r = ClientRect();
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(r);
        Canvas()->Brush()->SetColor(clBtnShadow);
        Canvas()->FrameRect(r);
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->TextRect(r, Caption(), {tfCenter, tfVerticalCenter, tfSingleLine});
    }
};
DW_DEFINE_CLASS(TBenchButton) {
    PublishControlProperties(c, {"Caption", "Color", "ParentColor", "TabOrder", "TabStop", "OnClick"});
}

// A non-windowed control that paints its caption, as a label does.
class TBenchLabel : public TGraphicControl {
    DW_CLASS(TBenchLabel, TGraphicControl)
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        TRect r = ClientRect();
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->TextRect(r, Caption(), {tfLeft, tfSingleLine});
    }
};
DW_DEFINE_CLASS(TBenchLabel) {
    PublishControlProperties(c, {"Caption", "Color", "ParentColor"});
}

namespace {

// 1,000 controls: 25 panels-worth of rows of buttons and labels on one form.
String BigFormText(int controls) {
    String s = "object BigForm: TForm\n  Left = 0\n  Top = 0\n  Caption = 'Big form'\n"
               "  ClientHeight = 1000\n  ClientWidth = 1200\n";
    for (int i = 0; i < controls; ++i) {
        int col = i % 20, row = i / 20;
        bool label = i % 4 == 3;
        s += Format("  object %s%d: %s\n", label ? "Label" : "Button", i, label ? "TBenchLabel" : "TBenchButton");
        s += Format("    Left = %d\n    Top = %d\n    Width = 56\n    Height = 18\n", 4 + col * 59, 4 + row * 19);
        s += Format("    Caption = '%s %d'\n", label ? "Label" : "Item", i);
        if (!label) s += Format("    TabOrder = %d\n", i - i / 4);
        s += "  end\n";
    }
    s += "end\n";
    return s;
}

struct TBenchSetup {
    TMemoryStream Binary;
    String Text;
    explicit TBenchSetup(int controls) {
        SetBackend(std::make_unique<THeadlessBackend>(TSize{1600, 1200}));
        for (TClass c : {TBenchButton::StaticClass(), TBenchLabel::StaticClass(), TForm::StaticClass()})
            if (!GetClass(c->ClassName())) RegisterClass(c);
        Text = BigFormText(controls);
        TStringStream in(Text);
        ObjectTextToBinary(in, Binary);
    }
};

TBenchSetup& Setup() {
    static TBenchSetup setup(1000);
    return setup;
}

TForm* CreateShowPaint(bool fromText) {
    TBenchSetup& setup = Setup();
    TMemoryStream binary;
    if (fromText) {
        TStringStream in(setup.Text);
        ObjectTextToBinary(in, binary);
    } else {
        setup.Binary.SetPosition(0);
        binary.LoadFromStream(setup.Binary);
    }
    binary.SetPosition(0);
    auto* form = New<TForm>(nullptr, CreateNew);
    TReader reader(binary, 4096);
    reader.ReadRootComponent(form);
    form->Show();
    UpdateWindow(form->Handle());
    PumpMessages();
    return form;
}

void BM_CreateShowPaintFromText(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        TForm* form = CreateShowPaint(true);
        state.PauseTiming();
        if (form->ComponentCount() != 1000) state.SkipWithError("not every control was read");
        form->Free();
        PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateShowPaintFromText)->Unit(benchmark::kMillisecond);

void BM_CreateShowPaintFromBinary(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        TForm* form = CreateShowPaint(false);
        state.PauseTiming();
        form->Free();
        PumpMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateShowPaintFromBinary)->Unit(benchmark::kMillisecond);

void BM_Destroy(benchmark::State& state) {
    Setup();
    for (auto _ : state) {
        state.PauseTiming();
        TForm* form = CreateShowPaint(false);
        state.ResumeTiming();
        form->Free();
    }
}
BENCHMARK(BM_Destroy)->Unit(benchmark::kMillisecond);

// Moving one control of the big form and painting what that invalidated.
void BM_MoveOneControlAndRepaint(benchmark::State& state) {
    TForm* form = CreateShowPaint(false);
    auto* control = As<TControl>(form->FindComponent("Button500"));
    int dx = 1;
    for (auto _ : state) {
        control->SetLeft(control->Left() + dx);
        dx = -dx;
        UpdateWindow(form->Handle());
    }
    form->Free();
}
BENCHMARK(BM_MoveOneControlAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dw
