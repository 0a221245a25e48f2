// platform-gallery OUTPUT.png: draws every primitive of the windowing core into one window on the
// headless screen (edges, frame controls, raster operations, regions, text, a captioned child with
// scroll bars and a pop-up above it) and writes the screen as PNG, for people to look at.
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Input.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/platform/window/Paint.h"
#include "framework/platform/window/ScrollBar.h"
#include "framework/platform/window/Window.h"
#include "framework/rtl/Exceptions.h"

#include <cstdio>
#include <functional>
#include <map>

namespace {

using namespace dw;
using TPainter = std::function<void(HDC, const TRect&)>;

std::map<HWND, TPainter>& Painters() {
    static std::map<HWND, TPainter> painters;
    return painters;
}

LRESULT PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, ps);
        auto it = Painters().find(hwnd);
        if (it != Painters().end()) it->second(dc, GetClientRect(hwnd));
        EndPaint(hwnd, ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HFONT Font(int height, const char* face, int weight = FW_NORMAL, bool italic = false, bool underline = false,
           bool strike = false) {
    return CreateFont(height, 0, 0, 0, weight, italic, underline, strike, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY,
                      DEFAULT_PITCH, face);
}

void Label(HDC dc, int x, int y, const char* text, int height = -11) {
    HFONT f = Font(height, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOut(dc, x, y, text);
    SelectObject(dc, old);
    DeleteObject(f);
}

void Title(HDC dc, const TRect& r, const char* text) {
    HFONT f = Font(-12, "MS Sans Serif", FW_BOLD);
    HGDIOBJ old = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOut(dc, r.Left + 6, r.Top + 4, text);
    SelectObject(dc, old);
    DeleteObject(f);
}

HWND Panel(HWND parent, const TRect& r, DWORD exStyle, TPainter painter, DWORD style = 0) {
    HWND h = CreateWindowEx(exStyle, "GalleryPanel", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.Left, r.Top,
                            r.Width(), r.Height(), parent, 0);
    Painters()[h] = std::move(painter);
    return h;
}

void FillFace(HDC dc, const TRect& r) {
    TRect all = r;
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
}

void PaintEdges(HDC dc, const TRect& r) {
    FillFace(dc, r);
    Title(dc, r, "Edges");
    struct TEdge {
        UINT edge;
        UINT flags;
        const char* name;
    };
    const TEdge edges[] = {{EDGE_RAISED, BF_RECT, "raised"},         {EDGE_SUNKEN, BF_RECT, "sunken"},
                           {EDGE_ETCHED, BF_RECT, "etched"},         {EDGE_BUMP, BF_RECT, "bump"},
                           {BDR_RAISEDINNER, BF_RECT, "raised in"},  {BDR_SUNKENOUTER, BF_RECT, "sunken out"},
                           {EDGE_RAISED, BF_RECT | BF_SOFT, "soft"}, {EDGE_SUNKEN, BF_RECT | BF_FLAT, "flat"},
                           {EDGE_SUNKEN, BF_RECT | BF_MONO, "mono"}, {EDGE_RAISED, BF_RECT | BF_MIDDLE, "middle"}};
    int i = 0;
    for (const TEdge& e : edges) {
        int x = 10 + (i % 5) * 62, y = 26 + (i / 5) * 62;
        TRect box = Bounds(x, y, 52, 36);
        if (e.flags & BF_MIDDLE) FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &box, e.edge, e.flags);
        Label(dc, x, y + 40, e.name);
        ++i;
    }
}

void PaintFrameControls(HDC dc, const TRect& r) {
    FillFace(dc, r);
    Title(dc, r, "Frame controls");
    struct TControl {
        UINT type;
        UINT state;
        int w;
        int h;
    };
    const TControl controls[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH, 60, 24},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, 60, 24},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT, 60, 24},
        {DFC_BUTTON, DFCS_BUTTONCHECK, 16, 16},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED, 16, 16},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, 16, 16},
        {DFC_BUTTON, DFCS_BUTTONRADIO, 16, 16},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED, 16, 16},
        {DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED, 16, 16},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONMIN, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONMAX, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONHELP, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED, 16, 14},
        {DFC_SCROLL, DFCS_SCROLLUP, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLDOWN, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLLEFT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLRIGHT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP, 16, 16},
        {DFC_MENU, DFCS_MENUCHECK, 16, 16},
        {DFC_MENU, DFCS_MENUBULLET, 16, 16},
        {DFC_MENU, DFCS_MENUARROW, 16, 16},
    };
    int x = 10, y = 28;
    for (const TControl& c : controls) {
        if (x + c.w > r.Right - 8) {
            x = 10;
            y += 32;
        }
        TRect box = Bounds(x, y, c.w, c.h);
        DrawFrameControl(dc, &box, c.type, c.state);
        x += c.w + 10;
    }
}

void PaintRasterOps(HDC dc, const TRect& r) {
    FillFace(dc, r);
    Title(dc, r, "ROP2 over a pattern, then BitBlt raster operations");
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160));
    HBRUSH fill = CreateSolidBrush(RGB(255, 128, 0));
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 160, 0));
    const char* names[] = {"BLACK",   "NOTMERGEPEN", "MASKNOTPEN", "NOTCOPYPEN", "MASKPENNOT", "NOT",
                           "XORPEN",  "NOTMASKPEN",  "MASKPEN",    "NOTXORPEN",  "NOP",        "MERGENOTPEN",
                           "COPYPEN", "MERGEPENNOT", "MERGEPEN",   "WHITE"};
    for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
        int i = mode - 1;
        int x = 10 + (i % 8) * 72, y = 26 + (i / 8) * 66;
        TRect cell = Bounds(x, y, 62, 44);
        SetBkColor(dc, RGB(255, 255, 200));
        SetBkMode(dc, OPAQUE);
        FillRect(dc, &cell, hatch);
        int oldMode = SetROP2(dc, mode);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, fill);
        Ellipse(dc, x + 8, y + 6, x + 52, y + 38);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        SetROP2(dc, oldMode);
        Label(dc, x, y + 46, names[i], -9);
    }
    // Ternary operations: a source bitmap with a diagonal split blitted onto the hatch.
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 60, 44);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    TRect srcRect{0, 0, 60, 44};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(mem, &srcRect, white);
    HGDIOBJ oldMemBrush = SelectObject(mem, GetStockObject(BLACK_BRUSH));
    TPoint tri[] = {{0, 0}, {60, 0}, {0, 44}};
    Polygon(mem, tri, 3);
    SelectObject(mem, oldMemBrush);
    struct TRop {
        DWORD rop;
        const char* name;
    };
    const TRop rops[] = {{SRCCOPY, "SRCCOPY"},     {SRCPAINT, "SRCPAINT"},     {SRCAND, "SRCAND"},
                         {SRCINVERT, "SRCINVERT"}, {NOTSRCCOPY, "NOTSRCCOPY"}, {MERGEPAINT, "MERGEPAINT"},
                         {PATINVERT, "PATINVERT"}, {DSTINVERT, "DSTINVERT"}};
    HBRUSH pattern = CreateSolidBrush(RGB(200, 0, 0));
    for (int i = 0; i < 8; ++i) {
        int x = 10 + i * 72, y = 26 + 2 * 66;
        TRect cell = Bounds(x, y, 60, 44);
        FillRect(dc, &cell, hatch);
        HGDIOBJ oldBrush = SelectObject(dc, pattern);
        BitBlt(dc, x, y, 60, 44, mem, 0, 0, rops[i].rop);
        SelectObject(dc, oldBrush);
        Label(dc, x, y + 46, rops[i].name, -9);
    }
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(hatch), static_cast<HGDIOBJ>(fill), static_cast<HGDIOBJ>(pen),
                      static_cast<HGDIOBJ>(white), static_cast<HGDIOBJ>(pattern)})
        DeleteObject(o);
}

void PaintRegions(HDC dc, const TRect& r) {
    FillFace(dc, r);
    Title(dc, r, "Regions");
    HRGN ellipse = CreateEllipticRgn(10, 30, 70, 90);
    HRGN round = CreateRoundRectRgn(80, 30, 140, 90, 20, 20);
    TPoint star[] = {{180, 28}, {195, 88}, {150, 50}, {210, 50}, {165, 88}};
    HRGN poly = CreatePolygonRgn(star, 5, WINDING);
    HRGN xorA = CreateEllipticRgn(222, 30, 272, 90);
    HRGN xorB = CreateRectRgn(247, 42, 300, 78);
    HRGN combined = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(combined, xorA, xorB, RGN_XOR);
    HBRUSH blue = CreateSolidBrush(RGB(40, 80, 200));
    HBRUSH green = CreateSolidBrush(RGB(30, 150, 60));
    HBRUSH red = CreateSolidBrush(RGB(200, 40, 40));
    FillRgn(dc, ellipse, blue);
    FillRgn(dc, round, green);
    FillRgn(dc, poly, red);
    FillRgn(dc, combined, blue);
    FrameRgn(dc, round, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1);
    FrameRgn(dc, combined, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 2, 2);
    Label(dc, 16, 96, "ellipse");
    Label(dc, 80, 96, "round rect");
    Label(dc, 156, 96, "polygon");
    Label(dc, 225, 96, "xor + frame");
    for (HGDIOBJ o : {ellipse, round, poly, xorA, xorB, combined, static_cast<HGDIOBJ>(blue),
                      static_cast<HGDIOBJ>(green), static_cast<HGDIOBJ>(red)})
        DeleteObject(o);
}

void PaintText(HDC dc, const TRect& r) {
    TRect all = r;
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    Title(dc, r, "Text");
    struct TSample {
        const char* face;
        int height;
        int weight;
        bool italic;
        bool underline;
        bool strike;
    };
    const TSample samples[] = {
        {"MS Sans Serif", -11, FW_NORMAL, false, false, false},  {"Arial", -13, FW_BOLD, false, false, false},
        {"Times New Roman", -16, FW_NORMAL, true, false, false}, {"Courier New", -13, FW_NORMAL, false, true, false},
        {"Tahoma", -20, FW_NORMAL, false, false, true},          {"Arial", -26, FW_BOLD, true, false, false},
    };
    int y = 24;
    SetBkMode(dc, TRANSPARENT);
    for (const TSample& s : samples) {
        HFONT f = Font(s.height, s.face, s.weight, s.italic, s.underline, s.strike);
        HGDIOBJ old = SelectObject(dc, f);
        char line[128];
        std::snprintf(line, sizeof line, "%s %dpx — The quick brown fox", s.face, -s.height);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOut(dc, 10, y, line);
        TEXTMETRIC tm;
        GetTextMetrics(dc, &tm);
        y += tm.tmHeight + 2;
        SelectObject(dc, old);
        DeleteObject(f);
    }
    // DrawText alignment.
    HFONT f = Font(-11, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, f);
    struct TAlign {
        UINT format;
        const char* text;
    };
    const TAlign aligns[] = {
        {DT_LEFT | DT_TOP | DT_SINGLELINE, "left top"},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centre"},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "right bottom"},
        {DT_WORDBREAK | DT_CENTER, "word break wraps this longer text onto lines"},
        {DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER, "an ellipsis ends text that is too long"},
        {DT_SINGLELINE | DT_VCENTER, "&Prefix underlines"},
    };
    int x = 10;
    y += 6;
    for (const TAlign& a : aligns) {
        TRect box = Bounds(x, y, 88, 48);
        FrameRect(dc, &box, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        TRect inner = box.Inflate(-2, -2);
        DrawText(dc, a.text, &inner, a.format);
        x += 94;
    }
    SelectObject(dc, old);
    DeleteObject(f);
}

void PaintLines(HDC dc, const TRect& r) {
    FillFace(dc, r);
    Title(dc, r, "Pens and shapes");
    const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_ALTERNATE};
    for (int i = 0; i < 6; ++i) {
        HPEN pen = CreatePen(styles[i], 1, RGB(0, 0, 0));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, 10, 30 + i * 8, nullptr);
        LineTo(dc, 150, 30 + i * 8);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    HPEN thick = CreatePen(PS_SOLID, 4, RGB(160, 0, 160));
    HBRUSH brush = CreateSolidBrush(RGB(255, 230, 120));
    HGDIOBJ oldPen = SelectObject(dc, thick);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 164, 28, 209, 78);
    RoundRect(dc, 216, 28, 261, 78, 16, 16);
    Ellipse(dc, 268, 28, 313, 78);
    Pie(dc, 320, 28, 370, 78, 370, 53, 345, 28);
    Chord(dc, 376, 28, 426, 78, 426, 40, 376, 40);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(thick);
    DeleteObject(brush);
    TRect focus{10, 82, 150, 100};
    DrawFocusRect(dc, &focus);
    Label(dc, 18, 84, "focus rectangle");
    TRect grad{164, 90, 426, 104};
    GradientFillRect(dc, grad, RGB(0, 0, 128), RGB(166, 202, 240), false);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: platform-gallery OUTPUT.png\n");
        return 2;
    }
    try {
        auto backend = std::make_unique<THeadlessBackend>(TSize{1100, 740});
        THeadlessBackend* screen = backend.get();
        SetBackend(std::move(backend));
        WNDCLASS wc;
        wc.lpfnWndProc = PanelProc;
        wc.hbrBackground = ColorIndexBrush(COLOR_BTNFACE);
        wc.lpszClassName = "GalleryPanel";
        RegisterClass(wc);

        HWND main = CreateWindowEx(0, "GalleryPanel", "Draftwell platform gallery",
                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 20, 20, 1060, 700, nullptr);
        Painters()[main] = [](HDC dc, const TRect& r) { FillFace(dc, r); };
        Panel(main, {8, 8, 330, 166}, WS_EX_CLIENTEDGE, PaintEdges);
        Panel(main, {338, 8, 700, 166}, WS_EX_CLIENTEDGE, PaintFrameControls);
        Panel(main, {708, 8, 1040, 166}, WS_EX_CLIENTEDGE, PaintRegions);
        Panel(main, {8, 174, 600, 402}, WS_EX_STATICEDGE, PaintRasterOps);
        Panel(main, {608, 174, 1040, 300}, 0, PaintLines, WS_BORDER);
        Panel(main, {8, 410, 600, 650}, WS_EX_CLIENTEDGE, PaintText);

        // A form hosted inside the window: caption, sizing frame and scroll bars.
        HWND form = CreateWindowEx(0, "GalleryPanel", "Hosted form",
                                   WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                       WS_MAXIMIZEBOX | WS_VSCROLL | WS_HSCROLL | WS_CLIPSIBLINGS,
                                   608, 308, 292, 342, main, 0);
        Painters()[form] = [](HDC dc, const TRect& r) {
            TRect all = r;
            FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
            Label(dc, 8, 8, "Client area of a hosted form");
        };
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = 100;
        si.nPage = 25;
        si.nPos = 30;
        SetScrollInfo(form, SB_VERT, si, true);
        si.nPos = 0;
        si.nPage = 60;
        SetScrollInfo(form, SB_HORZ, si, true);
        // A tool window with flat scroll bars, inactive caption look.
        HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "GalleryPanel", "Tool window",
                                   WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_VSCROLL | WS_CLIPSIBLINGS, 906,
                                   308, 134, 342, main, 0);
        Painters()[tool] = [](HDC dc, const TRect& r) {
            TRect all = r;
            FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
            Label(dc, 6, 6, "flat scroll bar");
        };
        InitializeFlatSB(tool);
        si.nPage = 10;
        si.nPos = 70;
        FlatSB_SetScrollInfo(tool, SB_VERT, si, true);
        SendMessage(form, WM_NCACTIVATE, 1, 0);

        // A pop-up over it all, shown without activation, like a hint.
        HWND hint = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "GalleryPanel", "",
                                   WS_POPUP | WS_BORDER, 540, 560, 240, 40, main);
        Painters()[hint] = [](HDC dc, const TRect& r) {
            TRect all = r;
            FillRect(dc, &all, GetSysColorBrush(COLOR_INFOBK));
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            HFONT f = Font(-11, "MS Sans Serif");
            HGDIOBJ old = SelectObject(dc, f);
            SetBkMode(dc, TRANSPARENT);
            TRect text = all.Inflate(-4, -2);
            DrawText(dc, "A pop-up hint window shown without activation, top-most", &text, DT_WORDBREAK);
            SelectObject(dc, old);
            DeleteObject(f);
        };
        ShowWindow(hint, SW_SHOWNOACTIVATE);
        SetActiveWindow(main);
        PumpMessages();
        screen->SaveScreenshot(argv[1]);
        std::printf("wrote %s\n", argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "platform-gallery: %s\n", e.what());
        return 1;
    }
}
