// Scroll bar controls.
#pragma once

#include "framework/controls/core/CustomControl.h"
#include "framework/controls/forms/ScrollingWinControl.h"
#include "framework/controls/stdctrls/StdPublish.h"

namespace dw {

DW_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll)
DW_EVENT(TScrollEvent, (TObject*, TScrollCode, int&),
         "Sender: TObject; ScrollCode: TScrollCode; var ScrollPos: Integer");

class TScrollBar : public TCustomControl {
    DW_CLASS(TScrollBar, TCustomControl)
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FMin; }
    void SetMin(int value) { SetParams(FPosition, value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetParams(FPosition, FMin, value); }
    int Position() const { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value < 1 ? 1 : value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value < 1 ? 1 : value; }
    // Sets all three at once; raises EInvalidOperation when max is below min. Changing the
    // position fires OnChange.
    void SetParams(int position, int min, int max);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseBtn button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseBtn button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    virtual void Change();
    virtual void Scroll(TScrollCode code, int& position);

private:
    enum TPart { spNone, spLineUp, spLineDown, spPageUp, spPageDown, spThumb };
    int ArrowSize() const;
    // The thumb's rectangle, and the track it moves in (client coordinates).
    TRect ThumbRect() const;
    TRect TrackRect() const;
    TPart PartAt(TPoint p) const;
    void DoScroll(TScrollCode code, int position);
    void Step();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    TPart FPressedPart = spNone;
    bool FPartHot = false;
    int FThumbOffset = 0;
    int FTrackPosition = 0;
    TPoint FMousePos;
};

} // namespace dw
