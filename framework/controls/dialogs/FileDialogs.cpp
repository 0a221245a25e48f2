// The open and save dialogs: filters, name checks and the file browser form.
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/graphics/Canvas.h"
#include "framework/controls/stdctrls/StdCtrls.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace dw {

// ---------------------------------------------------------------------------------------------
// Filters

std::vector<TFileFilter> ParseFilter(const String& filter) {
    std::vector<String> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == String::npos) bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<TFileFilter> result;
    if (Trim(filter).empty()) return result;
    for (size_t i = 0; i < parts.size(); i += 2) {
        TFileFilter f;
        f.Description = parts[i];
        String masks = i + 1 < parts.size() ? parts[i + 1] : String();
        size_t p = 0;
        while (p <= masks.size()) {
            size_t semi = masks.find(';', p);
            if (semi == String::npos) semi = masks.size();
            String mask = Trim(std::string_view(masks).substr(p, semi - p));
            if (!mask.empty()) f.Masks.push_back(mask);
            p = semi + 1;
        }
        if (f.Masks.empty()) f.Masks.push_back("*");
        if (f.Description.empty()) f.Description = masks;
        result.push_back(std::move(f));
    }
    return result;
}

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Glob(std::string_view name, std::string_view mask) {
    // Iterative matching with one backtrack point: linear in practice, no recursion on long names.
    size_t n = 0, m = 0, starMask = String::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != String::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}
} // namespace

bool MatchesMask(const String& name, const String& mask) {
    if (mask == "*.*" || mask == "*") return true;
    return Glob(name, mask);
}

// ---------------------------------------------------------------------------------------------
// TOpenDialog

DW_DEFINE_CLASS(TOpenDialog) {
    using C = TOpenDialog;
    c.Property("DefaultExt", &C::DefaultExt, &C::SetDefaultExt);
    c.Property("FileName", &C::FileName, &C::SetFileName);
    c.Property("Filter", &C::Filter, &C::SetFilter);
    c.Property("FilterIndex", &C::FilterIndex, &C::SetFilterIndex).Default(1);
    c.Property("InitialDir", &C::InitialDir, &C::SetInitialDir);
    c.Property("Options", &C::Options, &C::SetOptions).Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
    c.Property("Title", &C::Title, &C::SetTitle);
    c.Property("OnCanClose", &C::OnCanClose, &C::OnCanClose);
    c.Property("OnFolderChange", &C::OnFolderChange, &C::OnFolderChange);
    c.Property("OnSelectionChange", &C::OnSelectionChange, &C::OnSelectionChange);
    c.Property("OnTypeChange", &C::OnTypeChange, &C::OnTypeChange);
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(MakeObject<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

DW_DEFINE_CLASS(TSaveDialog) {}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

String TOpenDialog::StartFolder() const {
    std::error_code ec;
    if (!FInitialDir.empty() && fs::is_directory(fs::path(FInitialDir), ec))
        return fs::absolute(FInitialDir, ec).string();
    if (!FFileName.empty()) {
        fs::path parent = fs::path(FFileName).parent_path();
        if (!parent.empty() && fs::is_directory(parent, ec)) return fs::absolute(parent, ec).string();
    }
    return fs::current_path(ec).string();
}

bool TOpenDialog::DoCanClose() {
    bool canClose = true;
    OnCanClose(this, canClose);
    return canClose;
}

std::optional<String> TOpenDialog::CheckFileName(const String& folder, const String& name) {
    String typed = Trim(name);
    if (typed.empty() || typed.find_first_of("*?") != String::npos) return std::nullopt;
    std::error_code ec;
    fs::path path(typed);
    if (path.is_relative()) path = fs::path(folder) / path;
    path = path.lexically_normal();
    if (fs::is_directory(path, ec)) return std::nullopt;
    String ext = FDefaultExt;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    if (!ext.empty() && path.extension().empty()) path += "." + ext;
    String full = path.string();
    bool exists = fs::exists(path, ec);
    if (FOptions.Contains(ofPathMustExist) || FOptions.Contains(ofFileMustExist)) {
        if (!fs::is_directory(path.parent_path(), ec)) {
            MessageDlg(full + "\nPath does not exist.\nCheck the path and try again.", mtWarning, TMsgDlgButtons{mbOK});
            return std::nullopt;
        }
    }
    if (!IsSaveDialog() && FOptions.Contains(ofFileMustExist) && !exists) {
        MessageDlg(full + "\nFile not found.\nCheck the file name and try again.", mtWarning, TMsgDlgButtons{mbOK});
        return std::nullopt;
    }
    if (!IsSaveDialog() && FOptions.Contains(ofCreatePrompt) && !exists) {
        if (MessageDlg(full + "\nThis file does not exist.\nDo you want to create it?", mtConfirmation,
                       TMsgDlgButtons{mbYes, mbNo}) != mrYes)
            return std::nullopt;
    }
    if (IsSaveDialog() && exists && FOptions.Contains(ofOverwritePrompt)) {
        // No is the default: Enter must not replace a file by accident.
        if (MessageBox(full + " already exists.\nDo you want to replace it?", "Confirm Save As",
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
            return std::nullopt;
    }
    String saved = FFileName;
    FFileName = full;
    bool canClose = DoCanClose();
    FFileName = saved;
    if (!canClose) return std::nullopt;
    return full;
}

void TOpenDialog::Accept(const std::vector<String>& paths, int filterIndex) {
    FFiles->Clear();
    for (const String& p : paths) FFiles->Add(p);
    if (!paths.empty()) FFileName = paths.front();
    FFilterIndex = filterIndex;
}

// ---------------------------------------------------------------------------------------------
// The browser form

namespace {

struct TFileEntry {
    String Name;
    bool Folder = false;
    bool Up = false; // ".."
};

class TFileDialogForm : public TForm {
    DW_CLASS(TFileDialogForm, TForm)
    TFileDialogForm(TOpenDialog* dialog);

    // The accepted paths (when the form closed with mrOk) and the filter then chosen (from 1).
    std::vector<String> Chosen;
    int ChosenFilter = 1;

    void ListClick(TObject* sender);
    void ListMouseDown(TObject* sender, TMouseBtn button, TShiftState shift, int x, int y);
    void ListKeyDown(TObject* sender, Word& key, TShiftState shift);
    void ListDrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);
    void FilterSelect(TObject* sender);
    void OKClick(TObject* sender);
    void UpClick(TObject* sender);
    void HelpClick(TObject* sender);

private:
    bool Navigate(const String& folder);
    void FillList();
    void OpenEntry(int index);
    // A name typed (or chosen) and confirmed.
    void HandleName(const String& text);
    std::vector<String> CurrentMasks() const;

    TOpenDialog* FDialog;
    std::vector<TFileFilter> FFilters;
    String FCustomMask;
    String FFolder;
    std::vector<TFileEntry> FEntries;
    TEdit* FFolderEdit;
    TButton* FUpButton;
    TListBox* FList;
    TEdit* FNameEdit;
    TComboBox* FFilterCombo;
    TButton* FOKButton;
    TButton* FCancelButton;
};

DW_DEFINE_CLASS(TFileDialogForm) {
    c.Method<&TFileDialogForm::ListClick>("ListClick");
    c.Method<&TFileDialogForm::ListMouseDown>("ListMouseDown");
    c.Method<&TFileDialogForm::ListKeyDown>("ListKeyDown");
    c.Method<&TFileDialogForm::ListDrawItem>("ListDrawItem");
    c.Method<&TFileDialogForm::FilterSelect>("FilterSelect");
    c.Method<&TFileDialogForm::OKClick>("OKClick");
    c.Method<&TFileDialogForm::UpClick>("UpClick");
    c.Method<&TFileDialogForm::HelpClick>("HelpClick");
}

template <class T>
T* AddControl(TForm* form, const char* name, int left, int top, int width, int height, TAnchors anchors) {
    auto* control = New<T>(form);
    control->SetName(name);
    control->SetText(String()); // naming a control gives it the name as its text
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    control->SetAnchors(anchors);
    return control;
}

TLabel* AddLabel(TForm* form, const char* name, const char* caption, int top, TAnchors anchors, TWinControl* focus) {
    auto* label = AddControl<TLabel>(form, name, 12, top + 3, 80, 15, anchors);
    label->SetCaption(caption);
    label->SetFocusControl(focus);
    return label;
}

TFileDialogForm::TFileDialogForm(TOpenDialog* dialog) : TForm(nullptr, CreateNew), FDialog(dialog) {
    String title = dialog->Title().empty() ? dialog->DefaultTitle() : dialog->Title();
    SetCaption(title);
    SetPosition(poScreenCenter);
    bool sizing = dialog->Options().Contains(ofEnableSizing);
    SetBorderStyle(sizing ? bsSizeable : bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    constexpr int width = 470, listTop = 40;
    int bottomRow = 230;
    SetClientSize(width, bottomRow + 64 + (dialog->HelpContext() ? 30 : 0));

    const TAnchors topRow{akLeft, akTop, akRight};
    const TAnchors bottomLeft{akLeft, akBottom};
    const TAnchors bottomWide{akLeft, akRight, akBottom};
    const TAnchors bottomRight{akRight, akBottom};

    FFolderEdit = AddControl<TEdit>(this, "FolderEdit", 96, 12, width - 96 - 12 - 56, 21, topRow);
    FFolderEdit->SetReadOnly(true);
    FFolderEdit->SetTabStop(false);
    FFolderEdit->SetColor(clBtnFace);
    AddLabel(this, "FolderLabel", "Look in:", 12, TAnchors{akLeft, akTop}, nullptr);
    FUpButton = AddControl<TButton>(this, "UpButton", width - 12 - 50, 11, 50, 23, TAnchors{akTop, akRight});
    FUpButton->SetCaption("&Up");
    FUpButton->OnClick = MakeMethod<&TFileDialogForm::UpClick>(this);

    FList = AddControl<TListBox>(this, "FileList", 12, listTop, width - 24, bottomRow - listTop - 10,
                                 TAnchors{akLeft, akTop, akRight, akBottom});
    FList->SetStyle(lbOwnerDrawFixed);
    FList->SetItemHeight(18);
    FList->SetMultiSelect(dialog->Options().Contains(ofAllowMultiSelect));
    FList->OnDrawItem = MakeMethod<&TFileDialogForm::ListDrawItem>(this);
    FList->OnClick = MakeMethod<&TFileDialogForm::ListClick>(this);
    // A double click opens: taken from the mouse-down with ssDouble, which every list box reports.
    FList->OnMouseDown = MakeMethod<&TFileDialogForm::ListMouseDown>(this);
    FList->OnKeyDown = MakeMethod<&TFileDialogForm::ListKeyDown>(this);

    FNameEdit = AddControl<TEdit>(this, "FileNameEdit", 96, bottomRow, width - 96 - 12 - 75 - 12, 21, bottomWide);
    AddLabel(this, "FileNameLabel", "File &name:", bottomRow, bottomLeft, FNameEdit);
    FFilterCombo =
        AddControl<TComboBox>(this, "FilterCombo", 96, bottomRow + 32, width - 96 - 12 - 75 - 12, 21, bottomWide);
    FFilterCombo->SetStyle(csDropDownList);
    AddLabel(this, "FilterLabel", "Files of &type:", bottomRow + 32, bottomLeft, FFilterCombo);
    FFilterCombo->OnSelect = MakeMethod<&TFileDialogForm::FilterSelect>(this);

    FOKButton = AddControl<TButton>(this, "OKButton", width - 12 - 75, bottomRow - 1, 75, 23, bottomRight);
    FOKButton->SetCaption(dialog->IsSaveDialog() ? "&Save" : "&Open");
    FOKButton->SetDefault(true);
    FOKButton->OnClick = MakeMethod<&TFileDialogForm::OKClick>(this);
    FCancelButton = AddControl<TButton>(this, "CancelButton", width - 12 - 75, bottomRow + 31, 75, 23, bottomRight);
    FCancelButton->SetCaption("Cancel");
    FCancelButton->SetCancel(true);
    FCancelButton->SetModalResult(mrCancel);
    TButton* help = nullptr;
    if (dialog->HelpContext()) {
        help = AddControl<TButton>(this, "HelpButton", width - 12 - 75, bottomRow + 63, 75, 23, bottomRight);
        help->SetCaption("&Help");
        help->OnClick = MakeMethod<&TFileDialogForm::HelpClick>(this);
    }

    // Tab goes list, name, type, buttons; the name edit has the focus first.
    int order = 0;
    for (TWinControl* c :
         std::initializer_list<TWinControl*>{FList, FNameEdit, FFilterCombo, FOKButton, FCancelButton, help, FUpButton})
        if (c) c->SetTabOrder(order++);
    Constraints()->SetMinWidth(Width() - 100);
    Constraints()->SetMinHeight(Height() - 80);

    FFilters = ParseFilter(dialog->Filter());
    for (const TFileFilter& f : FFilters) FFilterCombo->Items()->Add(f.Description);
    int index = dialog->FilterIndex() - 1;
    if (index < 0 || index >= static_cast<int>(FFilters.size())) index = 0;
    if (!FFilters.empty()) FFilterCombo->SetItemIndex(index);
    FFilterCombo->SetEnabled(!FFilters.empty());

    if (!dialog->FileName().empty()) FNameEdit->SetText(fs::path(dialog->FileName()).filename().string());
    if (!Navigate(dialog->StartFolder())) Navigate(fs::path(dialog->StartFolder()).root_path().string());
    SetActiveControl(FNameEdit);
}

std::vector<String> TFileDialogForm::CurrentMasks() const {
    if (!FCustomMask.empty()) return {FCustomMask};
    int index = FFilterCombo->ItemIndex();
    if (index < 0 || index >= static_cast<int>(FFilters.size())) return {"*"};
    return FFilters[static_cast<size_t>(index)].Masks;
}

bool TFileDialogForm::Navigate(const String& folder) {
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(folder), ec).lexically_normal();
    if (ec || !fs::is_directory(path, ec)) return false;
    // Drop a trailing separator ("/tmp/" -> "/tmp"), keeping the root as it is.
    if (!path.has_filename() && path != path.root_path()) path = path.parent_path();
    fs::directory_iterator probe(path, ec);
    if (ec) {
        MessageDlg(path.string() + "\nCannot open this folder: " + ec.message() + ".", mtError, TMsgDlgButtons{mbOK});
        return false;
    }
    FFolder = path.string();
    FFolderEdit->SetText(FFolder);
    FillList();
    FDialog->OnFolderChange(FDialog);
    return true;
}

void TFileDialogForm::FillList() {
    FEntries.clear();
    std::error_code ec;
    fs::path folder(FFolder);
    if (folder != folder.root_path()) FEntries.push_back({"..", true, true});
    std::vector<TFileEntry> folders, files;
    bool showHidden = FDialog->Options().Contains(ofForceShowHidden);
    std::vector<String> masks = CurrentMasks();
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        String name = it->path().filename().string();
        if (!showHidden && !name.empty() && name[0] == '.') continue;
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            folders.push_back({name, true, false});
        } else if (std::any_of(masks.begin(), masks.end(), [&](const String& m) { return MatchesMask(name, m); })) {
            files.push_back({name, false, false});
        }
    }
    auto byName = [](const TFileEntry& a, const TFileEntry& b) {
        int c = CompareText(a.Name, b.Name);
        return c != 0 ? c < 0 : a.Name < b.Name;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    FEntries.insert(FEntries.end(), folders.begin(), folders.end());
    FEntries.insert(FEntries.end(), files.begin(), files.end());
    TStringsUpdate update(*FList->Items());
    FList->Items()->Clear();
    for (const TFileEntry& e : FEntries) FList->Items()->Add(e.Name);
}

void TFileDialogForm::OpenEntry(int index) {
    if (index < 0 || index >= static_cast<int>(FEntries.size())) return;
    const TFileEntry& e = FEntries[static_cast<size_t>(index)];
    if (e.Up) {
        UpClick(this);
    } else if (e.Folder) {
        Navigate((fs::path(FFolder) / e.Name).string());
    } else {
        HandleName(e.Name);
    }
}

void TFileDialogForm::HandleName(const String& text) {
    String typed = Trim(text);
    if (typed.empty()) return;
    if (typed.find_first_of("*?") != String::npos) {
        FCustomMask = typed;
        FillList();
        return;
    }
    std::error_code ec;
    fs::path path(typed);
    if (path.is_relative()) path = fs::path(FFolder) / path;
    if (fs::is_directory(path, ec)) {
        if (Navigate(path.string())) FNameEdit->SetText(String());
        return;
    }
    std::optional<String> full = FDialog->CheckFileName(FFolder, typed);
    if (!full) return;
    Chosen = {*full};
    ChosenFilter = FFilterCombo->ItemIndex() + 1;
    SetModalResult(mrOk);
}

void TFileDialogForm::ListClick(TObject* sender) {
    (void)sender;
    int index = FList->ItemIndex();
    if (index < 0 || index >= static_cast<int>(FEntries.size())) return;
    const TFileEntry& e = FEntries[static_cast<size_t>(index)];
    if (!e.Folder) FNameEdit->SetText(e.Name);
    FDialog->OnSelectionChange(FDialog);
}

void TFileDialogForm::ListMouseDown(TObject* sender, TMouseBtn button, TShiftState shift, int x, int y) {
    (void)sender;
    if (button != mbLeft || !shift.Contains(ssDouble)) return;
    int index = FList->ItemAtPos({x, y}, true);
    if (index >= 0) OpenEntry(index);
}

void TFileDialogForm::ListKeyDown(TObject* sender, Word& key, TShiftState shift) {
    (void)sender;
    if (key == VK_BACK && shift.Empty()) {
        UpClick(this);
        key = 0;
    }
}

void TFileDialogForm::FilterSelect(TObject* sender) {
    (void)sender;
    FCustomMask.clear();
    FillList();
    FDialog->OnTypeChange(FDialog);
}

void TFileDialogForm::OKClick(TObject* sender) {
    (void)sender;
    // From the list, Enter acts on its selection; elsewhere on the typed name.
    if (ActiveControl() == FList && FList->ItemIndex() >= 0) {
        if (FList->MultiSelect() && FList->SelCount() > 1) {
            std::vector<String> paths;
            for (int i = 0; i < FList->Count(); ++i)
                if (FList->Selected(i) && !FEntries[static_cast<size_t>(i)].Folder)
                    paths.push_back((fs::path(FFolder) / FEntries[static_cast<size_t>(i)].Name).string());
            if (!paths.empty()) {
                Chosen = paths;
                ChosenFilter = FFilterCombo->ItemIndex() + 1;
                SetModalResult(mrOk);
                return;
            }
        }
        OpenEntry(FList->ItemIndex());
        return;
    }
    HandleName(FNameEdit->Text());
}

void TFileDialogForm::UpClick(TObject* sender) {
    (void)sender;
    fs::path folder(FFolder);
    if (folder == folder.root_path()) return;
    String previous = folder.filename().string();
    if (!Navigate(folder.parent_path().string())) return;
    // The folder just left stays selected, so that going back down is one key away.
    for (size_t i = 0; i < FEntries.size(); ++i)
        if (FEntries[i].Folder && FEntries[i].Name == previous) FList->SetItemIndex(static_cast<int>(i));
}

void TFileDialogForm::HelpClick(TObject* sender) {
    (void)sender;
    if (Application) Application->HelpContext(FDialog->HelpContext());
}

// Small pictures of the classic look: a yellow folder and a white page.
void DrawFolderGlyph(TCanvas* c, int x, int y, bool up) {
    c->Pen()->SetColor(TColor(0x008080));
    c->Brush()->SetColor(TColor(0x00C0FF));
    c->Rectangle(x + 1, y + 3, x + 7, y + 6);
    c->Brush()->SetColor(TColor(0x40E0FF));
    c->Rectangle(x + 1, y + 5, x + 16, y + 14);
    if (up) {
        c->Pen()->SetColor(clBlack);
        c->MoveTo(x + 8, y + 12);
        c->LineTo(x + 8, y + 7);
        c->MoveTo(x + 6, y + 9);
        c->LineTo(x + 8, y + 7);
        c->LineTo(x + 11, y + 10);
    }
}

void DrawFileGlyph(TCanvas* c, int x, int y) {
    c->Pen()->SetColor(clGray);
    c->Brush()->SetColor(clWhite);
    c->Polygon({TPoint{x + 3, y + 1}, TPoint{x + 10, y + 1}, TPoint{x + 13, y + 4}, TPoint{x + 13, y + 14},
                TPoint{x + 3, y + 14}});
    c->MoveTo(x + 10, y + 1);
    c->LineTo(x + 10, y + 4);
    c->LineTo(x + 13, y + 4);
    c->Pen()->SetColor(clSilver);
    for (int line = 0; line < 3; ++line) {
        c->MoveTo(x + 5, y + 7 + 2 * line);
        c->LineTo(x + 11, y + 7 + 2 * line);
    }
}

void TFileDialogForm::ListDrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) {
    (void)control;
    if (index < 0 || index >= static_cast<int>(FEntries.size())) return;
    const TFileEntry& e = FEntries[static_cast<size_t>(index)];
    TCanvas* c = FList->Canvas();
    bool selected = state.Contains(odSelected);
    c->Brush()->SetColor(selected ? clHighlight : clWindow);
    c->FillRect(rect);
    int gy = rect.Top + (rect.Height() - 16) / 2;
    if (e.Folder)
        DrawFolderGlyph(c, rect.Left + 2, gy, e.Up);
    else
        DrawFileGlyph(c, rect.Left + 2, gy);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(selected ? clHighlightText : clWindowText);
    TRect text{rect.Left + 22, rect.Top, rect.Right, rect.Bottom};
    c->TextRect(text, e.Name, TTextFormat{tfSingleLine, tfVerticalCenter, tfNoPrefix, tfEndEllipsis});
    if (state.Contains(odFocused)) c->DrawFocusRect(rect);
}

} // namespace

bool TOpenDialog::Execute() {
    EnsureMessageBoxHook();
    TDialogKind kind = IsSaveDialog() ? TDialogKind::SaveDialog : TDialogKind::OpenDialog;
    String title = FTitle.empty() ? DefaultTitle() : FTitle;
    auto entry = DialogScript().Take(kind, title, String());
    if (entry && !entry->Handler) {
        if (!entry->Value) return false;
        std::optional<String> full = CheckFileName(StartFolder(), *entry->Value);
        if (!full) return false;
        Accept({*full}, FFilterIndex);
        return true;
    }
    DoShow();
    bool accepted = false;
    {
        TObjectPtr<TFileDialogForm> form(New<TFileDialogForm>(this));
        if (ShowDialogModal(form.get(), entry ? entry->Handler : TDialogScript::THandler()) == mrOk &&
            !form->Chosen.empty()) {
            Accept(form->Chosen, form->ChosenFilter);
            accepted = true;
        }
    }
    DoClose();
    return accepted;
}

void RegisterDialogClasses() {
    for (TClass cls : {TOpenDialog::StaticClass(), TSaveDialog::StaticClass()})
        if (!IsClassRegistered(cls)) RegisterClass(cls);
}

namespace {
// Registered at start-up too, for programs that link this unit anyway.
const bool DialogClassesRegistered = [] {
    RegisterDialogClasses();
    return true;
}();
} // namespace

} // namespace dw
