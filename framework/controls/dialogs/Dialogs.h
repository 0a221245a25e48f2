// Message boxes (MessageDlg, MessageBox, ShowMessage), input boxes (InputQuery, InputBox), the
// file dialogs (TOpenDialog, TSaveDialog) as real file browsers made of the framework's own forms
// and controls, and TDialogScript, through which a test answers dialogs without a person.
#pragma once

#include "framework/controls/forms/Forms.h"
#include "framework/rtl/StringList.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace dw {

// ---------------------------------------------------------------------------------------------
// Message boxes

DW_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
DW_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp)
DW_SET(TMsgDlgButtons, TMsgDlgBtn)
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// More message box flags (the basic ones are in Application.h).
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;

// A dialog form with the message, the icon of its type and the buttons, in the order Yes, No,
// OK, Cancel, Abort, Retry, Ignore, All, No to All, Yes to All, Help; the first of OK and Yes is
// the default button, Cancel (else No, else OK) answers Esc. The caller frees the form. The
// controls are named "Message", "Image" and after their buttons ("Yes", "OK", ...).
TForm* CreateMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows the message modally and returns the button's result (mrYes, mrOK, ...); a help context
// makes the Help button show that topic. Closing the box some other way answers mrCancel.
int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The same with the box's top-left corner at a screen point (-1, -1: centred).
int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x, int y);
// The message with an OK button, captioned with the application's title.
void ShowMessage(const String& msg);
// The classic message box: flags choose the buttons (MB_OK ... MB_RETRYCANCEL), the icon
// (MB_ICONERROR ...) and the default button (MB_DEFBUTTON1 to 3); returns IDOK, IDCANCEL, ...
int MessageBox(const String& text, const String& caption, UINT flags = MB_OK);

// A box with prompt and an edit holding value (all selected). True with the edited value when OK
// is chosen; value stays as it was otherwise. The controls are "Prompt", "Value", "OK", "Cancel".
bool InputQuery(const String& caption, const String& prompt, String& value);
// The edited value, or defaultValue when cancelled.
String InputBox(const String& caption, const String& prompt, const String& defaultValue);

// Makes the application's message boxes (and so its default exception display) the dialogs of
// this unit, replacing whatever display was set. EnsureMessageBoxHook does it only when none is
// set; it runs at start-up and with every dialog shown.
void InstallDialogMessageBox();
void EnsureMessageBoxHook();

// ---------------------------------------------------------------------------------------------
// Answering dialogs from tests

enum class TDialogKind { MessageBox, InputQuery, OpenDialog, SaveDialog };

// A queue of answers for the dialogs to come, in order. While the queue holds an entry, the next
// dialog takes it; with the queue empty dialogs are shown as usual (waiting for a person). Every
// dialog is logged.
//
// An answer gives a result without showing anything:
//   - for a message box, the modal result (mrYes, mrOK, ...: the box answers as if that button
//     had been pressed; a result the box has no button for raises EInvalidOperation);
//   - for an input query, the value (OK) or no value (Cancel);
//   - for a file dialog, a file name (taken as typed into the dialog and confirmed: resolved
//     against the dialog's folder, given the default extension, checked as the options ask, the
//     overwrite prompt asked; a check that refuses the name ends the dialog cancelled) or no name
//     (Cancel).
// A handler instead shows the dialog and is called with its live form once the dialog waits for
// input; it drives the form (injected input, or the controls directly) and returns.
// An entry meant for another kind of dialog raises EInvalidOperation naming both.
class TDialogScript {
public:
    using THandler = std::function<void(TForm* dialog)>;
    struct TRecord {
        TDialogKind Kind;
        String Caption;
        String Text; // the message of a message box, the prompt of an input query
        bool Scripted = false;
    };

    void AnswerMessage(int modalResult);
    void AnswerInput(std::optional<String> value);
    void AnswerFileName(TDialogKind kind, std::optional<String> fileName);
    void Handle(TDialogKind kind, THandler handler);

    int Pending() const { return static_cast<int>(FEntries.size()); }
    // Forgets the answers not yet used and the log.
    void Clear();
    const std::vector<TRecord>& Log() const { return FLog; }

    struct TEntry {
        TDialogKind Kind;
        int Result = 0;
        std::optional<String> Value;
        THandler Handler;
    };
    // The dialogs take their entries here (EInvalidOperation when the next one is for another
    // kind); none when the queue is empty.
    std::optional<TEntry> Take(TDialogKind kind, const String& caption, const String& text);
    void Record(TDialogKind kind, const String& caption, const String& text, bool scripted);

private:
    std::deque<TEntry> FEntries;
    std::vector<TRecord> FLog;
};

TDialogScript& DialogScript();

// Shows form modally; with a handler, the handler gets the form once the modal loop waits.
int ShowDialogModal(TForm* form, const TDialogScript::THandler& handler);

// ---------------------------------------------------------------------------------------------
// Common dialogs

class TCommonDialog : public TComponent {
    DW_CLASS(TCommonDialog, TComponent)
    explicit TCommonDialog(TComponent* owner);
    // Shows the dialog; true when the user confirmed it.
    virtual bool Execute() = 0;
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value) { FCtl3D = value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual void DoShow() { OnShow(this); }
    virtual void DoClose() { OnClose(this); }

private:
    bool FCtl3D = true;
    int FHelpContext = 0;
};

DW_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
        ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
        ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
        ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)
DW_SET(TOpenOptions, TOpenOption)

// One entry of a filter: its description and its masks ("*.txt;*.text" gives two).
struct TFileFilter {
    String Description;
    std::vector<String> Masks;
};
// "Text|*.txt|All files (*.*)|*.*" as entries; a description without masks gets "*".
std::vector<TFileFilter> ParseFilter(const String& filter);
// Whether a file name matches a mask ('*' any run, '?' one character, without regard to case;
// "*.*" matches every name, with or without an extension).
bool MatchesMask(const String& name, const String& mask);

// The open dialog: a browser of the folders and files (those the chosen filter admits) with a
// folder line, the list (folders first, ".." to go up), a file name edit and a filter combo box.
// Double click or Enter on a folder opens it, on a file chooses it; a typed folder name opens
// the folder, a typed mask filters the list. The controls are named "FolderEdit", "UpButton",
// "FileList", "FileNameEdit", "FilterCombo", "OKButton", "CancelButton" (and "HelpButton").
class TOpenDialog : public TCommonDialog {
    DW_CLASS(TOpenDialog, TCommonDialog)
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    bool Execute() override;

    // Without a dot or with one ("dfm", ".bmp"); appended to a chosen name without extension.
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& value) { FDefaultExt = value; }
    // The chosen file (its full path after Execute); before Execute its folder (if any) is where
    // the dialog starts unless InitialDir is set, and its name fills the name edit.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value) { FFileName = value; }
    // Every chosen file (one unless ofAllowMultiSelect).
    TStrings* Files() const { return FFiles.get(); }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& value) { FFilter = value; }
    // The chosen filter, counted from 1.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& value) { FInitialDir = value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions value) { FOptions = value; }
    // The window caption; empty gives "Open" (or "Save As").
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }

    TCloseQueryEvent OnCanClose;
    TNotifyEvent OnFolderChange;
    TNotifyEvent OnSelectionChange;
    TNotifyEvent OnTypeChange;

    // Whether this is a save dialog (overwrite prompt, "Save" button).
    virtual bool IsSaveDialog() const { return false; }
    // Checks a name as if it had been typed and confirmed in folder: the full path to accept, or
    // none (after telling the user why, in a message box) when the dialog must stay open. A name
    // of an existing folder or with wildcards is none as well (the browser goes there or filters).
    std::optional<String> CheckFileName(const String& folder, const String& name);
    // Fills FileName, Files and FilterIndex from the accepted paths.
    void Accept(const std::vector<String>& paths, int filterIndex);
    // The folder the dialog starts in.
    String StartFolder() const;
    String DefaultTitle() const { return IsSaveDialog() ? "Save As" : "Open"; }

protected:
    virtual bool DoCanClose();

private:
    String FDefaultExt;
    String FFileName;
    TObjectPtr<TStringList> FFiles;
    String FFilter;
    int FFilterIndex = 1;
    String FInitialDir;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    String FTitle;
};

class TSaveDialog : public TOpenDialog {
    DW_CLASS(TSaveDialog, TOpenDialog)
    explicit TSaveDialog(TComponent* owner);
    bool IsSaveDialog() const override { return true; }
};

// Makes TOpenDialog and TSaveDialog known to the form reader; safe to call more than once.
void RegisterDialogClasses();

} // namespace dw
