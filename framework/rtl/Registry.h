// The user's settings store with the registry's model: TRegistry, root keys holding keys (paths
// separated by backslashes) that hold typed values, all kept in one text file under the user's
// configuration directory; and TRegistryIniFile, the INI-file view of one of its keys.
#pragma once

#include "framework/rtl/IniFiles.h"
#include "framework/rtl/TypInfo.h"

#include <map>
#include <memory>

namespace dw {

class TStrings;

using HKEY = std::uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

DW_ENUM(TRegDataType, rdUnknown, rdString, rdExpandString, rdInteger, rdBinary)

// The store lives in $DRAFTWELL_CONFIG_HOME/draftwell/registry.ini, where DRAFTWELL_CONFIG_HOME
// defaults to $XDG_CONFIG_HOME and then to ~/.config. The file is read again whenever it changed
// on disk and written (replaced in one step) after every change, so any number of TRegistry
// objects and programs share it. A key opened by one object and deleted by another is gone:
// reading it finds nothing and writing raises.
//
// File format, one item per line (blank lines and lines starting with ";" or "#" are skipped):
//   [HKEY_CURRENT_USER\Software\Draftwell]   a key: its root and path; "%", "[", "]", control
//                                            characters and bytes that are not UTF-8 as %XX
//   "Name"=string:"text"                      a value of the key above it: name and type:data,
//   "Path"=expand:"$HOME/x"                   strings in double quotes with \" \\ \n \r \t and
//   "Width"=integer:-12                       \xXX escapes, integers in decimal, binary data in
//   "Blob"=binary:00ff1a                      hexadecimal. The default value has the name "".
// Every key has its own line, also an empty one. A file that does not follow this raises
// ERegistryException naming the file and the line.
class TRegistry : public TObject {
    DW_CLASS(TRegistry, TObject)
    TRegistry();
    // A store in another file (tests, tools).
    explicit TRegistry(const String& fileName);

    // Where the store is when the constructor is given no file; raises ERegistryException when
    // there is no configuration or home directory to put it in.
    static String DefaultFileName();
    const String& FileName() const { return FFileName; }

    HKEY RootKey() const { return FRootKey; }
    // Closes the current key. An unknown root raises ERegistryException.
    void SetRootKey(HKEY value);
    // Opens key (relative to the current key, or to the root when it starts with "\") and makes
    // it current. A missing key is created when canCreate is set; otherwise the result is false.
    bool OpenKey(const String& key, bool canCreate);
    // Opens an existing key for reading only: writing to it raises ERegistryException.
    bool OpenKeyReadOnly(const String& key);
    // Creates the key (and the keys on its path) without opening it; false when it existed.
    bool CreateKey(const String& key);
    // Makes the root current.
    void CloseKey();
    // The path of the current key from its root, without a leading backslash.
    String CurrentPath() const;

    bool KeyExists(const String& key);
    // Deletes the key with everything in it; false when it did not exist.
    bool DeleteKey(const String& key);
    bool HasSubKeys();
    // The names of the current key's keys or values (cleared first), in order of name.
    void GetKeyNames(TStrings* strings);
    void GetValueNames(TStrings* strings);
    bool ValueExists(const String& name);
    bool DeleteValue(const String& name);
    // rdUnknown when there is no such value.
    TRegDataType GetDataType(const String& name);
    // Bytes of string or binary data, 4 for an integer, -1 when there is no such value.
    int GetDataSize(const String& name);

    // Reading a value of another type raises ERegistryException naming the value; so does
    // reading a missing one, except ReadString, which gives "".
    String ReadString(const String& name);
    void WriteString(const String& name, const String& value);
    void WriteExpandString(const String& name, const String& value);
    int ReadInteger(const String& name);
    void WriteInteger(const String& name, int value);
    // Stored as the integer 1 or 0.
    bool ReadBool(const String& name);
    void WriteBool(const String& name, bool value);
    std::vector<Byte> ReadBinaryData(const String& name);
    // Copies the data into buffer and returns its size; a buffer too small raises.
    int ReadBinaryData(const String& name, void* buffer, int bufSize);
    void WriteBinaryData(const String& name, const void* buffer, int bufSize);

private:
    struct TCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
    };
    struct TRegValue {
        TRegDataType Type = rdUnknown;
        String Data; // string or binary data
        std::int32_t Integer = 0;
    };
    struct TRegKey {
        std::map<String, std::unique_ptr<TRegKey>, TCaseLess> Keys;
        std::map<String, TRegValue, TCaseLess> Values;
    };
    using TPath = std::vector<String>;

    // Brings the tree up to date with the file; raises on a corrupt file.
    void Sync();
    void Save();
    void Parse(std::string_view text);
    String Compose() const;
    TRegKey& Root(HKEY root);
    TPath PathOf(const String& key) const;
    TRegKey* Find(const TPath& path);
    TRegKey* Current() { return Find(FCurrentPath); }
    // The current key for a change: raises when it is gone or open read-only.
    TRegKey& CurrentForWriting();
    const TRegValue& ValueForReading(const String& name, TRegDataType type);
    void PutValue(const String& name, TRegValue value);

    String FFileName;
    HKEY FRootKey = HKEY_CURRENT_USER;
    TPath FCurrentPath;
    bool FReadOnly = false;
    std::map<HKEY, TRegKey> FRoots;
    bool FLoaded = false;
    TFileStamp FStamp;
};

// An INI file whose sections are the keys under one key of the store (relative to
// HKEY_CURRENT_USER) and whose keys are their values. Integers and booleans are stored as
// integers; reading converts between strings and integers where it can and gives the default
// value where it cannot. Every change is written at once, so UpdateFile has nothing to do.
class TRegistryIniFile : public TCustomIniFile {
    DW_CLASS(TRegistryIniFile, TCustomIniFile)
    explicit TRegistryIniFile(const String& key);
    TRegistryIniFile(const String& key, const String& storeFileName);

    TRegistry& RegIniFile() { return FRegistry; }

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    int ReadInteger(const String& section, const String& ident, int defaultValue) override;
    void WriteInteger(const String& section, const String& ident, int value) override;
    bool ReadBool(const String& section, const String& ident, bool defaultValue) override;
    void WriteBool(const String& section, const String& ident, bool value) override;
    void ReadSection(const String& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void ReadSectionValues(const String& section, TStrings* strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    bool SectionExists(const String& section) override;
    bool ValueExists(const String& section, const String& ident) override;
    void UpdateFile() override {}

private:
    String SectionKey(const String& section) const;
    bool OpenSection(const String& section, bool canCreate);

    TRegistry FRegistry;
};

} // namespace dw
