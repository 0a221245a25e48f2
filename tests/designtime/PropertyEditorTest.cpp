#include "EditorFixture.h"

#include "framework/designtime/VclPropEdits.h"
#include "framework/rtl/DateUtils.h"

namespace dw::test {

namespace {
struct TValueCase {
    const char* Property;
    const char* EditorClass;
    const char* Value;
};
} // namespace

// Each property of a real button and of the test component gets its editor class and shows the
// value text that class gives.
TEST_F(EditorTest, EditorClassesAndValueTextsOfOneObject) {
    Test1->FLetter = '\t';
    Test1->FBig = -9000000000LL;
    Test1->FRatio = 0.1f;
    Test1->FAmount = 2.5;
    Test1->FWhen = StrToDateTime("2024-02-29 13:45:10");
    Test1->FDay = StrToDate("1999-12-31").Value;
    Test1->FClock = StrToTime("07:05:00").Value;
    Test1->FData = Variant::Null();
    Test1->FRef = PopupMenu1;
    Button1->SetCaption("OK");
    Button1->SetAnchors({akLeft, akBottom});
    Button1->SetModalResult(mrCancel);
    const TValueCase buttonCases[] = {
        {"Left", "TIntegerProperty", "8"},
        {"Caption", "TCaptionProperty", "OK"},
        {"Name", "TComponentNameProperty", "Button1"},
        {"Visible", "TEnumProperty", "True"},
        {"Anchors", "TSetProperty", "[akLeft,akBottom]"},
        {"Font", "TFontProperty", "(TFont)"},
        {"Cursor", "TCursorProperty", "crDefault"},
        {"ModalResult", "TModalResultProperty", "mrCancel"},
        {"TabOrder", "TTabOrderProperty", "0"},
        {"PopupMenu", "TComponentProperty", ""},
        {"OnClick", "TMethodProperty", ""},
    };
    auto buttonEditors = Editors({Button1});
    for (const TValueCase& c : buttonCases) {
        SCOPED_TRACE(c.Property);
        ASSERT_TRUE(buttonEditors.count(c.Property));
        IProperty* prop = buttonEditors[c.Property].get();
        EXPECT_EQ(static_cast<TPropertyEditor*>(prop)->ClassName(), c.EditorClass);
        EXPECT_EQ(prop->GetValue(), c.Value);
    }
    auto labelEditors = Editors({Label1});
    for (const TValueCase& c :
         {TValueCase{"Align", "TEnumProperty", "alNone"}, TValueCase{"Color", "TColorProperty", "clBtnFace"}}) {
        SCOPED_TRACE(c.Property);
        ASSERT_TRUE(labelEditors.count(c.Property));
        IProperty* prop = labelEditors[c.Property].get();
        EXPECT_EQ(static_cast<TPropertyEditor*>(prop)->ClassName(), c.EditorClass);
        EXPECT_EQ(prop->GetValue(), c.Value);
    }
    const TValueCase testCases[] = {
        {"Count", "TIntegerProperty", "0"},     {"Big", "TInt64Property", "-9000000000"},
        {"Letter", "TCharProperty", "#9"},      {"Ratio", "TFloatProperty", "0.1"},
        {"Amount", "TFloatProperty", "2.5"},    {"When", "TDateTimeProperty", "2024-02-29 13:45:10"},
        {"Day", "TDateProperty", "1999-12-31"}, {"Clock", "TTimeProperty", "07:05:00"},
        {"Data", "TVariantProperty", "(Null)"}, {"Ref", "TComponentProperty", "PopupMenu1"},
    };
    auto testEditors = Editors({Test1});
    for (const TValueCase& c : testCases) {
        SCOPED_TRACE(c.Property);
        ASSERT_TRUE(testEditors.count(c.Property));
        IProperty* prop = testEditors[c.Property].get();
        EXPECT_EQ(static_cast<TPropertyEditor*>(prop)->ClassName(), c.EditorClass);
        EXPECT_EQ(prop->GetValue(), c.Value);
    }
}

namespace {
struct TSetCase {
    const char* Property;
    const char* Text;
    const char* Shown; // the value text afterwards
};
} // namespace

// Typed texts reach the object and come back as its value text; the designer is told once.
TEST_F(EditorTest, SetValueWritesAndMarksModified) {
    const TSetCase cases[] = {
        {"Count", " 42 ", "42"},
        {"Big", "12345678901", "12345678901"},
        {"Letter", "z", "z"},
        {"Letter", "#65", "A"},
        {"Letter", "", "#0"},
        {"Ratio", "1.25", "1.25"},
        {"Day", "2000-01-02", "2000-01-02"},
        {"Day", "", ""},
        {"Clock", "23:59", "23:59:00"},
        {"When", "2001-09-09 01:46:40", "2001-09-09 01:46:40"},
        {"Ref", "Button2", "Button2"},
        {"Ref", "", ""},
        {"Data", "hello", "hello"},
    };
    for (const TSetCase& c : cases) {
        SCOPED_TRACE(std::string(c.Property) + " <- '" + c.Text + "'");
        auto prop = Editor({Test1}, c.Property);
        ASSERT_TRUE(prop);
        int before = Designer->ModifiedCount;
        prop->SetValue(c.Text);
        EXPECT_EQ(prop->GetValue(), c.Shown);
        EXPECT_EQ(Designer->ModifiedCount, before + 1);
    }
    auto color = Editor({Label1}, "Color");
    color->SetValue("clRed");
    EXPECT_EQ(Label1->Color(), clRed);
    color->SetValue("$00102030");
    EXPECT_EQ(color->GetValue(), "$00102030");
    auto align = Editor({Label1}, "Align");
    EXPECT_EQ(align->GetValue(), "alNone");
    align->SetValue("alclient");
    EXPECT_EQ(Label1->Align(), alClient);
    Editor({Button1}, "Anchors")->SetValue("[akRight, akTop]");
    EXPECT_EQ(Button1->Anchors(), (TAnchors{akRight, akTop}));
    Editor({Button1}, "ModalResult")->SetValue("mrYesToAll");
    EXPECT_EQ(Button1->ModalResult(), mrYesToAll);
    Editor({Button1}, "Name")->SetValue("OkButton");
    EXPECT_EQ(Button1->Name(), "OkButton");
}

namespace {
struct TBadCase {
    const char* Property;
    const char* Text;
    const char* Message;
};
} // namespace

// Bad text is refused with a clear message; the objects keep their values and the designer
// hears nothing, so no undo step is taken.
TEST_F(EditorTest, BadTextIsRefusedAndChangesNothing) {
    const TBadCase cases[] = {
        {"Count", "abc", "'abc' is not a valid integer value"},
        {"Count", "99999999999", "Value must be between -2147483648 and 2147483647"},
        {"Letter", "ab", "Invalid property value"},
        {"Letter", "#300", "Value must be between 0 and 255"},
        {"Letter", "#x", "'x' is not a valid integer value"},
        {"Ratio", "1,5x", "'1,5x' is not a valid floating point value"},
        {"Ratio", "1E300", "Value must be between"},
        {"Amount", "NAN", "'NAN' is not a valid floating point value"},
        {"Day", "2023-02-29", "'2023-02-29' is not a valid date"},
        {"Clock", "25:00", "'25:00' is not a valid time"},
        {"When", "yesterday", "'yesterday' is not a valid date and time"},
        {"Ref", "NoSuchThing", "Invalid property value"},
        // A component of another class than the property's is no reference for it.
        {"Menu", "Button2", "Invalid property value"},
        {"OnClick", "1stHandler", "'1stHandler' is not a valid method name"},
    };
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(std::string(c.Property) + " <- '" + c.Text + "'");
        auto prop = Editor({Test1}, c.Property);
        ASSERT_TRUE(prop);
        String before = prop->GetValue();
        int modified = Designer->ModifiedCount;
        try {
            prop->SetValue(c.Text);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
        EXPECT_EQ(prop->GetValue(), before);
        EXPECT_EQ(Designer->ModifiedCount, modified);
    }
    const TBadCase buttonCases[] = {
        {"Visible", "Maybe", "Invalid property value"},
        {"Anchors", "[akLeft,akNowhere]", "Invalid set element 'akNowhere'"},
        {"Anchors", "[akLeft", "missing ']'"},
        {"TabOrder", "40000", "Value must be between -1 and 32767"},
        {"ModalResult", "mrMaybe", "'mrMaybe' is not a valid integer value"},
        {"Name", "2Buttons", "not a valid component name"},
        {"Name", "Button2", "already exists"},
    };
    for (const TBadCase& c : buttonCases) {
        SCOPED_TRACE(std::string(c.Property) + " <- '" + c.Text + "'");
        auto prop = Editor({Button1}, c.Property);
        ASSERT_TRUE(prop);
        String before = prop->GetValue();
        int modified = Designer->ModifiedCount;
        try {
            prop->SetValue(c.Text);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
        EXPECT_EQ(prop->GetValue(), before);
        EXPECT_EQ(Designer->ModifiedCount, modified);
    }
}

// When one of several objects refuses a value the others took, they get their old values back.
TEST_F(EditorTest, SeveralObjectsAreWrittenWhollyOrNotAtAll) {
    Test1->SetCount(5);
    Test2->SetCount(6);
    Test2->Limit = 10;
    auto prop = Editor({Test1, Test2}, "Count");
    ASSERT_TRUE(prop);
    EXPECT_THROW(prop->SetValue("50"), EPropertyError);
    EXPECT_EQ(Test1->Count(), 5);
    EXPECT_EQ(Test2->Count(), 6);
    EXPECT_EQ(Designer->ModifiedCount, 0);
    prop->SetValue("7");
    EXPECT_EQ(Test1->Count(), 7);
    EXPECT_EQ(Test2->Count(), 7);
    EXPECT_EQ(Designer->ModifiedCount, 1);
}

// The set's elements are sub-properties; toggling one changes that bit in each object's own set.
TEST_F(EditorTest, SetElementsToggleTheirBitInEverySet) {
    Button1->SetAnchors({akLeft, akTop});
    Button2->SetAnchors({akTop, akBottom});
    auto anchors = Editor({Button1, Button2}, "Anchors");
    ASSERT_TRUE(anchors);
    EXPECT_TRUE(anchors->GetAttributes().Contains(paSubProperties));
    std::vector<TInterfacePtr<IProperty>> elements;
    anchors->GetProperties([&](IProperty* p) { elements.emplace_back(p); });
    ASSERT_EQ(elements.size(), 4u);
    std::vector<String> names;
    for (auto& e : elements) names.push_back(e->GetName());
    EXPECT_EQ(names, (std::vector<String>{"akLeft", "akTop", "akRight", "akBottom"}));
    EXPECT_FALSE(elements[0]->AllEqual()); // akLeft: only Button1
    EXPECT_TRUE(elements[1]->AllEqual());
    EXPECT_EQ(elements[1]->GetValue(), "True");
    elements[2]->SetValue("true");
    EXPECT_EQ(Button1->Anchors(), (TAnchors{akLeft, akTop, akRight}));
    EXPECT_EQ(Button2->Anchors(), (TAnchors{akTop, akRight, akBottom}));
    EXPECT_THROW(elements[2]->SetValue("Yes"), EPropertyError);
    EXPECT_EQ(Designer->ModifiedCount, 1);
}

// A class property shows its type and lists the held objects' properties; writing one through
// it writes every selected object's object.
TEST_F(EditorTest, ClassPropertyListsTheObjectsProperties) {
    auto font = Editor({Button1, Button2}, "Font");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->GetValue(), "(TFont)");
    std::map<String, TInterfacePtr<IProperty>> sub;
    font->GetProperties([&](IProperty* p) { sub[p->GetName()] = TInterfacePtr<IProperty>(p); });
    ASSERT_TRUE(sub.count("Size"));
    ASSERT_TRUE(sub.count("Style"));
    ASSERT_TRUE(sub.count("Name"));
    EXPECT_EQ(static_cast<TPropertyEditor*>(sub["Name"].get())->ClassName(), "TFontNameProperty");
    EXPECT_EQ(static_cast<TPropertyEditor*>(sub["Charset"].get())->ClassName(), "TFontCharsetProperty");
    sub["Size"]->SetValue("14");
    EXPECT_EQ(Button1->Font()->Size(), 14);
    EXPECT_EQ(Button2->Font()->Size(), 14);
}

// A component reference offers the designer's components of its class, answers the reference
// query, and takes a name.
TEST_F(EditorTest, ComponentReferenceOffersAndTakesComponentsOfItsClass) {
    auto popup = Editor({Test1}, "Menu");
    ASSERT_TRUE(popup);
    std::vector<String> values;
    popup->GetValues([&](const String& s) { values.push_back(s); });
    EXPECT_EQ(values, std::vector<String>{"PopupMenu1"});
    popup->SetValue("PopupMenu1");
    EXPECT_EQ(Test1->FMenu, PopupMenu1);
    auto* reference = QueryIntf<IReferenceProperty>(popup.get());
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->GetComponentReference(), PopupMenu1);
    reference->Release();
    EXPECT_EQ(QueryIntf<IReferenceProperty>(Editor({Button1}, "Left").get()), nullptr);
}

// Event handlers are made, listed, renamed and cleared through the designer.
TEST_F(EditorTest, MethodPropertyMakesRenamesAndClearsHandlers) {
    auto onClick = Editor({Button1, Button2}, "OnClick");
    ASSERT_TRUE(onClick);
    onClick->SetValue("ButtonsClick");
    EXPECT_EQ(onClick->GetValue(), "ButtonsClick");
    EXPECT_TRUE(onClick->AllEqual());
    EXPECT_EQ(Designer->Shown, std::vector<String>{"ButtonsClick"});
    onClick->SetValue("AnyClick");
    EXPECT_EQ(Designer->Renamed, (std::vector<std::pair<String, String>>{{"ButtonsClick", "AnyClick"}}));
    EXPECT_EQ(onClick->GetValue(), "AnyClick");
    onClick->SetValue("");
    EXPECT_FALSE(Button1->OnClick.Assigned());
    EXPECT_FALSE(Button2->OnClick.Assigned());

    // A double click on an empty event makes a handler named after the component and the event.
    auto single = Editor({Button1}, "OnClick");
    single->Edit();
    EXPECT_EQ(single->GetValue(), "Button1Click");
    EXPECT_EQ(Designer->Shown.back(), "Button1Click");

    auto* unnamed = New<TButton>(Form.get());
    auto onUnnamed = Editor({unnamed}, "OnClick");
    try {
        onUnnamed->Edit();
        ADD_FAILURE() << "a handler was made for an unnamed component";
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Cannot create a method for an unnamed component");
    }
}

// Enumerations list their names, and a double click steps to the next one (in list order).
TEST_F(EditorTest, ValueListsAndSteppingThroughThem) {
    auto visible = Editor({Button1}, "Visible");
    std::vector<String> values;
    visible->GetValues([&](const String& s) { values.push_back(s); });
    EXPECT_EQ(values, (std::vector<String>{"False", "True"}));
    visible->Edit();
    EXPECT_FALSE(Button1->Visible());
    visible->Edit();
    EXPECT_TRUE(Button1->Visible());
    auto cursor = Editor({Button1}, "Cursor");
    values.clear();
    cursor->GetValues([&](const String& s) { values.push_back(s); });
    EXPECT_NE(std::find(values.begin(), values.end(), "crHandPoint"), values.end());
}

// The is-default query compares with the declared default and treats empty values as default.
TEST_F(EditorTest, IsDefaultFollowsTheDeclaredDefault) {
    auto isDefault = [&](TPersistent* object, const char* name) {
        auto prop = Editor({object}, name);
        auto* query = QueryIntf<IPropertyIsDefault>(prop.get());
        bool result = query && query->IsDefault();
        if (query) query->Release();
        return result;
    };
    EXPECT_TRUE(isDefault(Test1, "Count"));
    EXPECT_TRUE(isDefault(Button1, "OnClick"));
    EXPECT_TRUE(isDefault(Button1, "Visible"));
    Test1->SetCount(3);
    Button1->SetVisible(false);
    EXPECT_FALSE(isDefault(Test1, "Count"));
    EXPECT_FALSE(isDefault(Button1, "Visible"));
}

} // namespace dw::test
