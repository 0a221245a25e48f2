// Small component classes with one published property of every kind, used by the runtime tests.
#pragma once

#include "framework/rtl/Collection.h"
#include "framework/rtl/Component.h"

namespace dw::test {

DW_ENUM(TColorMode, cmNone, cmRed, cmGreen, cmBlue)
DW_SET(TColorModes, TColorMode)
DW_EVENT(TValueEvent, (TObject*, int&), "Sender: TObject; var Value: Integer");

class TPoint3 : public TPersistent {
    DW_CLASS(TPoint3, TPersistent)
    int X = 0, Y = 0;
    int GetX() const { return X; }
    void SetX(int v) { X = v; }
    int GetY() const { return Y; }
    void SetY(int v) { Y = v; }
    void Assign(const TPersistent* source) override;
};

class TTestItem : public TCollectionItem {
    DW_CLASS(TTestItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    String Text;
    int Width = 50;
    void Assign(const TPersistent* source) override;
};

// Every property kind, with declared defaults where the kind allows one.
class TWidget : public TComponent {
    DW_CLASS(TWidget, TComponent)
    explicit TWidget(TComponent* owner);
    ~TWidget() override;

    int Count = 0;
    bool Enabled = true;
    TColorMode Mode = cmNone;
    TColorModes Modes{cmRed};
    char Letter = 'A';
    char16_t WideLetter = u'W';
    String Caption;
    ShortString Short;
    WideString Wide;
    double Ratio = 0;
    TDateTime When;
    Int64 Big = 0;
    Variant Extra;
    TWidget* Buddy = nullptr;
    TComponent* Target = nullptr;
    TNotifyEvent OnClick;
    TValueEvent OnValue;

    TPoint3* Origin() const { return FOrigin.get(); }
    void SetOrigin(TPoint3* v) { FOrigin->Assign(v); }
    TCollection* Items() const { return FItems.get(); }
    void SetItems(TCollection* v) { FItems->Assign(v); }
    TWidget* GetBuddy() const { return Buddy; }
    void SetBuddy(TWidget* v);
    TComponent* GetTarget() const { return Target; }
    void SetTarget(TComponent* v);
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    // Loaded saw the buddy already fixed up.
    TWidget* BuddyAtLoaded = nullptr;
    int LoadedCount = 0;
    std::vector<std::pair<String, TOperation>> Notifications;

private:
    TObjectPtr<TPoint3> FOrigin;
    TObjectPtr<TCollection> FItems;
};

// A root with published fields and handlers, as a form class would have.
class TTestRoot : public TComponent {
    DW_CLASS(TTestRoot, TComponent)
    using TComponent::TComponent;
    TWidget* Widget1 = nullptr;
    TWidget* Widget2 = nullptr;
    int Clicks = 0;
    void WidgetClick(TObject* sender);
    void WidgetValue(TObject* sender, int& value);
    void Notification(TComponent* component, TOperation operation) override;
    std::vector<std::pair<String, TOperation>> Notifications;
    std::vector<String> InsertedClasses;
};

class TTestRootChild : public TTestRoot {
    DW_CLASS(TTestRootChild, TTestRoot)
    using TTestRoot::TTestRoot;
    void ChildClick(TObject* sender);
};

// Registers the test classes for streaming once.
void RegisterTestClasses();

} // namespace dw::test
