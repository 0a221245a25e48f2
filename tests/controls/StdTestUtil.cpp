#include "StdTestUtil.h"

namespace dw::test {

DW_DEFINE_CLASS(TTestAction) {
    c.Property("Caption", &TTestAction::Caption, &TTestAction::SetCaption);
    c.Property("Checked", &TTestAction::Checked, &TTestAction::SetChecked).Default(false);
    c.Property("Enabled", &TTestAction::Enabled, &TTestAction::SetEnabled).Default(true);
    c.Property("Hint", &TTestAction::Hint, &TTestAction::SetHint);
    c.Property("ImageIndex", &TTestAction::ImageIndex, &TTestAction::SetImageIndex).Default(-1);
    c.Property("Visible", &TTestAction::Visible, &TTestAction::SetVisible).Default(true);
}

} // namespace dw::test
