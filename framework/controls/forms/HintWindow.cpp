// THintWindow: the pop-up that shows a control's hint.
#include "framework/controls/forms/Forms.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

namespace dw {

DW_DEFINE_CLASS(THintWindow) {}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    FColor = clInfoBk;
    FBrush->SetColor(FColor);
    FParentColor = false;
    FParentFont = false;
    if (Screen) FFont->Assign(Screen->HintFont());
    FFont->SetColor(clInfoText);
    FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
    params.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint, void* data) {
    (void)data;
    TRect r{0, 0, maxWidth, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FFont->Handle());
    DrawText(dc, hint, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // Room for the border and a small margin around the text.
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const String& hint) {
    FActivating = true;
    {
        auto restore = ScopeExit([&] { FActivating = false; });
        SetCaption(hint);
        HWND h = Handle();
        SetWindowPos(h, HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        UpdateBounds();
        Invalidate();
        Update();
    }
}

void THintWindow::ActivateHintData(TRect rect, const String& hint, void* data) {
    (void)data;
    ActivateHint(rect, hint);
}

bool THintWindow::IsHintMsg(const TMsg& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_ACTIVATE:
    case WM_CANCELMODE:
        return HandleAllocated() && IsWindowVisible(FHandle);
    default:
        return false;
    }
}

void THintWindow::ReleaseHandle() {
    DestroyHandle();
}

bool THintWindow::EraseBackground(HDC dc) {
    (void)dc;
    // Paint fills the whole window.
    return true;
}

void THintWindow::Paint() {
    TRect r = ClientRect();
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(r);
    r = r.Inflate(-2, -1);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->SetColor(FFont->Color());
    Canvas()->TextRect(r, Caption(), {tfLeft, tfWordBreak, tfNoPrefix});
}

void THintWindow::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_NCHITTEST:
        message.Result = HTTRANSPARENT;
        break;
    case WM_MOUSEACTIVATE:
        message.Result = MA_NOACTIVATEANDEAT;
        break;
    default:
        TCustomControl::Dispatch(message);
        break;
    }
}

} // namespace dw
