#include "framework/controls/menus/MenuTracker.h"

#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/GdiHandle.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/NonClient.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <initializer_list>
#include <map>

namespace dw {

namespace {

// ---------------------------------------------------------------------------------------------
// Drawing helpers

void FillSolid(HDC dc, const TRect& r, COLORREF color) {
    TGdiHandle brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush);
}

// A small picture given as rows of '#' (set) and '.' (clear), drawn in color.
void DrawGlyph(HDC dc, int x, int y, std::initializer_list<const char*> rows, COLORREF color) {
    int dy = 0;
    for (const char* row : rows) {
        for (int dx = 0; row[dx]; ++dx)
            if (row[dx] == '#') SetPixelV(dc, x + dx, y + dy, color);
        ++dy;
    }
}

void DrawCheck(HDC dc, const TRect& r, COLORREF color) {
    DrawGlyph(dc, r.Left + (r.Width() - 7) / 2, r.Top + (r.Height() - 7) / 2,
              {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}, color);
}

void DrawBullet(HDC dc, const TRect& r, COLORREF color) {
    DrawGlyph(dc, r.Left + (r.Width() - 6) / 2, r.Top + (r.Height() - 6) / 2,
              {"..##..", ".####.", "######", "######", ".####.", "..##.."}, color);
}

void DrawSubMenuArrow(HDC dc, const TRect& r, COLORREF color) {
    DrawGlyph(dc, r.Left + (r.Width() - 4) / 2, r.Top + (r.Height() - 7) / 2,
              {"#...", "##..", "###.", "####", "###.", "##..", "#..."}, color);
}

// A DC of a window (or the screen) with a canvas carrying the menu font; both released at the
// end of the scope.
class TMenuDC {
public:
    TMenuDC(HWND window, bool wholeWindow, HDC given = nullptr) : FWindow(window), FOwned(!given) {
        FDC = given ? given : wholeWindow ? GetWindowDC(window) : GetDC(window);
        FCanvas = MakeObject<TCanvas>();
        FCanvas->SetHandle(FDC);
        if (Screen && Screen->MenuFont()) FCanvas->Font()->Assign(Screen->MenuFont());
        FNormalStyle = FCanvas->Font()->Style();
    }
    ~TMenuDC() {
        FCanvas->SetHandle(nullptr);
        if (FOwned) ReleaseDC(FWindow, FDC);
    }
    TMenuDC(const TMenuDC&) = delete;
    TMenuDC& operator=(const TMenuDC&) = delete;

    TCanvas* Canvas() const { return FCanvas.get(); }
    // The DC with the menu font (bold when asked) selected and text drawn without a background.
    HDC Text(bool bold) {
        FCanvas->Font()->SetStyle(bold ? FNormalStyle + fsBold : FNormalStyle);
        HDC dc = FCanvas->Handle();
        SetBkMode(dc, TRANSPARENT);
        return dc;
    }
    HDC Handle() const { return FDC; }

private:
    HWND FWindow;
    bool FOwned;
    HDC FDC;
    TObjectPtr<TCanvas> FCanvas;
    TFontStyles FNormalStyle;
};

// Menu text in rect: greyed with a white shadow when disabled (just grey on a highlight).
void DrawMenuText(TMenuDC& dc, const String& text, TRect r, UINT format, bool enabled, bool selected, bool bold) {
    HDC h = dc.Text(bold);
    if (!enabled) {
        if (!selected) {
            SetTextColor(h, GetSysColor(COLOR_BTNHIGHLIGHT));
            TRect shadow = r.Offset(1, 1);
            DrawText(h, text, &shadow, format);
        }
        SetTextColor(h, GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_BTNSHADOW));
    } else {
        SetTextColor(h, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    DrawText(h, text, &r, format);
}

bool IsSubMenu(const TMenuItem* item) {
    for (int i = 0; i < item->Count(); ++i)
        if (item->Items(i)->Visible()) return true;
    return false;
}

TSize ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// ---------------------------------------------------------------------------------------------
// Bars of forms

// Tells the bars when their forms go.
class TMenuBarWatcher : public TComponent {
    DW_CLASS(TMenuBarWatcher, TComponent)
    using TComponent::TComponent;
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove)
            if (auto* form = As<TCustomForm>(component)) TFormMenuBar::FormFreed(form);
    }
};

TMenuBarWatcher* Watcher() {
    // Lives as long as the program: it watches forms that may be freed at any time before exit.
    static TMenuBarWatcher* watcher = New<TMenuBarWatcher>(nullptr);
    return watcher;
}

std::map<TCustomForm*, std::shared_ptr<TFormMenuBar>>& Bars() {
    static std::map<TCustomForm*, std::shared_ptr<TFormMenuBar>> bars;
    return bars;
}

TMenuTracker* gActiveTracker = nullptr;

constexpr const char* DropDownClass = "DwMenuDropDown";

} // namespace

DW_DEFINE_CLASS(TMenuBarWatcher) {}

// ---------------------------------------------------------------------------------------------
// Metrics

int MenuTextWidth(const String& text, bool bold) {
    TMenuDC dc(nullptr, false);
    TRect r{0, 0, 0, 0};
    DrawText(dc.Text(bold), text, &r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width();
}

TMenuMetrics TMenuMetrics::For(TCustomImageList* images) {
    TMenuMetrics m;
    {
        TMenuDC dc(nullptr, false);
        TEXTMETRIC tm;
        GetTextMetrics(dc.Text(false), &tm);
        m.TextHeight = tm.tmHeight;
    }
    int imageWidth = images ? images->Width() : 16;
    int imageHeight = images ? images->Height() : 0;
    m.BarRowHeight = std::max(GetSystemMetrics(SM_CYMENU), m.TextHeight + 6);
    m.ItemHeight = std::max({m.TextHeight + 6, imageHeight + 4, 17});
    m.Gutter = std::max(imageWidth, 16) + 4;
    return m;
}

// ---------------------------------------------------------------------------------------------
// TFormMenuBar

TFormMenuBar::TFormMenuBar(TCustomForm* form) : FForm(form) {}

TFormMenuBar* TFormMenuBar::Of(TCustomForm* form, bool create) {
    if (!form) return nullptr;
    auto it = Bars().find(form);
    if (it != Bars().end()) return it->second.get();
    if (!create || form->HasState(csDestroying)) return nullptr;
    auto bar = std::make_shared<TFormMenuBar>(form);
    Bars()[form] = bar;
    Watcher()->FreeNotification(form);
    // The hook stays for the form's life; it holds the bar, so a message arriving while the form
    // is being destroyed still finds it (and passes the message on).
    TWndMethod previous = form->WindowProc;
    form->WindowProc = [bar, previous](TMessage& message) { bar->WndProc(message, previous); };
    if (form->HandleAllocated() && bar->Menu()) bar->FrameChanged();
    return bar.get();
}

std::vector<TFormMenuBar*> TFormMenuBar::All() {
    std::vector<TFormMenuBar*> result;
    for (auto& [form, bar] : Bars()) result.push_back(bar.get());
    return result;
}

void TFormMenuBar::AttachMenuForms(TMainMenu* menu) {
    if (!Screen) return;
    for (int i = 0; i < Screen->CustomFormCount(); ++i) {
        TCustomForm* form = Screen->CustomForms(i);
        if (form->Menu() == menu && !Of(form, false)) Of(form, true);
    }
}

void TFormMenuBar::FormFreed(TCustomForm* form) {
    auto it = Bars().find(form);
    if (it == Bars().end()) return;
    TFormMenuBar* bar = it->second.get();
    if (gActiveTracker && gActiveTracker->Menu() && bar->Shown()) gActiveTracker->Cancel();
    bar->FForm = nullptr;
    Bars().erase(it);
}

TMainMenu* TFormMenuBar::Menu() const {
    if (!FForm || FForm->HasState(csDestroying) || FForm->FormStyle() == fsMDIChild) return nullptr;
    return As<TMainMenu>(FForm->Menu());
}

TRect TFormMenuBar::BarScreenRect() const {
    if (!FForm || !FForm->HandleAllocated()) return {};
    TRect window = GetWindowRect(FForm->Handle());
    return FBarRect.Offset(window.Left, window.Top);
}

TRect TFormMenuBar::ItemScreenRect(int index) const {
    if (!FForm || !FForm->HandleAllocated() || index < 0 || index >= static_cast<int>(FItemRects.size())) return {};
    TRect window = GetWindowRect(FForm->Handle());
    return FItemRects[static_cast<size_t>(index)].Offset(window.Left, window.Top);
}

int TFormMenuBar::HitTest(TPoint screenPos) const {
    if (!FForm || !FForm->HandleAllocated()) return -1;
    TRect window = GetWindowRect(FForm->Handle());
    TPoint p = screenPos - window.TopLeft();
    for (size_t i = 0; i < FItemRects.size(); ++i)
        if (FItemRects[i].Contains(p)) return static_cast<int>(i);
    return -1;
}

int TFormMenuBar::Arrange(const TMainMenu* menu, int left, int top, int width,
                          std::vector<std::pair<TMenuItem*, TRect>>* placed) {
    if (!menu) return 0;
    TMenuMetrics m = TMenuMetrics::For(nullptr);
    int x = left, y = top;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        if (!item->Visible()) continue;
        int w = MenuTextWidth(item->Caption(), item->Default()) + 2 * m.BarItemPadding;
        // Items that do not fit go on another row (an item wider than the bar gets one to itself).
        if (x + w > left + width && x > left) {
            x = left;
            y += m.BarRowHeight;
        }
        if (placed) placed->emplace_back(item, TRect{x, y, x + w, y + m.BarRowHeight});
        x += w;
    }
    return y - top + m.BarRowHeight;
}

HWND TFormMenuBar::MaximizedDocument() const {
    if (!FForm || FForm->FormStyle() != fsMDIForm || !FForm->ClientHandle()) return nullptr;
    bool maximized = false;
    auto document = reinterpret_cast<HWND>(
        SendMessage(FForm->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return maximized && IsWindowVisible(document) ? document : nullptr;
}

int TFormMenuBar::Layout(int left, int top, int width) {
    FItems.clear();
    FItemRects.clear();
    for (TRect& part : FDocumentParts) part = {};
    FDocument = nullptr;
    TMainMenu* menu = Menu();
    if (!menu) {
        FBarRect = {};
        return 0;
    }
    // A maximized document has no caption of its own: its icon goes to the bar's left end and
    // its buttons to the right end of the first row.
    int itemsLeft = left, itemsRight = left + width;
    if (HWND document = MaximizedDocument()) {
        FDocument = document;
        auto style = static_cast<DWORD>(GetWindowLongPtr(document, GWL_STYLE));
        int row = TMenuMetrics::For(nullptr).BarRowHeight;
        int bw = row, bh = row - 4, y = top + 2;
        auto part = [&](TMenuDocumentPart which) -> TRect& { return FDocumentParts[static_cast<int>(which)]; };
        if (style & WS_SYSMENU) {
            part(TMenuDocumentPart::Icon) = {left, top, left + row, top + row};
            itemsLeft += row;
            itemsRight -= 2;
            part(TMenuDocumentPart::Close) = {itemsRight - bw, y, itemsRight, y + bh};
            itemsRight -= bw + 2;
        }
        if (style & WS_MAXIMIZEBOX) {
            part(TMenuDocumentPart::Restore) = {itemsRight - bw, y, itemsRight, y + bh};
            itemsRight -= bw;
        }
        if (style & WS_MINIMIZEBOX) {
            part(TMenuDocumentPart::Minimize) = {itemsRight - bw, y, itemsRight, y + bh};
            itemsRight -= bw;
        }
    }
    std::vector<std::pair<TMenuItem*, TRect>> placed;
    int height = Arrange(menu, itemsLeft, top, std::max(itemsRight - itemsLeft, 1), &placed);
    for (auto& [item, rect] : placed) {
        FItems.push_back(item);
        FItemRects.push_back(rect);
    }
    FBarRect = {left, top, left + width, top + height};
    FLastWidth = width;
    return height;
}

void TFormMenuBar::FrameChanged() {
    if (!FForm || !FForm->HandleAllocated()) return;
    SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormMenuBar::Refresh() {
    if (!FForm || !FForm->HandleAllocated()) return;
    bool shown = !FBarRect.IsEmpty();
    if (!Menu() || !shown) {
        // Appearing or going: the frame changes.
        if (Menu() || shown) FrameChanged();
        return;
    }
    int oldHeight = FBarRect.Height();
    if (Layout(FBarRect.Left, FBarRect.Top, FLastWidth) != oldHeight)
        FrameChanged();
    else
        Paint();
}

void TFormMenuBar::SetState(int selected, bool dropped) {
    if (selected == FSelected && dropped == FDropped) return;
    FSelected = selected;
    FDropped = dropped;
    Paint();
}

void TFormMenuBar::Paint() {
    if (!FForm || !FForm->HandleAllocated() || FBarRect.IsEmpty() || !Menu()) return;
    TMenuDC dc(FForm->Handle(), true);
    FillSolid(dc.Handle(), FBarRect, GetSysColor(COLOR_MENU));
    for (size_t i = 0; i < FItems.size(); ++i) {
        TMenuItem* item = FItems[i];
        TRect r = FItemRects[i];
        bool selected = static_cast<int>(i) == FSelected;
        if (selected) {
            TRect edge = r;
            DrawEdge(dc.Handle(), &edge, FDropped ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        TRect text = selected && FDropped ? r.Offset(1, 1) : r;
        DrawMenuText(dc, item->Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, item->Enabled(), false,
                     item->Default());
    }
    PaintDocumentParts(dc.Handle());
}

void TFormMenuBar::PaintDocumentParts(HDC dc) {
    if (!FDocument) return;
    const TRect& icon = FDocumentParts[static_cast<int>(TMenuDocumentPart::Icon)];
    if (!icon.IsEmpty()) {
        // The document's window glyph, as on a document caption.
        int side = std::min({icon.Width(), icon.Height(), 16}) - 2;
        TRect glyph = Bounds(icon.Left + (icon.Width() - side) / 2, icon.Top + (icon.Height() - side) / 2, side, side);
        FillRect(dc, &glyph, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(dc, &glyph, GetSysColorBrush(COLOR_WINDOWTEXT));
        TRect bar{glyph.Left, glyph.Top, glyph.Right, glyph.Top + 3};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    }
    const std::pair<TMenuDocumentPart, UINT> buttons[] = {{TMenuDocumentPart::Minimize, DFCS_CAPTIONMIN},
                                                          {TMenuDocumentPart::Restore, DFCS_CAPTIONRESTORE},
                                                          {TMenuDocumentPart::Close, DFCS_CAPTIONCLOSE}};
    for (auto [which, kind] : buttons) {
        TRect r = FDocumentParts[static_cast<int>(which)];
        if (r.IsEmpty()) continue;
        bool pushed = FPressedPart == static_cast<int>(which) && FPressedDown;
        DrawFrameControl(dc, &r, DFC_CAPTION, kind | (pushed ? DFCS_PUSHED : 0u));
    }
}

TRect TFormMenuBar::DocumentPartScreenRect(TMenuDocumentPart part) const {
    const TRect& r = FDocumentParts[static_cast<int>(part)];
    if (!FForm || !FForm->HandleAllocated() || !FDocument || r.IsEmpty()) return {};
    TRect window = GetWindowRect(FForm->Handle());
    return r.Offset(window.Left, window.Top);
}

int TFormMenuBar::DocumentPartAt(TPoint screenPos) const {
    if (!FDocument) return -1;
    for (int i = 0; i < 4; ++i)
        if (DocumentPartScreenRect(static_cast<TMenuDocumentPart>(i)).Contains(screenPos)) return i;
    return -1;
}

namespace {

constexpr WPARAM DocumentCommands[] = {0, SC_MINIMIZE, SC_RESTORE, SC_CLOSE};

// The document's window menu, opened from its icon in the frame's bar.
void RunDocumentMenu(HWND document, TPoint at) {
    TObjectPtr<TPopupMenu> menu(New<TPopupMenu>(nullptr));
    const struct {
        const char* Caption;
        WPARAM Command;
        TShortCut Key;
    } entries[] = {{"&Restore", SC_RESTORE, 0},
                   {"Mi&nimize", SC_MINIMIZE, 0},
                   {"&Close", SC_CLOSE, ShortCut(VK_F4, {ssCtrl})},
                   {"Nex&t", SC_NEXTWINDOW, ShortCut(VK_F6, {ssCtrl})}};
    for (const auto& entry : entries) {
        auto* item = New<TMenuItem>(menu.get());
        item->SetCaption(entry.Caption);
        item->SetShortCut(entry.Key);
        item->SetTag(static_cast<std::intptr_t>(entry.Command));
        item->SetDefault(entry.Command == SC_CLOSE);
        menu->Items()->Add(item);
    }
    TMenuItem* chosen = nullptr;
    {
        TObjectPtr<TMenuTracker> tracker(New<TMenuTracker>(menu.get()));
        chosen = tracker->RunPopup(menu->Items(), at, paLeft);
    }
    if (chosen && IsWindow(document)) SendMessage(document, WM_SYSCOMMAND, static_cast<WPARAM>(chosen->Tag()), 0);
}

} // namespace

bool TFormMenuBar::TrackDocumentButton(TMessage& message) {
    auto over = [&] {
        TPoint p = PointFromLParam(message.LParam);
        ClientToScreen(FForm->Handle(), p);
        return DocumentPartAt(p) == FPressedPart;
    };
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (over() != FPressedDown) {
            FPressedDown = !FPressedDown;
            Paint();
        }
        message.Result = 0;
        return true;
    case WM_LBUTTONUP: {
        bool chosen = over();
        int part = FPressedPart;
        FPressedPart = -1;
        FPressedDown = false;
        ReleaseCapture();
        Paint();
        if (chosen && IsWindow(FDocument)) SendMessage(FDocument, WM_SYSCOMMAND, DocumentCommands[part], 0);
        message.Result = 0;
        return true;
    }
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        FPressedPart = -1;
        FPressedDown = false;
        Paint();
        return false;
    default:
        return false;
    }
}

void TFormMenuBar::WndProc(TMessage& message, const TWndMethod& previous) {
    TMainMenu* menu = Menu();
    if (FPressedPart >= 0 && FForm && FForm->HandleAllocated() && TrackDocumentButton(message)) return;
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        // The bar's rows depend on the new width; the platform keeps the room they need in the
        // frame, below the caption and above the client edge and the scroll bars.
        if (!message.LParam || !FForm || !FForm->HandleAllocated()) break;
        HWND hwnd = FForm->Handle();
        if (!menu || (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MINIMIZE)) {
            FBarRect = {};
            FItems.clear();
            FItemRects.clear();
            SetMenuBarHeight(hwnd, 0, false);
            break;
        }
        TRect window = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0];
        TNonClientLayout frame = GetNonClientLayout(hwnd, window.Width(), window.Height());
        SetMenuBarHeight(hwnd, Layout(frame.MenuBar.Left, frame.MenuBar.Top, frame.MenuBar.Width()), false);
        break;
    }
    case WM_NCHITTEST:
        if (menu && !FBarRect.IsEmpty() && BarScreenRect().Contains(PointFromLParam(message.LParam))) {
            message.Result = HTMENU;
            return;
        }
        break;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SETTEXT:
        // Each repaints the frame, the bar's place included (activation changes when a modal
        // dialog comes and goes): the bar is drawn again on top.
        previous(message);
        if (FForm && Menu() && FForm->HandleAllocated()) Paint();
        return;
    case WM_NCLBUTTONDOWN:
        if (menu && message.WParam == HTMENU) {
            message.Result = 0;
            TPoint at = PointFromLParam(message.LParam);
            int part = DocumentPartAt(at);
            if (part == static_cast<int>(TMenuDocumentPart::Icon)) {
                if (!TMenuTracker::Active()) {
                    TRect icon = DocumentPartScreenRect(TMenuDocumentPart::Icon);
                    RunDocumentMenu(FDocument, TPoint{icon.Left, icon.Bottom});
                }
                return;
            }
            if (part > 0) {
                FPressedPart = part;
                FPressedDown = true;
                SetCapture(FForm->Handle());
                Paint();
                return;
            }
            int index = HitTest(at);
            if (index >= 0 && !FForm->HasState(csDesigning) && !TMenuTracker::Active()) {
                // Keep the bar alive through the loop, even if its form goes meanwhile.
                std::shared_ptr<TFormMenuBar> self = Bars().find(FForm)->second;
                menu->RunBar(this, index, true, false, true);
            }
            return;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (menu && message.WParam == HTMENU) {
            message.Result = 0;
            // A double click on the document's icon closes it, as on its own caption.
            if (DocumentPartAt(PointFromLParam(message.LParam)) == static_cast<int>(TMenuDocumentPart::Icon) &&
                IsWindow(FDocument))
                SendMessage(FDocument, WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
        }
        break;
    case WM_CANCELMODE:
        if (TMenuTracker* tracker = TMenuTracker::Active(); tracker && FForm && tracker->BarForm() == FForm)
            tracker->Cancel();
        break;
    default:
        break;
    }
    previous(message);
}

// ---------------------------------------------------------------------------------------------
// Drop-down windows

namespace {

LRESULT DropDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, ps);
        if (gActiveTracker) gActiveTracker->PaintLevel(hwnd, dc);
        EndPaint(hwnd, ps);
        return 0;
    }
    case WM_CANCELMODE:
        if (gActiveTracker) gActiveTracker->Cancel();
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void RegisterDropDownClass() {
    WNDCLASS existing;
    if (GetClassInfo(DropDownClass, existing)) return;
    WNDCLASS wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = &DropDownProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = DropDownClass;
    RegisterClass(wc);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TMenuTracker

DW_DEFINE_CLASS(TMenuTracker) {}

TMenuTracker::TMenuTracker(TMenu* menu) : TComponent(nullptr), FMenu(menu) {
    if (menu) FreeNotification(menu);
}

TMenuTracker::~TMenuTracker() = default;

void TMenuTracker::BeforeDestruction() {
    CloseLevels(0);
    if (gActiveTracker == this) gActiveTracker = nullptr;
    TComponent::BeforeDestruction();
}

TMenuTracker* TMenuTracker::Active() {
    return gActiveTracker;
}

void TMenuTracker::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    // An item (or the menu) freed while shown: nothing of it may be touched again.
    if (component == FMenu) FMenu = nullptr;
    if (component == FChosen) FChosen = nullptr;
    if (component == FBarForm) {
        FBarForm = nullptr;
        FBar = nullptr;
        FCaptureWindow = nullptr;
        Cancel();
    }
    if (FMenu == nullptr || As<TMenuItem>(component)) {
        for (auto& level : FLevels) {
            if (level->Parent == component) level->Parent = nullptr;
            std::replace(level->Items.begin(), level->Items.end(), static_cast<TMenuItem*>(component),
                         static_cast<TMenuItem*>(nullptr));
        }
        Cancel();
    }
}

void TMenuTracker::Watch(TMenuItem* item) {
    if (item) FreeNotification(item);
}

void TMenuTracker::Cancel() {
    FDone = true;
    FChosen = nullptr;
}

HWND TMenuTracker::LevelWindow(int level) const {
    return level >= 0 && level < LevelCount() ? FLevels[static_cast<size_t>(level)]->Window : nullptr;
}

TRect TMenuTracker::LevelScreenRect(int level) const {
    return level >= 0 && level < LevelCount() ? FLevels[static_cast<size_t>(level)]->ScreenRect : TRect{};
}

TRect TMenuTracker::ItemScreenRect(int level, int index) const {
    if (level < 0 || level >= LevelCount()) return {};
    const TLevel& l = *FLevels[static_cast<size_t>(level)];
    if (index < 0 || index >= static_cast<int>(l.Rects.size())) return {};
    return l.Rects[static_cast<size_t>(index)].Offset(l.ScreenRect.Left, l.ScreenRect.Top);
}

int TMenuTracker::LevelSelected(int level) const {
    return level >= 0 && level < LevelCount() ? FLevels[static_cast<size_t>(level)]->Selected : -1;
}

bool TMenuTracker::HasSubMenu(const TMenuItem* item) const {
    return item && IsSubMenu(item);
}

void TMenuTracker::Measure(TLevel& level) {
    TMenuItem* parent = level.Parent;
    if (parent) {
        // Items bound to actions show the actions' current state; the changes this makes need no
        // re-measuring of their own (this measures afterwards).
        ++FMeasuring;
        {
            auto restore = ScopeExit([&] { --FMeasuring; });
            for (int i = 0; i < parent->Count(); ++i) parent->Items(i)->InitiateAction();
        }
    }
    level.Items.clear();
    level.Rects.clear();
    parent = level.Parent; // an action update may have freed it
    if (!parent || FDone) return;
    TCustomImageList* images = parent->GetImageList();
    level.Metrics = TMenuMetrics::For(images);
    const TMenuMetrics& m = level.Metrics;
    int captionWidth = 0;
    level.ShortCutWidth = 0;
    int y = m.Border;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        int h = item->IsLine() ? m.SeparatorHeight : m.ItemHeight;
        if (!item->IsLine()) {
            captionWidth = std::max(captionWidth, MenuTextWidth(item->Caption(), item->Default()));
            if (item->ShortCut() != scNone)
                level.ShortCutWidth = std::max(level.ShortCutWidth, MenuTextWidth(ShortCutToText(item->ShortCut())));
        }
        level.Items.push_back(item);
        level.Rects.push_back({0, y, 0, y + h});
        Watch(item);
        y += h;
    }
    int width = m.Border + m.Gutter + m.TextGap + captionWidth +
                (level.ShortCutWidth ? m.ShortCutGap + level.ShortCutWidth : 0) + m.ArrowWidth + m.Border;
    width = std::max(width, 80);
    if (level.Items.empty()) y += m.ItemHeight; // an empty drop-down still shows as a strip
    for (TRect& r : level.Rects) {
        r.Left = m.Border;
        r.Right = width - m.Border;
    }
    level.ScreenRect = {0, 0, width, y + m.Border};
}

void TMenuTracker::OpenLevel(TMenuItem* parent, TPoint at, const TRect& avoid, bool besides) {
    auto level = std::make_unique<TLevel>();
    level->Parent = parent;
    Watch(parent);
    Measure(*level);
    if (FDone) return;
    TSize screen = ScreenSize();
    int w = level->ScreenRect.Width(), h = level->ScreenRect.Height();
    int x = at.X, y = at.Y;
    if (besides) {
        // A sub-menu: right of its item, or left of the parent drop-down when there is no room.
        if (x + w > screen.cx) x = avoid.Left - w + 3;
        if (y + h > screen.cy) y = std::max(0, screen.cy - h);
    } else {
        if (x + w > screen.cx) x = screen.cx - w;
        if (y + h > screen.cy) y = avoid.Top - h >= 0 ? avoid.Top - h : std::max(0, screen.cy - h);
    }
    x = std::max(0, x);
    level->ScreenRect = Bounds(x, y, w, h);
    RegisterDropDownClass();
    HWND owner = FBarForm && FBarForm->HandleAllocated() ? FBarForm->Handle() : nullptr;
    level->Window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, DropDownClass, "", WS_POPUP, x,
                                   y, w, h, owner);
    FLevels.push_back(std::move(level));
    ShowWindow(FLevels.back()->Window, SW_SHOWNOACTIVATE);
}

void TMenuTracker::CloseLevels(size_t keep) {
    while (FLevels.size() > keep) {
        HWND window = FLevels.back()->Window;
        FLevels.pop_back();
        if (window && IsWindow(window)) DestroyWindow(window);
    }
}

void TMenuTracker::Invalidate(int level) {
    if (level < 0 || level >= LevelCount()) return;
    if (HWND w = FLevels[static_cast<size_t>(level)]->Window) InvalidateRect(w, nullptr, false);
}

void TMenuTracker::Select(int level, int index) {
    if (level < 0 || level >= LevelCount()) return;
    TLevel& l = *FLevels[static_cast<size_t>(level)];
    if (l.Selected == index) return;
    l.Selected = index;
    Invalidate(level);
}

void TMenuTracker::OpenSubMenu(int level, bool selectFirst) {
    if (level < 0 || level >= LevelCount()) return;
    TLevel& l = *FLevels[static_cast<size_t>(level)];
    if (l.Selected < 0) return;
    TMenuItem* item = l.Items[static_cast<size_t>(l.Selected)];
    if (!item || !item->Enabled() || !HasSubMenu(item)) return;
    // Already open for this item?
    if (LevelCount() > level + 1 && FLevels[static_cast<size_t>(level) + 1]->Parent == item) {
        if (selectFirst) Select(level + 1, NextSelectable(*FLevels[static_cast<size_t>(level) + 1], -1, 1));
        return;
    }
    CloseLevels(static_cast<size_t>(level) + 1);
    TRect itemRect = ItemScreenRect(level, l.Selected);
    OpenLevel(item, {l.ScreenRect.Right - 3, itemRect.Top - 3}, l.ScreenRect, true);
    if (selectFirst && LevelCount() > level + 1)
        Select(level + 1, NextSelectable(*FLevels[static_cast<size_t>(level) + 1], -1, 1));
}

void TMenuTracker::OpenBarItem(int index, bool selectFirst) {
    if (!FBar) return;
    CloseLevels(0);
    const auto& items = FBar->Items();
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    TMenuItem* item = items[static_cast<size_t>(index)];
    Watch(item);
    // Enabled items with sub-items drop down; the others only show selected.
    bool drops = item->Enabled() && IsSubMenu(item);
    FBar->SetState(index, drops);
    FDropMode = true;
    if (!drops) return;
    TRect r = FBar->ItemScreenRect(index);
    OpenLevel(item, {r.Left, r.Bottom}, r, false);
    if (selectFirst && LevelCount() > 0) Select(0, NextSelectable(*FLevels[0], -1, 1));
}

int TMenuTracker::NextSelectable(const TLevel& level, int from, int step) const {
    int n = static_cast<int>(level.Items.size());
    if (n == 0) return -1;
    int i = from;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + step) % n + n) % n;
        TMenuItem* item = level.Items[static_cast<size_t>(i)];
        if (item && !item->IsLine()) return i;
    }
    return -1;
}

void TMenuTracker::HitTest(TPoint screenPos, int& level, int& index) const {
    level = -1;
    index = -1;
    for (int l = LevelCount() - 1; l >= 0; --l) {
        const TLevel& lv = *FLevels[static_cast<size_t>(l)];
        if (!lv.ScreenRect.Contains(screenPos)) continue;
        level = l;
        TPoint p = screenPos - lv.ScreenRect.TopLeft();
        for (size_t i = 0; i < lv.Rects.size(); ++i)
            if (lv.Rects[i].Contains(p)) index = static_cast<int>(i);
        return;
    }
}

void TMenuTracker::Choose(TMenuItem* item) {
    if (!item || item->IsLine()) return;
    if (HasSubMenu(item)) return;
    // A disabled item is not chosen; the menu stays open as it is.
    if (!item->Enabled()) return;
    FChosen = item;
    FDone = true;
}

void TMenuTracker::MoveBar(int step) {
    if (!FBar) return;
    int n = static_cast<int>(FBar->Items().size());
    if (n == 0) return;
    int index = ((FBar->Selected() + step) % n + n) % n;
    if (LevelCount() > 0 || FDropMode)
        OpenBarItem(index, true);
    else
        FBar->SetState(index, false);
}

void TMenuTracker::HandleMouse(const TMsg& msg) {
    TPoint pos = msg.pt;
    int level, index;
    HitTest(pos, level, index);
    int barIndex = level < 0 && FBar ? FBar->HitTest(pos) : -1;
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (pos != FStartPos) FMoved = true;
        if (level >= 0) {
            TLevel& l = *FLevels[static_cast<size_t>(level)];
            if (index >= 0 && l.Items[static_cast<size_t>(index)] && !l.Items[static_cast<size_t>(index)]->IsLine()) {
                if (l.Selected != index) {
                    CloseLevels(static_cast<size_t>(level) + 1);
                    Select(level, index);
                }
                OpenSubMenu(level, false);
            }
        } else if (barIndex >= 0 && barIndex != FBar->Selected()) {
            // Pointing at another bar item switches while a drop-down is open (or the bar is
            // in keyboard mode).
            if (LevelCount() > 0 || FBar->Dropped() || FDropMode)
                OpenBarItem(barIndex, false);
            else
                FBar->SetState(barIndex, false);
        } else if (level < 0 && barIndex < 0 && LevelCount() > 0) {
            // Off the menu: the deepest drop-down shows nothing selected unless it opened a
            // sub-menu.
            int deepest = DeepestLevel();
            Select(deepest, -1);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        FButtonDown = true;
        if (level >= 0) break;
        if (barIndex >= 0) {
            // The open item again closes the menu; another one opens instead.
            if (barIndex == FBar->Selected() && LevelCount() > 0)
                Cancel();
            else
                OpenBarItem(barIndex, false);
            break;
        }
        Cancel();
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        // A bar item without a drop-down is a command of its own: releasing the click runs it.
        if (barIndex >= 0 && barIndex == FBar->Selected()) {
            TMenuItem* item = FBar->Items()[static_cast<size_t>(barIndex)];
            if (!IsSubMenu(item)) Choose(item);
            break;
        }
        // The release of the click that opened the menu chooses nothing unless the pointer moved.
        if (!FButtonDown && !FMoved) break;
        if (level >= 0 && index >= 0) {
            TMenuItem* item = FLevels[static_cast<size_t>(level)]->Items[static_cast<size_t>(index)];
            if (item && HasSubMenu(item)) {
                Select(level, index);
                OpenSubMenu(level, false);
            } else {
                Choose(item);
            }
        }
        break;
    default:
        break;
    }
}

bool TMenuTracker::WantsKey(const TMsg& msg) const {
    if (msg.message != WM_SYSKEYDOWN || !FAltMode || LevelCount() > 0 || !FBar) return true;
    // In the bar entered with Alt and nothing dropped, Alt with a key that is no accelerator of
    // the bar is a shortcut for the form: leave the bar and let the key go on.
    auto key = static_cast<int>(msg.wParam);
    if (key == VK_MENU || key == VK_F10 || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
        key == VK_RETURN || key == VK_ESCAPE)
        return true;
    for (TMenuItem* item : FBar->Items())
        if (IsAccel(static_cast<char32_t>(key), item->Caption())) return true;
    return false;
}

void TMenuTracker::HandleKey(const TMsg& msg) {
    auto key = static_cast<int>(msg.wParam);
    int deepest = DeepestLevel();
    switch (key) {
    case VK_ESCAPE:
        if (deepest > 0 || (deepest == 0 && FBar)) {
            CloseLevels(static_cast<size_t>(deepest));
            if (FBar && LevelCount() == 0) FBar->SetState(FBar->Selected(), false);
        } else {
            Cancel();
        }
        break;
    case VK_MENU:
    case VK_F10:
        Cancel();
        break;
    case VK_UP:
    case VK_DOWN:
        if (deepest >= 0) {
            TLevel& l = *FLevels[static_cast<size_t>(deepest)];
            CloseLevels(static_cast<size_t>(deepest) + 1);
            Select(deepest, NextSelectable(l, l.Selected < 0 && key == VK_UP ? 0 : l.Selected, key == VK_UP ? -1 : 1));
        } else if (FBar) {
            OpenBarItem(FBar->Selected(), true);
        }
        break;
    case VK_RIGHT:
        if (deepest >= 0) {
            TLevel& l = *FLevels[static_cast<size_t>(deepest)];
            TMenuItem* item = l.Selected >= 0 ? l.Items[static_cast<size_t>(l.Selected)] : nullptr;
            if (item && item->Enabled() && HasSubMenu(item)) {
                OpenSubMenu(deepest, true);
                break;
            }
        }
        MoveBar(1);
        break;
    case VK_LEFT:
        if (deepest > 0) {
            CloseLevels(static_cast<size_t>(deepest));
            break;
        }
        MoveBar(-1);
        break;
    case VK_HOME:
    case VK_END:
        if (deepest >= 0) {
            TLevel& l = *FLevels[static_cast<size_t>(deepest)];
            Select(deepest, NextSelectable(l, key == VK_HOME ? -1 : 0, key == VK_HOME ? 1 : -1));
        }
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (deepest >= 0) {
            TLevel& l = *FLevels[static_cast<size_t>(deepest)];
            TMenuItem* item = l.Selected >= 0 ? l.Items[static_cast<size_t>(l.Selected)] : nullptr;
            if (item && HasSubMenu(item))
                OpenSubMenu(deepest, true);
            else
                Choose(item);
        } else if (FBar && key == VK_RETURN && FBar->Selected() >= 0) {
            TMenuItem* item = FBar->Items()[static_cast<size_t>(FBar->Selected())];
            if (IsSubMenu(item))
                OpenBarItem(FBar->Selected(), true);
            else
                Choose(item);
        }
        break;
    default:
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
            Accelerator(static_cast<char32_t>(key));
        } else {
            TranslateMessage(msg);
        }
        break;
    }
}

void TMenuTracker::HandleChar(char32_t ch) {
    // Letters and digits were taken from their keys already.
    if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch < 0x20) return;
    Accelerator(ch);
}

void TMenuTracker::Accelerator(char32_t ch) {
    int deepest = DeepestLevel();
    if (deepest < 0) {
        if (!FBar) return;
        const auto& items = FBar->Items();
        for (size_t i = 0; i < items.size(); ++i)
            if (IsAccel(ch, items[i]->Caption())) {
                OpenBarItem(static_cast<int>(i), true);
                if (!IsSubMenu(items[i])) Choose(items[i]);
                return;
            }
        return;
    }
    TLevel& l = *FLevels[static_cast<size_t>(deepest)];
    std::vector<int> matches;
    for (size_t i = 0; i < l.Items.size(); ++i)
        if (l.Items[i] && !l.Items[i]->IsLine() && IsAccel(ch, l.Items[i]->Caption()))
            matches.push_back(static_cast<int>(i));
    if (matches.empty()) return;
    if (matches.size() == 1) {
        Select(deepest, matches[0]);
        TMenuItem* item = l.Items[static_cast<size_t>(matches[0])];
        if (HasSubMenu(item))
            OpenSubMenu(deepest, true);
        else
            Choose(item);
        return;
    }
    // Several items share it: each press selects the next.
    auto next = std::upper_bound(matches.begin(), matches.end(), l.Selected);
    Select(deepest, next == matches.end() ? matches[0] : *next);
}

void TMenuTracker::MenuChanged() {
    if (FMeasuring) return;
    for (size_t i = 0; i < FLevels.size(); ++i) {
        TLevel& l = *FLevels[i];
        TMenuItem* selected = l.Selected >= 0 ? l.Items[static_cast<size_t>(l.Selected)] : nullptr;
        TRect old = l.ScreenRect;
        Measure(l);
        auto it = std::find(l.Items.begin(), l.Items.end(), selected);
        l.Selected = it == l.Items.end() ? -1 : static_cast<int>(it - l.Items.begin());
        l.ScreenRect = Bounds(old.Left, old.Top, l.ScreenRect.Width(), l.ScreenRect.Height());
        if (l.Window) {
            SetWindowPos(l.Window, nullptr, old.Left, old.Top, l.ScreenRect.Width(), l.ScreenRect.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(l.Window, nullptr, false);
        }
    }
}

void TMenuTracker::PaintLevel(HWND window, HDC paintDC) {
    auto it = std::find_if(FLevels.begin(), FLevels.end(), [window](const auto& l) { return l->Window == window; });
    if (it == FLevels.end()) return;
    const TLevel& l = **it;
    const TMenuMetrics& m = l.Metrics;
    TMenuDC dc(window, false, paintDC);
    HDC h = dc.Handle();
    TRect client = Bounds(0, 0, l.ScreenRect.Width(), l.ScreenRect.Height());
    FillSolid(h, client, GetSysColor(COLOR_MENU));
    TRect edge = client;
    DrawEdge(h, &edge, EDGE_RAISED, BF_RECT);
    TCustomImageList* images = l.Parent ? l.Parent->GetImageList() : nullptr;
    for (size_t i = 0; i < l.Items.size(); ++i) {
        TMenuItem* item = l.Items[i];
        if (!item) continue;
        TRect r = l.Rects[i];
        if (item->IsLine()) {
            int y = r.Top + r.Height() / 2 - 1;
            FillSolid(h, {r.Left + 1, y, r.Right - 1, y + 1}, GetSysColor(COLOR_BTNSHADOW));
            FillSolid(h, {r.Left + 1, y + 1, r.Right - 1, y + 2}, GetSysColor(COLOR_BTNHIGHLIGHT));
            continue;
        }
        bool selected = static_cast<int>(i) == l.Selected;
        bool enabled = item->Enabled();
        if (selected) FillSolid(h, r, GetSysColor(COLOR_HIGHLIGHT));
        COLORREF markColor = GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        TRect gutter{r.Left, r.Top, r.Left + m.Gutter, r.Bottom};
        bool hasImage = images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
        if (hasImage) {
            int ix = gutter.Left + (gutter.Width() - images->Width()) / 2;
            int iy = gutter.Top + (gutter.Height() - images->Height()) / 2;
            if (item->Checked()) {
                // A checked item with an image shows the image pushed in.
                TRect frame{ix - 2, iy - 2, ix + images->Width() + 2, iy + images->Height() + 2};
                if (!selected) FillSolid(h, frame, GetSysColor(COLOR_3DLIGHT));
                DrawEdge(h, &frame, BDR_SUNKENOUTER, BF_RECT);
            }
            images->Draw(dc.Canvas(), ix, iy, item->ImageIndex(), enabled);
        } else if (item->Checked()) {
            if (item->RadioItem())
                DrawBullet(h, gutter, markColor);
            else
                DrawCheck(h, gutter, markColor);
        }
        TRect text{gutter.Right + m.TextGap, r.Top, r.Right - m.ArrowWidth, r.Bottom};
        DrawMenuText(dc, item->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled, selected,
                     item->Default());
        if (item->ShortCut() != scNone && !IsSubMenu(item))
            DrawMenuText(dc, ShortCutToText(item->ShortCut()), text,
                         DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, enabled, selected, false);
        if (IsSubMenu(item)) DrawSubMenuArrow(h, {r.Right - m.ArrowWidth, r.Top, r.Right, r.Bottom}, markColor);
    }
}

// ---- the loop

TMenuItem* TMenuTracker::RunBar(TFormMenuBar* bar, int index, bool dropDown, bool altMode, bool byMouse) {
    if (!bar || !bar->Form() || gActiveTracker) return nullptr;
    FBar = bar;
    FBarForm = bar->Form();
    FreeNotification(FBarForm);
    FAltMode = altMode;
    FCaptureWindow = FBarForm->Handle();
    // Started by a click: the release of that click chooses nothing.
    FButtonDown = false;
    FMoved = !byMouse;
    if (dropDown)
        OpenBarItem(index, !byMouse);
    else
        bar->SetState(index, false);
    return Run();
}

TMenuItem* TMenuTracker::RunPopup(TMenuItem* root, TPoint screenPos, TPopupAlignment alignment) {
    // A menu with nothing to show does not show.
    if (!root || gActiveTracker || !IsSubMenu(root)) return nullptr;
    FAlignment = alignment;
    OpenLevel(root, screenPos, Bounds(screenPos.X, screenPos.Y, 0, 0), false);
    if (LevelCount() == 0) return nullptr;
    TLevel& l = *FLevels[0];
    int w = l.ScreenRect.Width();
    int x = alignment == paRight ? screenPos.X - w : alignment == paCenter ? screenPos.X - w / 2 : l.ScreenRect.Left;
    x = std::clamp(x, 0, std::max(0, ScreenSize().cx - w));
    if (x != l.ScreenRect.Left) {
        l.ScreenRect = Bounds(x, l.ScreenRect.Top, w, l.ScreenRect.Height());
        SetWindowPos(l.Window, nullptr, x, l.ScreenRect.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FCaptureWindow = l.Window;
    FMoved = false;
    FButtonDown = false;
    return Run();
}

TMenuItem* TMenuTracker::Run() {
    gActiveTracker = this;
    FStartPos = GetCursorPos();
    // Whoever had the mouse loses it first.
    if (HWND capture = GetCapture(); capture && capture != FCaptureWindow) {
        SendMessage(capture, WM_CANCELMODE, 0, 0);
        if (GetCapture() == capture) ReleaseCapture();
    }
    if (!FDone && FCaptureWindow) SetCapture(FCaptureWindow);
    struct TEnd {
        TMenuTracker* Tracker;
        ~TEnd() {
            Tracker->CloseLevels(0);
            if (Tracker->FBar && Tracker->FBarForm) Tracker->FBar->SetState(-1, false);
            if (Tracker->FCaptureWindow && GetCapture() == Tracker->FCaptureWindow) ReleaseCapture();
            gActiveTracker = nullptr;
        }
    } end{this};
    // The bar of a form the user leaves (another window activated) closes.
    HWND activeForm = FBarForm && FBarForm->HandleAllocated() && GetActiveWindow() == FBarForm->Handle()
                          ? FBarForm->Handle()
                          : nullptr;
    while (!FDone) {
        if ((FCaptureWindow && GetCapture() != FCaptureWindow) || (activeForm && GetActiveWindow() != activeForm)) {
            Cancel();
            break;
        }
        TMsg msg;
        if (!PeekMessage(msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (Application) Application->Idle(false);
            if (FDone) break;
            if (!PeekMessage(msg, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
            continue;
        }
        bool isKey = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        if (isKey && !WantsKey(msg)) {
            Cancel();
            break;
        }
        PeekMessage(msg, nullptr, 0, 0, PM_REMOVE);
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            Cancel();
            break;
        }
        if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
            (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK)) {
            HandleMouse(msg);
        } else if (isKey) {
            HandleKey(msg);
        } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            HandleChar(static_cast<char32_t>(msg.wParam));
        } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
            // Key releases belong to the menu while it is open.
        } else {
            try {
                DispatchMessage(msg);
            } catch (...) {
                if (!Application) throw;
                Cancel();
                Application->HandleException(this);
            }
        }
    }
    return FChosen;
}

} // namespace dw
