// The enumerations, sets and event types of the control hierarchy (alignment, anchors, shift
// state, control style and state, bevels, border styles) and their helpers.
#pragma once

#include "framework/platform/Types.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/TypInfo.h"

namespace dw {

class TDragObject;

// Enumerations and sets.

DW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
DW_SET(TAlignSet, TAlign)
DW_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
DW_SET(TAnchors, TAnchorKind)
DW_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
DW_SET(TShiftState, TShiftStateItem)
// The mouse button of a mouse event. Published under the type name "TMouseButton"; the C++ name
// differs because the windowing core's backend events already use TMouseButton.
enum TMouseBtn { mbLeft, mbRight, mbMiddle };
inline const TTypeInfo& DwTypeInfoOf(TMouseBtn*) {
    static const TTypeInfo& info = MakeEnumTypeInfo("TMouseButton", "mbLeft, mbRight, mbMiddle");
    return info;
}
DW_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
        csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
        csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
        csParentBackground)
DW_SET(TControlStyle, TControlStyleItem)
DW_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
        csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csMouseInside)
DW_SET(TControlState, TControlStateItem)
DW_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
DW_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
DW_ENUM(TDragMode, dmManual, dmAutomatic)
DW_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
DW_ENUM(TDragKind, dkDrag, dkDock)
DW_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
DW_ENUM(TBevelKind, bkNone, bkTile, bkSoft, bkFlat)
DW_ENUM(TBevelEdge, beLeft, beTop, beRight, beBottom)
DW_SET(TBevelEdges, TBevelEdge)
// Form border styles; controls publish their BorderStyle with BorderStyleTypeInfo (bsNone, bsSingle).
DW_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
using TBorderStyle = TFormBorderStyle;
const TTypeInfo& BorderStyleTypeInfo();
// The width of a border or bevel in pixels.
using TBorderWidth = int;
using TBevelWidth = int;
// A named integer type for TabOrder (-1 means none), so property editors can find it.
const TTypeInfo& TabOrderTypeInfo();
// A named string type for captions and hints.
const TTypeInfo& CaptionTypeInfo();

// The anchors each Align value implies.
TAnchors AnchorAlign(TAlign align);

TShiftState KeysToShiftState(WPARAM keys);
// The shift state from a key message's key data (Alt from its context bit; Shift and Ctrl from
// the key state of the message being handled).
TShiftState KeyDataToShiftState(LPARAM keyData);
// Shift, Ctrl, Alt and the mouse buttons as the key state of the current message has them.
TShiftState KeyboardStateToShiftState();

// ---------------------------------------------------------------------------------------------
// Events.

DW_EVENT(TMouseEvent, (TObject*, TMouseBtn, TShiftState, int, int),
         "Sender: TObject; Button: TMouseButton; Shift: TShiftState; X: Integer; Y: Integer");
DW_EVENT(TMouseMoveEvent, (TObject*, TShiftState, int, int),
         "Sender: TObject; Shift: TShiftState; X: Integer; Y: Integer");
DW_EVENT(TKeyEvent, (TObject*, Word&, TShiftState), "Sender: TObject; var Key: Word; Shift: TShiftState");
DW_EVENT(TKeyPressEvent, (TObject*, char32_t&), "Sender: TObject; var Key: Char");
DW_EVENT(TMouseWheelEvent, (TObject*, TShiftState, int, TPoint, bool&),
         "Sender: TObject; Shift: TShiftState; WheelDelta: Integer; MousePos: TPoint; var Handled: Boolean");
DW_EVENT(TMouseWheelUpDownEvent, (TObject*, TShiftState, TPoint, bool&),
         "Sender: TObject; Shift: TShiftState; MousePos: TPoint; var Handled: Boolean");
DW_EVENT(TDragOverEvent, (TObject*, TObject*, int, int, TDragState, bool&),
         "Sender: TObject; Source: TObject; X: Integer; Y: Integer; State: TDragState; var Accept: Boolean");
DW_EVENT(TDragDropEvent, (TObject*, TObject*, int, int), "Sender: TObject; Source: TObject; X: Integer; Y: Integer");
DW_EVENT(TStartDragEvent, (TObject*, TDragObject*&), "Sender: TObject; var DragObject: TDragObject");
DW_EVENT(TEndDragEvent, (TObject*, TObject*, int, int), "Sender: TObject; Target: TObject; X: Integer; Y: Integer");
DW_EVENT(TCanResizeEvent, (TObject*, int&, int&, bool&),
         "Sender: TObject; var NewWidth: Integer; var NewHeight: Integer; var Resize: Boolean");
DW_EVENT(
    TConstrainedResizeEvent, (TObject*, int&, int&, int&, int&),
    "Sender: TObject; var MinWidth: Integer; var MinHeight: Integer; var MaxWidth: Integer; var MaxHeight: Integer");
DW_EVENT(TContextPopupEvent, (TObject*, TPoint, bool&), "Sender: TObject; MousePos: TPoint; var Handled: Boolean");

} // namespace dw
