// Message boxes, input boxes, the dialog script and the common dialog base.
#include "framework/controls/dialogs/Dialogs.h"

#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/platform/gdi/Text.h"
#include "framework/platform/window/Paint.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <array>

namespace dw {

// ---------------------------------------------------------------------------------------------
// The dialog script

namespace {
const char* KindName(TDialogKind kind) {
    switch (kind) {
    case TDialogKind::MessageBox:
        return "message box";
    case TDialogKind::InputQuery:
        return "input box";
    case TDialogKind::OpenDialog:
        return "open dialog";
    case TDialogKind::SaveDialog:
        return "save dialog";
    }
    return "dialog";
}
} // namespace

void TDialogScript::AnswerMessage(int modalResult) {
    FEntries.push_back({TDialogKind::MessageBox, modalResult, std::nullopt, nullptr});
}

void TDialogScript::AnswerInput(std::optional<String> value) {
    FEntries.push_back({TDialogKind::InputQuery, value ? mrOk : mrCancel, std::move(value), nullptr});
}

void TDialogScript::AnswerFileName(TDialogKind kind, std::optional<String> fileName) {
    if (kind != TDialogKind::OpenDialog && kind != TDialogKind::SaveDialog)
        throw EInvalidArgument("A file name answers an open or a save dialog only");
    FEntries.push_back({kind, fileName ? mrOk : mrCancel, std::move(fileName), nullptr});
}

void TDialogScript::Handle(TDialogKind kind, THandler handler) {
    FEntries.push_back({kind, mrNone, std::nullopt, std::move(handler)});
}

void TDialogScript::Clear() {
    FEntries.clear();
    FLog.clear();
}

std::optional<TDialogScript::TEntry> TDialogScript::Take(TDialogKind kind, const String& caption, const String& text) {
    if (FEntries.empty()) {
        Record(kind, caption, text, false);
        return std::nullopt;
    }
    TEntry entry = std::move(FEntries.front());
    FEntries.pop_front();
    if (entry.Kind != kind)
        throw EInvalidOperation(Format("The dialog script has an answer for a %s, but a %s came: \"%s\"",
                                       KindName(entry.Kind), KindName(kind), text.empty() ? caption : text));
    Record(kind, caption, text, !entry.Handler);
    return entry;
}

void TDialogScript::Record(TDialogKind kind, const String& caption, const String& text, bool scripted) {
    FLog.push_back({kind, caption, text, scripted});
}

TDialogScript& DialogScript() {
    static TDialogScript script;
    return script;
}

int ShowDialogModal(TForm* form, const TDialogScript::THandler& handler) {
    int idleKey = 0;
    if (handler && Application) {
        // The handler runs once, from the modal loop, when the dialog is up and waiting.
        auto* keyRef = &idleKey;
        idleKey = Application->AddIdleUpdate([form, handler, keyRef] {
            if (!*keyRef) return;
            Application->RemoveIdleUpdate(*keyRef);
            *keyRef = 0;
            handler(form);
        });
    }
    struct TRemove {
        int* Key;
        ~TRemove() {
            if (*Key && Application) Application->RemoveIdleUpdate(*Key);
        }
    } remove{&idleKey};
    return form->ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Message dialogs

namespace {

// The icon of a message type, drawn in the classic colours.
class TMessageIcon : public TGraphicControl {
    DW_CLASS(TMessageIcon, TGraphicControl)
    explicit TMessageIcon(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 32, 32); }
    TMsgDlgType IconType = mtInformation;

protected:
    void Paint() override;
};

DW_DEFINE_CLASS(TMessageIcon) {}

void TMessageIcon::Paint() {
    TCanvas* c = Canvas();
    auto letter = [c](const char* text, TColor color, int height) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetName("Arial");
        c->Font()->SetHeight(-height);
        c->Font()->SetStyle(TFontStyles{fsBold});
        c->Font()->SetColor(color);
        TSize size = c->TextExtent(text);
        c->TextOut((32 - size.cx) / 2, (32 - size.cy) / 2, text);
    };
    c->Pen()->SetWidth(1);
    switch (IconType) {
    case mtError:
        c->Pen()->SetColor(TColor(0x000080));
        c->Brush()->SetColor(clRed);
        c->Ellipse(1, 1, 31, 31);
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(3);
        c->MoveTo(10, 10);
        c->LineTo(22, 22);
        c->MoveTo(22, 10);
        c->LineTo(10, 22);
        break;
    case mtWarning:
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clYellow);
        c->Polygon({TPoint{16, 1}, TPoint{31, 29}, TPoint{1, 29}});
        c->Brush()->SetColor(clBlack);
        c->FillRect({15, 10, 18, 21});
        c->FillRect({15, 23, 18, 26});
        break;
    case mtInformation:
        c->Pen()->SetColor(clNavy);
        c->Brush()->SetColor(clWhite);
        c->Ellipse(1, 1, 31, 31);
        letter("i", clBlue, 22);
        break;
    case mtConfirmation:
        c->Pen()->SetColor(clNavy);
        c->Brush()->SetColor(clWhite);
        c->Ellipse(1, 1, 31, 31);
        letter("?", clBlue, 22);
        break;
    case mtCustom:
        break;
    }
}

// The form of a message box; its Help button shows the form's help topic.
class TMessageForm : public TForm {
    DW_CLASS(TMessageForm, TForm)
    explicit TMessageForm(TComponent* owner) : TForm(owner, CreateNew) {}
    void HelpButtonClick(TObject* sender) {
        (void)sender;
        if (Application) Application->HelpContext(HelpContext());
    }
};

DW_DEFINE_CLASS(TMessageForm) {
    c.Method<&TMessageForm::HelpButtonClick>("HelpButtonClick");
}

struct TButtonInfo {
    TMsgDlgBtn Button;
    const char* Name;
    const char* Caption;
    int Result;
};
constexpr std::array<TButtonInfo, 11> ButtonInfos{{
    {mbYes, "Yes", "&Yes", mrYes},
    {mbNo, "No", "&No", mrNo},
    {mbOK, "OK", "OK", mrOk},
    {mbCancel, "Cancel", "Cancel", mrCancel},
    {mbAbort, "Abort", "&Abort", mrAbort},
    {mbRetry, "Retry", "&Retry", mrRetry},
    {mbIgnore, "Ignore", "&Ignore", mrIgnore},
    {mbAll, "All", "&All", mrAll},
    {mbNoToAll, "NoToAll", "N&o to All", mrNoToAll},
    {mbYesToAll, "YesToAll", "Yes to &All", mrYesToAll},
    {mbHelp, "Help", "&Help", mrNone},
}};

const char* TypeCaption(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirmation";
    case mtCustom:
        break;
    }
    return nullptr;
}

String ApplicationTitle() {
    if (Application && !Application->Title().empty()) return Application->Title();
    return "Draftwell";
}

// The size of text wrapped at maxWidth in the font.
TSize MeasureText(TFont* font, const String& text, int maxWidth) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font->Handle());
    TRect r{0, 0, maxWidth, 0};
    DrawText(dc, text.empty() ? String(" ") : text, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.Width(), r.Height()};
}

// The result a scripted answer stands for: it must be one of the box's buttons.
int ScriptedResult(int result, TMsgDlgButtons buttons, const String& msg) {
    for (const TButtonInfo& b : ButtonInfos)
        if (buttons.Contains(b.Button) && b.Result == result && result != mrNone) return result;
    // Closing the box (Esc or its close box) answers Cancel whatever the buttons.
    if (result == mrCancel) return result;
    throw EInvalidOperation(
        Format("The dialog script answers %d, but the message box \"%s\" has no such button", result, msg));
}

TMsgDlgBtn CancelButtonOf(TMsgDlgButtons buttons) {
    if (buttons.Contains(mbCancel)) return mbCancel;
    if (buttons.Contains(mbNo)) return mbNo;
    return mbOK;
}

TForm* BuildMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, const String& caption,
                          int defaultIndex) {
    if ((buttons - TMsgDlgButtons{mbHelp}).Empty()) buttons += mbOK;
    TObjectPtr<TMessageForm> form(New<TMessageForm>(nullptr));
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(caption);
    constexpr int margin = 12, spacing = 12, buttonWidth = 75, buttonHeight = 23, buttonGap = 6;

    int textLeft = margin;
    if (type != mtCustom) {
        auto* icon = New<TMessageIcon>(form.get());
        icon->SetName("Image");
        icon->IconType = type;
        icon->SetParent(form.get());
        icon->SetBounds(margin, margin, 32, 32);
        textLeft += 32 + spacing;
    }
    int maxTextWidth = std::max(Screen ? Screen->Width() / 2 : 400, 200);
    TSize textSize = MeasureText(form->Font(), msg, maxTextWidth);
    auto* label = New<TLabel>(form.get());
    label->SetName("Message");
    label->SetParent(form.get());
    label->SetShowAccelChar(false);
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetCaption(msg);
    int contentHeight = std::max(textSize.cy, type != mtCustom ? 32 : 0);
    label->SetBounds(textLeft, margin + (contentHeight - textSize.cy) / 2, textSize.cx, textSize.cy);

    std::vector<const TButtonInfo*> shown;
    for (const TButtonInfo& b : ButtonInfos)
        if (buttons.Contains(b.Button)) shown.push_back(&b);
    int count = static_cast<int>(shown.size());
    int buttonsWidth = count * buttonWidth + (count - 1) * buttonGap;
    int clientWidth = std::max(textLeft + textSize.cx + margin, buttonsWidth + 2 * margin);
    int buttonsTop = margin + contentHeight + spacing;
    int x = (clientWidth - buttonsWidth) / 2;
    TMsgDlgBtn cancelButton = CancelButtonOf(buttons);
    int defaultButton = defaultIndex >= 0 && defaultIndex < count ? defaultIndex : -1;
    if (defaultButton < 0)
        for (int i = 0; i < count; ++i)
            if (shown[static_cast<size_t>(i)]->Button == mbOK || shown[static_cast<size_t>(i)]->Button == mbYes) {
                defaultButton = i;
                break;
            }
    if (defaultButton < 0) defaultButton = 0;
    TButton* focus = nullptr;
    for (int i = 0; i < count; ++i) {
        const TButtonInfo& info = *shown[static_cast<size_t>(i)];
        auto* button = New<TButton>(form.get());
        button->SetName(info.Name);
        button->SetParent(form.get());
        button->SetCaption(info.Caption);
        button->SetModalResult(info.Result);
        button->SetBounds(x, buttonsTop, buttonWidth, buttonHeight);
        button->SetTabOrder(i);
        if (i == defaultButton) {
            button->SetDefault(true);
            focus = button;
        }
        if (info.Button == cancelButton) button->SetCancel(true);
        if (info.Button == mbHelp) button->OnClick = MakeMethod<&TMessageForm::HelpButtonClick>(form.get());
        x += buttonWidth + buttonGap;
    }
    form->SetClientSize(clientWidth, buttonsTop + buttonHeight + margin);
    form->SetActiveControl(focus);
    return form.release();
}

int RunMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                     const String& caption, int defaultIndex, TPoint pos) {
    EnsureMessageBoxHook();
    auto entry = DialogScript().Take(TDialogKind::MessageBox, caption, msg);
    if (entry && !entry->Handler) return ScriptedResult(entry->Result, buttons, msg);
    TObjectPtr<TForm> form(BuildMessageDialog(msg, type, buttons, caption, defaultIndex));
    form->SetHelpContext(helpContext);
    if (pos.X >= 0 || pos.Y >= 0) {
        form->SetPosition(poDesigned);
        form->SetBounds(pos.X, pos.Y, form->Width(), form->Height());
    }
    return ShowDialogModal(form.get(), entry ? entry->Handler : TDialogScript::THandler());
}

} // namespace

TForm* CreateMessageDialog(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons) {
    const char* caption = TypeCaption(type);
    return BuildMessageDialog(msg, type, buttons, caption ? String(caption) : ApplicationTitle(), -1);
}

int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    return MessageDlgPos(msg, type, buttons, helpContext, -1, -1);
}

int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x, int y) {
    const char* caption = TypeCaption(type);
    return RunMessageDialog(msg, type, buttons, helpContext, caption ? String(caption) : ApplicationTitle(), -1,
                            {x, y});
}

void ShowMessage(const String& msg) {
    RunMessageDialog(msg, mtCustom, TMsgDlgButtons{mbOK}, 0, ApplicationTitle(), -1, {-1, -1});
}

int MessageBox(const String& text, const String& caption, UINT flags) {
    TMsgDlgButtons buttons;
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        buttons = mbOKCancel;
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = mbAbortRetryIgnore;
        break;
    case MB_YESNOCANCEL:
        buttons = mbYesNoCancel;
        break;
    case MB_YESNO:
        buttons = TMsgDlgButtons{mbYes, mbNo};
        break;
    case MB_RETRYCANCEL:
        buttons = TMsgDlgButtons{mbRetry, mbCancel};
        break;
    default:
        buttons = TMsgDlgButtons{mbOK};
        break;
    }
    TMsgDlgType type = mtCustom;
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        type = mtError;
        break;
    case MB_ICONQUESTION:
        type = mtConfirmation;
        break;
    case MB_ICONWARNING:
        type = mtWarning;
        break;
    case MB_ICONINFORMATION:
        type = mtInformation;
        break;
    default:
        break;
    }
    int defaultIndex = static_cast<int>((flags & 0xF00) >> 8);
    // The results of the buttons are the classic IDOK ... IDNO values.
    return RunMessageDialog(text, type, buttons, 0, caption, defaultIndex, {-1, -1});
}

void InstallDialogMessageBox() {
    if (!Application) return;
    Application->MessageBoxHook = [](const String& text, const String& caption, UINT flags) {
        return MessageBox(text, caption, flags);
    };
}

void EnsureMessageBoxHook() {
    if (Application && !Application->MessageBoxHook) InstallDialogMessageBox();
}

namespace {
// The application's message boxes are these dialogs from the start, when the application object
// exists by then (the order of start-up code is not certain), and from the first dialog shown
// otherwise; a program can call InstallDialogMessageBox itself to be sure.
const bool MessageBoxInstalled = [] {
    EnsureMessageBoxHook();
    return true;
}();
} // namespace

// ---------------------------------------------------------------------------------------------
// Input boxes

bool InputQuery(const String& caption, const String& prompt, String& value) {
    EnsureMessageBoxHook();
    auto entry = DialogScript().Take(TDialogKind::InputQuery, caption, prompt);
    if (entry && !entry->Handler) {
        if (entry->Result != mrOk || !entry->Value) return false;
        value = *entry->Value;
        return true;
    }
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(caption);
    constexpr int margin = 12, buttonWidth = 75, buttonHeight = 23;
    int width = std::max(MeasureText(form->Font(), prompt, 400).cx, 260);
    auto* label = New<TLabel>(form.get());
    label->SetName("Prompt");
    label->SetParent(form.get());
    label->SetCaption(prompt);
    label->SetBounds(margin, margin, width, MeasureText(form->Font(), prompt, 400).cy);
    auto* edit = New<TEdit>(form.get());
    edit->SetName("Value");
    edit->SetParent(form.get());
    int editTop = label->Top() + label->Height() + 6;
    edit->SetBounds(margin, editTop, width, 21);
    edit->SetText(value);
    edit->SetTabOrder(0);
    label->SetFocusControl(edit);
    int buttonsTop = editTop + 21 + 14;
    int right = margin + width;
    auto* ok = New<TButton>(form.get());
    ok->SetName("OK");
    ok->SetParent(form.get());
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    ok->SetBounds(right - 2 * buttonWidth - 6, buttonsTop, buttonWidth, buttonHeight);
    ok->SetTabOrder(1);
    auto* cancel = New<TButton>(form.get());
    cancel->SetName("Cancel");
    cancel->SetParent(form.get());
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    cancel->SetBounds(right - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    cancel->SetTabOrder(2);
    form->SetClientSize(width + 2 * margin, buttonsTop + buttonHeight + margin);
    form->SetActiveControl(edit);
    edit->SelectAll();
    if (ShowDialogModal(form.get(), entry ? entry->Handler : TDialogScript::THandler()) != mrOk) return false;
    value = edit->Text();
    return true;
}

String InputBox(const String& caption, const String& prompt, const String& defaultValue) {
    String value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}

// ---------------------------------------------------------------------------------------------
// TCommonDialog

DW_DEFINE_CLASS(TCommonDialog) {
    c.Property("Ctl3D", &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D).Default(true);
    c.Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext).Default(0);
    c.Property("OnClose", &TCommonDialog::OnClose, &TCommonDialog::OnClose);
    c.Property("OnShow", &TCommonDialog::OnShow, &TCommonDialog::OnShow);
}

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {}

} // namespace dw
