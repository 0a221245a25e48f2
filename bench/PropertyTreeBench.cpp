// The inspector's property tree on a form of 1,000 controls (buttons, labels, edits, check boxes
// and panels): built for one selected button, for 100 selected controls of mixed classes (their
// common properties), and rebuilt after one property change with three nodes expanded.
#include "framework/controls/forms/Form.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/ClassInfo.h"
#include "inspector/PropList.h"
#include "inspector/PropertyNodes.h"

#include <benchmark/benchmark.h>

namespace dw {

class TBenchPropList : public TCustomPropList {
    DW_CLASS(TBenchPropList, TCustomPropList)
    using TCustomPropList::TCustomPropList;
    TPropertyNodes* Nodes() const { return static_cast<TPropertyNodes*>(ItemRoot()); }

protected:
    std::unique_ptr<TPropListRoot> CreateRoot() override { return std::make_unique<TPropertyNodes>(this, nullptr); }
};
DW_DEFINE_CLASS(TBenchPropList) {}

namespace {

struct TBenchForm {
    TEditorRegistry Registry;
    TObjectPtr<TForm> Form;
    TBenchPropList* List = nullptr;
    std::vector<TControl*> Controls;

    TBenchForm() {
        SetBackend(std::make_unique<THeadlessBackend>());
        Form.reset(New<TForm>(nullptr, CreateNew));
        Form->SetBounds(0, 0, 1000, 800);
        for (int i = 0; i < 1000; ++i) {
            TControl* c = nullptr;
            switch (i % 5) {
            case 0:
                c = New<TButton>(Form.get());
                break;
            case 1:
                c = New<TLabel>(Form.get());
                break;
            case 2:
                c = New<TEdit>(Form.get());
                break;
            case 3:
                c = New<TCheckBox>(Form.get());
                break;
            default:
                c = New<TPanel>(Form.get());
                break;
            }
            c->SetName("Control" + std::to_string(i));
            c->SetBounds(i % 40 * 24, i / 40 * 30, 22, 20);
            c->SetParent(Form.get());
            Controls.push_back(c);
        }
        List = New<TBenchPropList>(Form.get());
        List->SetBounds(0, 0, 250, 600);
        List->Nodes()->SetEditorRegistry(&Registry);
        List->SetParent(Form.get());
        Form->Show();
        PumpMessages();
    }
    TInterfacePtr<IDesignerSelections> Selection(int count) {
        TInterfacePtr<IDesignerSelections> s = TDesignerSelections::Make();
        for (int i = 0; i < count; ++i) s->Add(Controls[static_cast<size_t>(i)]);
        return s;
    }
};

TBenchForm& Bench() {
    static TBenchForm form;
    return form;
}

void BM_BuildTreeOneButton(benchmark::State& state) {
    TBenchForm& b = Bench();
    auto selection = b.Selection(1);
    for (auto _ : state) {
        b.List->Nodes()->Rebuild(selection.get(), nullptr);
        benchmark::DoNotOptimize(b.List->ItemCount());
    }
}
BENCHMARK(BM_BuildTreeOneButton)->Unit(benchmark::kMicrosecond);

void BM_BuildTreeHundredMixed(benchmark::State& state) {
    TBenchForm& b = Bench();
    auto selection = b.Selection(100);
    for (auto _ : state) {
        b.List->Nodes()->Rebuild(selection.get(), nullptr);
        benchmark::DoNotOptimize(b.List->ItemCount());
    }
    state.counters["rows"] = b.List->ItemCount();
}
BENCHMARK(BM_BuildTreeHundredMixed)->Unit(benchmark::kMicrosecond);

void BM_RebuildAfterChangeThreeExpanded(benchmark::State& state) {
    TBenchForm& b = Bench();
    auto selection = b.Selection(1);
    TPropertyNodes* nodes = b.List->Nodes();
    nodes->Rebuild(selection.get(), nullptr);
    for (const char* path : {"\\Anchors", "\\Constraints", "\\Font"})
        for (int i = 0; i < nodes->VisibleCount(); ++i)
            if (nodes->VisibleItem(i)->Path() == path) nodes->VisibleItem(i)->SetExpanded(true);
    int left = 0;
    for (auto _ : state) {
        b.Controls[0]->SetLeft(left++ % 500);
        nodes->Rebuild(selection.get(), nullptr);
        benchmark::DoNotOptimize(b.List->ItemCount());
    }
    state.counters["rows"] = b.List->ItemCount();
}
BENCHMARK(BM_RebuildAfterChangeThreeExpanded)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dw
