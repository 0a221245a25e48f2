// Reads arbitrary bytes as a component stream into a root whose classes have one published
// property of every kind; every error is handled, so the reader runs as far as it can.
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Collection.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/StringList.h"

#include <cstdint>

using namespace dw;

namespace {

DW_ENUM(TFuzzMode, fmOne, fmTwo, fmThree)
DW_SET(TFuzzModes, TFuzzMode)

class TFuzzItem : public TCollectionItem {
    DW_CLASS(TFuzzItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    String Text;
};
DW_DEFINE_CLASS(TFuzzItem) { c.Property("Text", &TFuzzItem::Text, &TFuzzItem::Text); }

class TFuzzPart : public TComponent {
    DW_CLASS(TFuzzPart, TComponent)
    explicit TFuzzPart(TComponent* owner)
        : TComponent(owner), FItems(MakeObject<TOwnedCollection>(this, TFuzzItem::StaticClass())),
          FLines(MakeObject<TStringList>()) {}
    int Count = 0;
    bool Flag = false;
    TFuzzMode Mode = fmOne;
    TFuzzModes Modes;
    char Letter = 'a';
    char16_t Wide = u'w';
    String Caption;
    WideString WideText;
    double Ratio = 0;
    Int64 Big = 0;
    Variant Extra;
    TFuzzPart* Buddy = nullptr;
    TNotifyEvent OnClick;
    TCollection* Items() const { return FItems.get(); }
    void SetItems(TCollection* v) { FItems->Assign(v); }
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    void SetBuddy(TFuzzPart* v) {
        if (Buddy) Buddy->RemoveFreeNotification(this);
        Buddy = v;
        if (v) v->FreeNotification(this);
    }
    TFuzzPart* GetBuddy() const { return Buddy; }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Buddy) Buddy = nullptr;
    }

private:
    TObjectPtr<TCollection> FItems;
    TObjectPtr<TStringList> FLines;
};
DW_DEFINE_CLASS(TFuzzPart) {
    c.Property("Count", &TFuzzPart::Count, &TFuzzPart::Count);
    c.Property("Flag", &TFuzzPart::Flag, &TFuzzPart::Flag);
    c.Property("Mode", &TFuzzPart::Mode, &TFuzzPart::Mode);
    c.Property("Modes", &TFuzzPart::Modes, &TFuzzPart::Modes);
    c.Property("Letter", &TFuzzPart::Letter, &TFuzzPart::Letter);
    c.Property("Wide", &TFuzzPart::Wide, &TFuzzPart::Wide);
    c.Property("Caption", &TFuzzPart::Caption, &TFuzzPart::Caption);
    c.Property("WideText", &TFuzzPart::WideText, &TFuzzPart::WideText);
    c.Property("Ratio", &TFuzzPart::Ratio, &TFuzzPart::Ratio);
    c.Property("Big", &TFuzzPart::Big, &TFuzzPart::Big);
    c.Property("Extra", &TFuzzPart::Extra, &TFuzzPart::Extra);
    c.Property("Buddy", &TFuzzPart::GetBuddy, &TFuzzPart::SetBuddy);
    c.Property("Items", &TFuzzPart::Items, &TFuzzPart::SetItems);
    c.Property("Lines", &TFuzzPart::Lines, &TFuzzPart::SetLines);
    c.Event("OnClick", &TFuzzPart::OnClick);
}

class TFuzzRoot : public TComponent {
    DW_CLASS(TFuzzRoot, TComponent)
    using TComponent::TComponent;
    void Handler(TObject*) {}
};
DW_DEFINE_CLASS(TFuzzRoot) { c.Method<&TFuzzRoot::Handler>("Handler"); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static bool registered = (RegisterClasses({TFuzzPart::StaticClass(), TFuzzRoot::StaticClass()}), true);
    (void)registered;
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<Int64>(size));
    stream.SetPosition(0);
    TFuzzRoot root(nullptr);
    try {
        TReader reader(stream, 64);
        reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };
        reader.ReadRootComponent(&root);
    } catch (const Exception&) {
    }
    return 0;
}
