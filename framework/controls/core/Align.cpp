// Layout of a windowed control's children: Align and Anchors, scaling and mirroring.
#include "framework/controls/core/Controls.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cmath>

namespace dw {

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AdjustClientRect(TRect& rect) const {
    (void)rect;
}

void TWinControl::AlignControl(TControl* control) {
    if (HasState(csDestroying)) return;
    if (FAlignLevel != 0 || HasState(csLoading)) {
        FControlState += csAlignmentNeeded;
        return;
    }
    DisableAlign();
    {
        auto restore = ScopeExit([&] {
            FControlState -= csAlignmentNeeded;
            --FAlignLevel;
        });
        TRect rect = ClientRect();
        AlignControls(control, rect);
    }
}

namespace {

bool ShownForLayout(const TControl* c) {
    if (c->Visible()) return true;
    return c->HasState(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible);
}

} // namespace

// Places the children: first those aligned to the top, bottom, left and right (each group in the
// order of their positions, the control that moved going where it was put), the client-aligned ones in
// what remains, custom ones through CustomAlignPosition, then the anchored ones relative to the
// parent's size when their anchor rules were made.
void TWinControl::AlignControls(TControl* control, TRect& rect) {
    bool work = false;
    for (int i = ControlCount() - 1; i >= 0 && !work; --i) {
        TControl* c = Controls(i);
        work = c->Align() != alNone || c->Anchors() != TAnchors{akLeft, akTop};
    }
    if (!work) return;
    AdjustClientRect(rect);
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone}) DoAlign(a, control, rect);
}

void TWinControl::DoAlign(TAlign align, TControl* control, TRect& rect) {
    auto insertBefore = [&](TControl* c1, TControl* c2) {
        switch (align) {
        case alTop:
            return c1->Top() < c2->Top();
        case alBottom:
            return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
        case alLeft:
            return c1->Left() < c2->Left();
        case alRight:
            return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
        case alCustom:
            return CustomAlignInsertBefore(c1, c2);
        default:
            return false;
        }
    };
    std::vector<TControl*> list;
    if (control && control->Parent() == this && control->Align() == align &&
        (align == alNone || ShownForLayout(control)))
        list.push_back(control);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c == control || c->Align() != align) continue;
        if (align != alNone && !ShownForLayout(c)) continue;
        // The control that moved is first only until the others are placed by position against
        // it; on a tie it wins (it was just put there).
        size_t j = 0;
        while (j < list.size() && !insertBefore(c, list[j])) ++j;
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
    }
    TRect parentClient = ClientRect();
    AdjustClientRect(parentClient);
    for (TControl* c : list) {
        if (align == alNone || c->Anchors() != AnchorAlign(align)) {
            if (c->FOriginalParentSize.X != 0 && c->FOriginalParentSize.Y != 0) {
                int newLeft = c->Left(), newTop = c->Top(), newWidth = c->Width(), newHeight = c->Height();
                TPoint size{parentClient.Width(), parentClient.Height()};
                TAnchors a = c->Anchors();
                if (a.Contains(akRight)) {
                    if (a.Contains(akLeft))
                        newWidth = size.X - (c->FOriginalParentSize.X - c->FAnchorRules.X);
                    else
                        newLeft = size.X - (c->FOriginalParentSize.X - c->FAnchorRules.X);
                } else if (!a.Contains(akLeft)) {
                    newLeft = static_cast<int>(std::lround(static_cast<double>(c->FAnchorRules.X) * size.X /
                                                           c->FOriginalParentSize.X)) -
                              newWidth / 2;
                }
                if (a.Contains(akBottom)) {
                    if (a.Contains(akTop))
                        newHeight = size.Y - (c->FOriginalParentSize.Y - c->FAnchorRules.Y);
                    else
                        newTop = size.Y - (c->FOriginalParentSize.Y - c->FAnchorRules.Y);
                } else if (!a.Contains(akTop)) {
                    newTop = static_cast<int>(std::lround(static_cast<double>(c->FAnchorRules.Y) * size.Y /
                                                          c->FOriginalParentSize.Y)) -
                             newHeight / 2;
                }
                c->SetBoundsByLayout(newLeft, newTop, newWidth, newHeight);
            }
            if (align == alNone) continue;
        }
        int newWidth = rect.Right - rect.Left;
        if (newWidth < 0 || align == alLeft || align == alRight || align == alCustom) newWidth = c->Width();
        int newHeight = rect.Bottom - rect.Top;
        if (newHeight < 0 || align == alTop || align == alBottom || align == alCustom) newHeight = c->Height();
        int newLeft = rect.Left, newTop = rect.Top;
        switch (align) {
        case alTop:
            rect.Top += newHeight;
            break;
        case alBottom:
            rect.Bottom -= newHeight;
            newTop = rect.Bottom;
            break;
        case alLeft:
            rect.Left += newWidth;
            break;
        case alRight:
            rect.Right -= newWidth;
            newLeft = rect.Right;
            break;
        case alCustom:
            newLeft = c->Left();
            newTop = c->Top();
            CustomAlignPosition(c, newLeft, newTop, newWidth, newHeight, rect);
            break;
        default:
            break;
        }
        c->SetBoundsByLayout(newLeft, newTop, newWidth, newHeight);
        // A control that did not take the size asked for (constraints) leaves the rest accordingly.
        if (c->Width() != newWidth || c->Height() != newHeight) {
            switch (align) {
            case alTop:
                rect.Top -= newHeight - c->Height();
                break;
            case alBottom:
                rect.Bottom += newHeight - c->Height();
                break;
            case alLeft:
                rect.Left -= newWidth - c->Width();
                break;
            case alRight:
                rect.Right += newWidth - c->Width();
                break;
            case alClient:
                rect.Right += newWidth - c->Width();
                rect.Bottom += newHeight - c->Height();
                break;
            default:
                break;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------

void TWinControl::ChangeScale(int m, int d) {
    DisableAlign();
    {
        auto restore = ScopeExit([&] { EnableAlign(); });
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(m, d);
        TControl::ChangeScale(m, d);
    }
}

void TWinControl::ScaleBy(int m, int d) {
    if (m == d || d == 0) return;
    bool wasVisible = FHandle && IsWindowVisible(FHandle);
    constexpr UINT keep = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (wasVisible) SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW);
    TRect r = BoundsRect();
    {
        auto restore = ScopeExit([&] {
            if (wasVisible) SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        });
        ChangeScale(m, d);
        SetBounds(r.Left, r.Top, FWidth, FHeight);
    }
}

void TWinControl::FlipChildren(bool allLevels) {
    if (ControlCount() == 0) return;
    DisableAlign();
    {
        auto restore = ScopeExit([&] { EnableAlign(); });
        DoFlipChildren();
        if (allLevels)
            for (TWinControl* c : std::vector<TWinControl*>(FWinControls)) c->FlipChildren(true);
    }
}

void TWinControl::DoFlipChildren() {
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    for (TControl* c : children) c->FlipPosition();
}

} // namespace dw
