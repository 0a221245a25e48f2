// TMDIChild: a document window, the form being designed. Every document starts from the stored
// template ("TMDICHILD"): two buttons and the designer that designs the window itself.
#pragma once

#include "designer/FormDesigner.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw {

class TMDIChild : public TForm {
    DW_CLASS(TMDIChild, TForm)
    explicit TMDIChild(TComponent* owner);

    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    // The template's designer, whose Target is this window; stored and published as "Designer"
    // (a member of that name would hide the form's own Designer(), its designer hook).
    TzFormDesigner* FormDesigner = nullptr;

    // Lets palette buttons show their drag images over the document.
    void FormCreate(TObject* sender);
    // Closing a document frees it.
    void FormClose(TObject* sender, TCloseAction& action);
};

} // namespace dw
