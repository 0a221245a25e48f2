#include "TestClasses.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Stream.h"

#include <gtest/gtest.h>

using namespace dw;
using namespace dw::test;

TEST(TypInfo, KindsAreNumberedAndSetsAreBitMasks) {
    EXPECT_EQ(tkMethod, 8);
    EXPECT_EQ(tkDynArray, 17);
    EXPECT_EQ(tkProperties, 261886u);
    EXPECT_EQ(tkMethods, 256u);
}

TEST(TypInfo, TypeOfEachPropertyKind) {
    struct Case {
        const char* prop;
        TTypeKind kind;
        const char* typeName;
    } cases[] = {
        {"Count", tkInteger, "Integer"},   {"Enabled", tkEnumeration, "Boolean"}, {"Mode", tkEnumeration, "TColorMode"},
        {"Modes", tkSet, "TColorModes"},   {"Letter", tkChar, "Char"},            {"WideLetter", tkWChar, "WideChar"},
        {"Caption", tkLString, "String"},  {"Short", tkString, "ShortString"},    {"Wide", tkWString, "WideString"},
        {"Ratio", tkFloat, "Double"},      {"When", tkFloat, "TDateTime"},        {"Big", tkInt64, "Int64"},
        {"Extra", tkVariant, "Variant"},   {"Buddy", tkClass, "TWidget"},         {"Origin", tkClass, "TPoint3"},
        {"OnClick", tkMethod, "TNotifyEvent"}, {"OnValue", tkMethod, "TValueEvent"}, {"Name", tkLString, "TComponentName"},
    };
    for (auto& c : cases) {
        const TPropInfo* p = GetPropInfo(TWidget::StaticClass(), c.prop);
        ASSERT_NE(p, nullptr) << c.prop;
        EXPECT_EQ(p->Kind(), c.kind) << c.prop;
        EXPECT_EQ(p->Type().Name(), c.typeName) << c.prop;
    }
}

TEST(TypInfo, PropertiesIncludeAncestorsFirstAndLookupIgnoresCase) {
    auto& props = TWidget::StaticClass()->Properties();
    ASSERT_GE(props.size(), 3u);
    EXPECT_EQ(props[0]->Name, "Name");
    EXPECT_EQ(props[1]->Name, "Tag");
    EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), "caption"), GetPropInfo(TWidget::StaticClass(), "CAPTION"));
    EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), "Missing"), nullptr);
    auto events = GetPropList(TWidget::StaticClass(), tkMethods);
    ASSERT_EQ(events.size(), 2u);
    auto sorted = GetPropList(TWidget::StaticClass(), tkProperties, true);
    for (size_t i = 1; i < sorted.size(); ++i) EXPECT_LE(CompareText(sorted[i - 1]->Name, sorted[i]->Name), 0);
}

TEST(TypInfo, MethodTypeInfoCarriesParameters) {
    const TTypeInfo& t = TValueEvent::TypeInfo();
    ASSERT_EQ(t.Params.size(), 2u);
    EXPECT_EQ(t.Params[0].Name, "Sender");
    EXPECT_EQ(t.Params[0].TypeName, "TObject");
    EXPECT_EQ(t.Params[1].Flags, pfVar);
    EXPECT_EQ(t.Params[1].TypeName, "Integer");
    EXPECT_FALSE(MethodTypesCompatible(TNotifyEvent::TypeInfo(), t));
    EXPECT_TRUE(MethodTypesCompatible(TNotifyEvent::TypeInfo(), TNotifyEvent::TypeInfo()));
}

TEST(TypInfo, GetAndSetEveryKind) {
    TWidget w(nullptr);
    auto prop = [](const char* n) { return *GetPropInfo(TWidget::StaticClass(), n); };
    SetOrdProp(&w, prop("Count"), -7);
    EXPECT_EQ(w.Count, -7);
    SetEnumProp(&w, prop("Mode"), "cmblue");
    EXPECT_EQ(w.Mode, cmBlue);
    EXPECT_EQ(GetEnumProp(&w, prop("Mode")), "cmBlue");
    SetSetProp(&w, prop("Modes"), "[cmGreen, cmBlue]");
    EXPECT_EQ(w.Modes, (TColorModes{cmGreen, cmBlue}));
    EXPECT_EQ(GetSetProp(&w, prop("Modes"), true), "[cmGreen,cmBlue]");
    SetOrdProp(&w, prop("Letter"), 'z');
    EXPECT_EQ(w.Letter, 'z');
    SetOrdProp(&w, prop("WideLetter"), 0x263A);
    EXPECT_EQ(w.WideLetter, u'\u263A');
    SetStrProp(&w, prop("Caption"), "Hello");
    EXPECT_EQ(GetStrProp(&w, prop("Caption")), "Hello");
    SetStrProp(&w, prop("Wide"), "Gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(w.Wide, u"Gr\u00FC\u00DF");
    SetFloatProp(&w, prop("Ratio"), 2.5);
    EXPECT_EQ(w.Ratio, 2.5);
    SetInt64Prop(&w, prop("Big"), INT64_C(1) << 40);
    EXPECT_EQ(GetInt64Prop(&w, prop("Big")), INT64_C(1) << 40);
    SetVariantProp(&w, prop("Extra"), Variant("x"));
    EXPECT_EQ(GetVariantProp(&w, prop("Extra")).AsString(), "x");
    TWidget other(nullptr);
    SetObjectProp(&w, prop("Buddy"), &other);
    EXPECT_EQ(w.Buddy, &other);
    EXPECT_EQ(GetPropValue(&w, "Enabled").AsBoolean(), true);
    SetPropValue(&w, "Enabled", Variant(false));
    EXPECT_FALSE(w.Enabled);
    SetPropValue(&w, "Count", Variant("12"));
    EXPECT_EQ(w.Count, 12);
}

TEST(TypInfo, BadValuesRaiseNamingTheProperty) {
    TWidget w(nullptr);
    TPoint3 notAComponent;
    auto prop = [](const char* n) { return *GetPropInfo(TWidget::StaticClass(), n); };
    EXPECT_THROW(SetEnumProp(&w, prop("Mode"), "cmPurple"), EPropertyConvertError);
    EXPECT_THROW(SetOrdProp(&w, prop("Mode"), 9), EPropertyError);
    EXPECT_THROW(SetSetProp(&w, prop("Modes"), "[cmRed, cmPink]"), EPropertyConvertError);
    EXPECT_THROW(SetOrdProp(&w, prop("Modes"), 1 << 8), EPropertyError);
    EXPECT_THROW(SetStrProp(&w, prop("Count"), "1"), EPropertyError);
    EXPECT_THROW(SetStrProp(&w, prop("Short"), String(300, 'x')), EPropertyError);
    EXPECT_THROW(SetObjectProp(&w, prop("Buddy"), &notAComponent), EPropertyError);
    EXPECT_THROW(SetPropValue(&w, "Nope", Variant(1)), EPropertyError);
    try {
        SetOrdProp(&w, prop("Mode"), 9);
    } catch (const EPropertyError& e) {
        EXPECT_NE(e.Message().find("Mode"), String::npos);
    }
}

TEST(TypInfo, ClassMetadataAndVirtualConstructor) {
    EXPECT_TRUE(TTestRootChild::StaticClass()->InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TComponent::StaticClass()->InheritsFrom(TWidget::StaticClass()));
    EXPECT_EQ(TWidget::StaticClass()->ClassParent(), TComponent::StaticClass());
    TTestRoot owner(nullptr);
    TObject* made = TWidget::StaticClass()->Create(&owner);
    ASSERT_TRUE(made->Is<TWidget>());
    EXPECT_EQ(static_cast<TWidget*>(made)->Owner(), &owner);
    EXPECT_EQ(made->ClassName(), "TWidget");
    EXPECT_THROW(TStream::StaticClass()->Create(), EInvalidOperation);
    TPoint3 p;
    EXPECT_THROW(TWidget::StaticClass()->Create(&p), EInvalidArgument);
}

TEST(TypInfo, MethodsResolveByNameAndAddressThroughAncestors) {
    TTestRootChild root(nullptr);
    void* own = root.MethodAddress("childclick");
    void* inherited = root.MethodAddress("WidgetClick");
    ASSERT_NE(own, nullptr);
    ASSERT_NE(inherited, nullptr);
    EXPECT_EQ(root.MethodName(inherited), "WidgetClick");
    EXPECT_EQ(root.MethodAddress("Nothing"), nullptr);
    TTestRoot base(nullptr);
    EXPECT_EQ(base.MethodAddress("ChildClick"), nullptr);
    EXPECT_EQ(TTestRootChild::StaticClass()->Methods().size(), 3u);
}

TEST(TypInfo, EventsCallMethodsAndRefuseNumbersAndWrongSignatures) {
    TTestRoot root(nullptr);
    TWidget w(&root);
    w.OnClick = MakeMethod<&TTestRoot::WidgetClick>(&root);
    w.OnClick(&w);
    EXPECT_EQ(root.Clicks, 1);
    w.OnValue = MakeMethod<&TTestRoot::WidgetValue>(&root);
    int v = 21;
    w.OnValue(&w, v);
    EXPECT_EQ(v, 42);

    // The same pair compares equal; another object with the same code does not.
    TTestRoot other(nullptr);
    EXPECT_EQ(w.OnClick.Method(), MakeMethod<&TTestRoot::WidgetClick>(&root));
    EXPECT_NE(w.OnClick.Method(), MakeMethod<&TTestRoot::WidgetClick>(&other));

    // Any value can be stored as code, but only real methods are ever called.
    SetMethodProp(&w, *GetPropInfo(&w, "OnClick"), TMethod::FromNumber(7, &root));
    EXPECT_EQ(GetMethodProp(&w, *GetPropInfo(&w, "OnClick")).CodeAsNumber(), 7);
    EXPECT_THROW(w.OnClick(&w), EInvalidOperation);
    w.OnClick = TNotifyEvent(MakeMethod<&TTestRoot::WidgetValue>(&root));
    EXPECT_THROW(w.OnClick(&w), EInvalidOperation);
    w.OnClick.Clear();
    w.OnClick(&w); // empty: nothing happens
    EXPECT_EQ(root.Clicks, 1);
}

TEST(TypInfo, NamedTypesAreSharedAndKeepTheirKind) {
    const TTypeInfo& a = NamedType(tkInteger, "TMyColor");
    EXPECT_EQ(&a, &NamedType(tkInteger, "tmycolor"));
    EXPECT_THROW(NamedType(tkLString, "TMyColor"), EPropertyError);
}

TEST(Variant, ConversionsAndErrors) {
    EXPECT_EQ(Variant(42).AsString(), "42");
    EXPECT_EQ(Variant("17").AsInteger(), 17);
    EXPECT_EQ(Variant(2.5).AsString(), "2.5");
    EXPECT_TRUE(Variant("true").AsBoolean());
    EXPECT_TRUE(Variant::Null().IsNull());
    EXPECT_THROW(Variant::Null().AsString(), EVariantError);
    EXPECT_THROW(Variant("abc").AsInteger(), EVariantError);
    EXPECT_THROW(Variant(Int64(1) << 40).AsInteger(), EVariantError);
}
