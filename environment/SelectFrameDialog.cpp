#include "environment/SelectFrameDialog.h"

namespace dw {

DW_DEFINE_CLASS(TSelectFrameForm) {
    c.Method<&TSelectFrameForm::FrameListDblClick>("FrameListDblClick");
    c.Method<&TSelectFrameForm::FrameListMouseDown>("FrameListMouseDown");
}

TSelectFrameForm::TSelectFrameForm(TComponent* owner) : TForm(owner, CreateNew) {
    constexpr int margin = 8, listWidth = 240, listHeight = 180, buttonWidth = 75, buttonHeight = 23;
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Select frame to insert");

    FFrameList = New<TListBox>(this);
    FFrameList->SetName("FrameList");
    FFrameList->SetParent(this);
    FFrameList->SetBounds(margin, margin, listWidth, listHeight);
    FFrameList->SetTabOrder(0);
    FFrameList->OnDblClick = MakeMethod<&TSelectFrameForm::FrameListDblClick>(this);
    // The list box does not fire OnDblClick (it has no click events of its own), so the second
    // press of a double click is caught here as well; choosing twice does no harm.
    FFrameList->OnMouseDown = MakeMethod<&TSelectFrameForm::FrameListMouseDown>(this);

    int buttonsTop = margin + listHeight + margin;
    int right = margin + listWidth;
    FOKButton = New<TButton>(this);
    FOKButton->SetName("OK");
    FOKButton->SetParent(this);
    FOKButton->SetCaption("OK");
    FOKButton->SetModalResult(mrOk);
    FOKButton->SetDefault(true);
    FOKButton->SetBounds(right - 2 * buttonWidth - 6, buttonsTop, buttonWidth, buttonHeight);
    FOKButton->SetTabOrder(1);

    FCancelButton = New<TButton>(this);
    FCancelButton->SetName("Cancel");
    FCancelButton->SetParent(this);
    FCancelButton->SetCaption("Cancel");
    FCancelButton->SetModalResult(mrCancel);
    FCancelButton->SetCancel(true);
    FCancelButton->SetBounds(right - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    FCancelButton->SetTabOrder(2);

    SetClientSize(listWidth + 2 * margin, buttonsTop + buttonHeight + margin);
    SetActiveControl(FFrameList);
}

void TSelectFrameForm::FrameListDblClick(TObject*) {
    SetModalResult(mrOk);
}

void TSelectFrameForm::FrameListMouseDown(TObject* sender, TMouseBtn button, TShiftState shift, int, int) {
    if (button == mbLeft && shift.Contains(ssDouble)) FrameListDblClick(sender);
}

} // namespace dw
