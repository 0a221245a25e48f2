// Helpers for the control core tests: a headless screen per test, small test controls that record
// what happens to them, an event sink, and a designer hook that records and takes messages.
#pragma once

#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace dw::test {

// A windowed control that paints its colour and caption and counts its paints.
class TTestControl : public TCustomControl {
    DW_CLASS(TTestControl, TCustomControl)
    explicit TTestControl(TComponent* owner);
    int PaintCount = 0;
    // Messages the control handled (after the designer's turn), when Record is on.
    bool Record = false;
    std::vector<UINT> Handled;
    void Dispatch(TMessage& message) override;
    // Answers WM_GETDLGCODE with this.
    LRESULT DlgCode = 0;

protected:
    void Paint() override;
};

// A windowed control that accepts children.
class TTestPanel : public TCustomControl {
    DW_CLASS(TTestPanel, TCustomControl)
    explicit TTestPanel(TComponent* owner);

protected:
    void Paint() override;
};

// A non-windowed control that paints a filled rectangle.
class TTestGraphic : public TGraphicControl {
    DW_CLASS(TTestGraphic, TGraphicControl)
    explicit TTestGraphic(TComponent* owner);
    int PaintCount = 0;

protected:
    void Paint() override;
};

// A control that keeps its size when its parent scales (as designer aids do).
class TUnscaledControl : public TTestControl {
    DW_CLASS(TUnscaledControl, TTestControl)
    using TTestControl::TTestControl;

protected:
    void ChangeScale(int m, int d) override { (void)m, (void)d; }
};

// Records events; handlers are made with MakeMethod<&TEventSink::...>(sink).
class TEventSink : public TObject {
public:
    std::vector<TObject*> Clicks;
    std::vector<String> Log;
    void Click(TObject* sender) { Clicks.push_back(sender); }
    void Note(TObject* sender) { Log.push_back(sender ? sender->ClassName() : String("(none)")); }
};

// A designer hook that records every message it is offered and takes those Take accepts.
class TRecordingHook : public IDesignerHook {
public:
    struct TSeen {
        TControl* Sender;
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
    };
    std::vector<TSeen> Seen;
    std::function<bool(TControl*, TMessage&)> Take;
    int GridPaints = 0;
    int Modifieds = 0;
    std::vector<std::pair<TPersistent*, TOperation>> Notifications;
    std::vector<String> Renames;
    TCustomForm* Form = nullptr;
    bool IsControl = false;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return -1; }
    int Release() override { return -1; }
    void Modified() override { ++Modifieds; }
    void Notification(TPersistent* object, TOperation operation) override {
        Notifications.emplace_back(object, operation);
    }
    TCustomForm* GetForm() override { return Form; }
    void SetForm(TCustomForm* value) override { Form = value; }
    bool GetIsControl() override { return IsControl; }
    void SetIsControl(bool value) override { IsControl = value; }
    bool IsDesignMsg(TControl* sender, TMessage& message) override {
        Seen.push_back({sender, message.Msg, message.WParam, message.LParam});
        return Take ? Take(sender, message) : false;
    }
    void PaintGrid() override { ++GridPaints; }
    void ValidateRename(TComponent* component, const String& currentName, const String& newName) override;
    String UniqueName(const String& baseName) override { return baseName + "1"; }
    TComponent* GetRoot() override { return Form; }

    int Count(TControl* sender, UINT msg) const;
};

// A fresh headless screen for every test; leftover forms are freed before it goes.
class CoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible top-level form at (left, top) with the given client size.
    TForm* MakeForm(int left = 100, int top = 100, int clientWidth = 300, int clientHeight = 200);
    // Lets the application handle everything queued (shortcuts and dialog keys included).
    void Process() { Application->ProcessMessages(); }
    // Screen coordinates of a point in control's client area.
    TPoint ScreenPoint(TControl* control, int x, int y) { return control->ClientToScreen(TPoint{x, y}); }
    void ClickAt(TControl* control, int x, int y, TMouseButton button = TMouseButton::Left);
    // A key pressed and released, handled through the application's loop.
    void PressKey(int vk);

    THeadlessBackend* Backend = nullptr;
    std::vector<TObjectPtr<TForm>> Forms;
};

void RegisterCoreTestClasses();

} // namespace dw::test
