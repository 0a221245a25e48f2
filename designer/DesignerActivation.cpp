// Activation and deactivation of the designer: forms, one windowed control of a form, frames and
// other windowed roots in a host window, data modules in their host form.
#include "designer/FormDesigner.h"

#include "environment/PackageMng.h"

#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"

namespace dw {

namespace {

// A plain white host form whose client-aligned panel is designed; used for a data module until
// the environment provides its own host.
TCustomForm* CreatePlainDataModuleHost(TDataModule* module, TWinControl*& container) {
    auto* host = New<TOwnerDsnFrom>(module);
    host->SetColor(TColor(0xFFFFFF));
    auto* panel = New<TPanel>(host);
    panel->SetBevelOuter(bvNone);
    panel->SetParentColor(true);
    panel->SetCaption("");
    panel->SetAlign(alClient);
    panel->SetParent(host);
    container = panel;
    return host;
}

void SetDesigningByParenthood(TControl* control) {
    control->SetDesigning(true, false);
    if (auto* win = As<TWinControl>(control))
        for (int i = 0; i < win->ControlCount(); ++i) SetDesigningByParenthood(win->Controls(i));
}

} // namespace

void TzCustomFormDesigner::ShowDesignForm(TCustomForm* form) {
    // A form in design state leaves its window alone when Visible changes; the first showing,
    // which makes the windows of the form and its controls, runs with the design state lifted
    // from the form alone for that moment.
    if (!form->HandleAllocated() || !form->Visible()) {
        bool designing = form->HasState(csDesigning);
        form->SetDesigning(false, false);
        {
            auto restore = ScopeExit([&] {
                if (designing) form->SetDesigning(true, false);
            });
            if (form->Visible()) form->SetVisible(false);
            form->Show();
        }
    }
    if (!IsWindowVisible(form->Handle())) ShowWindow(form->Handle(), SW_SHOW);
}

void TzCustomFormDesigner::InvalidateTree(TWinControl* control) {
    if (!control) return;
    control->Invalidate();
    for (int i = 0; i < control->WinControlCount(); ++i) InvalidateTree(control->WinControls(i));
}

void TzCustomFormDesigner::SetActiveValue(bool value) {
    if (value) {
        if (FActive) {
            TCustomForm* form = DesignForm();
            if (form && (!form->HandleAllocated() || !IsWindowVisible(form->Handle()))) ShowDesignForm(form);
            return;
        }
        Activation();
    } else if (FActive) {
        Deactivation();
    }
}

void TzCustomFormDesigner::Activation() {
    if (!FRoot) throw EInvalidOperation("Designer have not any Root Component");
    if (auto* rootForm = As<TCustomForm>(FRoot)) {
        if (!FDesignWindow) SetDesignWindow(rootForm);
    } else {
        FCustomModule = PackageMng().GetCustomModule(FRoot);
        TCustomForm* host = nullptr;
        if (auto* rootControl = As<TWinControl>(FRoot)) {
            auto* ownerHost = New<TOwnerDsnFrom>(FRoot);
            host = ownerHost;
            FHostForm = ownerHost;
            rootControl->SetBounds(0, 0, rootControl->Width(), rootControl->Height());
            TPoint position;
            DesignerManager().GetNewRootPosition(position);
            if (As<TCustomFrame>(FRoot)) {
                ownerHost->SetBounds(position.X, position.Y, ownerHost->Width(), ownerHost->Height());
                ownerHost->SetClientSize(rootControl->Width(), rootControl->Height());
                ownerHost->OnResize = MakeMethod<&TzCustomFormDesigner::HostFormResize>(this);
            } else {
                ownerHost->SetBounds(position.X, position.Y, 400, 300);
            }
            rootControl->SetParent(ownerHost);
            SetDesignWindow(rootControl);
        } else if (auto* module = As<TDataModule>(FRoot)) {
            TWinControl* container = nullptr;
            if (DesignerEnvironment().CreateDataModuleHost)
                host = DesignerEnvironment().CreateDataModuleHost(module, this, container);
            else
                host = CreatePlainDataModuleHost(module, container);
            FHostForm = As<TOwnerDsnFrom>(host);
            FForeignHost = FHostForm ? nullptr : host;
            host->SetColor(TColor(0xFFFFFF));
            SetDesignWindow(container ? container : host);
        } else {
            throw EInvalidOperation("Not allowed type of Root Component");
        }
        host->FreeNotification(this);
        host->SetCaption(FRoot->Name());
        FRoot->SetDesigning(true, true);
        host->SetDesigning(true, true);
        SetDesigning(false, false);
    }

    BaseActivate();

    TCustomForm* form = DesignForm();
    if (form) {
        if (form != FDesignWindow) {
            try {
                form->SetActiveControl(FDesignWindow);
            } catch (const Exception&) {
                // A design window that cannot take the focus yet is still designed.
            }
        }
        form->SetDesigner(static_cast<IDesignerHook*>(this));
        FHookedForm = form;
    }
    if (FRoot == form && form) {
        if (form == FDesignWindow) {
            form->SetDesigning(true, true);
            SetDesigning(false, true);
        } else {
            SetDesigningByParenthood(FDesignWindow);
        }
    }

    CreateComponentIcons();

    FHideOnDeactivate = false;
    if (!form) throw EInvalidOperation("Critical error: no form created for designer");
    if (FDesignSurface) {
        FDesignSurface->SetForm(form);
    } else if (!form->HandleAllocated()) {
        ShowDesignForm(form);
    } else if (!IsWindowVisible(form->Handle())) {
        FHideOnDeactivate = true;
        ShowDesignForm(form);
    }
    MarkModified();
    DesignerManager().SetActiveDesigner(this);
    DesignerManager().AddListener(static_cast<IDesigner*>(this));
    ActivationCommonEnd();
}

void TzCustomFormDesigner::Deactivation() {
    BaseDeactivate();
    ClearSelected();
    ClearGroups();
    EndTextEdit(false);
    DesignerManager().RemoveListener(static_cast<IDesigner*>(this));
    FreeComponentIcons();
    FCustomModule = TInterfacePtr<ICustomModule>();

    // The form the hook went on: a design window that is being freed may have left it already.
    TCustomForm* form = FHookedForm ? FHookedForm : DesignForm();
    FHookedForm = nullptr;
    if (form) {
        if (form->Designer() == static_cast<IDesignerHook*>(this)) form->SetDesigner(nullptr);
        form->SetDesigning(false, true);
    }
    if (DesignerManager().ActiveDesigner() == static_cast<IDesigner*>(this)) {
        DesignerManager().SetActiveDesigner(nullptr);
        DesignerManager().NotifyDesignerClosed(this);
    }
    if (FDesignSurface) FDesignSurface->SetForm(nullptr);

    TCustomForm* releasedHost = nullptr;
    if (FHostForm || FForeignHost) {
        TCustomForm* host = FHostForm ? static_cast<TCustomForm*>(FHostForm) : FForeignHost;
        releasedHost = host;
        if (FRoot) {
            FRoot->SetDesigning(false, true);
            if (host->Owner() == FRoot) FRoot->RemoveComponent(host);
            if (auto* rootControl = As<TControl>(FRoot)) rootControl->SetParent(nullptr);
        }
        host->OnResize.Clear();
        host->Release();
        FHostForm = nullptr;
        FForeignHost = nullptr;
        SetDesignWindow(nullptr);
    }

    if (form && form != releasedHost) {
        if (FHideOnDeactivate && form->HandleAllocated() && (!Application || Application->MainForm() != form))
            form->Hide();
        // Posted rather than done here: deactivation often runs inside one of the form's own
        // messages (closing, destroying), where its window must stay as it is.
        if (!form->HasState(csDestroying) && form->HandleAllocated() && !FWindowDestroying)
            PostMessage(form->Handle(), CM_RECREATEWND, RecreateAfterDesign, 0);
        InvalidateTree(form);
    }
    AssignRoot(nullptr);
    ActivationCommonEnd();
}

void TzCustomFormDesigner::ActivationCommonEnd() {
    InvalidateTree(FDesignWindow);
    UpdateMarkers();
}

void TzCustomFormDesigner::HostFormResize(TObject* sender) {
    (void)sender;
    auto* frame = As<TCustomFrame>(FRoot);
    if (!frame || !FHostForm) return;
    frame->SetBounds(frame->Left(), frame->Top(), FHostForm->ClientWidth(), FHostForm->ClientHeight());
    MarkModified();
}

void TzCustomFormDesigner::FreeHostForm() {
    TCustomForm* host = FHostForm ? static_cast<TCustomForm*>(FHostForm) : FForeignHost;
    FHostForm = nullptr;
    FForeignHost = nullptr;
    if (!host) return;
    host->OnResize.Clear();
    if (!host->HasState(csDestroying)) host->Free();
}

} // namespace dw
