// TSpeedButton, TBitBtn and the layout and glyphs they share.
#include "framework/controls/stdctrls/Buttons.h"
#include "framework/controls/stdctrls/StdPaint.h"
#include "framework/platform/gdi/Draw3D.h"
#include "framework/platform/gdi/Text.h"

#include <algorithm>

namespace dw {

namespace {

bool ActionBoolProp(TObject* action, const char* name, bool& value) {
    const TPropInfo* prop = action ? GetPropInfo(action, name) : nullptr;
    if (!prop || prop->Kind() != tkEnumeration) return false;
    value = GetOrdProp(action, *prop) != 0;
    return true;
}

} // namespace

void DrawButtonGlyphAndText(TCanvas* canvas, const TRect& client, TBitmap* glyph, int numGlyphs, TButtonState state,
                            const String& caption, TButtonLayout layout, int margin, int spacing, bool pressed,
                            bool enabled) {
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    bool hasGlyph = glyph && !glyph->Empty();
    TSize glyphSize = hasGlyph ? TSize{glyph->Width() / numGlyphs, glyph->Height()} : TSize{};
    TSize textSize{};
    if (!caption.empty()) textSize = TMeasureDC(canvas->Font()).FormattedSize(caption, DT_SINGLELINE);
    if (!hasGlyph || caption.empty()) spacing = 0;
    bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    int room = horizontal ? client.Width() : client.Height();
    int glyphExtent = horizontal ? glyphSize.cx : glyphSize.cy;
    int textExtent = horizontal ? textSize.cx : textSize.cy;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (room - glyphExtent - textExtent) / 3;
            spacing = margin;
        } else {
            margin = (room - glyphExtent - spacing - textExtent) / 2;
        }
    } else if (spacing == -1) {
        spacing = (room - margin - glyphExtent - textExtent) / 2;
    }
    TPoint glyphPos, textPos;
    switch (layout) {
    case blGlyphLeft:
        glyphPos.X = client.Left + margin;
        textPos.X = glyphPos.X + glyphSize.cx + spacing;
        break;
    case blGlyphRight:
        glyphPos.X = client.Right - margin - glyphSize.cx;
        textPos.X = glyphPos.X - spacing - textSize.cx;
        break;
    case blGlyphTop:
        glyphPos.Y = client.Top + margin;
        textPos.Y = glyphPos.Y + glyphSize.cy + spacing;
        break;
    case blGlyphBottom:
        glyphPos.Y = client.Bottom - margin - glyphSize.cy;
        textPos.Y = glyphPos.Y - spacing - textSize.cy;
        break;
    }
    if (horizontal) {
        glyphPos.Y = client.Top + (client.Height() - glyphSize.cy) / 2;
        textPos.Y = client.Top + (client.Height() - textSize.cy) / 2;
    } else {
        glyphPos.X = client.Left + (client.Width() - glyphSize.cx) / 2;
        textPos.X = client.Left + (client.Width() - textSize.cx) / 2;
    }
    int shift = pressed ? 1 : 0;
    if (hasGlyph) {
        int cell = static_cast<int>(state);
        bool emboss = false;
        if (cell >= numGlyphs) {
            // No cell of its own: the up picture, embossed when disabled.
            emboss = state == bsDisabled;
            cell = 0;
        }
        DrawGlyph(canvas, glyph, numGlyphs, cell, glyphPos.X + shift, glyphPos.Y + shift, emboss);
    }
    if (!caption.empty()) {
        TRect text{textPos.X + shift, textPos.Y + shift, textPos.X + shift + textSize.cx,
                   textPos.Y + shift + textSize.cy};
        DrawCaption(canvas, caption, text, DT_LEFT | DT_SINGLELINE, enabled);
    }
}

// ---------------------------------------------------------------------------------------------
// TSpeedButton

DW_DEFINE_CLASS(TSpeedButtonActionLink) {}

bool TSpeedButtonActionLink::IsCheckedLinked() const {
    auto* button = As<TSpeedButton>(FControl);
    bool checked = false;
    return TControlActionLink::IsCheckedLinked() && button && button->GroupIndex() != 0 &&
           ActionBoolProp(FAction, "Checked", checked) && button->Down() == checked;
}

void TSpeedButtonActionLink::SetChecked(bool value) {
    if (!IsCheckedLinked()) return;
    if (auto* button = As<TSpeedButton>(FControl)) button->SetDown(value);
}

DW_DEFINE_CLASS(TSpeedButton) {
    PublishStd(c, {"Action", "Align"});
    c.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    PublishStd(c, {"Anchors", "BiDiMode", "Constraints"});
    c.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    c.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    PublishStd(c, {"Caption", "Enabled"});
    c.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    PublishStd(c, {"Font"});
    c.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    c.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
    c.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
    c.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
    PublishStd(c, {"ParentFont", "ParentShowHint", "ParentBiDiMode", "PopupMenu", "ShowHint"});
    c.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
    c.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
    PublishStd(c, {"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseEnter",
                   "OnMouseLeave"});
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
    FGlyph.reset(New<TBitmap>());
    FGlyph->OnChange = MakeMethod<&TSpeedButton::GlyphChanged>(this);
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::GlyphChanged(TObject* sender) {
    (void)sender;
    // A strip several cells wide tells how many pictures it holds.
    if (!FGlyph->Empty() && FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
        int cells = FGlyph->Width() / FGlyph->Height();
        if (cells >= 1 && cells <= 4) FNumGlyphs = cells;
    }
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* value) {
    FGlyph->Assign(value);
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value) {
    value = std::clamp(value, 1, 4);
    if (FNumGlyphs == value) return;
    FNumGlyphs = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    if (FGroupIndex == value) return;
    FGroupIndex = value;
    if (FGroupIndex == 0) SetDown(false);
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0) value = false;
    if (value == FDown) return;
    if (FDown && !value && !FAllowAllUp) return;
    FDown = value;
    if (value) {
        if (FState == bsUp) FState = bsExclusive;
    } else {
        FState = bsUp;
    }
    Invalidate();
    if (value) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (FAllowAllUp == value) return;
    FAllowAllUp = value;
    UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    TWinControl* parent = Parent();
    if (FGroupIndex == 0 || !parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = As<TSpeedButton>(parent->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
        // One group shares AllowAllUp, and at most one of its buttons is down.
        other->FAllowAllUp = FAllowAllUp;
        if (FDown && other->FDown) {
            other->FDown = false;
            other->FState = bsUp;
            other->Invalidate();
        }
    }
}

void TSpeedButton::SetFlat(bool value) {
    if (FFlat == value) return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value) {
    if (FMargin == value || value < -1) return;
    FMargin = value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    if (FSpacing == value) return;
    FSpacing = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    if (value)
        FControlStyle -= csOpaque;
    else
        FControlStyle += csOpaque;
    Invalidate();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect client = ClientRect();
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    bool down = FState == bsDown || FState == bsExclusive;
    if (!FTransparent || !FFlat) {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    TRect face = client;
    if (FFlat) {
        if (FState == bsExclusive && !FMouseInControl) FillRect(dc, &face, DitherBrush());
        if (down || (FMouseInControl && FState != bsDisabled) || HasState(csDesigning)) {
            TRect edge = client;
            DrawEdge(dc, &edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        face = client.Inflate(-1, -1);
    } else {
        UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (down) state |= DFCS_PUSHED;
        DrawFrameControl(dc, &face, DFC_BUTTON, state);
        if (FState == bsExclusive) FillRect(dc, &face, DitherBrush());
    }
    canvas->SetFont(Font());
    DrawButtonGlyphAndText(canvas, face, FGlyph.get(), FNumGlyphs, FState, Caption(), FLayout, FMargin, FSpacing, down,
                           Enabled());
}

void TSpeedButton::MouseDown(TMouseBtn button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled() || HasState(csDesigning)) return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!FDragging) return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (ClientRect().Contains({x, y})) state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseBtn button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FDragging) return;
    FDragging = false;
    bool inside = ClientRect().Contains({x, y});
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
    } else if (inside) {
        SetDown(!FDown);
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    if (inside) Click();
}

void TSpeedButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        TGraphicControl::Dispatch(message);
        bool inside = message.Msg == CM_MOUSEENTER;
        if (inside != FMouseInControl && Enabled()) {
            FMouseInControl = inside;
            if (FFlat) Invalidate();
        }
        return;
    }
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (Enabled() && Visible() && IsAccel(static_cast<char32_t>(message.WParam), Caption())) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_BUTTONPRESSED:
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(message);
}

TControlActionLink* TSpeedButton::CreateActionLink() {
    return New<TSpeedButtonActionLink>(this);
}

void TSpeedButton::ActionChange(TObject* sender, bool checkDefaults) {
    TGraphicControl::ActionChange(sender, checkDefaults);
    bool checked = false;
    if (ActionBoolProp(sender, "Checked", checked) && (!checkDefaults || !FDown)) SetDown(checked);
}

// ---------------------------------------------------------------------------------------------
// Standard kinds

String BitBtnCaption(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return "OK";
    case bkCancel:
        return "Cancel";
    case bkHelp:
        return "&Help";
    case bkYes:
        return "&Yes";
    case bkNo:
        return "&No";
    case bkClose:
        return "&Close";
    case bkAbort:
        return "Abort";
    case bkRetry:
        return "&Retry";
    case bkIgnore:
        return "&Ignore";
    case bkAll:
        return "&All";
    default:
        return String();
    }
}

TModalResult BitBtnModalResult(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return mrOk;
    case bkCancel:
        return mrCancel;
    case bkYes:
        return mrYes;
    case bkNo:
        return mrNo;
    case bkAbort:
        return mrAbort;
    case bkRetry:
        return mrRetry;
    case bkIgnore:
        return mrIgnore;
    case bkAll:
        return mrAll;
    default:
        return mrNone;
    }
}

namespace {

// 18 x 18 pictures of the standard kinds; '.' is the transparent background (the bottom-left
// pixel), the letters are the palette below.
const char* const KindPictures[] = {
    // bkOK, bkYes: a green check mark
    ".................."
    ".................."
    ".................."
    "..............G..."
    ".............GG..."
    "............GGG..."
    "...........GGG...."
    "..G.......GGG....."
    "..GG.....GGG......"
    "..GGG...GGG......."
    "...GGG.GGG........"
    "....GGGGG........."
    ".....GGG.........."
    "......G..........."
    ".................."
    ".................."
    ".................."
    "..................",
    // bkCancel, bkAbort: a red cross
    ".................."
    ".................."
    "..RR........RR...."
    "..RRR......RRR...."
    "...RRR....RRR....."
    "....RRR..RRR......"
    ".....RRRRRR......."
    "......RRRR........"
    "......RRRR........"
    ".....RRRRRR......."
    "....RRR..RRR......"
    "...RRR....RRR....."
    "..RRR......RRR...."
    "..RR........RR...."
    ".................."
    ".................."
    ".................."
    "..................",
    // bkHelp: a blue question mark
    ".................."
    ".................."
    "......BBBBB......."
    ".....BBB.BBB......"
    ".....BB...BB......"
    "..........BB......"
    ".........BBB......"
    "........BBB......."
    ".......BBB........"
    ".......BB........."
    ".......BB........."
    ".................."
    ".......BB........."
    ".......BB........."
    ".................."
    ".................."
    ".................."
    "..................",
    // bkNo: a red circle with a bar
    ".................."
    ".................."
    "......RRRRR......."
    "....RRR...RRR....."
    "...RR.......RR...."
    "...R.......RRR...."
    "..RR......RRRRR..."
    "..R......RRR..R..."
    "..R.....RRR...R..."
    "..R....RRR....R..."
    "..R...RRR.....R..."
    "..RRRRRR.....RR..."
    "...RRRR......R...."
    "...RR.......RR...."
    "....RRR...RRR....."
    "......RRRRR......."
    ".................."
    "..................",
    // bkClose: a door
    ".................."
    "...KKKKKKKKKKK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYKYK...."
    "...KYYYYYYYKYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KYYYYYYYYYK...."
    "...KKKKKKKKKKK...."
    ".................."
    "..................",
    // bkRetry: a green arrow turning round
    ".................."
    ".................."
    "......GGGGG......."
    "....GGG...GGG....."
    "...GG.......GG...."
    "...G.........G...."
    "..GG.........GG..."
    "..G..........GGG.."
    "..G.........GGGGG."
    "..G..........GGG.."
    "..GG..........G..."
    "...G.............."
    "...GG............."
    "....GGG...GG......"
    "......GGGGG......."
    ".................."
    ".................."
    "..................",
    // bkIgnore: a blue stroke
    ".................."
    ".................."
    ".................."
    ".................."
    ".................."
    ".................."
    ".................."
    "...BBBBBBBBBBBB..."
    "...BBBBBBBBBBBB..."
    "...BBBBBBBBBBBB..."
    ".................."
    ".................."
    ".................."
    ".................."
    ".................."
    ".................."
    ".................."
    "..................",
    // bkAll: two green check marks
    ".................."
    ".................."
    "...........G....G."
    "..........GG...GG."
    ".........GG...GG.."
    "..G.....GG...GG..."
    "..GG...GG...GG...."
    "...GG.GG...GG....."
    "....GGG...GG......"
    ".....G...GG.......",
};

} // namespace

void LoadBitBtnGlyph(TBitBtnKind kind, TBitmap* glyph) {
    int picture = -1;
    switch (kind) {
    case bkOK:
    case bkYes:
        picture = 0;
        break;
    case bkCancel:
    case bkAbort:
        picture = 1;
        break;
    case bkHelp:
        picture = 2;
        break;
    case bkNo:
        picture = 3;
        break;
    case bkClose:
        picture = 4;
        break;
    case bkRetry:
        picture = 5;
        break;
    case bkIgnore:
        picture = 6;
        break;
    case bkAll:
        picture = 7;
        break;
    default:
        break;
    }
    if (picture < 0) {
        glyph->Assign(nullptr);
        return;
    }
    constexpr int size = 18;
    const char* pixels = KindPictures[picture];
    size_t length = std::char_traits<char>::length(pixels);
    auto bitmap = MakeObject<TBitmap>(size, size);
    const COLORREF background = RGB(128, 128, 0);
    for (int y = 0; y < size; ++y) {
        TPixel* row = bitmap->ScanLine(y);
        for (int x = 0; x < size; ++x) {
            size_t i = static_cast<size_t>(y * size + x);
            char c = i < length ? pixels[i] : '.';
            COLORREF colour = background;
            switch (c) {
            case 'G':
                colour = RGB(0, 128, 0);
                break;
            case 'R':
                colour = RGB(192, 0, 0);
                break;
            case 'B':
                colour = RGB(0, 0, 160);
                break;
            case 'K':
                colour = RGB(0, 0, 0);
                break;
            case 'Y':
                colour = RGB(160, 128, 0);
                break;
            default:
                break;
            }
            row[x] = PixelFromColor(colour);
        }
    }
    bitmap->SetModified(true);
    glyph->Assign(bitmap.get());
}

// ---------------------------------------------------------------------------------------------
// TBitBtn

DW_DEFINE_CLASS(TBitBtn) {
    c.Property("Cancel", &TBitBtn::Cancel, &TBitBtn::SetCancel).Default(false).Stored(&TBitBtn::IsCustomGlyph);
    c.Property("Caption", &TBitBtn::Caption, &TBitBtn::SetCaption)
        .Type(CaptionTypeInfo())
        .Stored(&TBitBtn::IsCustomCaption);
    c.Property("Default", &TBitBtn::Default, &TBitBtn::SetDefault).Default(false).Stored(&TBitBtn::IsCustomGlyph);
    c.Property("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult)
        .Type(ModalResultTypeInfo())
        .Default(mrNone)
        .Stored(&TBitBtn::IsCustomModalResult);
    c.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph).Stored(&TBitBtn::IsCustomGlyph);
    c.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
    c.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
    c.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
    c.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1).Stored(&TBitBtn::IsCustomGlyph);
    c.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
    c.Property("Style", &TBitBtn::Style, &TBitBtn::SetStyle).Default(bsAutoDetect);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    FGlyph.reset(New<TBitmap>());
    FGlyph->OnChange = MakeMethod<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() = default;

TBitBtnKind TBitBtn::Kind() const {
    if (FKind == bkCustom) return bkCustom;
    // A standard button whose settings were changed is custom from then on.
    bool wantsDefault = FKind == bkOK || FKind == bkYes;
    bool wantsCancel = FKind == bkCancel || FKind == bkNo;
    if (wantsDefault != Default() || wantsCancel != Cancel() || ModalResult() != BitBtnModalResult(FKind))
        return bkCustom;
    return FKind;
}

void TBitBtn::SetKind(TBitBtnKind value) {
    if (value == FKind) return;
    if (value != bkCustom) {
        bool loading = HasState(csLoading) || HasState(csReading);
        SetDefault(value == bkOK || value == bkYes);
        SetCancel(value == bkCancel || value == bkNo);
        // A caption or modal result read from a form file is a deliberate change; keep it.
        if (!loading || Caption().empty()) SetCaption(BitBtnCaption(value));
        if (!loading || ModalResult() == mrNone) SetModalResult(BitBtnModalResult(value));
        FSettingKind = true;
        LoadBitBtnGlyph(value, FGlyph.get());
        FSettingKind = false;
        FNumGlyphs = 1;
    }
    FKind = value;
    Invalidate();
}

bool TBitBtn::IsCustomCaption() const {
    TBitBtnKind kind = Kind();
    return kind == bkCustom || Caption() != BitBtnCaption(kind);
}

bool TBitBtn::IsCustomModalResult() const {
    TBitBtnKind kind = Kind();
    return kind == bkCustom || ModalResult() != BitBtnModalResult(kind);
}

void TBitBtn::GlyphChanged(TObject* sender) {
    (void)sender;
    if (!FSettingKind) {
        FKind = bkCustom;
        if (!FGlyph->Empty() && FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
            int cells = FGlyph->Width() / FGlyph->Height();
            if (cells >= 1 && cells <= 4) FNumGlyphs = cells;
        }
    }
    Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* value) {
    FGlyph->Assign(value);
}

void TBitBtn::SetNumGlyphs(TNumGlyphs value) {
    value = std::clamp(value, 1, 4);
    if (FNumGlyphs == value) return;
    FNumGlyphs = value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value) {
    if (FMargin == value || value < -1) return;
    FMargin = value;
    Invalidate();
}

void TBitBtn::SetSpacing(int value) {
    if (FSpacing == value) return;
    FSpacing = value;
    Invalidate();
}

void TBitBtn::Click() {
    // Close closes the form of the button (the modal result does that for the other kinds).
    if (FKind == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            TButton::Click();
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::Paint() {
    TCanvas* canvas = Canvas();
    TRect face = DrawButtonFace();
    canvas->SetFont(Font());
    TButtonState state = !Enabled() ? bsDisabled : FPressed ? bsDown : bsUp;
    DrawButtonGlyphAndText(canvas, face, FGlyph.get(), FNumGlyphs, state, Caption(), FLayout, FMargin, FSpacing,
                           FPressed, Enabled());
    if (Focused() && !HasState(csDesigning)) canvas->DrawFocusRect(ClientRect().Inflate(-4, -4));
}

} // namespace dw
