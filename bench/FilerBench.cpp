// Writing and reading a root that owns 10,000 components with a dozen published properties each.
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Filer.h"

#include <benchmark/benchmark.h>

using namespace dw;

namespace {

DW_ENUM(TBenchShape, bsSquare, bsCircle, bsTriangle)

class TBenchPart : public TComponent {
    DW_CLASS(TBenchPart, TComponent)
    using TComponent::TComponent;
    int Left = 0, Top = 0, Width = 75, Height = 25, TabOrder = 0;
    bool Visible = true, Enabled = true;
    TBenchShape Shape = bsSquare;
    String Caption, Hint;
    double Ratio = 0;
    std::int32_t Color = 0;
};

DW_DEFINE_CLASS(TBenchPart) {
    c.Property("Left", &TBenchPart::Left, &TBenchPart::Left);
    c.Property("Top", &TBenchPart::Top, &TBenchPart::Top);
    c.Property("Width", &TBenchPart::Width, &TBenchPart::Width);
    c.Property("Height", &TBenchPart::Height, &TBenchPart::Height);
    c.Property("TabOrder", &TBenchPart::TabOrder, &TBenchPart::TabOrder).Default(-1);
    c.Property("Visible", &TBenchPart::Visible, &TBenchPart::Visible).Default(true);
    c.Property("Enabled", &TBenchPart::Enabled, &TBenchPart::Enabled);
    c.Property("Shape", &TBenchPart::Shape, &TBenchPart::Shape).Default(bsSquare);
    c.Property("Caption", &TBenchPart::Caption, &TBenchPart::Caption);
    c.Property("Hint", &TBenchPart::Hint, &TBenchPart::Hint);
    c.Property("Ratio", &TBenchPart::Ratio, &TBenchPart::Ratio);
    c.Property("Color", &TBenchPart::Color, &TBenchPart::Color);
}

class TBenchRoot : public TComponent {
    DW_CLASS(TBenchRoot, TComponent)
    using TComponent::TComponent;
};
DW_DEFINE_CLASS(TBenchRoot) {}

void Fill(TBenchRoot& root, int count) {
    for (int i = 0; i < count; ++i) {
        auto* p = New<TBenchPart>(&root);
        p->SetName("Part" + IntToStr(i));
        p->Left = i % 800;
        p->Top = i / 3;
        p->TabOrder = i;
        p->Enabled = i % 2 == 0;
        p->Shape = static_cast<TBenchShape>(i % 3);
        p->Caption = "Caption of part " + IntToStr(i);
        p->Hint = "Hint";
        p->Ratio = i * 0.5;
        p->Color = 0x00FF00 + i;
    }
}

void WriteRoot(benchmark::State& state) {
    TBenchRoot root(nullptr);
    Fill(root, static_cast<int>(state.range(0)));
    Int64 bytes = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(&root);
        bytes = stream.Size();
        benchmark::DoNotOptimize(stream.Memory());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(WriteRoot)->Arg(10000)->Unit(benchmark::kMillisecond);

void ReadRoot(benchmark::State& state) {
    static bool registered = (RegisterClass(TBenchPart::StaticClass()), true);
    (void)registered;
    TBenchRoot source(nullptr);
    Fill(source, static_cast<int>(state.range(0)));
    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(&source);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto* root = New<TBenchRoot>(nullptr);
        stream.SetPosition(0);
        state.ResumeTiming();
        TReader reader(stream, 4096);
        reader.ReadRootComponent(root);
        state.PauseTiming();
        root->Free();
        state.ResumeTiming();
    }
}
BENCHMARK(ReadRoot)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
