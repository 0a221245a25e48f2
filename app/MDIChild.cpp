#include "app/MDIChild.h"

namespace dw {

DW_DEFINE_CLASS(TMDIChild) {
    c.Field("Button1", &TMDIChild::Button1);
    c.Field("Button2", &TMDIChild::Button2);
    c.Field("Designer", &TMDIChild::FormDesigner);
    c.Method<&TMDIChild::FormCreate>("FormCreate");
    c.Method<&TMDIChild::FormClose>("FormClose");
}

TMDIChild::TMDIChild(TComponent* owner) : TForm(owner) {}

void TMDIChild::FormCreate(TObject* sender) {
    (void)sender;
    SetControlStyle(ControlStyle() + csDisplayDragImage);
}

void TMDIChild::FormClose(TObject* sender, TCloseAction& action) {
    (void)sender;
    action = caFree;
}

} // namespace dw
