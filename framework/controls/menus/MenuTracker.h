// What puts menus on the screen (used by Menus.cpp only): measuring and painting items, the menu
// bar kept in a form's frame, the drop-down windows, and the modal loop that runs an open menu.
#pragma once

#include "framework/controls/menus/Menus.h"

#include <memory>
#include <vector>

namespace dw {

class TCanvas;

// Sizes of menu parts for the menu font and the images in use.
struct TMenuMetrics {
    int TextHeight = 13;
    int BarRowHeight = 19;
    int BarItemPadding = 6; // left and right of a bar item's text
    int ItemHeight = 19;
    int SeparatorHeight = 9;
    int Border = 3;  // frame of a drop-down (raised edge and one pixel)
    int Gutter = 20; // check mark or image column
    int TextGap = 4; // between the gutter and the caption
    int ShortCutGap = 20;
    int ArrowWidth = 16; // sub-menu arrow column, also the right margin
    static TMenuMetrics For(TCustomImageList* images);
};

// The width of a caption without its accelerator marks, in the menu font (bold when asked).
int MenuTextWidth(const String& text, bool bold = false);

// The menu bar of one form: lives as long as the form does, through a hook on its WindowProc that
// draws the bar in the frame (WM_NCCALCSIZE, WM_NCPAINT, WM_NCHITTEST) and opens it on a click.
// It shows whatever TMainMenu the form's Menu is at the time.
class TFormMenuBar {
public:
    explicit TFormMenuBar(TCustomForm* form);
    // The bar of form, made (and the hook installed) when create is set.
    static TFormMenuBar* Of(TCustomForm* form, bool create);
    // Every form with a bar hook.
    static std::vector<TFormMenuBar*> All();
    // Gives the forms whose Menu is menu a bar (the idle pass).
    static void AttachMenuForms(TMainMenu* menu);
    // The form is going: forget it (its hook passes everything on from now).
    static void FormFreed(TCustomForm* form);

    TCustomForm* Form() const { return FForm; }
    // The main menu shown, or null (no menu, a popup menu as Menu, an MDI child, designing).
    TMainMenu* Menu() const;
    bool Shown() const { return Menu() && !FBarRect.IsEmpty(); }

    // Layout, in window coordinates.
    TRect BarRect() const { return FBarRect; }
    const std::vector<TMenuItem*>& Items() const { return FItems; }
    TRect ItemScreenRect(int index) const;
    TRect BarScreenRect() const;
    // The index of the bar item at a screen point, or -1.
    int HitTest(TPoint screenPos) const;
    // An MDI frame's bar shows the maximized document's icon and buttons (empty rectangles
    // without one).
    TRect DocumentPartScreenRect(TMenuDocumentPart part) const;

    // The state drawn: the item selected (keyboard) or open (its drop-down shown).
    int Selected() const { return FSelected; }
    bool Dropped() const { return FDropped; }
    void SetState(int selected, bool dropped);

    // Lays the bar out again: a new height changes the frame, otherwise the bar repaints.
    void Refresh();
    void Paint();
    // Places the visible top-level items of menu in rows of width starting at (left, top), adding
    // each item and its rectangle to placed when given; returns the bar's height.
    static int Arrange(const TMainMenu* menu, int left, int top, int width,
                       std::vector<std::pair<TMenuItem*, TRect>>* placed);

private:
    void WndProc(TMessage& message, const TWndMethod& previous);
    // Computes the items and their rectangles for a bar at (left, top) of width; returns the height.
    int Layout(int left, int top, int width);
    void FrameChanged();
    // The frame's maximized document, or null.
    HWND MaximizedDocument() const;
    // The document part at a screen point, or -1.
    int DocumentPartAt(TPoint screenPos) const;
    // A press on a document button follows the mouse until the button is released.
    bool TrackDocumentButton(TMessage& message);
    void PaintDocumentParts(HDC dc);

    TCustomForm* FForm;
    HWND FDocument = nullptr;
    TRect FDocumentParts[4]; // window coordinates, in the order of TMenuDocumentPart
    int FPressedPart = -1;
    bool FPressedDown = false;
    TRect FBarRect;
    std::vector<TMenuItem*> FItems;
    std::vector<TRect> FItemRects;
    int FSelected = -1;
    bool FDropped = false;
    int FLastWidth = 0;
};

// The modal loop of an open menu. One runs at a time.
class TMenuTracker : public TComponent {
    DW_CLASS(TMenuTracker, TComponent)
    explicit TMenuTracker(TMenu* menu);
    ~TMenuTracker() override;
    void BeforeDestruction() override;

    static TMenuTracker* Active();

    // Tracks the bar of bar's form starting at bar item index; returns the chosen item or null.
    // altMode: entered with the Alt key (a key with Alt that is no accelerator leaves the bar and
    // goes on to the form, Alt released does nothing).
    TMenuItem* RunBar(TFormMenuBar* bar, int index, bool dropDown, bool altMode, bool byMouse);
    // Tracks the items of root shown at a screen point; returns the chosen item or null.
    TMenuItem* RunPopup(TMenuItem* root, TPoint screenPos, TPopupAlignment alignment);
    // Ends tracking without a choice.
    void Cancel();
    // Items changed while shown: re-measure the open drop-downs.
    void MenuChanged();

    TMenu* Menu() const { return FMenu; }
    TCustomForm* BarForm() const { return FBarForm; }
    int LevelCount() const { return static_cast<int>(FLevels.size()); }
    HWND LevelWindow(int level) const;
    TRect LevelScreenRect(int level) const;
    TRect ItemScreenRect(int level, int index) const;
    int LevelSelected(int level) const;

    // The drop-down window procedure's share.
    void PaintLevel(HWND window, HDC dc);

    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TLevel {
        TMenuItem* Parent = nullptr;
        std::vector<TMenuItem*> Items;
        std::vector<TRect> Rects; // client coordinates
        int Selected = -1;
        HWND Window = nullptr;
        TRect ScreenRect;
        int ShortCutWidth = 0;
        TMenuMetrics Metrics;
    };

    TMenuItem* Run();
    void Watch(TMenuItem* item);
    // Builds level contents and size for parent (updating the actions of its items first).
    void Measure(TLevel& level);
    void OpenLevel(TMenuItem* parent, TPoint at, const TRect& avoid, bool besides);
    void OpenSubMenu(int level, bool selectFirst);
    void OpenBarItem(int index, bool selectFirst);
    void CloseLevels(size_t keep);
    void Select(int level, int index);
    void Invalidate(int level);
    bool HasSubMenu(const TMenuItem* item) const;
    int NextSelectable(const TLevel& level, int from, int step) const;
    // The deepest level and item at a screen point: level -1 when over none.
    void HitTest(TPoint screenPos, int& level, int& index) const;

    void HandleMouse(const TMsg& msg);
    // False when the key is not for the menu and must stay in the queue (the loop ends).
    bool WantsKey(const TMsg& msg) const;
    void HandleKey(const TMsg& msg);
    void HandleChar(char32_t ch);
    void Accelerator(char32_t ch);
    void Choose(TMenuItem* item);
    void MoveBar(int step);
    int DeepestLevel() const { return static_cast<int>(FLevels.size()) - 1; }

    TMenu* FMenu;
    TFormMenuBar* FBar = nullptr;
    TCustomForm* FBarForm = nullptr;
    std::vector<std::unique_ptr<TLevel>> FLevels;
    HWND FCaptureWindow = nullptr;
    TMenuItem* FChosen = nullptr;
    bool FDone = false;
    bool FAltMode = false;
    bool FMoved = false;
    bool FButtonDown = false;
    // A list was opened from the bar: sliding or stepping along the bar opens the list of each
    // item reached, even past an item that has none.
    bool FDropMode = false;
    TPoint FStartPos;
    TPopupAlignment FAlignment = paLeft;
    int FMeasuring = 0;
};

} // namespace dw
