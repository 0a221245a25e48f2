// TBaseDesigner: the part of the designer that is not about forms: the active state, the design
// window, message routing into mouse, key and drag operations, the hover hint and its events.
#pragma once

#include "framework/controls/forms/Forms.h"
#include "framework/controls/forms/Timer.h"

namespace dw {

DW_EVENT(THandleControlMessage, (TObject*, TControl*, TMessage&, bool&),
         "Sender: TObject; Control: TControl; var Message: TMessage; var Handled: Boolean");
DW_EVENT(TGetComponentHintEvent, (TObject*, TComponent*, String&, bool&),
         "Sender: TObject; Component: TComponent; var Hint: string; var ShowHint: Boolean");

// The colour of the designer's hint window.
constexpr TColor DesignerHintColor = 0xC6FFFF;
// The pause before the hover hint shows.
constexpr Cardinal DesignerHintPause = 500;

class TBaseDesigner : public TComponent {
    DW_CLASS(TBaseDesigner, TComponent)
    explicit TBaseDesigner(TComponent* owner);
    ~TBaseDesigner() override;
    void BeforeDestruction() override;

    // While the designer is loading or is itself being designed the value is only recorded, and
    // applied when loading ends.
    bool Active() const;
    void SetActive(bool value);
    bool ShowHints() const { return FShowHints; }
    void SetShowHints(bool value) { FShowHints = value; }

    // The windowed control whose client area is designed, or null.
    TWinControl* DesignWindow() const { return FDesignWindow; }
    // The windowed control a running drag works in.
    TWinControl* CurrentContainer() const { return FCurrentContainer; }
    THintWindow* HintWindow() const { return FHintWindow.get(); }
    TTimer* HintTimer() const { return FHintTimer.get(); }
    TControl* HintControl() const { return FHintControl; }
    void HideHint();

    // The design-message routing shared by every designer: events, non-client mouse mapped to
    // client mouse, keys and mouse turned into the Design* operations, control drags.
    virtual bool DefaultHandleMessage(TControl* sender, TMessage& message);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnActiveChanged;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    THandleControlMessage OnHandleControlMessage;
    TGetComponentHintEvent OnGetComponentHint;

protected:
    // The setter of Active once loading is over: activation or deactivation.
    virtual void SetActiveValue(bool value);
    // The common steps: activation refuses to run without a design window, then the current
    // container becomes the design window, the flag is set and OnActiveChanged fires;
    // deactivation hides the hint, releases the hint window, clears the flag and fires the event.
    void BaseActivate();
    void BaseDeactivate();
    void DoActiveChanged();
    void SetDesignWindow(TWinControl* value);
    void SetCurrentContainer(TWinControl* value) { FCurrentContainer = value; }

    virtual void ShowPositionHint() {}
    virtual void DesignMouseDown(TMouseBtn button, TShiftState shift, int x, int y);
    virtual void DesignMouseMove(TShiftState shift, int x, int y);
    virtual void DesignMouseUp(TMouseBtn button, TShiftState shift, int x, int y);
    virtual void DesignKeyUp(Word& key, TShiftState shift);
    virtual void DesignKeyDown(Word& key, TShiftState shift);
    virtual void DesignKeyPress(char32_t& key);
    virtual bool AcceptsNonClientMouse(TControl* control);
    virtual bool DesignDragOver(TControl* target, TObject* source, int x, int y, TDragState state);
    virtual void DesignDragDrop(TControl* target, TObject* source, int x, int y);
    // The hint timer's tick.
    virtual void HintTimerTick(TObject* sender);

    bool FActive = false;
    bool FStoredActive = false;
    bool FShowHints = true;
    TWinControl* FDesignWindow = nullptr;
    TWinControl* FCurrentContainer = nullptr;
    TControl* FHintControl = nullptr;

private:
    TObjectPtr<THintWindow> FHintWindow;
    TObjectPtr<TTimer> FHintTimer;
};

} // namespace dw
