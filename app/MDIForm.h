// TMDIForm: Draftwell's main window, a multiple-document frame holding the menus, tool bars, the
// palette band, the inspector panel and the document windows, with the shell's own actions.
#pragma once

#include "framework/controls/comctrls/ComCtrls.h"
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/graphics/ImageList.h"
#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/stdctrls/ExtCtrls.h"
#include "framework/rtl/TypInfo.h"

namespace dw {

class TMDIChild;

class TMDIForm : public TForm {
    DW_CLASS(TMDIForm, TForm)
    // Reads the stored layout ("TMDIFORM") and loads the tool bar pictures.
    explicit TMDIForm(TComponent* owner);

    // ---- the stored layout
    TControlBar* ControlBar1 = nullptr;
    TToolBar* ToolBar2 = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TToolBar* ToolBar3 = nullptr;
    // The palette's place in the control bar (the palette itself comes with its own issue).
    TPanel* PaletteTab1 = nullptr;
    TPanel* Panel1 = nullptr;
    TTabControl* TabControl2 = nullptr;
    // The component selector's place above the inspector tabs.
    TPanel* ComponentCombo1 = nullptr;
    TTabControl* TabControl1 = nullptr;
    // The inspector list's place.
    TPanel* Panel2 = nullptr;
    TSplitter* Splitter1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Edit1 = nullptr;
    TMenuItem* Design1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* FileNew = nullptr;
    TAction* FileOpen = nullptr;
    TAction* FileSave = nullptr;
    TAction* FileExit = nullptr;
    TAction* FileMerge = nullptr;
    TAction* DesignMode = nullptr;
    TAction* DsnAbout = nullptr;
    TOpenDialog* OD = nullptr;
    TSaveDialog* SD = nullptr;
    TPopupMenu* PopupMenu2 = nullptr;
    TMenuItem* Customize1 = nullptr;

    // ---- handlers
    void FileNewExecute(TObject* sender);
    void FileOpenExecute(TObject* sender);
    void FileMergeExecute(TObject* sender);
    void FileSaveExecute(TObject* sender);
    void FileSaveUpdate(TObject* sender);
    void FileExitExecute(TObject* sender);
    void DesignModeExecute(TObject* sender);
    void DesignModeUpdate(TObject* sender);
    void DsnAboutExecute(TObject* sender);
    void TabControl1Change(TObject* sender);
    void TabControl2Change(TObject* sender);
    void ControlBar1BandMove(TObject* sender, TControl* control, TRect& bandRect);
    // The palette band keeps its right edge at the control bar's right edge when the bar's
    // width changes (the main window resized or maximized), as when it is dragged.
    void ControlBar1Resize(TObject* sender);
    void Customize1Click(TObject* sender);

    // Open for one file: a new document reads it (what it cannot use is kept and saved back) and
    // designs it. What the file held that the program has no class or property for, in one line
    // ("kept unread: 3 components of 2 unknown classes, 5 properties"), empty when nothing.
    void OpenFormFile(const String& fileName);
    const String& KeptUnread() const { return FKeptUnread; }

    // ---- state the shell keeps
    // The number the next "New" document gets ("MDIChild_" and this number).
    int DocumentCounter() const { return FDocumentCounter; }
    // The active document window, or null.
    TMDIChild* ActiveDocument() const;
    // What the inspector shows, as the tab controls choose it: the type kinds of the listed
    // properties (tkProperties for "Properties", tkMethods for "Events") and whether the list is
    // grouped by categories.
    TTypeKinds InspectorTypeKinds() const { return FInspectorTypeKinds; }
    bool InspectorByCategories() const { return FInspectorByCategories; }

    void BeforeDestruction() override;

protected:
    void Loaded() override;

private:
    String FKeptUnread;
    int FDocumentCounter = 1;
    int FPaletteGap = 0; // between the palette's right edge and the control bar's
    TTypeKinds FInspectorTypeKinds = tkProperties;
    bool FInspectorByCategories = false;
};

} // namespace dw
