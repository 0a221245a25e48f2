#include "EditorFixture.h"

#include "framework/designtime/VclPropEdits.h"
#include "framework/rtl/ClassInfo.h"

#include <algorithm>

namespace dw::test {

// Editor classes that only say who they are.
class TEdA : public TPropertyEditor {
    DW_CLASS(TEdA, TPropertyEditor)
};
class TEdB : public TPropertyEditor {
    DW_CLASS(TEdB, TPropertyEditor)
};
class TEdC : public TPropertyEditor {
    DW_CLASS(TEdC, TPropertyEditor)
};
// Without multi-select: such a property is not offered for several objects.
class TEdSingle : public TPropertyEditor {
    DW_CLASS(TEdSingle, TPropertyEditor)
    TPropertyAttributes GetAttributes() override { return {}; }
};
class TCompEdA : public TComponentEditor {
    DW_CLASS(TCompEdA, TComponentEditor)
};
class TCompEdB : public TComponentEditor {
    DW_CLASS(TCompEdB, TComponentEditor)
};
class TCompEdC : public TComponentEditor {
    DW_CLASS(TCompEdC, TComponentEditor)
};
DW_DEFINE_CLASS(TEdA) {}
DW_DEFINE_CLASS(TEdB) {}
DW_DEFINE_CLASS(TEdC) {}
DW_DEFINE_CLASS(TEdSingle) {}
DW_DEFINE_CLASS(TCompEdA) {}
DW_DEFINE_CLASS(TCompEdB) {}
DW_DEFINE_CLASS(TCompEdC) {}

namespace {

struct TRegistration {
    const TTypeInfo* Type;
    TClass ComponentClass;
    const char* Name;
    TClass Editor;
};

struct TChoiceCase {
    const char* Title;
    std::vector<TRegistration> Registrations; // oldest first
    const char* Property;                     // of a TButton
    const char* Expected;
};

String ChosenFor(TEditorRegistry& registry, TPersistent* instance, const char* property) {
    return registry.GetEditorClass(GetPropInfo(instance, property), instance)->ClassName();
}

} // namespace

// The registrations are walked from the newest; an older one takes over only where it is more
// specific, so among equally specific ones the newest wins.
TEST_F(EditorTest, EditorClassChoiceFollowsSpecificityThenAge) {
    const TTypeInfo* integer = &TypeInfoOf<std::int32_t>();
    const TTypeInfo* font = &TypeInfoOf<TFont*>();
    const TTypeInfo* persistent = &TypeInfoOf<TPersistent*>();
    const TTypeInfo* caption = &CaptionTypeInfo();
    TClass control = TControl::StaticClass(), button = TButton::StaticClass(), label = TLabel::StaticClass();
    TClass a = TEdA::StaticClass(), b = TEdB::StaticClass(), cEd = TEdC::StaticClass();
    const std::vector<TChoiceCase> cases = {
        {"no registration: the kind's default", {}, "Tag", "TIntegerProperty"},
        {"equally specific: newest wins", {{integer, nullptr, "", a}, {integer, nullptr, "", b}}, "Tag", "TEdB"},
        {"older one names a component class", {{integer, control, "", a}, {integer, nullptr, "", b}}, "Tag", "TEdA"},
        {"older one names the property", {{integer, nullptr, "TAG", a}, {integer, nullptr, "", b}}, "Tag", "TEdA"},
        {"newer with name beats older with class only",
         {{integer, control, "", a}, {integer, nullptr, "Tag", b}},
         "Tag",
         "TEdA"},
        {"older derived class beats newer base class",
         {{integer, button, "", a}, {integer, control, "", b}},
         "Tag",
         "TEdA"},
        {"newer derived class stays over older base",
         {{integer, control, "", a}, {integer, button, "", b}},
         "Tag",
         "TEdB"},
        {"a class the object is not is no match", {{integer, label, "", a}}, "Tag", "TIntegerProperty"},
        {"another property name is no match", {{integer, nullptr, "Left", a}}, "Tag", "TIntegerProperty"},
        {"a class type matches derived properties", {{persistent, nullptr, "", a}}, "Constraints", "TEdA"},
        {"the framework's more derived type stays over a newer base",
         {{persistent, nullptr, "", a}},
         "Font",
         "TFontProperty"},
        {"older exact type beats newer base type",
         {{font, nullptr, "", a}, {persistent, nullptr, "", b}},
         "Font",
         "TEdA"},
        {"newer exact type stays over older base type",
         {{persistent, nullptr, "", a}, {font, nullptr, "", b}},
         "Font",
         "TEdB"},
        {"named type differs from its kind's plain type",
         {{&TypeInfoOf<String>(), nullptr, "", a}},
         "Caption",
         "TCaptionProperty"},
        {"environment's own registration replaces the framework's", {{caption, nullptr, "", cEd}}, "Caption", "TEdC"},
    };
    for (const TChoiceCase& c : cases) {
        SCOPED_TRACE(c.Title);
        TEditorRegistry registry;
        for (const TRegistration& r : c.Registrations)
            registry.RegisterPropertyEditor(r.Type, r.ComponentClass, r.Name, r.Editor);
        EXPECT_EQ(ChosenFor(registry, Button1, c.Property), c.Expected);
    }
}

// Mappers come first, in registration order; a mapper that passes leaves the choice to the rest.
// A registration after a choice is seen by the next choice.
TEST_F(EditorTest, MappersDecideFirstAndRegistrationsAreSeenAtOnce) {
    EXPECT_EQ(ChosenFor(Registry, Button1, "Tag"), "TIntegerProperty");
    Registry.RegisterPropertyEditor(&TypeInfoOf<std::int32_t>(), nullptr, "", TEdA::StaticClass());
    EXPECT_EQ(ChosenFor(Registry, Button1, "Tag"), "TEdA");
    int asked = 0;
    Registry.RegisterPropertyMapper([&](TPersistent*, const TPropInfo*) -> TPropertyEditorClass {
        ++asked;
        return nullptr;
    });
    EXPECT_EQ(ChosenFor(Registry, Button1, "Tag"), "TEdA");
    Registry.RegisterPropertyMapper([](TPersistent* instance, const TPropInfo* prop) -> TPropertyEditorClass {
        return instance == static_cast<TPersistent*>(nullptr) || prop->Name != "Tag" ? nullptr : TEdB::StaticClass();
    });
    Registry.RegisterPropertyMapper(
        [](TPersistent*, const TPropInfo*) -> TPropertyEditorClass { return TEdC::StaticClass(); });
    EXPECT_EQ(ChosenFor(Registry, Button1, "Tag"), "TEdB");
    EXPECT_EQ(ChosenFor(Registry, Button1, "Left"), "TEdC");
    EXPECT_EQ(asked, 3);
    EXPECT_THROW(Registry.RegisterPropertyEditor(&TypeInfoOf<std::int32_t>(), nullptr, "", TButton::StaticClass()),
                 EInvalidArgument);
}

// One object: readable properties that can be written (class-typed ones always, read-only ones
// with the switch), whose value can be read, sorted by name.
TEST_F(EditorTest, OneObjectListsReadableWritableAvailablePropertiesByName) {
    std::vector<String> names = Names({Test1});
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const String& a, const String& b) { return CompareText(a, b) < 0; }));
    auto has = [&](const char* name) { return std::find(names.begin(), names.end(), name) != names.end(); };
    EXPECT_TRUE(has("Count"));
    EXPECT_FALSE(has("Counter")) << "read-only without the switch";
    EXPECT_FALSE(has("Broken")) << "its value cannot be read";
    EXPECT_FALSE(has("OnClick")) << "events are not properties";
    Registry.SetShowReadOnlyProps(true);
    names = Names({Test1});
    EXPECT_TRUE(has("Counter"));
    EXPECT_EQ(Names({Test1}, tkMethods), (std::vector<String>{"OnAlpha", "OnChanged", "OnClick"}));
    // A read-only value is shown but never written.
    auto counter = Editor({Test1}, "Counter");
    ASSERT_TRUE(counter);
    counter->SetValue("5");
    EXPECT_EQ(Designer->ModifiedCount, 0) << "nothing was written, so nothing is recorded";
    EXPECT_EQ(Test1->Count(), 0);
}

// Several objects: the properties all of them have by name and type, with the same editor class
// allowing multi-select, in the first object's order; values that differ show empty.
TEST_F(EditorTest, SeveralObjectsShareOnlyCommonMultiSelectProperties) {
    std::vector<String> both = Names({Button1, Label1});
    std::vector<String> button = Names({Button1});
    std::vector<String> label = Names({Label1});
    for (const String& name : both) {
        EXPECT_NE(std::find(button.begin(), button.end(), name), button.end()) << name;
        EXPECT_NE(std::find(label.begin(), label.end(), name), label.end()) << name;
    }
    auto has = [](const std::vector<String>& names, const char* name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    EXPECT_TRUE(has(both, "Caption"));
    EXPECT_TRUE(has(both, "Left"));
    EXPECT_FALSE(has(both, "Name")) << "a name belongs to one component";
    EXPECT_FALSE(has(both, "ModalResult")) << "only the button has it";
    EXPECT_TRUE(has(button, "TabOrder"));
    EXPECT_FALSE(has(Names({Button1, Button2}), "TabOrder")) << "tab order editor allows no multi-select";
    auto left = Editor({Button1, Button2}, "Left");
    EXPECT_FALSE(left->AllEqual());
    EXPECT_EQ(GetVisualValue(left.get()), "");
    EXPECT_EQ(left->GetValue(), "8") << "the first object is read";
    left->SetValue("30");
    EXPECT_TRUE(left->AllEqual());
    EXPECT_EQ(Button2->Left(), 30);

    // An editor class registered for one of the classes only splits the property away.
    Registry.RegisterPropertyEditor(&TypeInfoOf<std::int32_t>(), TLabel::StaticClass(), "Left", TEdA::StaticClass());
    EXPECT_FALSE(has(Names({Button1, Label1}), "Left"));
    EXPECT_TRUE(has(Names({Label1}), "Left"));
    Registry.RegisterPropertyEditor(&TypeInfoOf<std::int32_t>(), nullptr, "Top", TEdSingle::StaticClass());
    EXPECT_TRUE(has(Names({Button1}), "Top"));
    EXPECT_FALSE(has(Names({Button1, Button2}), "Top"));
}

// The most derived registration wins, the newest of equals; without one a TDefaultEditor; a new
// editor every time.
TEST_F(EditorTest, ComponentEditorChoice) {
    Registry.RegisterComponentEditor(TControl::StaticClass(), TCompEdA::StaticClass());
    Registry.RegisterComponentEditor(TButton::StaticClass(), TCompEdB::StaticClass());
    Registry.RegisterComponentEditor(TButton::StaticClass(), TCompEdC::StaticClass());
    Registry.RegisterComponentEditor(TWinControl::StaticClass(), TCompEdA::StaticClass());
    auto classOf = [&](TComponent* component) {
        auto editor = Registry.GetComponentEditor(component, Designer.get());
        EXPECT_EQ(editor->GetComponent(), component);
        EXPECT_EQ(editor->GetDesigner(), Designer.get());
        return static_cast<TComponentEditor*>(editor.get())->ClassName();
    };
    EXPECT_EQ(classOf(Button1), "TCompEdC");
    EXPECT_EQ(classOf(Label1), "TCompEdA");
    EXPECT_EQ(classOf(PopupMenu1), "TDefaultEditor");
    auto first = Registry.GetComponentEditor(Button1, Designer.get());
    auto second = Registry.GetComponentEditor(Button1, Designer.get());
    EXPECT_NE(first.get(), second.get());
    EXPECT_THROW(Registry.RegisterComponentEditor(TButton::StaticClass(), TEdA::StaticClass()), EInvalidArgument);
}

// A double click opens the handler of the preferred event: OnCreate, OnChange, OnChanged,
// OnClick, else the first event.
TEST_F(EditorTest, DefaultEditorOpensThePreferredEvent) {
    auto* created = New<TCreateEventComponent>(Form.get());
    created->SetName("Created1");
    auto* plain = New<TOneEventComponent>(Form.get());
    plain->SetName("Plain1");
    const std::pair<TComponent*, const char*> cases[] = {
        {Test1, "Test1Changed"}, {created, "Created1Create"}, {plain, "Plain1Beta"}, {Button1, "Button1Click"}};
    for (auto [component, expected] : cases) {
        SCOPED_TRACE(expected);
        Registry.GetComponentEditor(component, Designer.get())->Edit();
        ASSERT_FALSE(Designer->Shown.empty());
        EXPECT_EQ(Designer->Shown.back(), expected);
    }
    EXPECT_EQ(Designer->GetMethodName(Test1->FOnChanged.Method()), "Test1Changed");
    // With a handler in place, the double click shows it instead of making another.
    Registry.GetComponentEditor(Test1, Designer.get())->Edit();
    EXPECT_EQ(Designer->Shown.back(), "Test1Changed");
    EXPECT_EQ(Designer->Handlers.size(), 4u);
}

// Category entries reach the hook, one filter per mask, class or type, in the current group.
TEST_F(EditorTest, CategoryEntriesReachTheHook) {
    struct THook : IPropertyCategoryHook {
        std::vector<String> Filters;
        std::vector<int> Unloaded;
        void RegisterPropertyFilter(const String& category, TClass cls, const TTypeInfo* type, const String& mask,
                                    int group) override {
            Filters.push_back(category + "|" + (cls ? cls->ClassName() : "") + "|" + (type ? type->Name() : "") + "|" +
                              mask + "|" + IntToStr(group));
        }
        void UnregisterGroup(int group) override { Unloaded.push_back(group); }
    } hook;
    Registry.RegisterPropertiesInCategory("Layout", TControl::StaticClass(), {"Left", "Top"});
    EXPECT_TRUE(hook.Filters.empty());
    Registry.SetCategoryHook(&hook);
    Registry.SetCurrentGroup(7);
    Registry.RegisterPropertiesInCategory("Layout", TControl::StaticClass(), {"Left", "Top"});
    Registry.RegisterPropertiesInCategory("Visual", &ColorTypeInfo(), {""});
    Registry.RegisterPropertyInCategory("Misc", {String("Tag*"), TButton::StaticClass(), &CaptionTypeInfo()});
    Registry.UnloadGroup(7);
    EXPECT_EQ(hook.Filters,
              (std::vector<String>{"Layout|TControl||Left|7", "Layout|TControl||Top|7", "Visual||TColor||7",
                                   "Misc|||Tag*|7", "Misc|TButton|||7", "Misc||TCaption||7"}));
    EXPECT_EQ(hook.Unloaded, std::vector<int>{7});
}

} // namespace dw::test
