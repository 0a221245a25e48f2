// The designer manager: the process-wide record of the active designer and of the class armed on
// the palette, and the relay of design notifications to the listeners (inspector, component
// selector, palette, designers, data module hosts).
#pragma once

#include "framework/designtime/DesignIntf.h"

#include <vector>

namespace dw {

// Told when the armed class or the palette's contents change.
class IPaletteNotification : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{8F7F31E0-0E06-11D8-BE6E-00022EF07264}");
    virtual void ComponentClassChanged() = 0;
    virtual void PaletteChanged() = 0;

protected:
    ~IPaletteNotification() = default;
};

// An optional extension for host code: answers questions the environment cannot answer itself.
class IDesignEnvironmentHook : public IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{C436A460-1B3D-11D8-BE6E-00022EF07264}");
    virtual void ActiveDesignerChanged() = 0;
    // True stops asking the other hooks.
    virtual bool GetRootComponents(TComponent* askingRoot, std::vector<TComponent*>& list) = 0;
    virtual void DesignerKeyDown(IDesigner* designer, Word& key, TShiftState shift) = 0;
    virtual void DesignerKeyPress(IDesigner* designer, char32_t& key) = 0;
    // True stops asking the other hooks.
    virtual bool GetNewRootPosition(TPoint& point) = 0;
    virtual void FilterComponentClass(TClass componentClass, String& page, bool& accept) = 0;

protected:
    ~IDesignEnvironmentHook() = default;
};

class TDesignerManager {
public:
    TDesignerManager() = default;
    TDesignerManager(const TDesignerManager&) = delete;
    virtual ~TDesignerManager() = default;

    IDesigner* ActiveDesigner() const { return FActiveDesigner.get(); }
    // Announces a newly held designer (DesignerOpened, then SelectionChanged with its selection)
    // and tells the environment hooks; setting the held one again does nothing.
    virtual void SetActiveDesigner(IDesigner* designer);

    // A listener is a plain pointer, added once; it removes itself before it dies.
    void AddListener(IInterface* listener);
    void RemoveListener(IInterface* listener);
    const std::vector<IInterface*>& Listeners() const { return FListeners; }

    // Design notifications: each listener that supports IDesignNotification is told in turn; an
    // exception of one listener is swallowed and the others are still told.
    void NotifyItemDeleted(IDesigner* designer, TPersistent* item);
    void NotifyItemInserted(IDesigner* designer, TPersistent* item);
    void NotifyItemsModified(IDesigner* designer);
    void NotifySelectionChanged(IDesigner* designer, IDesignerSelections* selection);
    void NotifyDesignerOpened(IDesigner* designer, bool resurrecting = false);
    void NotifyDesignerClosed(IDesigner* designer, bool goingDormant = false);
    // Palette notifications; exceptions propagate.
    void NotifyComponentClassChanged();
    void NotifyPaletteChanged();

    // The armed palette class (none: the arrow).
    TClass ComponentClass() const { return FComponentClass; }
    void SetComponentClass(TClass componentClass);
    bool KeepClass() const { return FKeepClass; }
    void SetKeepClass(bool value);
    // After a component was made from the armed class: disarms unless KeepClass.
    void ComponentCreated();
    // Creates the armed class on the active designer at its default place and size.
    void CreateSelectedClass();

    // Forwarded to the IDesignEnvironmentHook listeners.
    bool GetRootComponents(TComponent* askingRoot, std::vector<TComponent*>& list);
    void DesignerKeyDown(IDesigner* designer, Word& key, TShiftState shift);
    void DesignerKeyPress(IDesigner* designer, char32_t& key);
    void GetNewRootPosition(TPoint& point);
    void FilterComponentClass(TClass componentClass, String& page, bool& accept);

private:
    template <class I, class F> void Broadcast(F&& call, bool swallow);

    TInterfacePtr<IDesigner> FActiveDesigner;
    std::vector<IInterface*> FListeners;
    TClass FComponentClass = nullptr;
    bool FKeepClass = false;
};

// The process's designer manager, made on first use (normally by the environment's start-up).
TDesignerManager& DesignerManager();
// Frees it at exit; a later DesignerManager() makes a new one.
void FreeDesignerManager();

// The object behind a designer interface (the designer component), through its instance-access
// interface; given none, the active designer's. Null when there is none.
TObject* GetFormDesignerObject(IDesigner* designer = nullptr);

} // namespace dw
