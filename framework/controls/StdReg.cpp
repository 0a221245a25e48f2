// RegisterStandardControls.
#include "framework/controls/StdReg.h"

#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/core/PlaceholderControl.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/forms/Timer.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/stdctrls/Buttons.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/rtl/ClassRegistry.h"

namespace dw {

void RegisterStandardControls() {
    const TClass classes[] = {
        TLabel::StaticClass(),
        TEdit::StaticClass(),
        TMemo::StaticClass(),
        TButton::StaticClass(),
        TCheckBox::StaticClass(),
        TRadioButton::StaticClass(),
        TGroupBox::StaticClass(),
        TListBox::StaticClass(),
        TComboBox::StaticClass(),
        TScrollBar::StaticClass(),
        TPanel::StaticClass(),
        TSplitter::StaticClass(),
        TRadioGroup::StaticClass(),
        TControlBar::StaticClass(),
        TBevel::StaticClass(),
        TPaintBox::StaticClass(),
        TSpeedButton::StaticClass(),
        TBitBtn::StaticClass(),
        TTabControl::StaticClass(),
        TPageControl::StaticClass(),
        TTabSheet::StaticClass(),
        TToolBar::StaticClass(),
        TToolButton::StaticClass(),
        TStatusBar::StaticClass(),
        TImageList::StaticClass(),
        TScrollBox::StaticClass(),
        TTimer::StaticClass(),
        // What a reader that keeps unknown controls makes of them.
        TPlaceholderControl::StaticClass(),
    };
    // Someone else may have registered a class already (registering twice raises).
    for (TClass cls : classes)
        if (!IsClassRegistered(cls) && !GetClass(cls->ClassName())) RegisterClass(cls);
}

} // namespace dw
