// PublishControlProperties: publishes inherited control properties on a descendant class with the
// framework's types, defaults and stored tests.
#pragma once

#include "framework/controls/core/Control.h"
#include "framework/controls/core/WinControl.h"
#include "framework/rtl/Exceptions.h"

#include <cstring>
#include <type_traits>

namespace dw {

// Publishes inherited control properties on a descendant with the framework's usual types and
// defaults: c.Property is called for every name in names ("Align", "Anchors", "BiDiMode",
// "Caption", "Color", "Constraints", "Ctl3D", "Cursor", "DragCursor", "DragKind", "DragMode",
// "Enabled", "Font", "Hint", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
// "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Text", "Visible",
// "AutoSize", "BorderWidth", "BevelInner", "BevelOuter", "BevelKind", "BevelWidth", "BevelEdges",
// "DoubleBuffered", "Action" and the events OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp,
// OnMouseWheel, OnMouseEnter, OnMouseLeave, OnResize, OnCanResize, OnConstrainedResize, OnDragOver,
// OnDragDrop, OnStartDrag, OnEndDrag, OnContextPopup, OnKeyDown, OnKeyPress, OnKeyUp, OnEnter,
// OnExit). An unknown name raises EPropertyError when the class is defined.
template <class C> void PublishControlProperties(TClassBuilder<C>& c, std::initializer_list<const char*> names);

namespace detail {
// A class whose constructor gives ParentColor, Color or Cursor another value than TControl's says so
// with a static member (ParentColorDefault, ColorDefault, CursorDefault): the default published must
// be the value a fresh object has, or a value equal to a wrong default would not be written and
// would read back as the constructor's.
template <class C> constexpr bool ParentColorDefaultOf() {
    if constexpr (requires { C::ParentColorDefault; })
        return C::ParentColorDefault;
    else
        return true;
}
template <class C> constexpr TColor ColorDefaultOf() {
    if constexpr (requires { C::ColorDefault; })
        return C::ColorDefault;
    else
        return clWindow;
}
template <class C> constexpr TCursor CursorDefaultOf() {
    if constexpr (requires { C::CursorDefault; })
        return C::CursorDefault;
    else
        return crDefault;
}

// The properties only windowed controls have; false when name is not one of them.
template <class C> bool PublishWinControlProperty(TClassBuilder<C>& c, const char* name) {
    auto is = [name](const char* n) { return std::strcmp(name, n) == 0; };
    if constexpr (std::is_base_of_v<TWinControl, C>) {
        // Written only when the control does not follow its parent, so that reading a form does not
        // cut a control off its parent's Ctl3D.
        if (is("Ctl3D"))
            c.Property("Ctl3D", &C::Ctl3D, &C::SetCtl3D).Default(true).Stored(&C::IsCtl3DStored);
        else if (is("ParentCtl3D"))
            c.Property("ParentCtl3D", &C::ParentCtl3D, &C::SetParentCtl3D).Default(true);
        else if (is("TabOrder"))
            c.Property("TabOrder", &C::TabOrder, &C::SetTabOrder).Type(TabOrderTypeInfo()).Default(-1);
        else if (is("TabStop"))
            c.Property("TabStop", &C::TabStop, &C::SetTabStop).Default(false);
        else if (is("BorderWidth"))
            c.Property("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
        else if (is("BevelInner"))
            c.Property("BevelInner", &C::BevelInner, &C::SetBevelInner).Default(bvRaised);
        else if (is("BevelOuter"))
            c.Property("BevelOuter", &C::BevelOuter, &C::SetBevelOuter).Default(bvLowered);
        else if (is("BevelKind"))
            c.Property("BevelKind", &C::BevelKind, &C::SetBevelKind).Default(bkNone);
        else if (is("BevelWidth"))
            c.Property("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1);
        else if (is("BevelEdges"))
            c.Property("BevelEdges", &C::BevelEdges, &C::SetBevelEdges)
                .Default(TBevelEdges{beLeft, beTop, beRight, beBottom});
        else if (is("DoubleBuffered"))
            c.Property("DoubleBuffered", &C::DoubleBuffered, &C::SetDoubleBuffered).Default(false);
        else if (is("OnKeyDown"))
            c.Property("OnKeyDown", &C::OnKeyDown, &C::OnKeyDown);
        else if (is("OnKeyPress"))
            c.Property("OnKeyPress", &C::OnKeyPress, &C::OnKeyPress);
        else if (is("OnKeyUp"))
            c.Property("OnKeyUp", &C::OnKeyUp, &C::OnKeyUp);
        else if (is("OnEnter"))
            c.Property("OnEnter", &C::OnEnter, &C::OnEnter);
        else if (is("OnExit"))
            c.Property("OnExit", &C::OnExit, &C::OnExit);
        else
            return false;
        return true;
    } else {
        (void)c;
        (void)is;
        return false;
    }
}
} // namespace detail

template <class C> void PublishControlProperties(TClassBuilder<C>& c, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        auto is = [name](const char* n) { return std::strcmp(name, n) == 0; };
        if (is("Action"))
            c.Property("Action", &C::Action, &C::SetAction);
        else if (is("Align"))
            c.Property("Align", &C::Align, &C::SetAlign).Default(alNone);
        else if (is("Anchors"))
            c.Property("Anchors", &C::Anchors, &C::SetAnchors)
                .Default(TAnchors{akLeft, akTop})
                .Stored(&C::IsAnchorsStored);
        else if (is("AutoSize"))
            c.Property("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(false);
        else if (is("BiDiMode"))
            c.Property("BiDiMode", &C::BiDiMode, &C::SetBiDiMode).Default(bdLeftToRight).Stored(&C::IsBiDiModeStored);
        else if (is("Caption"))
            c.Property("Caption", &C::Caption, &C::SetCaption).Type(CaptionTypeInfo()).Stored(&C::IsCaptionStored);
        else if (is("Text"))
            c.Property("Text", &C::Text, &C::SetText).Type(CaptionTypeInfo()).Stored(&C::IsCaptionStored);
        else if (is("Color"))
            c.Property("Color", &C::Color, &C::SetColor)
                .Type(ColorTypeInfo())
                .Default(detail::ColorDefaultOf<C>())
                .Stored(&C::IsColorStored);
        else if (is("Constraints"))
            c.Property("Constraints", &C::Constraints, &C::SetConstraints);
        else if (is("Cursor"))
            c.Property("Cursor", &C::Cursor, &C::SetCursor)
                .Type(CursorTypeInfo())
                .Default(detail::CursorDefaultOf<C>());
        else if (is("DragCursor"))
            c.Property("DragCursor", &C::DragCursor, &C::SetDragCursor).Type(CursorTypeInfo()).Default(crDrag);
        else if (is("DragKind"))
            c.Property("DragKind", &C::DragKind, &C::SetDragKind).Default(dkDrag);
        else if (is("DragMode"))
            c.Property("DragMode", &C::DragMode, &C::SetDragMode).Default(dmManual);
        else if (is("Enabled"))
            c.Property("Enabled", &C::Enabled, &C::SetEnabled).Default(true);
        else if (is("Font"))
            c.Property("Font", &C::Font, &C::SetFont).Stored(&C::IsFontStored);
        else if (is("Hint"))
            c.Property("Hint", &C::Hint, &C::SetHint).Stored(&C::IsHintStored);
        else if (is("HelpContext"))
            c.Property("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0);
        else if (is("ParentBiDiMode"))
            c.Property("ParentBiDiMode", &C::ParentBiDiMode, &C::SetParentBiDiMode).Default(true);
        else if (is("ParentColor"))
            c.Property("ParentColor", &C::ParentColor, &C::SetParentColor).Default(detail::ParentColorDefaultOf<C>());
        else if (is("ParentFont"))
            c.Property("ParentFont", &C::ParentFont, &C::SetParentFont).Default(true);
        else if (is("ParentShowHint"))
            c.Property("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true);
        else if (is("PopupMenu"))
            c.Property("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);
        else if (is("ShowHint"))
            c.Property("ShowHint", &C::ShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored);
        else if (is("Visible"))
            c.Property("Visible", &C::Visible, &C::SetVisible).Default(true);
        else if (is("OnClick"))
            c.Property("OnClick", &C::OnClick, &C::OnClick);
        else if (is("OnDblClick"))
            c.Property("OnDblClick", &C::OnDblClick, &C::OnDblClick);
        else if (is("OnMouseDown"))
            c.Property("OnMouseDown", &C::OnMouseDown, &C::OnMouseDown);
        else if (is("OnMouseMove"))
            c.Property("OnMouseMove", &C::OnMouseMove, &C::OnMouseMove);
        else if (is("OnMouseUp"))
            c.Property("OnMouseUp", &C::OnMouseUp, &C::OnMouseUp);
        else if (is("OnMouseWheel"))
            c.Property("OnMouseWheel", &C::OnMouseWheel, &C::OnMouseWheel);
        else if (is("OnMouseWheelDown"))
            c.Property("OnMouseWheelDown", &C::OnMouseWheelDown, &C::OnMouseWheelDown);
        else if (is("OnMouseWheelUp"))
            c.Property("OnMouseWheelUp", &C::OnMouseWheelUp, &C::OnMouseWheelUp);
        else if (is("OnMouseEnter"))
            c.Property("OnMouseEnter", &C::OnMouseEnter, &C::OnMouseEnter);
        else if (is("OnMouseLeave"))
            c.Property("OnMouseLeave", &C::OnMouseLeave, &C::OnMouseLeave);
        else if (is("OnResize"))
            c.Property("OnResize", &C::OnResize, &C::OnResize);
        else if (is("OnCanResize"))
            c.Property("OnCanResize", &C::OnCanResize, &C::OnCanResize);
        else if (is("OnConstrainedResize"))
            c.Property("OnConstrainedResize", &C::OnConstrainedResize, &C::OnConstrainedResize);
        else if (is("OnDragOver"))
            c.Property("OnDragOver", &C::OnDragOver, &C::OnDragOver);
        else if (is("OnDragDrop"))
            c.Property("OnDragDrop", &C::OnDragDrop, &C::OnDragDrop);
        else if (is("OnStartDrag"))
            c.Property("OnStartDrag", &C::OnStartDrag, &C::OnStartDrag);
        else if (is("OnEndDrag"))
            c.Property("OnEndDrag", &C::OnEndDrag, &C::OnEndDrag);
        else if (is("OnContextPopup"))
            c.Property("OnContextPopup", &C::OnContextPopup, &C::OnContextPopup);
        else if (!detail::PublishWinControlProperty(c, name))
            throw EPropertyError(String("Control property ") + name + " cannot be published this way");
    }
}

} // namespace dw
