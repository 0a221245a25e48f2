// Message interception for designed controls, hit resolution, the paint hook, corner marks and
// the background grid.
#include "designer/FormDesigner.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/GdiHandle.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

namespace dw {

namespace {

constexpr UINT WM_NCLAST_MOUSE = 0x00AD;
constexpr COLORREF GridDotColor = 0x808080;

bool IsDefaultCursor() {
    HCURSOR current = GetCursor();
    return !current || !Screen || current == Screen->Cursors(crDefault);
}

} // namespace

bool TzCustomFormDesigner::OnSurface(TControl* sender) const {
    if (!FDesignWindow || !sender) return false;
    if (DesignForm() == FDesignWindow) return true;
    if (sender == FDesignWindow || sender->Owner() == this) return true;
    return FDesignWindow->ContainsControl(sender);
}

bool TzCustomFormDesigner::HandleDesignMessage(TControl* sender, TMessage& message) {
    if (!FActive || !sender) return false;
    const UINT msg = message.Msg;
    TCustomForm* form = DesignForm();

    if (msg == CM_FOCUSCHANGED) return true;
    if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCLAST_MOUSE && sender == form && FDesignSurface) return true;

    if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
        if (!OnSurface(sender)) return false;
        LRESULT wants = sender->Perform(CM_DESIGNHITTEST, message.WParam, message.LParam);
        if (wants != 0 && msg <= WM_LBUTTONDBLCLK) return false;
        bool rightButton = msg >= WM_RBUTTONDOWN && msg <= WM_RBUTTONDBLCLK;
        if (!rightButton && !IsDefaultCursor() && !FDragging) return false;
        return DefaultHandleMessage(sender, message);
    }

    switch (msg) {
    case WM_DESTROY:
        // A window being remade (after a deactivation posted it, possibly once the designer was
        // active again) is not the form going away.
        if (sender == form && !form->Recreating()) {
            FWindowDestroying = true;
            {
                auto restore = ScopeExit([&] { FWindowDestroying = false; });
                SetActiveValue(false);
            }
        }
        return false;
    case WM_MOVE:
        if (sender == form && FDesignSurface && FDesignSurface->Form() == form) {
            FDesignSurface->UpdateScrollBars();
            RefreshStaticGuidelines();
        }
        return false;
    case WM_ACTIVATE:
        DesignerManager().SetActiveDesigner(this);
        return false;
    case WM_KILLFOCUS:
        ClearGuidelines();
        HideHint();
        return false;
    case WM_PAINT:
        return PaintDesignedControl(sender, message);
    case WM_CLOSE:
        if (sender != form) return DefaultHandleMessage(sender, message);
        if ((!Application || Application->MainForm() != form) && !FCloseDisactive) {
            if (form->HandleAllocated()) ShowWindow(form->Handle(), SW_HIDE);
            OnFormClosed(this);
            return true;
        }
        SetActiveValue(false);
        return false;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
        CancelDrag();
        return false;
    case WM_MOUSEACTIVATE:
        if (!FDesignSurface) return DefaultHandleMessage(sender, message);
        message.Result = MA_NOACTIVATE;
        return true;
    case WM_WINDOWPOSCHANGED:
        if ((FSelection.size() == 1 && FSelection[0] == sender && !FDragging) || sender == form || sender == FRoot) {
            auto* win = As<TWinControl>(sender);
            if (!win)
                sender->Perform(DM_REFRESHAFTERMOVE, 0, 0);
            else if (win->HandleAllocated())
                PostMessage(win->Handle(), DM_REFRESHAFTERMOVE, 0, 0);
        }
        return false;
    case WM_NCHITTEST:
        if (sender != form || !FDesignSurface) return DefaultHandleMessage(sender, message);
        {
            TPoint p = form->ScreenToClient(PointFromLParam(message.LParam));
            message.Result = form->ClientRect().Contains(p) ? HTCLIENT : HTCAPTION;
        }
        return true;
    case WM_MOVING:
        if (sender != form || !FDesignSurface || FDesignSurface->Form() != form)
            return DefaultHandleMessage(sender, message);
        if (auto* rect = TWMMoving(message).DragRect()) FDesignSurface->AdjustFormRect(*rect);
        message.Result = 1;
        RefreshStaticGuidelines();
        return true;
    case CM_ACTIVATE:
        if (sender == form && form->HasState(csDesigning)) DesignerManager().SetActiveDesigner(this);
        return false;
    case CM_HITTEST:
        if (sender == FDesignWindow) return false;
        message.Result = 1;
        return true;
    case DM_REFRESHAFTERMOVE:
        RefreshAfterMove(sender);
        return false;
    case CM_RECREATEWND:
        // The remake an earlier deactivation posted, arriving once the form is designed again: its
        // window is right for designing as it is, and remade in design state a document would
        // lose its place in the multiple-document frame.
        return sender == form && message.WParam == RecreateAfterDesign;
    default:
        return DefaultHandleMessage(sender, message);
    }
}

void TzCustomFormDesigner::RefreshAfterMove(TControl* sender) {
    auto* frame = As<TCustomFrame>(FRoot);
    if (sender == FRoot && frame && FHostForm) {
        FHostForm->SetClientSize(frame->Width(), frame->Height());
    } else if (sender == DesignForm() && FDesignSurface) {
        FDesignSurface->UpdateScrollBars();
        FDesignSurface->Repaint();
    }
    if (!FTextEditing) UpdateMarkers();
    ++FRefreshCount;
}

// ---------------------------------------------------------------------------------------------
// Hit resolution

TControl* TzCustomFormDesigner::ChildAtPoint(TWinControl* container, TPoint point) {
    if (!container) return nullptr;
    auto hit = [&](TControl* child) {
        if (!child->BoundsRect().Contains(point)) return false;
        if (child->HasState(csDesigning) && child->DesignVisible()) return true;
        if (!child->Visible()) return false;
        TPoint local{point.X - child->Left(), point.Y - child->Top()};
        return child->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
    };
    for (int i = container->WinControlCount() - 1; i >= 0; --i) {
        TWinControl* child = container->WinControls(i);
        if (!hit(child)) continue;
        TPoint inner = child->ScreenToClient(container->ClientToScreen(point));
        TControl* deeper = ChildAtPoint(child, inner);
        return deeper ? deeper : child;
    }
    for (int i = container->GraphicControlCount() - 1; i >= 0; --i) {
        TControl* child = container->Controls(i);
        if (hit(child)) return child;
    }
    return nullptr;
}

TControl* TzCustomFormDesigner::ControlAtPoint(TWinControl* container, TPoint point) {
    if (!container) return nullptr;
    if (TControl* marker = FSelMarker->MarkerAt(container->ClientToScreen(point))) return marker;
    TControl* result = ChildAtPoint(container, point);
    if (auto* win = As<TWinControl>(result)) {
        TControl* inner = ControlAtPoint(win, win->ScreenToClient(container->ClientToScreen(point)));
        if (inner) return inner;
    }
    return result;
}

TControl* TzCustomFormDesigner::DesignedAncestor(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c->Owner() && (c->Owner() == FRoot || c->Owner() == this)) return c;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TzCustomFormDesigner::PaintDesignedControl(TControl* control, TMessage& message) {
    auto* win = As<TWinControl>(control);
    bool cornerMarks = FSelection.size() >= 2 && !FDragging && FSelMarker->DrawMultSel() &&
                       (!FSelMarker->Local() || IsSelected(control));
    bool controlGrid =
        FDisplayControlGrid && !As<TDataModule>(FRoot) && win && win->ControlStyle().Contains(csAcceptsControls);
    if (!cornerMarks && !controlGrid && !OnDrawControl.Assigned()) return false;

    HDC dc = TWMPaint(message).DC();
    PAINTSTRUCT ps{};
    bool begun = false;
    if (!dc && win) {
        dc = BeginPaint(win->Handle(), ps);
        begun = true;
        if (controlGrid) DrawGrid(win, dc);
        SelectClipRgn(dc, nullptr);
        TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        win->PaintHandler(paint);
        SelectClipRgn(dc, nullptr);
    }
    if (cornerMarks && dc) DrawCornerMarks(control, dc);
    OnDrawControl(this, control, dc);
    if (!begun) return false;
    EndPaint(win->Handle(), ps);
    return true;
}

void TzCustomFormDesigner::DrawCornerMarks(TControl* control, HDC dc) {
    auto drawMarks = [dc](const TRect& r) {
        const TRect squares[4] = {Bounds(r.Left, r.Top, 5, 5), Bounds(r.Right - 5, r.Top, 5, 5),
                                  Bounds(r.Left, r.Bottom - 5, 5, 5), Bounds(r.Right - 5, r.Bottom - 5, 5, 5)};
        TGdiHandle brush(CreateSolidBrush(GridDotColor));
        for (const TRect& square : squares) {
            if (!RectVisible(dc, &square)) continue;
            FillRect(dc, &square, brush);
            ExcludeClipRect(dc, square.Left, square.Top, square.Right, square.Bottom);
        }
    };
    if (FSelMarker->Local()) {
        drawMarks(control->ClientRect());
        return;
    }
    for (TControl* selected : FSelection) {
        TPoint origin = control->ScreenToClient(selected->ClientToScreen(TPoint{0, 0}));
        drawMarks(Bounds(origin.X, origin.Y, selected->ClientWidth(), selected->ClientHeight()));
    }
}

TBitmap* TzCustomFormDesigner::NeededGridBitmap(TSize size) {
    TCustomForm* form = DesignForm();
    int width = form ? form->ClientWidth() : 0;
    int height = form ? form->ClientHeight() : 0;
    if (FGridBitmap && FGridBitmap->Width() >= size.cx && FGridBitmap->Height() >= size.cy) return FGridBitmap.get();
    width = std::max(width, size.cx);
    height = std::max(height, size.cy);
    FGridBitmap.reset(New<TBitmap>(std::max(width, 1), std::max(height, 1)));
    TCanvas* canvas = FGridBitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, FGridBitmap->Width(), FGridBitmap->Height()});
    HDC dc = canvas->Handle();
    // A step below one would never advance.
    if (FGridStepX > 0 && FGridStepY > 0)
        for (int y = FGridStepY; y <= height; y += FGridStepY)
            for (int x = FGridStepX; x <= width; x += FGridStepX) SetPixelV(dc, x, y, GridDotColor);
    return FGridBitmap.get();
}

void TzCustomFormDesigner::DrawGrid(TControl* control, HDC dc) {
    if (!control || !dc) return;
    int width = control->ClientWidth();
    int height = control->ClientHeight();
    if (width <= 0 || height <= 0) return;
    TBitmap* grid = NeededGridBitmap(TSize{width, height});
    TransparentBlt(dc, 0, 0, width, height, grid->Canvas()->Handle(), 0, 0, width, height, 0xFFFFFF);
}

void TzCustomFormDesigner::PaintFormGrid() {
    TCustomForm* form = DesignForm();
    if (!form || !FDisplayGrid || form != FDesignWindow || As<TDataModule>(FRoot)) return;
    DrawGrid(form, form->Canvas()->Handle());
}

} // namespace dw
