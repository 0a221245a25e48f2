// Frames: a windowed control that is the root of a stored description of its own and is written
// inline inside the form that uses it.
#pragma once

#include "framework/controls/forms/ScrollingWinControl.h"
#include "framework/controls/forms/StoredRoot.h"

#include <vector>

namespace dw {

// A windowed control that can be the root of a stored description, and is written inline inside
// the form that uses it.
class TCustomFrame : public TScrollingWinControl {
    DW_CLASS(TCustomFrame, TScrollingWinControl)
    explicit TCustomFrame(TComponent* owner);
    TCustomFrame(TComponent* owner, TCreateNew);
    void AfterConstruction() override;
    TComponent* GetChildOwner() override { return this; }
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetParent(TWinControl* value) override;
    // Read inline in another root's stream, the stream's components replace those of the same
    // name that the frame's own description made (the stream holds the frame as it was saved).
    void ReadState(TReader* reader) override;
    void ValidateRename(TComponent* component, const String& currentName, const String& newName) override;

private:
    bool FReadDescription = false;
    bool FReadingInline = false;
    std::vector<TComponent*> FReplaceable;
};

class TFrame : public TCustomFrame {
    DW_CLASS(TFrame, TCustomFrame)
    using TCustomFrame::TCustomFrame;
};

} // namespace dw
