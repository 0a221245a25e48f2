#include "TestClasses.h"

#include "framework/rtl/ClassRegistry.h"

namespace dw::test {

DW_DEFINE_CLASS(TPoint3) {
    c.Property("X", &TPoint3::GetX, &TPoint3::SetX).Default(0);
    c.Property("Y", &TPoint3::GetY, &TPoint3::SetY).Default(0);
}

void TPoint3::Assign(const TPersistent* source) {
    if (auto* p = As<TPoint3>(source)) {
        X = p->X;
        Y = p->Y;
        return;
    }
    TPersistent::Assign(source);
}

DW_DEFINE_CLASS(TTestItem) {
    c.Property("Text", &TTestItem::Text, &TTestItem::Text);
    c.Property("Width", &TTestItem::Width, &TTestItem::Width).Default(50);
}

void TTestItem::Assign(const TPersistent* source) {
    if (auto* p = As<TTestItem>(source)) {
        Text = p->Text;
        Width = p->Width;
        return;
    }
    TCollectionItem::Assign(source);
}

DW_DEFINE_CLASS(TWidget) {
    c.Property("Count", &TWidget::Count, &TWidget::Count).Default(0);
    c.Property("Enabled", &TWidget::Enabled, &TWidget::Enabled).Default(true);
    c.Property("Mode", &TWidget::Mode, &TWidget::Mode).Default(cmNone);
    c.Property("Modes", &TWidget::Modes, &TWidget::Modes).Default(TColorModes{cmRed});
    c.Property("Letter", &TWidget::Letter, &TWidget::Letter).Default('A');
    c.Property("WideLetter", &TWidget::WideLetter, &TWidget::WideLetter).Default(u'W');
    c.Property("Caption", &TWidget::Caption, &TWidget::Caption);
    c.Property("Short", &TWidget::Short, &TWidget::Short);
    c.Property("Wide", &TWidget::Wide, &TWidget::Wide);
    c.Property("Ratio", &TWidget::Ratio, &TWidget::Ratio);
    c.Property("When", &TWidget::When, &TWidget::When);
    c.Property("Big", &TWidget::Big, &TWidget::Big);
    c.Property("Extra", &TWidget::Extra, &TWidget::Extra);
    c.Property("Buddy", &TWidget::GetBuddy, &TWidget::SetBuddy);
    c.Property("Target", &TWidget::GetTarget, &TWidget::SetTarget);
    c.Property("Origin", &TWidget::Origin, &TWidget::SetOrigin);
    c.Property("Items", &TWidget::Items, &TWidget::SetItems);
    c.Event("OnClick", &TWidget::OnClick);
    c.Event("OnValue", &TWidget::OnValue);
}

TWidget::TWidget(TComponent* owner)
    : TComponent(owner), FOrigin(MakeObject<TPoint3>()),
      FItems(MakeObject<TOwnedCollection>(this, TTestItem::StaticClass())) {}

TWidget::~TWidget() = default;

void TWidget::SetBuddy(TWidget* v) {
    if (Buddy) Buddy->RemoveFreeNotification(this);
    Buddy = v;
    if (v) v->FreeNotification(this);
}

void TWidget::SetTarget(TComponent* v) {
    if (Target) Target->RemoveFreeNotification(this);
    Target = v;
    if (v) v->FreeNotification(this);
}

void TWidget::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    Notifications.emplace_back(component->Name(), operation);
    if (operation == opRemove && component == Buddy) Buddy = nullptr;
    if (operation == opRemove && component == Target) Target = nullptr;
}

void TWidget::Loaded() {
    TComponent::Loaded();
    BuddyAtLoaded = Buddy;
    ++LoadedCount;
}

DW_DEFINE_CLASS(TTestRoot) {
    c.Field("Widget1", &TTestRoot::Widget1);
    c.Field("Widget2", &TTestRoot::Widget2);
    c.Method<&TTestRoot::WidgetClick>("WidgetClick");
    c.Method<&TTestRoot::WidgetValue>("WidgetValue");
}

void TTestRoot::WidgetClick(TObject*) { ++Clicks; }
void TTestRoot::WidgetValue(TObject*, int& value) { value *= 2; }

void TTestRoot::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    Notifications.emplace_back(component->Name(), operation);
    if (operation == opInsert) InsertedClasses.push_back(component->ClassName());
}

DW_DEFINE_CLASS(TTestRootChild) { c.Method<&TTestRootChild::ChildClick>("ChildClick"); }
void TTestRootChild::ChildClick(TObject*) { Clicks += 10; }

void RegisterTestClasses() {
    static bool done = [] {
        RegisterClasses({TWidget::StaticClass(), TTestRoot::StaticClass(), TTestRootChild::StaticClass()});
        return true;
    }();
    (void)done;
}

} // namespace dw::test
