// TSelectFrameForm: the dialog that asks which frame to insert ("Select frame to insert"): a list
// of frame class names with OK and Cancel; a double click on the list chooses like OK.
#pragma once

#include "framework/controls/forms/Forms.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw {

class TSelectFrameForm : public TForm {
    DW_CLASS(TSelectFrameForm, TForm)
    // Builds its controls in code: "FrameList", "OK", "Cancel".
    explicit TSelectFrameForm(TComponent* owner);

    TListBox* FrameList() const { return FFrameList; }
    TButton* OKButton() const { return FOKButton; }
    TButton* CancelButton() const { return FCancelButton; }

    void FrameListDblClick(TObject* sender);
    void FrameListMouseDown(TObject* sender, TMouseBtn button, TShiftState shift, int x, int y);

private:
    TListBox* FFrameList = nullptr;
    TButton* FOKButton = nullptr;
    TButton* FCancelButton = nullptr;
};

} // namespace dw
