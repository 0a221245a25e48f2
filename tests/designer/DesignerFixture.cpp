#include "DesignerFixture.h"

#include "framework/controls/StdReg.h"
#include "framework/platform/window/MessageQueue.h"

namespace dw::test {

void DesignerTest::SetUp() {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    SetBackend(std::move(backend));
    RegisterStandardControls();
    RegisterDesignerClasses();
    Application->OnException.Clear();
    Application->MessageBoxHook = nullptr;
}

void DesignerTest::TearDown() {
    while (!Roots.empty()) Roots.pop_back();
    Process();
    Application->SetMainForm(nullptr);
    Application->MessageBoxHook = nullptr;
    EXPECT_EQ(DesignerManager().ActiveDesigner(), nullptr) << "a freed designer stays with the manager";
    SetBackend(std::make_unique<THeadlessBackend>());
}

TForm* DesignerTest::MakeForm(int clientWidth, int clientHeight) {
    auto* form = New<TForm>(nullptr, CreateNew);
    Roots.emplace_back(form);
    form->SetName("Form" + std::to_string(Roots.size()));
    form->SetBounds(100, 100, 100, 100);
    form->SetClientSize(clientWidth, clientHeight);
    form->Show();
    Process();
    return form;
}

TzFormDesigner* DesignerTest::Design(TForm* form) {
    auto* designer = New<TzFormDesigner>(form);
    designer->SetName("Designer");
    designer->SetActive(true);
    Process();
    return designer;
}

void DesignerTest::Process() {
    PumpMessages();
    Application->ProcessMessages();
}

void DesignerTest::ClickAt(TControl* control, int x, int y, TMouseButton button) {
    // Separate clicks, never halves of a double click.
    Backend->SkipTime(1000);
    TPoint p = control->ClientToScreen(TPoint{x, y});
    Backend->Click(p.X, p.Y, button);
    Process();
}

COLORREF DesignerTest::ScreenColor(TControl* control, int x, int y) {
    TPoint p = control->ClientToScreen(TPoint{x, y});
    TSurface shot = Backend->Screenshot();
    return ColorFromPixel(shot.Pixel(p.X, p.Y));
}

} // namespace dw::test
