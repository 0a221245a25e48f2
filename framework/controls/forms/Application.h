// The application object: the message loop, idle processing, shortcuts, modal loops, hints and
// the default exception display; message box flags and the hint text helpers.
#pragma once

#include "framework/controls/core/Control.h"
#include "framework/controls/forms/HintWindow.h"
#include "framework/platform/window/Messages.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Swallow.h"

#include <functional>
#include <memory>
#include <vector>

namespace dw {

class TCustomForm;
class TForm;
class THintWindow;
class TIcon;

DW_EVENT(TIdleEvent, (TObject*, bool&), "Sender: TObject; var Done: Boolean");
DW_EVENT(TMessageEvent, (TMsg&, bool&), "var Msg: TMsg; var Handled: Boolean");
DW_EVENT(TExceptionEvent, (TObject*, Exception&), "Sender: TObject; E: Exception");
DW_EVENT(TShowHintEvent, (String&, bool&, THintInfo&),
         "var HintStr: string; var CanShow: Boolean; var HintInfo: THintInfo");
DW_EVENT(THelpEvent, (Word, int, bool&), "Command: Word; Data: Integer; var CallHelp: Boolean");
DW_EVENT(TActionEvent, (TBasicAction*, bool&), "Action: TBasicAction; var Handled: Boolean");

// The application: the message loop, idle processing, shortcuts, modal loops, hints and the
// default exception display.
class TApplication : public TComponent, private ISwallowedErrorSink {
    DW_CLASS(TApplication, TComponent)
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    void BeforeDestruction() override;

    void Initialize();
    // Makes a form of class cls owned by the application; the first form made becomes MainForm.
    TCustomForm* CreateForm(TClass cls);
    template <class T> void CreateForm(T*& reference) { reference = static_cast<T*>(CreateForm(T::StaticClass())); }
    // Handles messages until Terminate (or until the main form closes).
    void Run();
    // Handles every message that is waiting, then returns.
    void ProcessMessages();
    // Handles one message, or does the idle processing and waits for one.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminate; }
    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* form) { FMainForm = form; }
    // The hidden window of the application (its timers and posted messages).
    HWND Handle();
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }
    String ExeName() const;
    bool Active() const { return FActive; }

    // ---- exceptions
    // Shows the exception being handled (OnException when assigned, else ShowException).
    // Call it from a catch block; exceptions that are not framework exceptions are shown with
    // their what() text.
    void HandleException(TObject* sender);
    // The default display: a message box with the exception's message.
    void ShowException(const Exception& e);
    TExceptionEvent OnException;
    // Shows a message box and returns the button pressed (IDOK, ...). The dialogs replace the
    // display through MessageBoxHook; without it a small form of the framework shows the text.
    int MessageBox(const String& text, const String& caption, UINT flags = 0);
    std::function<int(const String& text, const String& caption, UINT flags)> MessageBoxHook;

    // ---- idle, actions and shortcuts
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    THelpEvent OnHelp;
    TActionEvent OnActionExecute;
    TActionEvent OnActionUpdate;
    // Registers a procedure run on every idle pass (action lists update their actions there);
    // returns a key for RemoveIdleUpdate.
    int AddIdleUpdate(std::function<void()> update);
    void RemoveIdleUpdate(int key);
    // The idle pass: OnIdle, hint and action updates; waits for a message unless told not to.
    void Idle(bool waitForMessage = true);
    bool IsShortCut(TWMKey& message);
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    bool HelpContext(int context);

    // ---- modal loops
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { --FModalLevel; }
    int ModalLevel() const { return FModalLevel; }
    // Disables every visible top-level window except except (for a modal form); EnableTaskWindows
    // undoes it.
    std::vector<HWND> DisableTaskWindows(HWND except);
    void EnableTaskWindows(const std::vector<HWND>& windows);

    // ---- hints
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int value) { FHintShortPause = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    bool HintShortCuts() const { return FHintShortCuts; }
    void SetHintShortCuts(bool value) { FHintShortCuts = value; }
    // The class of the hint window (THintWindow or a descendant).
    TClass HintWindowClass() const { return FHintWindowClass; }
    void SetHintWindowClass(TClass value);
    THintWindow* HintWindow() const { return FHintWindow; }
    void CancelHint();
    void HideHint();
    // Shows the hint of the control at cursorPos (screen) at once.
    void ActivateHint(TPoint cursorPos);
    // Told about every mouse move over a control (TControl::WndProc).
    void HintMouseMessage(TControl* control, TMessage& message);
    // The control the mouse is over (it got CM_MOUSEENTER last), or null.
    TControl* MouseControl() const { return FMouseControl; }
    // Moves the mouse control, sending CM_MOUSELEAVE and CM_MOUSEENTER.
    void SetMouseControl(TControl* control);
    // Told when a control dies, so nothing keeps pointing at it.
    void ControlDestroyed(TControl* control);
    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;

    // Handles a message taken from the queue; false when there was none.
    bool ProcessMessage(TMsg& msg);

private:
    // Errors stopped where they must not escape reach OnException when the host set one; else the log.
    void ErrorSwallowed(TObject* sender, const String& message) override;
    ISwallowedErrorSink* FPreviousSink = nullptr;
    friend class TCustomForm;
    void WndProc(TMessage& message);
    bool IsHintMsg(TMsg& msg);
    bool IsKeyMsg(TMsg& msg);
    bool IsMDIMsg(TMsg& msg);
    void DoActionIdle();
    void HintTimerExpired();
    void StartHintTimer(int value, int kind);
    void StopHintTimer();
    void ShowHintFor(TControl* control, TPoint cursorPos);
    void DispatchGuarded(const TMsg& msg);

    TForm* FMainForm = nullptr;
    HWND FHandle = nullptr;
    String FTitle;
    bool FTerminate = false;
    bool FActive = true;
    bool FRunning = false;
    int FModalLevel = 0;
    std::vector<std::pair<int, std::function<void()>>> FIdleUpdates;
    int FNextIdleKey = 1;
    bool FInIdle = false;
    // Hints.
    bool FShowHint = true;
    String FHint;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    bool FHintShortCuts = true;
    TClass FHintWindowClass = nullptr;
    THintWindow* FHintWindow = nullptr;
    TControl* FMouseControl = nullptr;
    TControl* FHintControl = nullptr;
    TRect FHintCursorRect;
    bool FHintActive = false;
    int FHintTimerKind = 0; // 0 none, 1 show, 2 hide
    bool FShowingException = false;
};

extern TApplication* Application;

// Message box flags and answers (the classic values).
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The short part of a hint ("short|long"), and the long part (the whole text without a bar).
String GetShortHint(const String& hint);
String GetLongHint(const String& hint);

} // namespace dw
