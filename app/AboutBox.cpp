#include "app/AboutBox.h"

namespace dw {

DW_DEFINE_CLASS(TAboutBox) {
    c.Field("ProductName", &TAboutBox::ProductName);
    c.Field("Version", &TAboutBox::Version);
    c.Field("Contact1", &TAboutBox::Contact1);
    c.Field("Contact2", &TAboutBox::Contact2);
    c.Field("OKButton", &TAboutBox::OKButton);
}

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {}

} // namespace dw
