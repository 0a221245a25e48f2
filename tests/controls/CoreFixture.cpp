#include "CoreFixture.h"

#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"

namespace dw::test {

DW_DEFINE_CLASS(TTestControl) {
    PublishControlProperties(c, {"Align",      "Anchors",     "Caption",    "Color",       "Constraints", "Enabled",
                                 "Font",       "ParentColor", "ParentFont", "ShowHint",    "TabOrder",    "TabStop",
                                 "Visible",    "OnClick",     "OnDblClick", "OnMouseDown", "OnMouseUp",   "OnKeyDown",
                                 "OnKeyPress", "OnEnter",     "OnExit",     "OnResize"});
}

TTestControl::TTestControl(TComponent* owner) : TCustomControl(owner) {
    FWidth = 75;
    FHeight = 25;
    FTabStop = true;
    FColor = clBtnFace;
    FBrush->SetColor(FColor);
    FParentColor = false;
}

void TTestControl::Dispatch(TMessage& message) {
    if (Record) Handled.push_back(message.Msg);
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DlgCode;
        return;
    }
    TCustomControl::Dispatch(message);
}

void TTestControl::Paint() {
    ++PaintCount;
    TRect r = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
    Canvas()->Brush()->SetColor(clBlack);
    Canvas()->FrameRect(r);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextRect(r, Caption(), {tfCenter, tfVerticalCenter, tfSingleLine});
}

DW_DEFINE_CLASS(TTestPanel) {
    PublishControlProperties(c, {"Align", "Anchors", "Caption", "Color", "Enabled", "Font", "ParentColor", "ParentFont",
                                 "TabOrder", "TabStop", "Visible", "OnClick", "OnResize"});
}

TTestPanel::TTestPanel(TComponent* owner) : TCustomControl(owner) {
    FControlStyle += csAcceptsControls;
    FWidth = 185;
    FHeight = 41;
}

void TTestPanel::Paint() {
    TRect r = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
}

DW_DEFINE_CLASS(TTestGraphic) {
    PublishControlProperties(c, {"Align", "Anchors", "Caption", "Color", "ParentColor", "Visible", "OnClick"});
}

TTestGraphic::TTestGraphic(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 40;
    FHeight = 20;
}

void TTestGraphic::Paint() {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

DW_DEFINE_CLASS(TUnscaledControl) {}

HRESULT TRecordingHook::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IDesignerHook::IID || iid == IDesignerNotify::IID || iid == IInterface::IID) {
        *obj = static_cast<IDesignerHook*>(this);
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

void TRecordingHook::ValidateRename(TComponent* component, const String& currentName, const String& newName) {
    (void)component;
    if (newName == "Forbidden") throw EComponentError("The designer refuses that name");
    Renames.push_back(currentName + "->" + newName);
}

int TRecordingHook::Count(TControl* sender, UINT msg) const {
    int n = 0;
    for (const auto& s : Seen)
        if ((!sender || s.Sender == sender) && s.Msg == msg) ++n;
    return n;
}

void RegisterCoreTestClasses() {
    static bool done = [] {
        for (TClass c : {TTestControl::StaticClass(), TTestPanel::StaticClass(), TTestGraphic::StaticClass()})
            if (!GetClass(c->ClassName())) RegisterClass(c);
        return true;
    }();
    (void)done;
}

void CoreTest::SetUp() {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    SetBackend(std::move(backend));
    RegisterCoreTestClasses();
    Application->OnException.Clear();
    Application->MessageBoxHook = nullptr;
}

void CoreTest::TearDown() {
    Forms.clear();
    Application->OnException.Clear();
    Application->OnIdle.Clear();
    Application->MessageBoxHook = nullptr;
    Application->SetMainForm(nullptr);
    SetBackend(std::make_unique<THeadlessBackend>());
}

TForm* CoreTest::MakeForm(int left, int top, int clientWidth, int clientHeight) {
    auto* form = New<TForm>(nullptr);
    Forms.emplace_back(form);
    form->SetBounds(left, top, 100, 100);
    form->SetClientSize(clientWidth, clientHeight);
    form->Show();
    PumpMessages();
    return form;
}

void CoreTest::ClickAt(TControl* control, int x, int y, TMouseButton button) {
    // Clicks of a test are separate clicks, never halves of a double click.
    Backend->SkipTime(DoubleClickTime + 1);
    TPoint p = ScreenPoint(control, x, y);
    Backend->Click(p.X, p.Y, button);
}

void CoreTest::PressKey(int vk) {
    Backend->InjectKeyDown(vk);
    Process();
    Backend->InjectKeyUp(vk);
    Process();
}

} // namespace dw::test
