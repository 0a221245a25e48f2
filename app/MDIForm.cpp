#include "app/MDIForm.h"

#include "app/AboutBox.h"
#include "app/MDIChild.h"
#include "designer/DesignedForm.h"
#include "designer/FormDesigner.h"
#include "formfiles/FormFiles.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <vector>

namespace dw {

DW_DEFINE_CLASS(TMDIForm) {
    c.Field("ControlBar1", &TMDIForm::ControlBar1);
    c.Field("ToolBar2", &TMDIForm::ToolBar2);
    c.Field("ToolBar1", &TMDIForm::ToolBar1);
    c.Field("ToolBar3", &TMDIForm::ToolBar3);
    c.Field("PaletteTab1", &TMDIForm::PaletteTab1);
    c.Field("Panel1", &TMDIForm::Panel1);
    c.Field("TabControl2", &TMDIForm::TabControl2);
    c.Field("ComponentCombo1", &TMDIForm::ComponentCombo1);
    c.Field("TabControl1", &TMDIForm::TabControl1);
    c.Field("Panel2", &TMDIForm::Panel2);
    c.Field("Splitter1", &TMDIForm::Splitter1);
    c.Field("MainMenu1", &TMDIForm::MainMenu1);
    c.Field("File1", &TMDIForm::File1);
    c.Field("Edit1", &TMDIForm::Edit1);
    c.Field("Design1", &TMDIForm::Design1);
    c.Field("ImageList1", &TMDIForm::ImageList1);
    c.Field("ActionList1", &TMDIForm::ActionList1);
    c.Field("FileNew", &TMDIForm::FileNew);
    c.Field("FileOpen", &TMDIForm::FileOpen);
    c.Field("FileSave", &TMDIForm::FileSave);
    c.Field("FileExit", &TMDIForm::FileExit);
    c.Field("FileMerge", &TMDIForm::FileMerge);
    c.Field("DesignMode", &TMDIForm::DesignMode);
    c.Field("DsnAbout", &TMDIForm::DsnAbout);
    c.Field("OD", &TMDIForm::OD);
    c.Field("SD", &TMDIForm::SD);
    c.Field("PopupMenu2", &TMDIForm::PopupMenu2);
    c.Field("Customize1", &TMDIForm::Customize1);
    c.Method<&TMDIForm::FileNewExecute>("FileNewExecute");
    c.Method<&TMDIForm::FileOpenExecute>("FileOpenExecute");
    c.Method<&TMDIForm::FileMergeExecute>("FileMergeExecute");
    c.Method<&TMDIForm::FileSaveExecute>("FileSaveExecute");
    c.Method<&TMDIForm::FileSaveUpdate>("FileSaveUpdate");
    c.Method<&TMDIForm::FileExitExecute>("FileExitExecute");
    c.Method<&TMDIForm::DesignModeExecute>("DesignModeExecute");
    c.Method<&TMDIForm::DesignModeUpdate>("DesignModeUpdate");
    c.Method<&TMDIForm::DsnAboutExecute>("DsnAboutExecute");
    c.Method<&TMDIForm::TabControl1Change>("TabControl1Change");
    c.Method<&TMDIForm::TabControl2Change>("TabControl2Change");
    c.Method<&TMDIForm::ControlBar1BandMove>("ControlBar1BandMove");
    c.Method<&TMDIForm::ControlBar1Resize>("ControlBar1Resize");
    c.Method<&TMDIForm::Customize1Click>("Customize1Click");
}

namespace {

// Open and Merge read what they can (handlers without code and bad values are not applied); the
// reading keeps whatever the program cannot use, so that saving gives it back.
void SkipReadError(TReader* reader, const String& message, bool& handled) {
    (void)reader, (void)message;
    handled = true;
}

} // namespace

TMDIForm::TMDIForm(TComponent* owner) : TForm(owner) {}

void TMDIForm::Loaded() {
    TForm::Loaded();
    // The pictures live in a bitmap resource drawn with the glyph tools, so that they stay
    // editable as pictures rather than as image list data inside the layout.
    if (ImageList1 && ImageList1->Count() == 0 && !ImageList1->ResourceLoad("SHELLIMAGES", clSilver))
        throw EResNotFound("Resource SHELLIMAGES not found");
    if (ControlBar1 && PaletteTab1) {
        FPaletteGap = std::max(0, ControlBar1->ClientWidth() - PaletteTab1->BoundsRect().Right);
        ControlBar1->OnResize = MakeMethod<&TMDIForm::ControlBar1Resize>(this);
    }
}

void TMDIForm::BeforeDestruction() {
    // Documents have no owner (they live until closed); the frame takes the ones still open with it.
    std::vector<TForm*> documents;
    for (int i = 0; i < MDIChildCount(); ++i)
        if (MDIChildren(i)->Owner() != this) documents.push_back(MDIChildren(i));
    for (TForm* document : documents) document->Free();
    TForm::BeforeDestruction();
}

TMDIChild* TMDIForm::ActiveDocument() const {
    return dynamic_cast<TMDIChild*>(ActiveMDIChild());
}

void TMDIForm::FileNewExecute(TObject* sender) {
    (void)sender;
    TMDIChild* document = New<TMDIChild>(nullptr);
    document->SetName(Format("MDIChild_%d", FDocumentCounter));
    ++FDocumentCounter;
    document->FormDesigner->SetActive(true);
    // The history starts at the new form: one snapshot, nothing to undo.
    document->FormDesigner->ResetUndo();
}

void TMDIForm::FileOpenExecute(TObject* sender) {
    (void)sender;
    if (!OD->Execute()) return;
    OpenFormFile(OD->FileName());
}

namespace {
String KeptUnreadText(const TKeptSummary& summary) {
    if (summary.Empty()) return "";
    int components = 0;
    for (const auto& entry : summary.Classes) components += entry.second;
    auto classes = static_cast<int>(summary.Classes.size());
    auto properties = static_cast<int>(summary.Properties.size());
    String text = "kept unread: ";
    if (components > 0)
        text += Format("%d component%s of %d unknown class%s", components, components == 1 ? "" : "s", classes,
                       classes == 1 ? "" : "es");
    if (components > 0 && properties > 0) text += ", ";
    if (properties > 0) text += Format("%d propert%s", properties, properties == 1 ? "y" : "ies");
    return text;
}
} // namespace

void TMDIForm::OpenFormFile(const String& fileName) {
    TMDIChild* document = New<TMDIChild>(nullptr);
    document->FormDesigner->SetActive(false);
    // The document was just made from its template: what the template holds and the file does not
    // is not part of the file's form.
    TReadKeeping keeping;
    keeping.FreshRoot = true;
    ReadFormFile(fileName, document, nullptr, nullptr, SkipReadError, &keeping);
    FKeptUnread = KeptUnreadText(keeping.Summary);
    document->FormDesigner->SetActive(true);
}

void TMDIForm::FileMergeExecute(TObject* sender) {
    (void)sender;
    TMDIChild* document = ActiveDocument();
    if (!document || !OD->Execute()) return;
    TzFormDesigner* designer = document->FormDesigner;
    designer->SetActive(false);
    TReadKeeping keeping;
    ReadFormFile(OD->FileName(), document, nullptr, nullptr, SkipReadError, &keeping);
    FKeptUnread = KeptUnreadText(keeping.Summary);
    // Deactivation forgot the design window.
    designer->SetTarget(document);
    designer->SetActive(true);
}

void TMDIForm::FileSaveExecute(TObject* sender) {
    (void)sender;
    TMDIChild* document = ActiveDocument();
    if (!document || !SD->Execute()) return;
    SaveDesignedForm(SD->FileName(), document->FormDesigner, true);
}

void TMDIForm::FileSaveUpdate(TObject* sender) {
    (void)sender;
    TMDIChild* document = ActiveDocument();
    FileSave->SetEnabled(document && document->FormDesigner && document->FormDesigner->Active() &&
                         document->FormDesigner->IsModified());
}

void TMDIForm::FileExitExecute(TObject* sender) {
    (void)sender;
    Close();
}

void TMDIForm::DesignModeExecute(TObject* sender) {
    (void)sender;
    TMDIChild* document = ActiveDocument();
    if (!document || !document->FormDesigner || !document->FormDesigner->Active()) return;
    TMemoryStream stream;
    WriteFormStream(stream, document, false, nullptr);
    // Owned by the main window, the copy's designer takes the main window as its Root and
    // leaves the copy's controls working as at run time.
    TMDIChild* copy = New<TMDIChild>(this);
    stream.SetPosition(0);
    ReadFormStream(stream, copy);
}

void TMDIForm::DesignModeUpdate(TObject* sender) {
    (void)sender;
    TMDIChild* document = ActiveDocument();
    DesignMode->SetEnabled(document != nullptr);
    if (document) DesignMode->SetChecked(document->FormDesigner && document->FormDesigner->Active());
}

void TMDIForm::DsnAboutExecute(TObject* sender) {
    (void)sender;
    TObjectPtr<TAboutBox> box(New<TAboutBox>(nullptr));
    box->ShowModal();
}

void TMDIForm::TabControl1Change(TObject* sender) {
    (void)sender;
    FInspectorByCategories = TabControl1->TabIndex() == 1;
}

void TMDIForm::TabControl2Change(TObject* sender) {
    (void)sender;
    FInspectorTypeKinds = TabControl2->TabIndex() == 0 ? tkProperties : tkMethods;
}

void TMDIForm::ControlBar1BandMove(TObject* sender, TControl* control, TRect& bandRect) {
    (void)sender;
    if (control == PaletteTab1) bandRect.Right = ControlBar1->ClientWidth();
}

void TMDIForm::ControlBar1Resize(TObject* sender) {
    (void)sender;
    if (!PaletteTab1 || !ControlBar1) return;
    int right = ControlBar1->ClientWidth() - FPaletteGap;
    int left = PaletteTab1->Left();
    if (right > left) PaletteTab1->SetBounds(left, PaletteTab1->Top(), right - left, PaletteTab1->Height());
}

void TMDIForm::Customize1Click(TObject* sender) {
    (void)sender;
    // The palette customization dialog belongs to the palette; until the palette exists there
    // is nothing to customize.
}

} // namespace dw
