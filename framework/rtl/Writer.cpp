// TWriter: writes components in the binary component format (see Filer.h).
#include "framework/rtl/Collection.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Placeholder.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <cstring>

namespace dw {

DW_DEFINE_CLASS(TWriter) {}

TWriter::TWriter(TStream& stream, int bufferSize) : TFiler(stream, bufferSize) {}

TWriter::~TWriter() {
    // Writers flush explicitly when they finish a root; this only catches a writer dropped early,
    // when the stream's state no longer matters to anyone.
    try {
        FlushBuffer();
    } catch (...) {
    }
}

void TWriter::FlushBuffer() {
    if (FBufPos == 0) return;
    size_t n = FBufPos;
    FBufPos = 0;
    FStream.WriteBuffer(FBuffer.data(), static_cast<Int64>(n));
}

void TWriter::Write(const void* buffer, Int64 count) {
    auto* in = static_cast<const Byte*>(buffer);
    while (count > 0) {
        if (FBufPos == FBuffer.size()) FlushBuffer();
        size_t n = std::min<size_t>(static_cast<size_t>(count), FBuffer.size() - FBufPos);
        std::memcpy(FBuffer.data() + FBufPos, in, n);
        FBufPos += n;
        in += n;
        count -= static_cast<Int64>(n);
    }
}

Int64 TWriter::Position() { return FStream.Position() + static_cast<Int64>(FBufPos); }

void TWriter::WriteValue(TValueType value) {
    Byte b = value;
    Write(&b, 1);
}

void TWriter::WriteSignature() { Write(FilerSignature, 4); }

void TWriter::WritePrefix(TFilerFlags flags, int childPos) {
    if (flags == 0) return;
    Byte b = static_cast<Byte>(0xF0 | flags);
    Write(&b, 1);
    if (flags & ffChildPos) WriteInteger(childPos);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }
void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }

void TWriter::WriteChar(char value) { WriteString(String(1, value)); }

void TWriter::WriteInteger(Int64 value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        WriteValue(vaInt8);
        std::int8_t v = static_cast<std::int8_t>(value);
        Write(&v, 1);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        WriteValue(vaInt16);
        std::int16_t v = static_cast<std::int16_t>(value);
        Write(&v, 2);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(vaInt32);
        std::int32_t v = static_cast<std::int32_t>(value);
        Write(&v, 4);
    } else {
        WriteValue(vaInt64);
        Write(&value, 8);
    }
}

void TWriter::WriteFloat(double value) {
    WriteValue(vaDouble);
    Write(&value, 8);
}

void TWriter::WriteDate(TDateTime value) {
    WriteValue(vaDate);
    Write(&value.Value, 8);
}

void TWriter::WriteStr(const String& value) {
    if (value.size() > 255) throw EWriteError(Format("Name '%s...' is longer than 255 characters", value.substr(0, 32)));
    Byte len = static_cast<Byte>(value.size());
    Write(&len, 1);
    Write(value.data(), len);
}

void TWriter::WriteString(const String& value) {
    bool ascii = true;
    for (unsigned char c : value)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii) {
        WriteValue(vaUTF8String);
    } else if (value.size() <= 255) {
        WriteValue(vaString);
        Byte len = static_cast<Byte>(value.size());
        Write(&len, 1);
        Write(value.data(), len);
        return;
    } else {
        WriteValue(vaLString);
    }
    if (value.size() > UINT32_MAX) throw EWriteError("String too long to write");
    std::uint32_t len = static_cast<std::uint32_t>(value.size());
    Write(&len, 4);
    Write(value.data(), len);
}

void TWriter::WriteWideString(const WideString& value) {
    WriteValue(vaWString);
    std::uint32_t count = static_cast<std::uint32_t>(value.size());
    Write(&count, 4);
    Write(value.data(), static_cast<Int64>(count) * 2);
}

void TWriter::WriteIdent(const String& ident) {
    if (SameText(ident, "False"))
        WriteValue(vaFalse);
    else if (SameText(ident, "True"))
        WriteValue(vaTrue);
    else if (SameText(ident, "nil"))
        WriteValue(vaNil);
    else if (SameText(ident, "Null"))
        WriteValue(vaNull);
    else {
        WriteValue(vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteBinary(const void* data, Int64 size) {
    if (size < 0 || size > UINT32_MAX) throw EWriteError(Format("Binary data of %d bytes cannot be written", size));
    WriteValue(vaBinary);
    std::uint32_t len = static_cast<std::uint32_t>(size);
    Write(&len, 4);
    Write(data, size);
}

void TWriter::WriteVariant(const Variant& value) {
    switch (value.VarType()) {
    case TVarType::varEmpty: WriteValue(vaNil); break;
    case TVarType::varNull: WriteValue(vaNull); break;
    case TVarType::varBoolean: WriteBoolean(value.AsBoolean()); break;
    case TVarType::varInteger: WriteInteger(value.AsInteger()); break;
    case TVarType::varInt64: {
        Int64 v = value.AsInt64();
        WriteValue(vaInt64);
        Write(&v, 8);
        break;
    }
    case TVarType::varDouble: WriteFloat(value.AsDouble()); break;
    case TVarType::varDate: WriteDate(value.AsDateTime()); break;
    case TVarType::varString: WriteString(value.AsString()); break;
    }
}

void TWriter::WriteCollection(TCollection* collection) {
    WriteValue(vaCollection);
    if (collection) {
        String savedPath = FPropPath;
        FPropPath.clear();
        for (int i = 0; i < collection->Count(); ++i) {
            WriteListBegin();
            WriteProperties(collection->Items(i));
            WriteListEnd();
        }
        FPropPath = savedPath;
    }
    WriteListEnd();
}

void TWriter::WritePropName(const String& name) { WriteStr(FPropPath + name); }

void TWriter::DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    WritePropName(name);
    writeData(this);
}

void TWriter::DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
    if (!hasData || !writeData) return;
    TMemoryStream data;
    writeData(&data);
    WritePropName(name);
    WriteBinary(data.Memory(), data.Size());
}

String TWriter::MethodNameOf(const TMethod& method) {
    if (OnFindMethodName) return OnFindMethodName(this, method);
    if (!FLookupRoot || method.Data != static_cast<TObject*>(FLookupRoot)) return "";
    return FLookupRoot->MethodName(method.Code);
}

String TWriter::ReferenceName(TComponent* component) {
    if (component == FLookupRoot) return component->Name();
    if (component->Name().empty()) return "";
    if (component->Owner() == FLookupRoot) return component->Name();
    if (component->Owner() && !component->Owner()->Name().empty())
        return component->Owner()->Name() + "." + component->Name();
    return component->Owner() ? "" : component->Name();
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop) {
    if (!prop.HasGetter()) return;
    const TTypeInfo& type = prop.Type();
    if (!prop.HasSetter()) {
        // Read-only properties are written only when they hold a sub-component.
        if (prop.Kind() != tkClass) return;
        auto* sub = As<TComponent>(GetObjectProp(instance, prop));
        if (!sub || !sub->ComponentStyle().Contains(csSubComponent)) return;
    }
    switch (prop.Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
        Int64 value = GetOrdProp(instance, prop);
        if (prop.Default && value == *prop.Default) return;
        WritePropName(prop.Name);
        if (prop.Kind() == tkEnumeration) {
            WriteIdent(GetEnumName(type, value));
        } else if (prop.Kind() == tkSet) {
            WriteValue(vaSet);
            for (int bit = 0; bit < 32; ++bit)
                if (static_cast<std::uint64_t>(value) & (std::uint64_t(1) << bit))
                    WriteStr(GetEnumName(*type.CompType, bit));
            WriteStr("");
        } else if (prop.Kind() == tkChar) {
            WriteChar(static_cast<char>(value));
        } else if (prop.Kind() == tkWChar) {
            WriteWideString(WideString(1, static_cast<char16_t>(value)));
        } else {
            String ident;
            TIntToIdent toIdent = FindIntToIdent(type);
            if (toIdent && toIdent(static_cast<std::int32_t>(value), ident))
                WriteIdent(ident);
            else
                WriteInteger(value);
        }
        break;
    }
    case tkInt64: {
        Int64 value = GetInt64Prop(instance, prop);
        if (value == (prop.Default ? *prop.Default : 0)) return;
        WritePropName(prop.Name);
        WriteInteger(value);
        break;
    }
    case tkFloat: {
        double value = GetFloatProp(instance, prop);
        if (value == 0) return;
        WritePropName(prop.Name);
        if (type.Name() == "TDateTime")
            WriteDate(TDateTime{value});
        else
            WriteFloat(value);
        break;
    }
    case tkString:
    case tkLString: {
        String value = GetStrProp(instance, prop);
        if (value.empty()) return;
        WritePropName(prop.Name);
        WriteString(value);
        break;
    }
    case tkWString: {
        WideString value = GetWideStrProp(instance, prop);
        if (value.empty()) return;
        WritePropName(prop.Name);
        WriteWideString(value);
        break;
    }
    case tkVariant: {
        Variant value = GetVariantProp(instance, prop);
        if (value.IsEmpty()) return;
        WritePropName(prop.Name);
        WriteVariant(value);
        break;
    }
    case tkClass: {
        TObject* value = GetObjectProp(instance, prop);
        if (!value) return;
        auto* component = As<TComponent>(value);
        if (component && !component->ComponentStyle().Contains(csSubComponent)) {
            String name = ReferenceName(component);
            if (name.empty()) return;
            WritePropName(prop.Name);
            WriteIdent(name);
        } else if (auto* collection = As<TCollection>(value)) {
            // An empty collection in a stream leaves the one being read into as it is.
            if (collection->Count() == 0) return;
            WritePropName(prop.Name);
            WriteCollection(collection);
        } else if (auto* persistent = As<TPersistent>(value)) {
            // Sub-objects are written as dotted names (Font.Name), which do not nest in the
            // stream; the path is limited only so that a cycle of sub-objects cannot recurse
            // without end.
            if (std::count(FPropPath.begin(), FPropPath.end(), '.') >= MaxFilerNesting)
                throw EWriteError(Format("Property %s%s nests objects more than %d levels deep", FPropPath, prop.Name,
                                         MaxFilerNesting));
            String savedPath = FPropPath;
            FPropPath += prop.Name + ".";
            {
                auto restore = ScopeExit([&] { FPropPath = savedPath; });
                WriteProperties(persistent);
            }
        }
        break;
    }
    case tkMethod: {
        TMethod value = GetMethodProp(instance, prop);
        if (!value.Assigned()) return;
        String name = MethodNameOf(value);
        if (name.empty()) return;
        WritePropName(prop.Name);
        WriteIdent(name);
        break;
    }
    default: break;
    }
}

void TWriter::WriteProperties(TPersistent* instance) {
    for (const TPropInfo* prop : instance->ClassType()->Properties())
        if (prop->IsStored(instance)) WriteProperty(instance, *prop);
    instance->DefineProperties(this);
}

void TWriter::WriteData(TComponent* instance) {
    if (++FNesting > MaxFilerNesting) {
        --FNesting;
        throw EWriteError(Format("Component %s nests more than %d levels deep", instance->Name(), MaxFilerNesting));
    }
    {
        auto restore = ScopeExit([&] { --FNesting; });
        const TKeptState* kept = instance->Kept();
        TFilerFlags flags = 0;
        int childPos = 0;
        if (instance->HasState(csInline) && instance != FRoot) flags |= ffInline;
        String className = instance->ClassName();
        if (kept) {
            flags |= kept->Flags & (ffInherited | ffInline | ffChildPos);
            childPos = kept->ChildPos;
            // The root's stored class is the form's own class, which the reading root stood in for.
            if (kept->Placeholder || instance == FRoot || SameText(kept->ClassName, className))
                className = kept->ClassName;
        }
        WritePrefix(flags, childPos);
        WriteStr(className);
        WriteStr(instance->Name());
        if (kept)
            WriteKeptProperties(instance, *kept);
        else
            WriteProperties(instance);
        WriteListEnd();
        if (!FIgnoreChildren) {
            std::vector<TComponent*> children = ChildrenOf(instance);
            if (kept) children = KeptOrder(children, *kept);
            for (TComponent* child : children) WriteComponent(child);
        }
        WriteListEnd();
    }
}

TKeptProperties TWriter::PropertyEntries(TPersistent* instance) {
    TMemoryStream data;
    {
        TWriter writer(data, 4096);
        writer.FRoot = FRoot;
        writer.FLookupRoot = FLookupRoot;
        writer.FAncestor = FAncestor;
        writer.OnFindMethodName = OnFindMethodName;
        writer.WriteProperties(instance);
        writer.WriteListEnd();
        writer.FlushBuffer();
    }
    data.SetPosition(0);
    TKeptProperties entries;
    TReader reader(data, 4096);
    while (!reader.EndOfList()) {
        String name = reader.ReadStr();
        Int64 start = reader.Position();
        reader.SkipValue();
        const Byte* p = data.Memory() + start;
        entries.push_back(TKeptProperty{name, std::vector<Byte>(p, p + (reader.Position() - start))});
    }
    return entries;
}

std::vector<TComponent*> TWriter::ChildrenOf(TComponent* instance) {
    std::vector<TComponent*> children;
    instance->GetChildren([&children](TComponent* child) { children.push_back(child); }, FRoot);
    // Placeholders stored inside an object that does not list them as its children (a field of an
    // unknown class in a data set, an unknown action in an action list) go with that object.
    if (TComponent* owner = FLookupRoot ? FLookupRoot : FRoot) {
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            TComponent* c = owner->Components(i);
            if (c->Is<TPlaceholderComponent>() && c->GetParentComponent() == instance &&
                std::find(children.begin(), children.end(), c) == children.end())
                children.push_back(c);
        }
    }
    return children;
}

namespace {
int FindEntry(const TKeptProperties& list, const String& name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (SameText(list[i].Name, name)) return static_cast<int>(i);
    return -1;
}
} // namespace

// The stored properties in their stored order: a value unchanged since reading is written as it
// was stored (a property nothing publishes is such a value), a changed one anew, and one now at
// its default is left out; properties that newly have a value go after their predecessor.
void TWriter::WriteKeptProperties(TComponent* instance, const TKeptState& kept) {
    TKeptProperties fresh = PropertyEntries(instance);
    std::vector<const TKeptProperty*> out;
    std::vector<bool> used(fresh.size(), false);
    for (const TKeptProperty& stored : kept.Properties) {
        int f = FindEntry(fresh, stored.Name);
        if (f >= 0 && used[static_cast<size_t>(f)]) f = -1;
        int b = FindEntry(kept.Baseline, stored.Name);
        bool unchanged =
            f < 0 ? b < 0
                  : b >= 0 && kept.Baseline[static_cast<size_t>(b)].Value == fresh[static_cast<size_t>(f)].Value;
        if (unchanged)
            out.push_back(&stored);
        else if (f >= 0)
            out.push_back(&fresh[static_cast<size_t>(f)]);
        if (f >= 0) used[static_cast<size_t>(f)] = true;
    }
    size_t insertAt = 0;
    for (size_t i = 0; i < fresh.size(); ++i) {
        if (used[i]) {
            // After whatever stands for this property now.
            for (size_t k = 0; k < out.size(); ++k)
                if (SameText(out[k]->Name, fresh[i].Name)) insertAt = k + 1;
            continue;
        }
        int b = FindEntry(kept.Baseline, fresh[i].Name);
        if (FAsStored && kept.OmitUnstored && b >= 0 && kept.Baseline[static_cast<size_t>(b)].Value == fresh[i].Value)
            continue;
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(insertAt), &fresh[i]);
        ++insertAt;
    }
    for (const TKeptProperty* p : out) {
        WriteStr(p->Name);
        Write(p->Value.data(), static_cast<Int64>(p->Value.size()));
    }
}

// The children in their stored order, unless they were reordered since reading (a change of
// z-order is the user's); new children go after their predecessor.
std::vector<TComponent*> TWriter::KeptOrder(const std::vector<TComponent*>& children, const TKeptState& kept) {
    auto storedIndex = [&](const TComponent* c) {
        if (c->Name().empty()) return -1;
        for (size_t i = 0; i < kept.Children.size(); ++i)
            if (SameText(kept.Children[i], c->Name())) return static_cast<int>(i);
        return -1;
    };
    std::vector<String> now, then;
    for (TComponent* c : children)
        if (storedIndex(c) >= 0) now.push_back(UpperCase(c->Name()));
    for (const String& name : kept.BaselineChildren)
        for (const String& n : now)
            if (SameText(n, name)) then.push_back(n);
    if (now != then) return children;
    std::vector<TComponent*> ordered;
    for (TComponent* c : children)
        if (storedIndex(c) >= 0) ordered.push_back(c);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&](TComponent* a, TComponent* b) { return storedIndex(a) < storedIndex(b); });
    size_t insertAt = 0;
    for (TComponent* c : children) {
        auto at = std::find(ordered.begin(), ordered.end(), c);
        if (at != ordered.end()) {
            insertAt = static_cast<size_t>(at - ordered.begin()) + 1;
            continue;
        }
        ordered.insert(ordered.begin() + static_cast<std::ptrdiff_t>(insertAt), c);
        ++insertAt;
    }
    return ordered;
}

void TWriter::WriteComponent(TComponent* component) {
    bool wasWriting = component->HasState(csWriting);
    component->SetWriting(true);
    {
        auto restore = ScopeExit([&] { component->SetWriting(wasWriting); });
        component->WriteState(this);
    }
}

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor) {
    FRootAncestor = ancestor;
    FAncestor = ancestor;
    FRoot = root;
    FLookupRoot = root;
    WriteSignature();
    WriteComponent(root);
    FlushBuffer();
}

void TWriter::WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }

} // namespace dw
