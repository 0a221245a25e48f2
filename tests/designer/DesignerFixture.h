// Helpers for the designer tests: a headless screen per test, forms with a designer on them,
// clicks through the backend, and a recorder for the designer's events.
#pragma once

#include "designer/FormDesigner.h"
#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <vector>

namespace dw::test {

// Records what the designer and the designed controls report.
struct TDesignerLog : TObject {
    int Clicks = 0;
    int FormClosed = 0;
    int ActiveChanges = 0;
    std::vector<std::pair<TMouseBtn, TPoint>> MouseDowns;
    void Click(TObject*) { ++Clicks; }
    void Closed(TObject*) { ++FormClosed; }
    void ActiveChanged(TObject*) { ++ActiveChanges; }
    void MouseDown(TObject*, TMouseBtn button, TShiftState, int x, int y) { MouseDowns.push_back({button, {x, y}}); }
};

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A shown form at (left, top) with the given client size, freed after the test.
    TForm* MakeForm(int clientWidth = 320, int clientHeight = 240);
    // A control of class T owned by parent's form (or parent), with its bounds, put on parent.
    template <class T> T* Place(TWinControl* parent, int left, int top, int width = -1, int height = -1) {
        TComponent* owner = GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent;
        auto* c = New<T>(owner);
        c->SetBounds(left, top, width < 0 ? c->Width() : width, height < 0 ? c->Height() : height);
        c->SetParent(parent);
        return c;
    }
    // A designer owned by form, made active.
    TzFormDesigner* Design(TForm* form);
    void Process();
    void ClickAt(TControl* control, int x, int y, TMouseButton button = TMouseButton::Left);
    // The colour of a client pixel of control as the screen shows it.
    COLORREF ScreenColor(TControl* control, int x, int y);

    THeadlessBackend* Backend = nullptr;
    std::vector<TObjectPtr<TComponent>> Roots;
};

} // namespace dw::test
