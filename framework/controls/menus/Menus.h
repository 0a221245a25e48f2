// Menus: TMenuItem (a caption with an accelerator, check and radio marks, an image, a shortcut,
// sub-items, an action), TMenu, TMainMenu (shown as the menu bar of every form whose Menu it is),
// TPopupMenu (shown at a screen point in a modal tracking loop, or on a right click of the
// controls whose PopupMenu it is), the menu item's action link, and TMenuItemAdapter, a thin
// wrapper through which component editors prepare the items of their verbs.
//
// Items are components owned by the form like any other; they are streamed inside their parent
// item (or, for the top level, inside the menu). Freeing an item frees its sub-items.
//
// Choosing an item closes the menu first and then calls its Click: OnClick runs with no menu on
// the screen. Click does nothing for a disabled item.
#pragma once

#include "framework/controls/forms/Forms.h"
#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/ShortCut.h"

#include <vector>

namespace dw {

class TMenu;
class TMenuItem;
class TCustomImageList;
class TChangeLink;
class TFormMenuBar;

DW_EVENT(TMenuChangeEvent, (TObject*, TMenuItem*, bool), "Sender: TObject; Source: TMenuItem; Rebuild: Boolean");
DW_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

// Ties a menu item to its Action: the item shows the action's caption, checked and enabled
// state, help context, hint, image, shortcut and visibility while they agree with the action,
// and choosing the item executes the action.
class TMenuActionLink : public TActionLink {
    DW_CLASS(TMenuActionLink, TActionLink)
    explicit TMenuActionLink(TObject* client);

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;
    bool IsShortCutLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;
    bool IsAutoCheckLinked() const;
    void SetCaption(const String& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const String& value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const TNotifyEvent& value) override;

protected:
    TCustomAction* CustomAction() const { return As<TCustomAction>(FAction); }
    TMenuItem* FItem;
};

class TMenuItem : public TComponent {
    DW_CLASS(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    // "-" makes a separator; "&" marks the accelerator ("&&" is an ampersand).
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    bool Checked() const { return FChecked; }
    // Checking a RadioItem unchecks the radio items of the same GroupIndex among its siblings.
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // The default item of its drop-down, shown in bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value);
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value);
    // Choosing the item toggles Checked.
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool value);
    bool IsLine() const { return FCaption == "-"; }

    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TMenuActionLink* ActionLink() const { return FActionLink.get(); }
    // Asks the action to update itself (before a drop-down shows the item).
    void InitiateAction();

    // Stored only where the item does not just show its action's value.
    bool IsCaptionStored() const;
    bool IsCheckedStored() const;
    bool IsEnabledStored() const;
    bool IsHelpContextStored() const;
    bool IsHintStored() const;
    bool IsImageIndexStored() const;
    bool IsShortCutStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;

    // ---- sub-items
    int Count() const { return static_cast<int>(FItems.size()); }
    // Index out of range raises EListError.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // Appends item. An item that already has a parent, this item or one of its ancestors raises
    // EInvalidOperation.
    void Add(TMenuItem* item);
    void Add(std::initializer_list<TMenuItem*> items);
    // Inserts item at index (0 .. Count); other indexes raise EListError.
    void Insert(int index, TMenuItem* item);
    // Takes the sub-item out (without freeing it: its owner still has it).
    void Delete(int index);
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    // The sub-item whose caption is caption once the accelerator marks are taken out of both,
    // without regard to case; null when there is none.
    TMenuItem* Find(std::string_view caption) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void SetMenuIndex(int value);
    // The menu the item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;
    // The images in effect for the item: its menu's Images.
    TCustomImageList* GetImageList() const;

    // Runs the item: AutoCheck, then OnClick or the action (OnClick wins when it is not the
    // action's OnExecute). Nothing for a disabled item.
    virtual void Click();

    bool HasParent() const override;
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void ReadState(TReader* reader) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Compared by the designers (its data part tells whose handler it is).
    TNotifyEvent OnClick;

protected:
    friend class TMenu;
    friend class TMenuActionLink;
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    // Tells the menu the item changed; rebuild when items came or went.
    void MenuChanged(bool rebuild);
    void TurnSiblingsOff();

private:
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    String FHint;
    int FHelpContext = 0;
    bool FAutoCheck = false;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item of a menu only
    TObjectPtr<TMenuActionLink> FActionLink;
};

class TMenu : public TComponent {
    DW_CLASS(TMenu, TComponent)
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    void BeforeDestruction() override;

    // The root item: its sub-items are the menu's top-level items.
    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);

    // The visible item anywhere in the menu whose shortcut is shortCut (inside visible parents),
    // or null.
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
    // When a visible item has the key's shortcut: updates its action and clicks it if it is
    // enabled (with enabled parents). False (the key goes on) otherwise.
    virtual bool IsShortCut(TWMKey& message);

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Notification(TComponent* component, TOperation operation) override;

    TMenuChangeEvent OnChange;

protected:
    friend class TMenuItem;
    // An item of the menu changed (source null: the menu itself, e.g. its images).
    virtual void MenuChanged(TMenuItem* source, bool rebuild);
    void ImageListChange(TObject* sender);

private:
    TMenuItem* FItems = nullptr;
    TCustomImageList* FImages = nullptr;
    TObjectPtr<TChangeLink> FImageChangeLink;
};

// What the menu bar of an MDI frame shows of its maximized document: its icon at the left end
// (its window menu), its minimize, restore and close buttons at the right end.
enum class TMenuDocumentPart { Icon, Minimize, Restore, Close };

// The menu bar of the forms whose Menu it is. The bar is drawn in the form's frame above the
// client area (wrapping into more rows when the items do not fit) and driven by the mouse (a
// click opens an item's drop-down; while one is open, pointing at another item opens that one)
// and the keyboard (Alt or F10 enters the bar, arrows move, Enter or Down opens, Esc leaves,
// Alt+letter opens the item with that accelerator).
class TMainMenu : public TMenu, public IShortCutHandler, public IFormMenu {
    DW_CLASS(TMainMenu, TMenu)
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // Shortcuts of the items; F10, Alt and Alt+accelerator enter the bar of the form asking.
    bool IsShortCut(TWMKey& message) override;

    // Makes sure form draws and drives this menu's bar once form's Menu is this menu. Forms that
    // own the menu are attached at once; others are found on the next idle pass.
    void AttachForm(TCustomForm* form);
    // Opens the bar of form (its Menu must be this menu) in keyboard mode with item index
    // selected, its drop-down open when dropDown is set. Returns when the menu closes; the chosen
    // item's Click runs after that.
    void TrackBar(TCustomForm* form, int index, bool dropDown);
    // The screen rectangle of top-level item index in form's bar (empty when not shown).
    TRect ItemRect(TCustomForm* form, int index) const;
    // The screen rectangle of a part of the maximized document shown in the bar of form, an MDI
    // frame (empty when no document is maximized).
    TRect DocumentPartRect(TCustomForm* form, TMenuDocumentPart part) const;

    // IFormMenu: told by the form whose Menu this is.
    void AttachToForm(TCustomForm* form) override;
    void DetachFromForm(TCustomForm* form) override;
    int BarHeight(const TCustomForm* form, int width) const override;

protected:
    friend class TFormMenuBar;
    void MenuChanged(TMenuItem* source, bool rebuild) override;
    // Runs the bar's modal loop, then clicks the chosen item.
    void RunBar(TFormMenuBar* bar, int index, bool dropDown, bool altMode, bool byMouse);

private:
    int FIdleKey = 0;
};

DW_EVENT(TPopupEvent, (TObject*), "Sender: TObject");

class TPopupMenu : public TMenu, public IShortCutHandler, public IContextPopup {
    DW_CLASS(TPopupMenu, TMenu)
    explicit TPopupMenu(TComponent* owner);

    // Shows the menu with its top-left corner at a screen point (moved to stay on the screen)
    // and tracks it until an item is chosen or the menu is dismissed; then, with the menu gone,
    // the chosen item's Click runs. The mouse capture is cancelled first: the window that had it
    // gets WM_CANCELMODE. OnPopup runs before the menu shows (it may change the items).
    virtual void Popup(int x, int y);
    // The control the menu was last shown for (set by the right click; the program may set it).
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value);
    TPoint PopupPoint() const { return FPopupPoint; }
    // Whether a right click on a control whose PopupMenu this is shows it.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    // Where the menu lies relative to the point: its left edge, right edge or centre.
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }

    // Asked only through the controls whose PopupMenu it is.
    bool IsShortCut(TWMKey& message) override { return TMenu::IsShortCut(message); }
    bool FormShortCuts() const override { return false; }
    void PopupFor(TControl* control, TPoint screenPos) override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;

protected:
    virtual void DoPopup(TObject* sender);

private:
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
};

// Makes TMenuItem, TMainMenu and TPopupMenu known to the form reader; safe to call more than once.
void RegisterMenuClasses();

// Whether a menu is being tracked (a drop-down or the bar is open), and the menu; for tests and
// for code that must not start another modal loop meanwhile.
TMenu* ActiveMenu();
// The screen rectangles of the open drop-downs, outermost first, and the screen rectangle of item
// index in drop-down level (empty when there is none); for tests that point at items.
std::vector<TRect> OpenDropDownRects();
TRect DropDownItemRect(int level, int index);
// The handles of the open drop-down windows, outermost first.
std::vector<HWND> OpenDropDownWindows();
// Ends the menu being tracked as if Esc had been pressed until it closed.
void CancelMenuTracking();

// A thin wrapper of a menu item for component editors that prepare the items of their verbs.
// Every item it returns is wrapped anew; new items are owned by the wrapped item's owner.
class TMenuItemAdapter {
public:
    explicit TMenuItemAdapter(TMenuItem* item) : FItem(item) {}
    TMenuItem* Item() const { return FItem; }
    explicit operator bool() const { return FItem != nullptr; }

    const String& Caption() const { return FItem->Caption(); }
    void SetCaption(const String& value) { FItem->SetCaption(value); }
    bool Checked() const { return FItem->Checked(); }
    void SetChecked(bool value) { FItem->SetChecked(value); }
    bool Enabled() const { return FItem->Enabled(); }
    void SetEnabled(bool value) { FItem->SetEnabled(value); }
    bool Visible() const { return FItem->Visible(); }
    void SetVisible(bool value) { FItem->SetVisible(value); }
    bool RadioItem() const { return FItem->RadioItem(); }
    void SetRadioItem(bool value) { FItem->SetRadioItem(value); }
    Byte GroupIndex() const { return FItem->GroupIndex(); }
    void SetGroupIndex(Byte value) { FItem->SetGroupIndex(value); }
    TShortCut ShortCut() const { return FItem->ShortCut(); }
    void SetShortCut(TShortCut value) { FItem->SetShortCut(value); }
    const String& Hint() const { return FItem->Hint(); }
    void SetHint(const String& value) { FItem->SetHint(value); }
    int HelpContext() const { return FItem->HelpContext(); }
    void SetHelpContext(int value) { FItem->SetHelpContext(value); }
    std::intptr_t Tag() const { return FItem->Tag(); }
    void SetTag(std::intptr_t value) { FItem->SetTag(value); }
    bool IsLine() const { return FItem->IsLine(); }

    int Count() const { return FItem->Count(); }
    TMenuItemAdapter Items(int index) const { return TMenuItemAdapter(FItem->Items(index)); }
    // Null-wrapping adapters when there is no such item.
    TMenuItemAdapter Find(std::string_view caption) const { return TMenuItemAdapter(FItem->Find(caption)); }
    TMenuItemAdapter Parent() const { return TMenuItemAdapter(FItem->Parent()); }
    // A new sub-item with these values, appended (index -1) or inserted at index.
    TMenuItemAdapter Add(const String& caption, const TNotifyEvent& onClick = {}, TShortCut shortCut = scNone,
                         bool checked = false, bool enabled = true, int index = -1);
    TMenuItemAdapter AddAction(TBasicAction* action, int index = -1);
    TMenuItemAdapter AddLine(int index = -1);
    void Clear() { FItem->Clear(); }

private:
    TMenuItem* FItem;
};

} // namespace dw
