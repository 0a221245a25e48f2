// TCustomFrame and TFrame (windowed roots written inline in the forms that use them) and
// TDataModule (a non-visual root).
#include "framework/controls/forms/Forms.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/GlobalComponents.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>

namespace dw {

DW_DEFINE_CLASS(TCustomFrame) {}

DW_DEFINE_CLASS(TFrame) {
    PublishControlProperties(c, {"Align",          "Anchors",        "BiDiMode",    "Color",       "Constraints",
                                 "Ctl3D",          "DragCursor",     "DragKind",    "DragMode",    "Enabled",
                                 "Font",           "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                                 "ParentShowHint", "PopupMenu",      "ShowHint",    "TabOrder",    "TabStop",
                                 "Visible",        "OnClick",        "OnDblClick",  "OnDragDrop",  "OnDragOver",
                                 "OnEndDrag",      "OnEnter",        "OnExit",      "OnMouseDown", "OnMouseMove",
                                 "OnMouseUp",      "OnMouseWheel",   "OnResize",    "OnStartDrag"});
    c.Property("AutoScroll", &TFrame::AutoScroll, &TFrame::SetAutoScroll).Default(true);
    c.Property("HorzScrollBar", &TFrame::HorzScrollBar, &TFrame::SetHorzScrollBar);
    c.Property("VertScrollBar", &TFrame::VertScrollBar, &TFrame::SetVertScrollBar);
}

TCustomFrame::TCustomFrame(TComponent* owner) : TCustomFrame(owner, CreateNew) {
    FReadDescription = true;
}

TCustomFrame::TCustomFrame(TComponent* owner, TCreateNew) : TScrollingWinControl(owner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 320;
    FHeight = 240;
}

void TCustomFrame::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    TClass cls = ClassType();
    if (FReadDescription && cls != TFrame::StaticClass() && cls != TCustomFrame::StaticClass() &&
        !HasState(csDesigning) && !HasState(csDesignInstance)) {
        if (!InitInheritedComponent(this, TFrame::StaticClass()))
            throw EResNotFound(Format("Resource %s not found", ClassName()));
    }
}

void TCustomFrame::GetChildren(const TGetChildProc& proc, TComponent* root) {
    // A frame written inside another root writes its own children with it, whoever the root is.
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == root || c->Owner() == this) proc(c);
    }
    if (root == this || HasState(csInline))
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) proc(Components(i));
}

void TCustomFrame::SetParent(TWinControl* value) {
    TScrollingWinControl::SetParent(value);
    // A frame placed on another root's control is part of that root's stream: written inline.
    if (value && Owner() && Owner() != Application && !HasState(csInline) && !HasState(csLoading)) SetInline(true);
}

void TCustomFrame::ReadState(TReader* reader) {
    bool inlineRead = reader->Root() != this && HasState(csInline);
    FReplaceable.clear();
    if (inlineRead)
        for (int i = 0; i < ComponentCount(); ++i) FReplaceable.push_back(Components(i));
    FReadingInline = inlineRead;
    {
        auto restore = ScopeExit([&] {
            FReadingInline = false;
            FReplaceable.clear();
        });
        TScrollingWinControl::ReadState(reader);
    }
}

void TCustomFrame::ValidateRename(TComponent* component, const String& currentName, const String& newName) {
    if (FReadingInline && component && !newName.empty()) {
        TComponent* existing = FindComponent(newName);
        auto it = std::find(FReplaceable.begin(), FReplaceable.end(), existing);
        if (existing && existing != component && it != FReplaceable.end()) {
            FReplaceable.erase(it);
            // Its children go with it; the stream brings its own.
            for (TComponent* c : std::vector<TComponent*>(FReplaceable))
                if (auto* control = As<TControl>(c); control && control->Parent() && existing->Is<TWinControl>() &&
                                                     static_cast<TWinControl*>(existing)->ContainsControl(control))
                    FReplaceable.erase(std::find(FReplaceable.begin(), FReplaceable.end(), c));
            existing->Free();
        }
    }
    TScrollingWinControl::ValidateRename(component, currentName, newName);
}

// ---------------------------------------------------------------------------------------------

DW_DEFINE_CLASS(TDataModule) {
    c.Property("OldCreateOrder", &TDataModule::OldCreateOrder, &TDataModule::SetOldCreateOrder).Default(false);
    c.Property("OnCreate", &TDataModule::OnCreate, &TDataModule::OnCreate);
    c.Property("OnDestroy", &TDataModule::OnDestroy, &TDataModule::OnDestroy);
}

TDataModule::TDataModule(TComponent* owner) : TDataModule(owner, CreateNew) {
    FReadDescription = true;
}

TDataModule::TDataModule(TComponent* owner, TCreateNew) : TComponent(owner) {
    AddGlobalComponent(this);
    if (Screen) Screen->AddDataModule(this);
}

void TDataModule::AfterConstruction() {
    TComponent::AfterConstruction();
    TClass cls = ClassType();
    if (FReadDescription && cls != TDataModule::StaticClass() && !HasState(csDesigning)) {
        if (!InitInheritedComponent(this, TDataModule::StaticClass()))
            throw EResNotFound(Format("Resource %s not found", ClassName()));
    }
    DoCreate();
}

void TDataModule::BeforeDestruction() {
    if (!HasState(csDestroying)) {
        Destroying();
        try {
            DoDestroy();
        } catch (...) {
            // The module is freed all the same; the failure is shown.
            if (Application) Application->HandleException(this);
        }
    }
    if (Screen) Screen->RemoveDataModule(this);
    RemoveGlobalComponent(this);
    TComponent::BeforeDestruction();
}

void TDataModule::DoCreate() {
    OnCreate(this);
}
void TDataModule::DoDestroy() {
    OnDestroy(this);
}

void TDataModule::GetChildren(const TGetChildProc& proc, TComponent* root) {
    (void)root;
    for (int i = 0; i < ComponentCount(); ++i)
        if (!Components(i)->HasParent()) proc(Components(i));
}

// The design-time size and offset of the module's host window go with the module, as unpublished
// properties.
void TDataModule::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    bool hasSize = FDesignSize.X != 0 || FDesignSize.Y != 0;
    bool hasOffset = FDesignOffset.X != 0 || FDesignOffset.Y != 0;
    filer->DefineProperty(
        "Height", [this](TReader* r) { FDesignSize.Y = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(FDesignSize.Y); }, hasSize);
    filer->DefineProperty(
        "HorizontalOffset", [this](TReader* r) { FDesignOffset.X = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(FDesignOffset.X); }, hasOffset);
    filer->DefineProperty(
        "VerticalOffset", [this](TReader* r) { FDesignOffset.Y = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(FDesignOffset.Y); }, hasOffset);
    filer->DefineProperty(
        "Width", [this](TReader* r) { FDesignSize.X = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(FDesignSize.X); }, hasSize);
}

} // namespace dw
