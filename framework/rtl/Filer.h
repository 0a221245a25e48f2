// The form filer: TReader and TWriter read and write components in the binary component format
// ("TPF0" signature, then one object). TFiler is what DefineProperties sees of both.
//
// Binary format. An object is: an optional prefix byte $F0|flags (ffInherited 1, ffChildPos 2,
// ffInline 4) followed, with ffChildPos, by an integer value; the class name and the object name
// as short strings (a length byte and that many bytes); properties, each a short-string name and a
// value, ended by a zero byte; child objects, ended by a zero byte. A value is a TValueType byte
// and its data (all integers little-endian):
//   vaNull 0; vaList 1: values until vaNull; vaInt8 2, vaInt16 3, vaInt32 4: signed integers;
//   vaExtended 5: 80-bit float; vaString 6: length byte and bytes; vaIdent 7: short string;
//   vaFalse 8, vaTrue 9; vaBinary 10: 32-bit length and bytes; vaSet 11: short strings until an
//   empty one; vaLString 12: 32-bit length and bytes; vaNil 13; vaCollection 14: items until
//   vaNull, each an optional integer value (its index) then vaList and properties until vaNull;
//   vaSingle 15: 4-byte float; vaCurrency 16: 64-bit integer scaled by 10000; vaDate 17: 8-byte
//   float; vaWString 18: 32-bit count of UTF-16 code units and the units; vaInt64 19; vaUTF8String
//   20: 32-bit length and UTF-8 bytes; vaDouble 21: 8-byte float.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/KeptState.h"
#include "framework/rtl/Stream.h"

#include <functional>
#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

namespace dw {

enum TValueType : Byte {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};
constexpr Byte vaMaxValueType = vaDouble;

enum TFilerFlag : Byte { ffInherited = 1, ffChildPos = 2, ffInline = 4 };
using TFilerFlags = Byte;

// The four bytes every binary component stream starts with.
constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Objects nest at most this deep in a stream (the root is the first level), and so do lists and
// collections within a value, counted apart: the one limit of the reader, the writer and the
// converters, so that whatever one of them accepts the others accept too, and a hostile file
// cannot exhaust the stack.
constexpr int MaxFilerNesting = 256;

class TCollection;
class TReader;
class TWriter;
class TPersistent;

using TReaderProc = std::function<void(TReader*)>;
using TWriterProc = std::function<void(TWriter*)>;
using TStreamProc = std::function<void(TStream*)>;

class TFiler : public TObject {
    DW_CLASS(TFiler, TObject)
    TFiler(TStream& stream, int bufferSize);
    ~TFiler() override = default;

    // A property that is not published: its value is read or written by the procedures. hasData
    // tells the writer whether there is anything to write.
    virtual void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                                bool hasData) = 0;
    // A property whose value is a block of bytes, read from and written to a stream.
    virtual void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                                      bool hasData) = 0;

    TComponent* Root() const { return FRoot; }
    virtual void SetRoot(TComponent* value) { FRoot = value; }
    TComponent* LookupRoot() const { return FLookupRoot; }
    TPersistent* Ancestor() const { return FAncestor; }
    void SetAncestor(TPersistent* value) { FAncestor = value; }
    bool IgnoreChildren() const { return FIgnoreChildren; }
    void SetIgnoreChildren(bool value) { FIgnoreChildren = value; }
    TStream& Stream() { return FStream; }

protected:
    TStream& FStream;
    std::vector<Byte> FBuffer;
    size_t FBufPos = 0;
    size_t FBufEnd = 0;
    TComponent* FRoot = nullptr;
    TComponent* FLookupRoot = nullptr;
    TPersistent* FAncestor = nullptr;
    bool FIgnoreChildren = false;
};

// Integer properties whose values have names in streams (colours, cursors, ...).
using TIdentToInt = std::function<bool(const String& ident, std::int32_t& value)>;
using TIntToIdent = std::function<bool(std::int32_t value, String& ident)>;
void RegisterIntegerConsts(const TTypeInfo& type, TIdentToInt identToInt, TIntToIdent intToIdent);
TIdentToInt FindIdentToInt(const TTypeInfo& type);
TIntToIdent FindIntToIdent(const TTypeInfo& type);

class TReader : public TFiler {
    DW_CLASS(TReader, TFiler)
    TReader(TStream& stream, int bufferSize);
    // Puts the stream back at the reader's logical position.
    ~TReader() override;

    // Hooks. OnError gets every reading error; setting handled skips the item in error.
    std::function<void(TReader* reader, const String& message, bool& handled)> OnError;
    std::function<void(TReader* reader, const String& methodName, void*& address, bool& error)> OnFindMethod;
    std::function<void(TReader* reader, TComponent* component, String& name)> OnSetName;
    std::function<void(TReader* reader, const String& className, TClass& componentClass)> OnFindComponentClass;
    std::function<void(TReader* reader, TClass componentClass, TComponent*& component)> OnCreateComponent;
    std::function<void(TReader* reader, const String& componentName, TClass componentClass, TComponent*& component)>
        OnAncestorNotFound;
    std::function<void(TReader* reader, String& name)> OnReferenceName;

    // Keeping: an object of a class the program does not have is read into a placeholder, a
    // property nothing publishes is kept instead of reported, and every component read keeps its
    // stored form (KeptState.h), so that the writer gives back what was read.
    bool KeepUnknown() const { return FKeepUnknown; }
    void SetKeepUnknown(bool value) { FKeepUnknown = value; }
    // The root was just made for this reading (a new document from its template): what it and its
    // components hold that the stream does not is the template's, not part of the stored form.
    bool FreshRoot() const { return FFreshRoot; }
    void SetFreshRoot(bool value) { FFreshRoot = value; }
    // What keeping left unread.
    const TKeptSummary& KeptSummary() const { return FKeptSummary; }

    // Reads a whole stream into root (or a new root of the stored class when root is null).
    TComponent* ReadRootComponent(TComponent* root);
    // Reads signature-and-object entries until end of list into owner and parent, calling proc
    // for each top-level component; references are fixed and Loaded runs before it returns.
    void ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc);
    // Reads one object: into component when given, otherwise into an existing or new one.
    TComponent* ReadComponent(TComponent* component);
    // Reads the properties and the children of instance (TComponent::ReadState calls it).
    void ReadData(TComponent* instance);

    void ReadSignature();
    virtual void ReadPrefix(TFilerFlags& flags, int& childPos);
    TValueType ReadValue();
    TValueType NextValue();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    void CheckValue(TValueType value);
    void SkipValue();
    bool ReadBoolean();
    char ReadChar();
    std::int32_t ReadInteger();
    Int64 ReadInt64();
    double ReadFloat();
    String ReadString();
    WideString ReadWideString();
    String ReadIdent();
    // A short string: a length byte and that many bytes.
    String ReadStr();
    void ReadBinary(std::vector<Byte>& data);
    void ReadCollection(TCollection* collection);
    Variant ReadVariant();
    void ReadProperty(TPersistent* instance);
    void Read(void* buffer, Int64 count);

    // The logical position in the stream, consistent with the buffer, so a reader can look
    // ahead and come back.
    Int64 Position();
    void SetPosition(Int64 value);

    TComponent* Owner() const { return FOwner; }
    void SetOwner(TComponent* value) { FOwner = value; }
    TComponent* Parent() const { return FParent; }
    void SetParent(TComponent* value) { FParent = value; }

    void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

protected:
    // Reports an error through OnError; true when the hook handled it.
    virtual bool Error(const String& message);
    virtual TComponent* FindAncestorComponent(const String& name, TClass componentClass);
    virtual void* FindMethod(TComponent* root, const String& methodName);
    virtual TClass FindComponentClass(const String& className);

private:
    struct TFixup {
        TPersistent* Instance;
        const TPropInfo* Prop;
        String Name;
        TComponent* Component; // the component being read when the reference was met
        TComponent* Root = nullptr;
    };
    void ReadBuffer();
    void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
    void ReadDefinedProperty(TPersistent* instance, const String& name);
    void SkipSetBody();
    void SkipProperty();
    void SkipComponent(bool skipHeader);
    Int64 ReadIntegerValue(TValueType type);
    double ReadFloatValue(TValueType type);
    String ReadStringValue(TValueType type);
    TComponent* CreateComponent(const String& className, bool& created, bool& placeholder);
    TClass PlaceholderClass(const String& className);
    bool StoresBounds();
    void KeepState(TComponent* component, const String& className, TFilerFlags flags, int childPos, bool placeholder,
                   bool omitUnstored);
    void KeepProperty(const String& name, Int64 valueStart);
    void FinishKeptStates();
    void SetCompName(TComponent* component, const String& name);
    TComponent* ResolveReference(const String& name, TComponent* root);
    void FixupReferences();
    void DoLoaded();
    [[noreturn]] void RaiseError(const String& message);
    // Every component read is watched, so one freed while reading leaves no stale entry.
    void Watch(TComponent* component);
    void Forget(TComponent* component);
    void BeginRead();
    void EndRead(bool failed);

    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
    TComponent* FCurrent = nullptr;
    TComponent* FWatcher = nullptr;
    std::vector<TFixup> FFixups;
    std::vector<TComponent*> FLoaded;
    std::unordered_set<TComponent*> FLoadedSet;
    String FStoredRootName;
    bool FKeepUnknown = false;
    bool FFreshRoot = false;
    TKeptSummary FKeptSummary;
    // The component whose children are being read, and the prefix as the stream gave it.
    TComponent* FContainer = nullptr;
    TFilerFlags FStreamFlags = 0;
    int FStreamChildPos = 0;
    bool FPropMissing = false;
    // The states replaced by this reading, merged into the new ones when it ends.
    std::map<TComponent*, std::unique_ptr<TKeptState>> FReplacedKept;
    String FPropName;
    bool FPropertyFound = false;
    // Set once an error was declined by the error hook, so enclosing levels do not report it again.
    bool FUnwinding = false;
    int FNesting = 0;      // objects
    int FValueNesting = 0; // lists and collections
};

class TWriter : public TFiler {
    DW_CLASS(TWriter, TFiler)
    TWriter(TStream& stream, int bufferSize);
    // Writes out what is buffered.
    ~TWriter() override;

    // Asked for the name of every method written; an empty name leaves the event out. Without it
    // the name is the published method of the lookup root's class with that code.
    std::function<String(TWriter* writer, const TMethod& method)> OnFindMethodName;

    void WriteRootComponent(TComponent* root);
    void WriteDescendent(TComponent* root, TComponent* ancestor);
    void WriteComponent(TComponent* component);
    // The prefix, class, name, properties and children of instance.
    void WriteData(TComponent* instance);
    void WriteSignature();
    void WritePrefix(TFilerFlags flags, int childPos);
    void WriteProperties(TPersistent* instance);
    void WriteListBegin();
    void WriteListEnd();
    void WriteValue(TValueType value);
    void WriteBoolean(bool value);
    void WriteChar(char value);
    void WriteInteger(Int64 value);
    void WriteFloat(double value);
    void WriteDate(TDateTime value);
    void WriteString(const String& value);
    void WriteWideString(const WideString& value);
    void WriteIdent(const String& ident);
    void WriteStr(const String& value);
    void WriteBinary(const void* data, Int64 size);
    void WriteCollection(TCollection* collection);
    void WriteVariant(const Variant& value);
    void Write(const void* buffer, Int64 count);
    void FlushBuffer();
    void SetLookupRoot(TComponent* value) { FLookupRoot = value; }
    // Writing a file: a value that is what it was when read and that the stored form did not hold
    // (one the reading root had of its own, as a template's) is left out, as it was. Off for copies
    // that are read back into a root reset to its defaults.
    bool AsStored() const { return FAsStored; }
    void SetAsStored(bool value) { FAsStored = value; }

    // The properties this writer gives for instance, in order, each with its value's bytes.
    TKeptProperties PropertyEntries(TPersistent* instance);
    // The components written as children of instance, in the order they are written.
    std::vector<TComponent*> ChildrenOf(TComponent* instance);
    Int64 Position();

    void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

private:
    void WriteProperty(TPersistent* instance, const TPropInfo& prop);
    void WriteKeptProperties(TComponent* instance, const TKeptState& kept);
    std::vector<TComponent*> KeptOrder(const std::vector<TComponent*>& children, const TKeptState& kept);
    void WritePropName(const String& name);
    String MethodNameOf(const TMethod& method);
    String ReferenceName(TComponent* component);

    String FPropPath;
    TComponent* FRootAncestor = nullptr;
    int FNesting = 0;
    bool FAsStored = false;
};

} // namespace dw
