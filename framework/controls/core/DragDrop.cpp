// Drag and drop inside the program: the drag objects, the drag started by BeginDrag and followed
// through a hidden window that holds the mouse capture, CM_DRAG sent to the targets, and the drag
// images shown over controls that ask for them.
#include "framework/controls/core/Controls.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include <cstdlib>
#include <functional>

namespace dw {

DW_DEFINE_CLASS(TDragObject) {}
DW_DEFINE_CLASS(TDragControlObject) {}

// The state of the one drag under way.
struct TDragMachine {
    static inline TDragObject* Object = nullptr;
    static inline TControl* Source = nullptr; // the control that began the drag, if any
    static inline TPoint StartPos;
    static inline int Threshold = 5;
    static inline bool Active = false; // moved past the threshold
    static inline HWND Capture = nullptr;
    static inline TDragImageList* Images = nullptr;
    static inline HDC ImageDC = nullptr;

    static void Init(TDragObject* object, TControl* source, bool immediate, int threshold);
    static void WndProc(TMessage& message);
    static void DragTo(TPoint pos);
    static TControl* FindTarget(TPoint pos);
    static LRESULT SendDrag(TDragMessage kind, TControl* target);
    static void Done(bool drop);
    static void ShowImages(TControl* target, TPoint pos, TCursor cursor);
    static void EndImages();
    static void Forget(TControl* control);
};

TDragObject* DragObject() {
    return TDragMachine::Object;
}
bool IsDragging() {
    return TDragMachine::Object != nullptr;
}
void CancelDrag() {
    TDragMachine::Done(false);
}
void DragDone(bool drop) {
    TDragMachine::Done(drop);
}

void DragControlDestroyed(TControl* control) {
    TDragMachine::Forget(control);
}

void TDragMachine::Forget(TControl* control) {
    if (!Object) return;
    if (Source == control) {
        Done(false);
        return;
    }
    if (Object->FDragTarget == control) Object->FDragTarget = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Drag objects

TCursor TDragObject::GetDragCursor(bool accepted, int x, int y) {
    (void)x, (void)y;
    return accepted ? crDrag : crNoDrop;
}
TDragImageList* TDragObject::GetDragImages() {
    return nullptr;
}
void TDragObject::HideDragImage() {
    if (TDragImageList* images = GetDragImages()) images->HideDragImage();
}
void TDragObject::ShowDragImage() {
    if (TDragImageList* images = GetDragImages()) images->ShowDragImage();
}
void TDragObject::Finished(TObject* target, int x, int y, bool accepted) {
    (void)target, (void)x, (void)y, (void)accepted;
}

TCursor TDragControlObject::GetDragCursor(bool accepted, int x, int y) {
    (void)x, (void)y;
    return accepted ? FControl->DragCursor() : crNoDrop;
}
TDragImageList* TDragControlObject::GetDragImages() {
    return FControl ? FControl->GetDragImages() : nullptr;
}
void TDragControlObject::HideDragImage() {
    TDragObject::HideDragImage();
}
void TDragControlObject::ShowDragImage() {
    TDragObject::ShowDragImage();
}
void TDragControlObject::Finished(TObject* target, int x, int y, bool accepted) {
    if (!FControl) return;
    // OnEndDrag gets no target when the drop was refused or cancelled.
    FControl->DoEndDrag(accepted ? target : nullptr, x, y);
}
TObject* TDragControlObject::SourceObject() {
    return FControl ? static_cast<TObject*>(FControl) : this;
}

// ---------------------------------------------------------------------------------------------
// TControl's side

void TControl::BeginDrag(bool immediate, int threshold) {
    if (Is<TCustomForm>()) throw EInvalidOperation("Cannot drag a form");
    if (TDragMachine::Object) return;
    if (FControlState.Contains(csLButtonDown)) {
        // The press that started the drag is over as far as the control is concerned.
        TPoint p = ScreenToClient(GetCursorPos());
        Perform(WM_LBUTTONUP, 0, PointToLParam(p));
    }
    if (threshold < 0) threshold = Mouse->DragThreshold;
    TDragObject* object = nullptr;
    DoStartDrag(object);
    if (TDragMachine::Object) return; // started from inside OnStartDrag
    bool autoFree = object == nullptr;
    if (!object) object = New<TDragControlObject>(this);
    object->SetAutoFree(autoFree || object->AutoFree());
    TDragMachine::Init(object, this, immediate, threshold);
}

void TControl::BeginAutoDrag() {
    BeginDrag(Mouse->DragImmediate, Mouse->DragThreshold);
}

void TControl::EndDrag(bool drop) {
    if (Dragging()) TDragMachine::Done(drop);
}

bool TControl::Dragging() const {
    return TDragMachine::Object && TDragMachine::Source == this;
}

void TControl::DoStartDrag(TDragObject*& dragObject) {
    OnStartDrag(this, dragObject);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    OnEndDrag(this, target, x, y);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = false;
    if (OnDragOver) {
        accept = true;
        OnDragOver(this, source, x, y, state, accept);
    }
}

void TControl::DragDrop(TObject* source, int x, int y) {
    OnDragDrop(this, source, x, y);
}

void TControl::CMDrag(TMessage& message) {
    TCMDrag drag(message);
    TDragRec* rec = drag.DragRec();
    if (!rec) return;
    switch (drag.DragMessage()) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        if (rec->Target != this) return;
        TPoint p = ScreenToClient(rec->Pos);
        TDragState state = drag.DragMessage() == dmDragEnter   ? dsDragEnter
                           : drag.DragMessage() == dmDragLeave ? dsDragLeave
                                                               : dsDragMove;
        bool accept = false;
        DragOver(rec->Source ? rec->Source->SourceObject() : nullptr, p.X, p.Y, state, accept);
        message.Result = accept ? 1 : 0;
        break;
    }
    case dmDragDrop: {
        if (rec->Target != this) return;
        TPoint p = ScreenToClient(rec->Pos);
        DragDrop(rec->Source ? rec->Source->SourceObject() : nullptr, p.X, p.Y);
        break;
    }
    case dmDragCancel:
        DragCanceled();
        break;
    case dmFindTarget: {
        TControl* target = this;
        if (auto* w = As<TWinControl>(this))
            if (TControl* child = w->ControlAtPos(ScreenToClient(rec->Pos), false)) target = child;
        message.Result = reinterpret_cast<LRESULT>(target);
        break;
    }
    }
}

// ---------------------------------------------------------------------------------------------
// The drag

void TDragMachine::Init(TDragObject* object, TControl* source, bool immediate, int threshold) {
    Object = object;
    Source = source;
    Active = false;
    Threshold = threshold;
    object->FDragTarget = nullptr;
    object->FCancelling = false;
    object->FDropped = false;
    StartPos = GetCursorPos();
    object->FDragPos = StartPos;
    Capture = AllocateHWnd(&TDragMachine::WndProc);
    SetCapture(Capture);
    if (immediate) {
        Active = true;
        DragTo(StartPos);
    }
}

void TDragMachine::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        TPoint p = PointFromLParam(message.LParam);
        ClientToScreen(Capture, p);
        DragTo(p);
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        Done(true);
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(message.LParam) != Capture) Done(false);
        break;
    case WM_CANCELMODE:
        Done(false);
        break;
    case WM_KEYDOWN:
        if (message.WParam == static_cast<WPARAM>(VK_ESCAPE)) Done(false);
        break;
    default:
        if (Capture) message.Result = DefWindowProc(Capture, message.Msg, message.WParam, message.LParam);
        break;
    }
}

LRESULT TDragMachine::SendDrag(TDragMessage kind, TControl* target) {
    if (!target || !Object) return 0;
    TDragRec rec;
    rec.Pos = Object->FDragPos;
    rec.Source = Object;
    rec.Target = target;
    return target->Perform(CM_DRAG, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(&rec));
}

// The control under the point, which may name another one to take the drop (dmFindTarget).
TControl* TDragMachine::FindTarget(TPoint pos) {
    TControl* under = FindDragTarget(pos, false);
    if (!under) return nullptr;
    TDragRec rec;
    rec.Pos = pos;
    rec.Source = Object;
    rec.Target = under;
    auto* found = reinterpret_cast<TControl*>(under->Perform(CM_DRAG, dmFindTarget, reinterpret_cast<LPARAM>(&rec)));
    // The answer is trusted only when it names the control or one of its descendants.
    if (!found || found == under) return under;
    std::function<bool(TWinControl*)> contains = [&](TWinControl* w) {
        for (int i = 0; i < w->ControlCount(); ++i) {
            TControl* c = w->Controls(i);
            if (c == found) return true;
            if (auto* cw = As<TWinControl>(c); cw && contains(cw)) return true;
        }
        return false;
    };
    auto* underWin = As<TWinControl>(under);
    return underWin && contains(underWin) ? found : under;
}

void TDragMachine::DragTo(TPoint pos) {
    if (!Object) return;
    if (!Active) {
        if (std::abs(StartPos.X - pos.X) < Threshold && std::abs(StartPos.Y - pos.Y) < Threshold) return;
        Active = true;
    }
    TControl* target = FindTarget(pos);
    if (target != Object->FDragTarget) {
        SendDrag(dmDragLeave, Object->FDragTarget);
        if (!Object) return;
        Object->FDragTarget = target;
        Object->FDragPos = pos;
        SendDrag(dmDragEnter, target);
        if (!Object) return;
    }
    Object->FDragPos = pos;
    if (Object->FDragTarget) Object->FDragTargetPos = Object->FDragTarget->ScreenToClient(pos);
    bool accepted = SendDrag(dmDragMove, Object->FDragTarget) != 0;
    if (!Object) return;
    TCursor cursor = Object->GetDragCursor(accepted, pos.X, pos.Y);
    ShowImages(Object->FDragTarget, pos, cursor);
    if (Screen) SetCursor(Screen->Cursors(cursor));
}

void TDragMachine::ShowImages(TControl* target, TPoint pos, TCursor cursor) {
    TDragImageList* images = Object->GetDragImages();
    if (images != Images) EndImages();
    if (!images) return;
    bool show = !target || target->ControlStyle().Contains(csDisplayDragImage) || Object->AlwaysShowDragImages;
    if (!show) {
        EndImages();
        return;
    }
    images->SetDragCursor(cursor);
    if (!images->Dragging()) {
        ImageDC = GetDC(nullptr);
        Images = images;
        images->BeginDrag(ImageDC, pos.X, pos.Y);
    } else {
        images->DragMove(pos.X, pos.Y);
    }
}

void TDragMachine::EndImages() {
    if (Images) Images->EndDrag();
    if (ImageDC) ReleaseDC(nullptr, ImageDC);
    Images = nullptr;
    ImageDC = nullptr;
}

void TDragMachine::Done(bool drop) {
    TDragObject* object = Object;
    if (!object || object->FCancelling) return;
    object->FCancelling = true;
    object->FDropped = drop;
    EndImages();
    HWND capture = Capture;
    Capture = nullptr;
    if (GetCapture() == capture) ReleaseCapture();
    TControl* target = object->FDragTarget;
    TPoint pos = object->FDragPos;
    bool accepted = Active && target && drop && SendDrag(dmDragLeave, target) != 0;
    if (Active && target && !drop) SendDrag(dmDragLeave, target);
    TPoint targetPos = target ? target->ScreenToClient(pos) : pos;
    if (accepted)
        SendDrag(dmDragDrop, target);
    else if (target)
        SendDrag(dmDragCancel, target);
    Object = nullptr;
    Source = nullptr;
    Active = false;
    if (capture) DeallocateHWnd(capture);
    if (Screen) SetCursor(Screen->Cursors(crDefault));
    {
        auto restore = ScopeExit([&] {
            if (object->AutoFree()) object->Free();
        });
        object->Finished(accepted ? target : nullptr, targetPos.X, targetPos.Y, accepted);
    }
}

} // namespace dw
