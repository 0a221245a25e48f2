// Drawing class glyphs (palette buttons, the customization dialog, component icons) and the drag
// image of the class armed on the palette.
#pragma once

#include "framework/controls/graphics/Bitmap.h"
#include "framework/controls/graphics/ImageList.h"

namespace dw {

// How DrawClassGlyph frames the glyph.
constexpr int gfNone = 0;
constexpr int gfPushButton = 1;
constexpr int gfRaisedEdge = 2;

// Draws glyph centred in rect (halves truncated towards zero), transparent where it has the
// colour of its bottom-left pixel, over no frame, a push-button frame or a raised inner edge with
// a filled middle. An empty (or null) glyph draws nothing, not even the frame.
void DrawClassGlyph(TCanvas* canvas, const TRect& rect, TBitmap* glyph, int frameKind);

// The drag image of the armed class: its glyph, followed by its name when withCaption. A class
// without a record shows "NOICON_DSN". Null when no class is armed. The list is shared and kept
// until the class or withCaption changes; do not free it.
TDragImageList* GetClassDragImage(bool withCaption);
// Frees the shared drag image list (at exit).
void FreeClassDragImage();

} // namespace dw
