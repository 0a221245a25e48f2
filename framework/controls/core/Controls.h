// The control core: framework messages (CM_*, CN_*) and the message record with its typed views,
// TControl, TWinControl, TGraphicControl, TCustomControl and TControlCanvas, size constraints,
// the control's action link, drag and drop objects, and the mouse object.
//
// Messages. Every message a control handles goes through its WindowProc (by default WndProc):
//   platform window procedure -> MainWndProc -> WindowProc -> WndProc -> Dispatch -> handler
//   Perform(msg, w, l)        ->                WindowProc -> ...
// WndProc's first act for a control in design state is to offer the message to the designer hook
// of its parent form (IsDesignMsg); a message the hook takes goes no further. Dispatch is a switch
// in each class: a handler passes a message on to the inherited handling with
// `inherited::Dispatch(message)`; what no class handles reaches DefaultHandler, which for a
// windowed control is the window class's procedure (DefWindowProc for the framework's classes).
// An exception raised while a window message is handled is caught in MainWndProc and shown by
// Application->HandleException; it never unwinds into the windowing core.
//
// Non-windowed controls (TGraphicControl) get their mouse messages from their parent, which
// forwards each mouse message to the child under the mouse (or the one that captured it) with the
// point converted to the child's client coordinates, and their paint messages as
// WM_PAINT with the parent's DC (origin moved to the child, clipped to it) in WPARAM.
#pragma once

#include "framework/controls/core/Control.h"
#include "framework/controls/core/ControlCanvas.h"
#include "framework/controls/core/ControlMessages.h"
#include "framework/controls/core/ControlTypes.h"
#include "framework/controls/core/ControlsPublish.h"
#include "framework/controls/core/CustomControl.h"
#include "framework/controls/core/DragDrop.h"
#include "framework/controls/core/GraphicControl.h"
#include "framework/controls/core/Mouse.h"
#include "framework/controls/core/WinControl.h"
