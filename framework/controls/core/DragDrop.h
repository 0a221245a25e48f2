// Drag and drop: the drag object and the control drag object, and the drag under way.
#pragma once

#include "framework/controls/graphics/Cursors.h"
#include "framework/platform/Types.h"
#include "framework/rtl/Object.h"

namespace dw {

class TControl;
class TDragImageList;

class TDragObject : public TObject {
    DW_CLASS(TDragObject, TObject)
    TDragObject() = default;

    // The cursor over a target that accepts (or refuses) the drop.
    virtual TCursor GetDragCursor(bool accepted, int x, int y);
    // The images shown while dragging; null for none.
    virtual TDragImageList* GetDragImages();
    virtual void HideDragImage();
    virtual void ShowDragImage();
    // Told when the drag ended, dropped on target (accepted) or not.
    virtual void Finished(TObject* target, int x, int y, bool accepted);
    // The source passed to OnDragOver and OnDragDrop: the dragged control for a control drag object.
    virtual TObject* SourceObject() { return this; }

    TPoint DragPos() const { return FDragPos; }
    TControl* DragTarget() const { return FDragTarget; }
    TPoint DragTargetPos() const { return FDragTargetPos; }
    bool Cancelling() const { return FCancelling; }
    bool Dropped() const { return FDropped; }
    // Whether the framework frees this object when the drag ends (objects made by the framework).
    bool AutoFree() const { return FAutoFree; }
    void SetAutoFree(bool value) { FAutoFree = value; }
    bool AlwaysShowDragImages = false;

private:
    friend struct TDragMachine;
    TPoint FDragPos;
    TControl* FDragTarget = nullptr;
    TPoint FDragTargetPos;
    bool FCancelling = false;
    bool FDropped = false;
    bool FAutoFree = false;
};

// A drag object whose source is a control.
class TDragControlObject : public TDragObject {
    DW_CLASS(TDragControlObject, TDragObject)
    explicit TDragControlObject(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }
    void SetControl(TControl* value) { FControl = value; }
    TCursor GetDragCursor(bool accepted, int x, int y) override;
    TDragImageList* GetDragImages() override;
    void HideDragImage() override;
    void ShowDragImage() override;
    void Finished(TObject* target, int x, int y, bool accepted) override;
    TObject* SourceObject() override;

private:
    TControl* FControl;
};

// The drag object of the drag under way, or null.
TDragObject* DragObject();
bool IsDragging();
// Cancels the drag under way (the target gets dmDragCancel; nothing is dropped).
void CancelDrag();
// Ends the drag under way: drops on the current target when drop is true (and it accepts).
void DragDone(bool drop);
// Told when a control dies, so a drag under way forgets it.
void DragControlDestroyed(TControl* control);

} // namespace dw
