// TTabOrderIcons: the designer's settings for the numbered tab order badges (published as
// TabOrderIcons), and the holder of the badges while they are shown.
#pragma once

#include "framework/controls/core/Controls.h"
#include "framework/controls/stdctrls/EditCore.h"

namespace dw {

class TzCustomFormDesigner;

DW_ENUM(TVerticalAlignment, taAlignTop, taAlignBottom, taVerticalCenter)

class TTabOrderIcons : public TPersistent {
    DW_CLASS(TTabOrderIcons, TPersistent)
    explicit TTabOrderIcons(TzCustomFormDesigner* designer = nullptr);
    // The largest Width and Height a badge may be given.
    static constexpr int MaxBadgeSize = 256;
    ~TTabOrderIcons() override;
    // From another badge setting: Color, Width, Height, HorzAlign, VertAlign and Font.
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value);
    // 0: the text's width (height) plus 6.
    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    TAlignment HorzAlign() const { return FHorzAlign; }
    void SetHorzAlign(TAlignment value);
    TVerticalAlignment VertAlign() const { return FVertAlign; }
    void SetVertAlign(TVerticalAlignment value);

    // The badge windows come with the tab order display; until then no badges are ever shown:
    // ShowTabOrderBadges answers false and AssignNextTabOrder consumes no click.
    bool ShowTabOrderBadges(TWinControl* container);
    void HideTabOrderBadges();
    bool TabOrderBadgesShown() const { return false; }
    bool AssignNextTabOrder(TControl* clicked);
    void RefreshTabOrderBadges();

private:
    void FontChanged(TObject* sender);

    TzCustomFormDesigner* FDesigner;
    TColor FColor = clMaroon;
    TObjectPtr<TFont> FFont;
    int FWidth = 0;
    int FHeight = 0;
    TAlignment FHorzAlign = taLeftJustify;
    TVerticalAlignment FVertAlign = taAlignBottom;
};

} // namespace dw
