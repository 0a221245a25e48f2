// TScrollBar: a scroll bar control with arrows that repeat while held, page areas and a thumb.
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/ScrollBar.h"

#include <algorithm>

namespace dw {

namespace {
constexpr UINT_PTR RepeatTimerId = 1;
}

DW_DEFINE_CLASS(TScrollBar) {
    PublishStd(
        c, {"Align", "Anchors", "BiDiMode", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled"});
    c.Property("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
    c.Property("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    c.Property("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    c.Property("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    c.Property("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    PublishStd(c, {"ParentBiDiMode", "ParentCtl3D", "ParentShowHint", "PopupMenu"});
    c.Property("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    PublishStd(c, {"ShowHint"});
    c.Property("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    PublishStd(c, {"TabOrder"});
    c.Property("TabStop", &TScrollBar::TabStop, &TScrollBar::SetTabStop).Default(true);
    PublishStd(c, {"Visible"});
    c.Property("OnChange", &TScrollBar::OnChange, &TScrollBar::OnChange);
    PublishStd(c, {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown",
                   "OnKeyPress", "OnKeyUp"});
    c.Property("OnScroll", &TScrollBar::OnScroll, &TScrollBar::OnScroll);
    PublishStd(c, {"OnStartDrag"});
}

TScrollBar::TScrollBar(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque};
    FTabStop = true;
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::SetKind(TScrollBarKind value) {
    if (FKind == value) return;
    FKind = value;
    if (!HasState(csLoading) && !HasState(csReading)) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min) throw EInvalidOperation(Format("Scroll bar maximum %d is below its minimum %d", max, min));
    position = std::clamp(position, min, max);
    bool changed = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = position;
    Invalidate();
    if (changed) Change();
}

void TScrollBar::SetPageSize(int value) {
    value = std::max(0, value);
    if (FPageSize == value) return;
    FPageSize = value;
    Invalidate();
}

void TScrollBar::Change() {
    OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
    OnScroll(this, code, position);
}

int TScrollBar::ArrowSize() const {
    if (FKind == sbHorizontal) return std::min(GetSystemMetrics(SM_CXHSCROLL), Width() / 2);
    return std::min(GetSystemMetrics(SM_CYVSCROLL), Height() / 2);
}

TRect TScrollBar::TrackRect() const {
    TRect client = ClientRect();
    int arrow = ArrowSize();
    if (FKind == sbHorizontal) return {client.Left + arrow, client.Top, client.Right - arrow, client.Bottom};
    return {client.Left, client.Top + arrow, client.Right, client.Bottom - arrow};
}

TRect TScrollBar::ThumbRect() const {
    TRect track = TrackRect();
    int length = FKind == sbHorizontal ? track.Width() : track.Height();
    int range = FMax - FMin + 1;
    int maxPos = std::max(FMin, FMax - std::max(FPageSize - 1, 0));
    if (range <= 1 || maxPos <= FMin || length < 8) return {};
    int thumb = FPageSize > 0 ? std::max(8, static_cast<int>(static_cast<Int64>(length) * FPageSize / range))
                              : std::min(ArrowSize(), length);
    thumb = std::min(thumb, length);
    int pos = FPressedPart == spThumb ? FTrackPosition : FPosition;
    int offset =
        static_cast<int>(static_cast<Int64>(length - thumb) * (std::clamp(pos, FMin, maxPos) - FMin) / (maxPos - FMin));
    if (FKind == sbHorizontal) return {track.Left + offset, track.Top, track.Left + offset + thumb, track.Bottom};
    return {track.Left, track.Top + offset, track.Right, track.Top + offset + thumb};
}

TScrollBar::TPart TScrollBar::PartAt(TPoint p) const {
    TRect client = ClientRect();
    if (!client.Contains(p)) return spNone;
    TRect track = TrackRect();
    int along = FKind == sbHorizontal ? p.X : p.Y;
    int start = FKind == sbHorizontal ? track.Left : track.Top;
    int end = FKind == sbHorizontal ? track.Right : track.Bottom;
    if (along < start) return spLineUp;
    if (along >= end) return spLineDown;
    TRect thumb = ThumbRect();
    if (thumb.IsEmpty()) return spNone;
    if (thumb.Contains(p)) return spThumb;
    int thumbStart = FKind == sbHorizontal ? thumb.Left : thumb.Top;
    return along < thumbStart ? spPageUp : spPageDown;
}

void TScrollBar::DoScroll(TScrollCode code, int position) {
    int maxPos = std::max(FMin, FMax - std::max(FPageSize - 1, 0));
    position = std::clamp(position, FMin, maxPos);
    Scroll(code, position);
    if (code == scTrack) {
        FTrackPosition = position;
        Invalidate();
        return;
    }
    SetPosition(position);
}

void TScrollBar::Step() {
    if (!FPartHot) return;
    switch (FPressedPart) {
    case spLineUp:
        DoScroll(scLineUp, FPosition - FSmallChange);
        break;
    case spLineDown:
        DoScroll(scLineDown, FPosition + FSmallChange);
        break;
    case spPageUp:
        // A held page area stops scrolling once the thumb has passed the mouse.
        if (PartAt(FMousePos) == spPageUp) DoScroll(scPageUp, FPosition - FLargeChange);
        break;
    case spPageDown:
        if (PartAt(FMousePos) == spPageDown) DoScroll(scPageDown, FPosition + FLargeChange);
        break;
    default:
        break;
    }
}

void TScrollBar::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect client = ClientRect();
    int arrow = ArrowSize();
    bool enabled = Enabled() && !ThumbRect().IsEmpty();
    TRect first = FKind == sbHorizontal ? TRect{client.Left, client.Top, client.Left + arrow, client.Bottom}
                                        : TRect{client.Left, client.Top, client.Right, client.Top + arrow};
    TRect last = FKind == sbHorizontal ? TRect{client.Right - arrow, client.Top, client.Right, client.Bottom}
                                       : TRect{client.Left, client.Bottom - arrow, client.Right, client.Bottom};
    UINT common = enabled ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &first, DFC_SCROLL,
                     (FKind == sbHorizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | common |
                         (FPressedPart == spLineUp && FPartHot ? DFCS_PUSHED | DFCS_FLAT : 0));
    DrawFrameControl(dc, &last, DFC_SCROLL,
                     (FKind == sbHorizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | common |
                         (FPressedPart == spLineDown && FPartHot ? DFCS_PUSHED | DFCS_FLAT : 0));
    TRect track = TrackRect();
    FillRect(dc, &track, DitherBrush());
    TRect thumb = ThumbRect();
    if (!enabled || thumb.IsEmpty()) return;
    if ((FPressedPart == spPageUp || FPressedPart == spPageDown) && FPartHot) {
        TRect page = track;
        if (FKind == sbHorizontal) {
            if (FPressedPart == spPageUp)
                page.Right = thumb.Left;
            else
                page.Left = thumb.Right;
        } else {
            if (FPressedPart == spPageUp)
                page.Bottom = thumb.Top;
            else
                page.Top = thumb.Bottom;
        }
        FillSolidRect(dc, page, ColorToRGB(cl3DDkShadow));
    }
    TRect face = thumb;
    FillSolidRect(dc, face, ColorToRGB(clBtnFace));
    DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
    if (Focused() && !HasState(csDesigning)) {
        TRect focus = thumb.Inflate(-3, -3);
        if (!focus.IsEmpty()) canvas->DrawFocusRect(focus);
    }
}

void TScrollBar::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !HasState(csDesigning) && Enabled()) {
        if (!Focused() && CanFocus() && FTabStop) SetFocus();
        FMousePos = {x, y};
        FPressedPart = PartAt(FMousePos);
        FPartHot = true;
        if (FPressedPart == spThumb) {
            TRect thumb = ThumbRect();
            FThumbOffset = FKind == sbHorizontal ? x - thumb.Left : y - thumb.Top;
            FTrackPosition = FPosition;
        } else if (FPressedPart != spNone) {
            Step();
            SetTimer(Handle(), RepeatTimerId, ScrollRepeatDelay);
        }
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
    FMousePos = {x, y};
    if (FPressedPart == spThumb) {
        TRect track = TrackRect();
        TRect thumb = ThumbRect();
        int thumbLength = FKind == sbHorizontal ? thumb.Width() : thumb.Height();
        int length = (FKind == sbHorizontal ? track.Width() : track.Height()) - thumbLength;
        int along = (FKind == sbHorizontal ? x - track.Left : y - track.Top) - FThumbOffset;
        int maxPos = std::max(FMin, FMax - std::max(FPageSize - 1, 0));
        int pos =
            length > 0
                ? FMin + static_cast<int>(
                             (static_cast<Int64>(std::clamp(along, 0, length)) * (maxPos - FMin) + length / 2) / length)
                : FMin;
        if (pos != FTrackPosition) DoScroll(scTrack, pos);
    } else if (FPressedPart != spNone) {
        bool hot = PartAt(FMousePos) == FPressedPart ||
                   ((FPressedPart == spPageUp || FPressedPart == spPageDown) && ClientRect().Contains(FMousePos));
        if (hot != FPartHot) {
            FPartHot = hot;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TScrollBar::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FPressedPart != spNone) {
        TPart part = FPressedPart;
        KillTimer(Handle(), RepeatTimerId);
        if (part == spThumb) {
            int pos = FTrackPosition;
            FPressedPart = spNone;
            DoScroll(scPosition, pos);
        }
        FPressedPart = spNone;
        DoScroll(scEndScroll, FPosition);
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TScrollBar::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (HasState(csDesigning)) return;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        DoScroll(scLineUp, FPosition - FSmallChange);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        DoScroll(scLineDown, FPosition + FSmallChange);
        break;
    case VK_PRIOR:
        DoScroll(scPageUp, FPosition - FLargeChange);
        break;
    case VK_NEXT:
        DoScroll(scPageDown, FPosition + FLargeChange);
        break;
    case VK_HOME:
        DoScroll(scTop, FMin);
        break;
    case VK_END:
        DoScroll(scBottom, FMax);
        break;
    default:
        return;
    }
    key = 0;
}

void TScrollBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_TIMER:
        if (message.WParam == RepeatTimerId) {
            SetTimer(Handle(), RepeatTimerId, ScrollRepeatInterval);
            Step();
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_CANCELMODE:
        if (FPressedPart != spNone && HandleAllocated()) KillTimer(Handle(), RepeatTimerId);
        FPressedPart = spNone;
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace dw
