// TAboutBox: the modal box naming the product, its version and how to reach its maker.
#pragma once

#include "framework/controls/forms/Forms.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/controls/stdctrls/StdCtrls.h"

namespace dw {

class TAboutBox : public TForm {
    DW_CLASS(TAboutBox, TForm)
    // Reads the stored layout ("TABOUTBOX").
    explicit TAboutBox(TComponent* owner);

    TLabel* ProductName = nullptr;
    TLabel* Version = nullptr;
    TLabel* Contact1 = nullptr;
    TLabel* Contact2 = nullptr;
    TButton* OKButton = nullptr;
};

} // namespace dw
