// The classic three-dimensional drawing: edges, frame controls (buttons, check boxes, radio
// buttons, scroll arrows, caption buttons) and the caption gradient; the system colours it uses.
#pragma once

#include "framework/platform/Types.h"
#include "framework/platform/gdi/GdiObjects.h"
#include "framework/platform/gdi/SysColors.h"

namespace dw {

// Edge parts. Outer and inner lines of the two-pixel classic edge:
//   raised outer: light / dark shadow     sunken outer: shadow / highlight
//   raised inner: highlight / shadow      sunken inner: dark shadow / light
// (top-left colour / bottom-right colour).
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = 0x0003;
constexpr UINT BDR_INNER = 0x000C;
constexpr UINT BDR_RAISED = 0x0005;
constexpr UINT BDR_SUNKEN = 0x000A;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_DIAGONAL = 0x0010;
constexpr UINT BF_MIDDLE = 0x0800; // fill the interior
constexpr UINT BF_SOFT = 0x1000;   // highlight on the outer line, for soft buttons
constexpr UINT BF_ADJUST = 0x2000; // shrink rect by the lines drawn
constexpr UINT BF_FLAT = 0x4000;   // one shadow-coloured line for each border
constexpr UINT BF_MONO = 0x8000;   // one window-frame-coloured line for each border

// Draws the edge inside rect (the bottom-right lines take the corners they share with the
// top-left ones, as the classic look has it). BF_DIAGONAL is not supported (returns false).
bool DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags);

constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;

constexpr UINT DFCS_CAPTIONCLOSE = 0x0000;
constexpr UINT DFCS_CAPTIONMIN = 0x0001;
constexpr UINT DFCS_CAPTIONMAX = 0x0002;
constexpr UINT DFCS_CAPTIONRESTORE = 0x0003;
constexpr UINT DFCS_CAPTIONHELP = 0x0004;

constexpr UINT DFCS_MENUARROW = 0x0000;
constexpr UINT DFCS_MENUCHECK = 0x0001;
constexpr UINT DFCS_MENUBULLET = 0x0002;

constexpr UINT DFCS_SCROLLUP = 0x0000;
constexpr UINT DFCS_SCROLLDOWN = 0x0001;
constexpr UINT DFCS_SCROLLLEFT = 0x0002;
constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;

constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;

constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_ADJUSTRECT = 0x2000;
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;

// Check boxes and radio buttons are 13 x 13, centred in rect; other parts fill rect.
// DFCS_ADJUSTRECT (push buttons) shrinks rect to the area inside the frame.
bool DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state);

// The caption background: a left-to-right gradient from the caption colour to its gradient
// colour (COLOR_ACTIVECAPTION to COLOR_GRADIENTACTIVECAPTION, or the inactive pair).
bool DrawCaptionBackground(HDC dc, const TRect& rect, bool active);

} // namespace dw
