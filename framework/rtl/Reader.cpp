// TReader: reads the binary component format (see Filer.h) into components.
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Collection.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/GlobalComponents.h"
#include "framework/rtl/Placeholder.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_set>

namespace dw {

DW_DEFINE_CLASS(TFiler) {}
DW_DEFINE_CLASS(TReader) {}

TFiler::TFiler(TStream& stream, int bufferSize) : FStream(stream) {
    FBuffer.resize(static_cast<size_t>(std::clamp(bufferSize, 16, 1 << 20)));
}

// ---------------------------------------------------------------------------------------------
// Integer identifiers

namespace {
struct TIntConsts {
    TIdentToInt IdentToInt;
    TIntToIdent IntToIdent;
};
std::map<const TTypeInfo*, TIntConsts>& IntConstTable() {
    static std::map<const TTypeInfo*, TIntConsts> table;
    return table;
}

// Nesting guard for recursive reading, so hostile input cannot exhaust the stack. Objects and
// values (lists, collections) nest apart, as the converters count them.
struct TNestingGuard {
    int& Depth;
    TNestingGuard(int& depth, const char* what) : Depth(depth) {
        if (++Depth > MaxFilerNesting) {
            --Depth;
            throw EReadError(Format("%s are nested deeper than %d levels", String(what), MaxFilerNesting));
        }
    }
    ~TNestingGuard() { --Depth; }
};
constexpr const char* kObjects = "Objects";
constexpr const char* kValues = "Lists and collections";

double ExtendedToDouble(const Byte* b) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
    int exponent = ((b[9] & 0x7F) << 8) | b[8];
    bool negative = (b[9] & 0x80) != 0;
    double v;
    if (exponent == 0 && mantissa == 0)
        v = 0;
    else if (exponent == 0x7FFF)
        v = (mantissa << 1) == 0 ? INFINITY : NAN;
    else
        v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    return negative ? -v : v;
}
} // namespace

void RegisterIntegerConsts(const TTypeInfo& type, TIdentToInt identToInt, TIntToIdent intToIdent) {
    IntConstTable()[&type] = TIntConsts{std::move(identToInt), std::move(intToIdent)};
}

TIdentToInt FindIdentToInt(const TTypeInfo& type) {
    auto it = IntConstTable().find(&type);
    return it == IntConstTable().end() ? TIdentToInt() : it->second.IdentToInt;
}

TIntToIdent FindIntToIdent(const TTypeInfo& type) {
    auto it = IntConstTable().find(&type);
    return it == IntConstTable().end() ? TIntToIdent() : it->second.IntToIdent;
}

// ---------------------------------------------------------------------------------------------
// Watches the components a reader has touched, so that one freed while reading (a half-made
// component dropped after an error, with the controls it parented) leaves no dangling entry.

class TReaderWatcher : public TComponent {
public:
    explicit TReaderWatcher(std::function<void(TComponent*)> onFree)
        : TComponent(nullptr), FOnFree(std::move(onFree)) {}
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) FOnFree(component);
    }

private:
    std::function<void(TComponent*)> FOnFree;
};

// ---------------------------------------------------------------------------------------------

TReader::TReader(TStream& stream, int bufferSize) : TFiler(stream, bufferSize) {}

TReader::~TReader() {
    // Give back what was read ahead, so the stream stands just after what was consumed.
    if (FBufPos < FBufEnd) {
        try {
            FStream.Seek(-static_cast<Int64>(FBufEnd - FBufPos), TSeekOrigin::soCurrent);
        } catch (...) {
            // A stream that cannot seek back keeps its position; nothing else depends on it.
        }
    }
}

void TReader::ReadBuffer() {
    FBufEnd = static_cast<size_t>(FStream.Read(FBuffer.data(), static_cast<Int64>(FBuffer.size())));
    FBufPos = 0;
    if (FBufEnd == 0)
        throw EReadError(Format("Stream read error: unexpected end of stream at offset %d", FStream.Position()));
}

void TReader::Read(void* buffer, Int64 count) {
    auto* out = static_cast<Byte*>(buffer);
    while (count > 0) {
        if (FBufPos >= FBufEnd) ReadBuffer();
        size_t n = std::min<size_t>(static_cast<size_t>(count), FBufEnd - FBufPos);
        std::memcpy(out, FBuffer.data() + FBufPos, n);
        FBufPos += n;
        out += n;
        count -= static_cast<Int64>(n);
    }
}

Int64 TReader::Position() { return FStream.Position() - static_cast<Int64>(FBufEnd - FBufPos); }

void TReader::SetPosition(Int64 value) {
    FStream.SetPosition(value);
    FBufPos = FBufEnd = 0;
}

void TReader::ReadSignature() {
    char sig[4];
    Int64 at = Position();
    Read(sig, 4);
    if (std::memcmp(sig, FilerSignature, 4) != 0)
        throw EReadError(Format("Invalid stream format: no component signature at offset %d", at));
}

void TReader::ReadPrefix(TFilerFlags& flags, int& childPos) {
    flags = 0;
    if (FBufPos >= FBufEnd) ReadBuffer();
    Byte b = FBuffer[FBufPos];
    if ((b & 0xF0) == 0xF0) {
        ++FBufPos;
        flags = b & 0x0F;
        if (flags & ffChildPos) childPos = ReadInteger();
    }
    FStreamFlags = flags;
    FStreamChildPos = childPos;
}

TValueType TReader::ReadValue() {
    Byte b;
    Int64 at = Position();
    Read(&b, 1);
    if (b > vaMaxValueType) throw EReadError(Format("Invalid value type %d at offset %d", b, at));
    return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
    TValueType v = ReadValue();
    --FBufPos; // ReadValue just took it from the buffer
    return v;
}

bool TReader::EndOfList() {
    if (FBufPos >= FBufEnd) ReadBuffer();
    return FBuffer[FBufPos] == vaNull;
}

void TReader::CheckValue(TValueType value) {
    Int64 at = Position();
    TValueType v = ReadValue();
    if (v != value)
        throw EReadError(Format("Invalid property value at offset %d: value type %d where %d was expected", at, v,
                                value));
}

void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

String TReader::ReadStr() {
    Byte len;
    Read(&len, 1);
    String s(len, '\0');
    Read(s.data(), len);
    return s;
}

namespace {
[[noreturn]] void BadValue(Int64 at, const char* wanted) {
    throw EReadError(Format("Invalid property value at offset %d: %s expected", at, wanted));
}
} // namespace

Int64 TReader::ReadIntegerValue(TValueType type) {
    switch (type) {
    case vaInt8: {
        std::int8_t v;
        Read(&v, 1);
        return v;
    }
    case vaInt16: {
        std::int16_t v;
        Read(&v, 2);
        return v;
    }
    case vaInt32: {
        std::int32_t v;
        Read(&v, 4);
        return v;
    }
    case vaInt64: {
        std::int64_t v;
        Read(&v, 8);
        return v;
    }
    default: BadValue(Position() - 1, "an integer");
    }
}

std::int32_t TReader::ReadInteger() {
    Int64 at = Position();
    Int64 v = ReadIntegerValue(ReadValue());
    if (v < INT32_MIN || v > INT32_MAX) BadValue(at, "a 32-bit integer");
    return static_cast<std::int32_t>(v);
}

Int64 TReader::ReadInt64() { return ReadIntegerValue(ReadValue()); }

bool TReader::ReadBoolean() {
    Int64 at = Position();
    TValueType v = ReadValue();
    if (v == vaTrue) return true;
    if (v == vaFalse) return false;
    BadValue(at, "True or False");
}

char TReader::ReadChar() {
    Int64 at = Position();
    String s = ReadString();
    if (s.size() != 1) BadValue(at, "a single character");
    return s[0];
}

double TReader::ReadFloatValue(TValueType type) {
    switch (type) {
    case vaExtended: {
        Byte b[10];
        Read(b, 10);
        return ExtendedToDouble(b);
    }
    case vaDouble:
    case vaDate: {
        double d;
        Read(&d, 8);
        return d;
    }
    case vaSingle: {
        float f;
        Read(&f, 4);
        return f;
    }
    case vaCurrency: {
        std::int64_t c;
        Read(&c, 8);
        return static_cast<double>(c) / 10000.0;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: return static_cast<double>(ReadIntegerValue(type));
    default: BadValue(Position() - 1, "a number");
    }
}

double TReader::ReadFloat() { return ReadFloatValue(ReadValue()); }

String TReader::ReadStringValue(TValueType type) {
    auto readLength = [this]() {
        std::uint32_t len;
        Read(&len, 4);
        // A length can never exceed what the stream still holds.
        Int64 remaining = FStream.Size() - Position();
        if (static_cast<Int64>(len) > remaining)
            throw EReadError(Format("Invalid string length %d at offset %d: only %d bytes remain", Int64(len),
                                    Position() - 4, remaining));
        return len;
    };
    switch (type) {
    case vaString: {
        Byte len;
        Read(&len, 1);
        String s(len, '\0');
        Read(s.data(), len);
        return s;
    }
    case vaLString:
    case vaUTF8String: {
        std::uint32_t len = readLength();
        String s(len, '\0');
        Read(s.data(), len);
        return s;
    }
    case vaWString: {
        std::uint32_t count;
        Read(&count, 4);
        Int64 remaining = FStream.Size() - Position();
        if (static_cast<Int64>(count) * 2 > remaining)
            throw EReadError(Format("Invalid wide string length %d at offset %d", Int64(count), Position() - 4));
        WideString w(count, u'\0');
        Read(w.data(), static_cast<Int64>(count) * 2);
        return WideToUtf8(w);
    }
    default: BadValue(Position() - 1, "a string");
    }
}

String TReader::ReadString() { return ReadStringValue(ReadValue()); }

WideString TReader::ReadWideString() {
    Int64 at = Position();
    TValueType v = ReadValue();
    if (v == vaWString) {
        std::uint32_t count;
        Read(&count, 4);
        Int64 remaining = FStream.Size() - Position();
        if (static_cast<Int64>(count) * 2 > remaining)
            throw EReadError(Format("Invalid wide string length %d at offset %d", Int64(count), at));
        WideString w(count, u'\0');
        Read(w.data(), static_cast<Int64>(count) * 2);
        return w;
    }
    return Utf8ToWide(ReadStringValue(v));
}

String TReader::ReadIdent() {
    Int64 at = Position();
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: BadValue(at, "an identifier");
    }
}

void TReader::ReadBinary(std::vector<Byte>& data) {
    CheckValue(vaBinary);
    std::uint32_t len;
    Read(&len, 4);
    Int64 remaining = FStream.Size() - Position();
    if (static_cast<Int64>(len) > remaining)
        throw EReadError(Format("Invalid binary length %d at offset %d", Int64(len), Position() - 4));
    data.resize(len);
    Read(data.data(), len);
}

Variant TReader::ReadVariant() {
    Int64 at = Position();
    TValueType v = NextValue();
    switch (v) {
    case vaNil: ReadValue(); return Variant();
    case vaNull: ReadValue(); return Variant::Null();
    case vaFalse:
    case vaTrue: return Variant(ReadBoolean());
    case vaInt8:
    case vaInt16:
    case vaInt32: return Variant(static_cast<int>(ReadInteger()));
    case vaInt64: return Variant(ReadInt64());
    case vaDate: ReadValue(); return Variant(TDateTime{ReadFloatValue(vaDate)});
    case vaExtended:
    case vaDouble:
    case vaSingle:
    case vaCurrency: return Variant(ReadFloat());
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString: return Variant(ReadString());
    default: BadValue(at, "a variant value");
    }
}

void TReader::SkipSetBody() {
    while (!ReadStr().empty()) {
    }
}

void TReader::SkipValue() {
    TNestingGuard guard(FValueNesting, kValues);
    auto skipBytes = [this](Int64 n) {
        Int64 remaining = FStream.Size() - Position();
        if (n > remaining) throw EReadError(Format("Invalid length %d at offset %d", n, Position()));
        SetPosition(Position() + n);
    };
    TValueType v = ReadValue();
    switch (v) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: break;
    case vaList:
        while (!EndOfList()) SkipValue();
        ReadListEnd();
        break;
    case vaInt8: skipBytes(1); break;
    case vaInt16: skipBytes(2); break;
    case vaInt32:
    case vaSingle: skipBytes(4); break;
    case vaInt64:
    case vaDouble:
    case vaDate:
    case vaCurrency: skipBytes(8); break;
    case vaExtended: skipBytes(10); break;
    case vaString:
    case vaIdent: ReadStr(); break;
    case vaBinary:
    case vaLString:
    case vaUTF8String: {
        std::uint32_t len;
        Read(&len, 4);
        skipBytes(len);
        break;
    }
    case vaWString: {
        std::uint32_t len;
        Read(&len, 4);
        skipBytes(static_cast<Int64>(len) * 2);
        break;
    }
    case vaSet: SkipSetBody(); break;
    case vaCollection:
        while (!EndOfList()) {
            TValueType n = NextValue();
            if (n == vaInt8 || n == vaInt16 || n == vaInt32) ReadInteger();
            ReadListBegin();
            while (!EndOfList()) SkipProperty();
            ReadListEnd();
        }
        ReadListEnd();
        break;
    }
}

void TReader::SkipProperty() {
    ReadStr();
    SkipValue();
}

void TReader::SkipComponent(bool skipHeader) {
    TNestingGuard guard(FNesting, kObjects);
    if (skipHeader) {
        TFilerFlags flags;
        int pos;
        TReader::ReadPrefix(flags, pos);
        ReadStr();
        ReadStr();
    }
    while (!EndOfList()) SkipProperty();
    ReadListEnd();
    while (!EndOfList()) SkipComponent(true);
    ReadListEnd();
}

// ---------------------------------------------------------------------------------------------
// Errors

bool TReader::Error(const String& message) {
    bool handled = false;
    if (OnError) OnError(this, message, handled);
    return handled;
}

void TReader::RaiseError(const String& message) { throw EReadError(message); }

// ---------------------------------------------------------------------------------------------
// Properties

void TReader::DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc&, bool) {
    if (!FPropertyFound && readData && SameText(name, FPropName)) {
        FPropertyFound = true;
        readData(this);
    }
}

void TReader::DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc&, bool) {
    if (!FPropertyFound && readData && SameText(name, FPropName)) {
        FPropertyFound = true;
        std::vector<Byte> data;
        ReadBinary(data);
        TMemoryStream ms;
        ms.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
        ms.SetPosition(0);
        readData(&ms);
    }
}

void TReader::ReadDefinedProperty(TPersistent* instance, const String& name) {
    String savedName = FPropName;
    bool savedFound = FPropertyFound;
    FPropName = name;
    FPropertyFound = false;
    instance->DefineProperties(this);
    bool found = FPropertyFound;
    FPropName = savedName;
    FPropertyFound = savedFound;
    if (!found) {
        FPropMissing = true;
        RaiseError(Format("Property %s does not exist", name));
    }
}

void TReader::ReadProperty(TPersistent* instance) {
    String path = ReadStr();
    Int64 valueStart = Position();
    FPropMissing = false;
    try {
        TPersistent* target = instance;
        size_t start = 0;
        for (;;) {
            size_t dot = path.find('.', start);
            String segment = path.substr(start, dot == String::npos ? String::npos : dot - start);
            if (dot == String::npos) {
                if (const TPropInfo* prop = GetPropInfo(target, segment))
                    ReadPropValue(target, *prop);
                else
                    ReadDefinedProperty(target, segment);
                break;
            }
            const TPropInfo* prop = GetPropInfo(target, segment);
            TPersistent* next = nullptr;
            if (prop && prop->Kind() == tkClass) next = As<TPersistent>(GetObjectProp(target, *prop));
            if (!next) {
                FPropMissing = true;
                RaiseError(Format("Property %s does not exist", path.substr(0, dot)));
            }
            target = next;
            start = dot + 1;
        }
    } catch (const Exception& e) {
        if (FUnwinding) throw;
        bool missing = FPropMissing;
        FPropMissing = false;
        String owner = instance->Is<TComponent>() ? static_cast<TComponent*>(instance)->Name() : instance->ClassName();
        if (FKeepUnknown && !OnError && dynamic_cast<const EMethodNotFound*>(&e)) {
            // A handler without code here stays stored data when nobody asks about errors (a copy
            // read back for undo or preview).
        } else if (FKeepUnknown && missing) {
            // Kept with the component's stored form below (or with its collection's). A placeholder's
            // properties go with its class, which is counted already.
            if (!(FCurrent && FCurrent->Kept() && FCurrent->Kept()->Placeholder))
                FKeptSummary.Properties.push_back(owner + "." + path);
        } else {
            String message = Format("Error reading %s.%s: %s", owner, path, e.Message());
            if (!Error(message)) {
                FUnwinding = true;
                throw EReadError(message);
            }
        }
        SetPosition(valueStart);
        SkipValue();
    }
    if (FKeepUnknown && instance == FCurrent && FCurrent->Kept()) KeepProperty(path, valueStart);
}

void TReader::KeepProperty(const String& name, Int64 valueStart) {
    Int64 end = Position();
    TKeptProperty kept{name, std::vector<Byte>(static_cast<size_t>(end - valueStart))};
    SetPosition(valueStart);
    Read(kept.Value.data(), end - valueStart);
    FCurrent->Kept()->Properties.push_back(std::move(kept));
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop) {
    if (!prop.HasSetter() && prop.Kind() != tkClass) RaiseError(Format("Property %s is read-only", prop.Name));
    Int64 at = Position();
    const TTypeInfo& type = prop.Type();
    switch (prop.Kind()) {
    case tkInteger: {
        if (NextValue() == vaIdent) {
            String ident = ReadIdent();
            std::int32_t v;
            TIdentToInt toInt = FindIdentToInt(type);
            if (!toInt || !toInt(ident, v)) RaiseError(Format("Invalid property value %s", ident));
            SetOrdProp(instance, prop, v);
        } else {
            SetOrdProp(instance, prop, ReadInt64());
        }
        break;
    }
    case tkChar:
    case tkWChar: {
        TValueType v = NextValue();
        if (v == vaInt8 || v == vaInt16 || v == vaInt32) {
            SetOrdProp(instance, prop, ReadInteger());
        } else {
            WideString w = ReadWideString();
            if (w.size() != 1) BadValue(at, "a single character");
            SetOrdProp(instance, prop, w[0]);
        }
        break;
    }
    case tkEnumeration: {
        String ident = ReadIdent();
        Int64 v = GetEnumValue(type, ident);
        if (v < 0) RaiseError(Format("Invalid property value %s", ident));
        SetOrdProp(instance, prop, v);
        break;
    }
    case tkSet: {
        CheckValue(vaSet);
        std::uint64_t bits = 0;
        for (String name = ReadStr(); !name.empty(); name = ReadStr()) {
            Int64 v = GetEnumValue(*type.CompType, name);
            if (v < 0 || v > 31) RaiseError(Format("Invalid property value %s", name));
            bits |= std::uint64_t(1) << v;
        }
        SetOrdProp(instance, prop, static_cast<Int64>(bits));
        break;
    }
    case tkFloat: SetFloatProp(instance, prop, ReadFloat()); break;
    case tkString:
    case tkLString: SetStrProp(instance, prop, ReadString()); break;
    case tkWString: SetWideStrProp(instance, prop, ReadWideString()); break;
    case tkInt64: SetInt64Prop(instance, prop, ReadInt64()); break;
    case tkVariant: SetVariantProp(instance, prop, ReadVariant()); break;
    case tkClass: {
        TValueType v = NextValue();
        if (v == vaNil) {
            ReadValue();
            SetObjectProp(instance, prop, nullptr);
        } else if (v == vaIdent) {
            String name = ReadIdent();
            FFixups.push_back(TFixup{instance, &prop, name, FCurrent, FRoot});
        } else if (v == vaCollection) {
            ReadValue();
            auto* collection = As<TCollection>(GetObjectProp(instance, prop));
            if (!collection) RaiseError(Format("Property %s is not a collection", prop.Name));
            ReadCollection(collection);
        } else {
            BadValue(at, "a component name, nil or a collection");
        }
        break;
    }
    case tkMethod: {
        if (NextValue() == vaNil) {
            ReadValue();
            SetMethodProp(instance, prop, TMethod{});
            break;
        }
        String name = ReadIdent();
        void* code = FindMethod(FRoot, name);
        if (const TMethodCode* real = TMethodCode::Find(code)) {
            if (type.Signature && real->Signature() != *type.Signature)
                RaiseError(Format("Method %s is incompatible with event %s", name, prop.Name));
        }
        SetMethodProp(instance, prop, TMethod{code, FRoot});
        break;
    }
    default: RaiseError(Format("Property %s of type %s cannot be read", prop.Name, type.Name()));
    }
}

void* TReader::FindMethod(TComponent* root, const String& methodName) {
    void* address = root ? root->MethodAddress(methodName) : nullptr;
    bool error = address == nullptr;
    if (OnFindMethod) OnFindMethod(this, methodName, address, error);
    if (error) throw EMethodNotFound(Format("Method %s not found", methodName));
    return address;
}

// ---------------------------------------------------------------------------------------------
// Components

TClass TReader::FindComponentClass(const String& className) {
    TClass cls = GetClass(className);
    if (!cls && OnFindComponentClass) OnFindComponentClass(this, className, cls);
    if (!cls) throw EClassNotFound(Format("Class %s not found", className));
    if (!cls->InheritsFrom(TComponent::StaticClass()))
        throw EClassNotFound(Format("Class %s is not a component class", className));
    return cls;
}

TComponent* TReader::FindAncestorComponent(const String& name, TClass componentClass) {
    TComponent* owner = FOwner ? FOwner : FRoot;
    TComponent* found = owner ? owner->FindComponent(name) : nullptr;
    if (found && componentClass && !found->InheritsFrom(componentClass)) found = nullptr;
    if (!found && OnAncestorNotFound) OnAncestorNotFound(this, name, componentClass, found);
    return found;
}

// Whether the object about to be read stores a size: then it was a control.
bool TReader::StoresBounds() {
    Int64 start = Position();
    bool found = false;
    try {
        while (!EndOfList()) {
            String name = ReadStr();
            if (SameText(name, "Width") || SameText(name, "Height")) found = true;
            SkipValue();
        }
    } catch (const EReadError&) {
        // The real reading reports what is wrong here.
    }
    SetPosition(start);
    return found;
}

namespace {
// Whether cls is or descends from the class of that name (the control classes live above this layer).
bool DescendsFrom(TClass cls, std::string_view name) {
    for (; cls; cls = cls->ClassParent())
        if (cls->ClassName() == name) return true;
    return false;
}
} // namespace

TClass TReader::PlaceholderClass(const String& className) {
    ++FKeptSummary.Classes[className];
    // A stored control becomes a placeholder control where one can stand: inside a windowed control.
    TClass control = GetClass(PlaceholderControlClassName);
    if (control && FParent && DescendsFrom(FParent->ClassType(), "TWinControl") && StoresBounds()) return control;
    return TPlaceholderComponent::StaticClass();
}

TComponent* TReader::CreateComponent(const String& className, bool& created, bool& placeholder) {
    TClass cls = nullptr;
    if (FKeepUnknown) {
        try {
            cls = FindComponentClass(className);
        } catch (const EClassNotFound&) {
            cls = PlaceholderClass(className);
            placeholder = true;
        }
        // A control has no place inside a non-visual placeholder: it is kept as one too.
        if (!placeholder && FParent && FParent->Is<TPlaceholderComponent>() && DescendsFrom(cls, "TControl")) {
            cls = PlaceholderClass(className);
            placeholder = true;
        }
    } else {
        cls = FindComponentClass(className);
    }
    TComponent* component = nullptr;
    if (OnCreateComponent) OnCreateComponent(this, cls, component);
    if (!component) {
        component = static_cast<TComponent*>(cls->Create(FOwner));
    } else if (!component->Owner() && FOwner) {
        FOwner->InsertComponent(component);
    }
    created = true;
    return component;
}

void TReader::SetCompName(TComponent* component, const String& name) {
    String newName = name;
    if (OnSetName) OnSetName(this, component, newName);
    component->SetName(newName);
}

void TReader::Watch(TComponent* component) {
    if (!FLoadedSet.insert(component).second) return;
    FLoaded.push_back(component);
    component->FreeNotification(FWatcher);
}

void TReader::Forget(TComponent* component) {
    if (!FLoadedSet.erase(component)) return;
    FLoaded.erase(std::remove(FLoaded.begin(), FLoaded.end(), component), FLoaded.end());
    FFixups.erase(std::remove_if(FFixups.begin(), FFixups.end(),
                                 [&](const TFixup& f) { return f.Component == component; }),
                  FFixups.end());
    if (FCurrent == component) FCurrent = nullptr;
}

TComponent* TReader::ReadComponent(TComponent* component) {
    TNestingGuard guard(FNesting, kObjects);
    Int64 objectStart = Position();
    TComponent* result = component;
    bool created = false;
    TComponent* savedCurrent = FCurrent;
    String className, compName;
    bool placeholder = false;
    try {
        TFilerFlags flags = 0;
        int childPos = 0;
        ReadPrefix(flags, childPos);
        TFilerFlags streamFlags = FStreamFlags;
        int streamChildPos = FStreamChildPos;
        className = ReadStr();
        compName = ReadStr();
        if (FKeepUnknown && FContainer && FContainer->Kept()) FContainer->Kept()->Children.push_back(compName);
        if (!result) {
            if (flags & ffInherited) {
                result = FindAncestorComponent(compName, GetClass(className));
                if (!result && FKeepUnknown) {
                    // Without its ancestor the object is read with what it holds; it is still
                    // written back as inherited.
                    flags &= static_cast<TFilerFlags>(~ffInherited);
                    result = CreateComponent(className, created, placeholder);
                }
                if (!result) RaiseError(Format("Ancestor for '%s' not found", compName));
            } else {
                result = CreateComponent(className, created, placeholder);
                if (flags & ffInline) result->SetInline(true);
            }
        }
        Watch(result);
        if (FKeepUnknown) KeepState(result, className, streamFlags, streamChildPos, placeholder, created || FFreshRoot);
        FCurrent = result;
        result->Loading();
        if (!(flags & ffInherited)) SetCompName(result, compName);
        if ((flags & ffChildPos) && FParent) FParent->SetChildOrder(result, childPos);
        result->ReadState(this);
        if (FLoadedSet.count(result)) result->FComponentState.Exclude(csReading);
        FCurrent = savedCurrent;
        return FLoadedSet.count(result) ? result : nullptr;
    } catch (const Exception& e) {
        FCurrent = savedCurrent;
        // A component made for this object goes with it; what was read before stays.
        if (created && FLoadedSet.count(result)) result->Free();
        if (FUnwinding) throw;
        if (!Error(e.Message())) {
            FUnwinding = true;
            throw;
        }
        SetPosition(objectStart);
        SkipComponent(true);
        return nullptr;
    }
}

void TReader::ReadData(TComponent* instance) {
    while (!EndOfList()) ReadProperty(instance);
    ReadListEnd();
    TComponent* savedParent = FParent;
    TComponent* savedOwner = FOwner;
    TComponent* savedContainer = FContainer;
    FParent = instance->GetChildParent();
    FOwner = instance->GetChildOwner();
    FContainer = instance;
    if (!FOwner) FOwner = FRoot;
    {
        auto restore = ScopeExit([&] {
            FParent = savedParent;
            FOwner = savedOwner;
            FContainer = savedContainer;
        });
        while (!EndOfList()) ReadComponent(nullptr);
        ReadListEnd();
    }
}

// ---------------------------------------------------------------------------------------------
// Keeping

void TReader::KeepState(TComponent* component, const String& className, TFilerFlags flags, int childPos,
                        bool placeholder, bool omitUnstored) {
    auto kept = std::make_unique<TKeptState>();
    kept->OmitUnstored = omitUnstored;
    kept->Flags = flags;
    kept->ChildPos = childPos;
    kept->ClassName = className;
    kept->Placeholder = placeholder;
    if (component->FKept) {
        kept->Placeholder = kept->Placeholder || component->FKept->Placeholder;
        kept->TextStyle = component->FKept->TextStyle;
        // The first state replaced in this reading is the one read before it.
        FReplacedKept.try_emplace(component, std::move(component->FKept));
    }
    component->FKept = std::move(kept);
}

namespace {
const TKeptProperty* FindKept(const TKeptProperties& list, const String& name) {
    for (const TKeptProperty& p : list)
        if (SameText(p.Name, name)) return &p;
    return nullptr;
}
} // namespace

// Notes what the writer gives for each component read, and carries over what an earlier reading
// kept and this one did not mention (a merge, or an undo step read into the same root).
void TReader::FinishKeptStates() {
    if (!FKeepUnknown) return;
    TMemoryStream sink;
    for (TComponent* c : FLoaded) {
        if (!FLoadedSet.count(c) || !c->FKept) continue;
        TWriter baseline(sink, 4096);
        baseline.SetRoot(FRoot);
        baseline.SetLookupRoot(FRoot);
        TKeptState& kept = *c->FKept;
        kept.Baseline = baseline.PropertyEntries(c);
        kept.BaselineChildren.clear();
        for (TComponent* child : baseline.ChildrenOf(c)) kept.BaselineChildren.push_back(child->Name());
        auto old = FReplacedKept.find(c);
        if (old == FReplacedKept.end()) continue;
        const TKeptState& before = *old->second;
        for (const TKeptProperty& p : before.Properties) {
            if (FindKept(kept.Properties, p.Name)) continue;
            const TKeptProperty* oldBase = FindKept(before.Baseline, p.Name);
            const TKeptProperty* newBase = FindKept(kept.Baseline, p.Name);
            if (!oldBase || (newBase && newBase->Value == oldBase->Value))
                kept.Properties.push_back(p);
            else if (newBase)
                kept.Properties.push_back(*newBase);
        }
        for (const String& name : before.Children)
            if (std::none_of(kept.Children.begin(), kept.Children.end(),
                             [&](const String& n) { return SameText(n, name); }))
                kept.Children.push_back(name);
    }
    FReplacedKept.clear();
}

void TReader::ReadCollection(TCollection* collection) {
    TNestingGuard guard(FValueNesting, kValues);
    collection->BeginUpdate();
    {
        auto restore = ScopeExit([&] { collection->EndUpdate(); });
        if (!EndOfList()) collection->Clear();
        while (!EndOfList()) {
            TValueType v = NextValue();
            if (v == vaInt8 || v == vaInt16 || v == vaInt32) ReadInteger();
            TPersistent* item = collection->Add();
            ReadListBegin();
            while (!EndOfList()) ReadProperty(item);
            ReadListEnd();
        }
        ReadListEnd();
    }
}

TComponent* TReader::ResolveReference(const String& reference, TComponent* root) {
    String name = reference;
    if (OnReferenceName) OnReferenceName(this, name);
    auto isRoot = [&](const String& n) {
        return root && (SameText(n, root->Name()) || (!FStoredRootName.empty() && SameText(n, FStoredRootName)));
    };
    size_t dot = name.find('.');
    String head = name.substr(0, dot);
    TComponent* base = nullptr;
    if (dot == String::npos) {
        // The root's own components come first: a child may bear the root's name (the root
        // never owns itself), and then a plain name in the root's stream means the child.
        if (root && (base = root->FindComponent(head))) return base;
        if (isRoot(head)) return root;
        return FindGlobalComponent(head);
    }
    base = isRoot(head) ? root : FindGlobalComponent(head);
    size_t start = dot + 1;
    while (base && start <= name.size()) {
        size_t next = name.find('.', start);
        base = base->FindComponent(name.substr(start, next == String::npos ? String::npos : next - start));
        if (next == String::npos) break;
        start = next + 1;
    }
    return base;
}

void TReader::FixupReferences() {
    std::vector<TFixup> fixups;
    fixups.swap(FFixups);
    for (const TFixup& f : fixups) {
        if (f.Component && !FLoadedSet.count(f.Component)) continue;
        try {
            TComponent* target = ResolveReference(f.Name, f.Root);
            // A reference to a component that is not there stays with the stored form when nobody
            // asks about errors.
            if (!target && FKeepUnknown && !OnError) continue;
            if (!target) RaiseError(Format("Invalid property value: unresolved reference to %s", f.Name));
            SetObjectProp(f.Instance, *f.Prop, target);
        } catch (const Exception& e) {
            String owner = f.Component ? f.Component->Name() : String();
            String message = Format("Error reading %s.%s: %s", owner, f.Prop->Name, e.Message());
            if (!Error(message)) {
                FUnwinding = true;
                throw EReadError(message);
            }
        }
    }
}

void TReader::DoLoaded() {
    std::vector<TComponent*> loaded = FLoaded;
    for (TComponent* c : loaded)
        if (FLoadedSet.count(c)) c->Loaded();
}

void TReader::BeginRead() {
    FUnwinding = false;
    FReplacedKept.clear();
    FContainer = nullptr;
    FFixups.clear();
    FLoaded.clear();
    FLoadedSet.clear();
    FWatcher = New<TReaderWatcher>([this](TComponent* c) { Forget(c); });
}

void TReader::EndRead(bool failed) {
    if (failed) {
        // Whatever was read stays, finished as far as possible; the first error is the one reported.
        try {
            FixupReferences();
        } catch (...) {
        }
        for (TComponent* c : std::vector<TComponent*>(FLoaded)) {
            if (!FLoadedSet.count(c)) continue;
            try {
                c->Loaded();
            } catch (...) {
            }
        }
    }
    try {
        FinishKeptStates();
    } catch (const Exception&) {
        // A state that cannot be noted is written anew: nothing is lost, only the stored spelling.
        FReplacedKept.clear();
    }
    for (TComponent* c : FLoaded) c->RemoveFreeNotification(FWatcher);
    FLoaded.clear();
    FLoadedSet.clear();
    FFixups.clear();
    if (FWatcher) FWatcher->Free();
    FWatcher = nullptr;
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
    ReadSignature();
    BeginRead();
    TComponent* result = root;
    bool createdRoot = false;
    {
        auto undo = ScopeFail([&] {
            EndRead(true);
            if (createdRoot) result->Free();
        });
        TFilerFlags flags;
        int childPos;
        ReadPrefix(flags, childPos);
        TFilerFlags streamFlags = FStreamFlags;
        String className = ReadStr();
        String name = ReadStr();
        FStoredRootName = name;
        if (!result) {
            TClass cls = FindClass(className);
            if (!cls->InheritsFrom(TComponent::StaticClass()))
                throw EClassNotFound(Format("Class %s is not a component class", className));
            result = static_cast<TComponent*>(cls->Create(nullptr));
            createdRoot = true;
            result->Loading();
            result->SetName(UniqueGlobalName(name, result));
        } else if (!result->HasState(csDesigning)) {
            result->Loading();
            result->SetName(UniqueGlobalName(name, result));
        }
        FRoot = result;
        FLookupRoot = result;
        FOwner = result;
        Watch(result);
        if (FKeepUnknown) KeepState(result, className, streamFlags, 0, false, createdRoot || FFreshRoot);
        FCurrent = result;
        result->Loading();
        result->ReadState(this);
        result->FComponentState.Exclude(csReading);
        FCurrent = nullptr;
        FixupReferences();
        DoLoaded();
    }
    EndRead(false);
    return result;
}

void TReader::ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc) {
    BeginRead();
    FRoot = owner;
    FLookupRoot = owner;
    FOwner = owner;
    FParent = parent;
    FStoredRootName.clear();
    {
        auto undo = ScopeFail([&] { EndRead(true); });
        while (!EndOfList()) {
            ReadSignature();
            TComponent* component = ReadComponent(nullptr);
            if (component && proc) proc(component);
        }
        ReadListEnd();
        FixupReferences();
        DoLoaded();
    }
    EndRead(false);
}

} // namespace dw
