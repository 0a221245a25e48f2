#include "designer/TabOrderIcons.h"

#include "designer/FormDesigner.h"
#include "framework/rtl/TypInfo.h"

namespace dw {

DW_DEFINE_CLASS(TTabOrderIcons) {
    c.Property("Color", &TTabOrderIcons::Color, &TTabOrderIcons::SetColor).Type(ColorTypeInfo()).Default(clMaroon);
    c.Property("Font", &TTabOrderIcons::Font, &TTabOrderIcons::SetFont);
    c.Property("Width", &TTabOrderIcons::Width, &TTabOrderIcons::SetWidth).Default(0);
    c.Property("Height", &TTabOrderIcons::Height, &TTabOrderIcons::SetHeight).Default(0);
    c.Property("HorzAlign", &TTabOrderIcons::HorzAlign, &TTabOrderIcons::SetHorzAlign).Default(taLeftJustify);
    c.Property("VertAlign", &TTabOrderIcons::VertAlign, &TTabOrderIcons::SetVertAlign).Default(taAlignBottom);
}

TTabOrderIcons::TTabOrderIcons(TzCustomFormDesigner* designer) : FDesigner(designer), FFont(New<TFont>()) {
    FFont->SetColor(clYellow);
    FFont->OnChange = MakeMethod<&TTabOrderIcons::FontChanged>(this);
}

TTabOrderIcons::~TTabOrderIcons() = default;

TPersistent* TTabOrderIcons::GetOwner() const {
    return FDesigner;
}

void TTabOrderIcons::Assign(const TPersistent* source) {
    if (auto* other = As<TTabOrderIcons>(source)) {
        FColor = other->FColor;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        FHorzAlign = other->FHorzAlign;
        FVertAlign = other->FVertAlign;
        FFont->Assign(other->FFont.get());
        RefreshTabOrderBadges();
        return;
    }
    TPersistent::Assign(source);
}

void TTabOrderIcons::SetColor(TColor value) {
    FColor = value;
    RefreshTabOrderBadges();
}

void TTabOrderIcons::SetFont(TFont* value) {
    FFont->Assign(value);
}

void TTabOrderIcons::SetWidth(int value) {
    // 0 sizes the badge to its number.
    CheckPropertyRange("Width", value, 0, MaxBadgeSize);
    FWidth = value;
    RefreshTabOrderBadges();
}

void TTabOrderIcons::SetHeight(int value) {
    CheckPropertyRange("Height", value, 0, MaxBadgeSize);
    FHeight = value;
    RefreshTabOrderBadges();
}

void TTabOrderIcons::SetHorzAlign(TAlignment value) {
    FHorzAlign = value;
    RefreshTabOrderBadges();
}

void TTabOrderIcons::SetVertAlign(TVerticalAlignment value) {
    FVertAlign = value;
    RefreshTabOrderBadges();
}

void TTabOrderIcons::FontChanged(TObject* sender) {
    (void)sender;
    RefreshTabOrderBadges();
}

bool TTabOrderIcons::ShowTabOrderBadges(TWinControl* container) {
    (void)container;
    HideTabOrderBadges();
    return false;
}

void TTabOrderIcons::HideTabOrderBadges() {}

bool TTabOrderIcons::AssignNextTabOrder(TControl* clicked) {
    (void)clicked;
    return false;
}

void TTabOrderIcons::RefreshTabOrderBadges() {}

} // namespace dw
