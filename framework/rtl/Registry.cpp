#include "framework/rtl/Registry.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace dw {

DW_DEFINE_CLASS(TRegistry) {}
DW_DEFINE_CLASS(TRegistryIniFile) {}

namespace {

struct TRootName {
    HKEY Key;
    const char* Name;
};
constexpr TRootName RootNames[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                                   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                                   {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                                   {HKEY_USERS, "HKEY_USERS"},
                                   {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}};

const char* RootName(HKEY key) {
    for (const auto& r : RootNames)
        if (r.Key == key) return r.Name;
    return nullptr;
}

const char HexDigits[] = "0123456789abcdef";

void AppendHex(String& out, unsigned char c) {
    out += HexDigits[c >> 4];
    out += HexDigits[c & 15];
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Copies bytes that need no escape, and hands the others (one byte, or a whole sequence that is
// not UTF-8 one byte at a time) to escape.
template <class NeedsEscape, class Escape>
String EscapeText(std::string_view s, NeedsEscape needsEscape, Escape escape) {
    String out;
    for (size_t i = 0; i < s.size();) {
        size_t n = ValidUtf8Length(s, i);
        if (n == 0 || (n == 1 && needsEscape(s[i]))) {
            escape(out, static_cast<unsigned char>(s[i]));
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    return out;
}

String QuoteText(std::string_view s) {
    String out = "\"";
    out += EscapeText(
        s, [](char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; },
        [](String& o, unsigned char c) {
            switch (c) {
            case '"':
                o += "\\\"";
                break;
            case '\\':
                o += "\\\\";
                break;
            case '\n':
                o += "\\n";
                break;
            case '\r':
                o += "\\r";
                break;
            case '\t':
                o += "\\t";
                break;
            default:
                o += "\\x";
                AppendHex(o, c);
            }
        });
    out += '"';
    return out;
}

String EncodeKeyName(std::string_view s) {
    return EscapeText(
        s, [](char c) { return c == '%' || c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; },
        [](String& o, unsigned char c) {
            o += '%';
            AppendHex(o, c);
        });
}

// A reason why a line of the store cannot be read.
struct TParseError {
    String Reason;
};

String DecodeKeyName(std::string_view s) {
    String out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        int hi = i + 1 < s.size() ? HexValue(s[i + 1]) : -1;
        int lo = i + 2 < s.size() ? HexValue(s[i + 2]) : -1;
        if (hi < 0 || lo < 0) throw TParseError{Format("bad escape in key name \"%s\"", String(s))};
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    if (out.empty()) throw TParseError{"empty key name"};
    return out;
}

// Reads a quoted string starting at s[p] and leaves p after its closing quote.
String ReadQuoted(std::string_view s, size_t& p) {
    if (p >= s.size() || s[p] != '"') throw TParseError{"expected a quoted string"};
    String out;
    for (++p; p < s.size(); ++p) {
        char c = s[p];
        if (c == '"') {
            ++p;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++p >= s.size()) break;
        switch (s[p]) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            int hi = p + 1 < s.size() ? HexValue(s[p + 1]) : -1;
            int lo = p + 2 < s.size() ? HexValue(s[p + 2]) : -1;
            if (hi < 0 || lo < 0) throw TParseError{"bad \\x escape"};
            out += static_cast<char>(hi * 16 + lo);
            p += 2;
            break;
        }
        default:
            throw TParseError{Format("unknown escape \\%s", String(1, s[p]))};
        }
    }
    throw TParseError{"unterminated string"};
}

std::int32_t ParseInteger(std::string_view s) {
    size_t i = s.starts_with('-') ? 1 : 0;
    if (i == s.size()) throw TParseError{"missing integer"};
    Int64 value = 0;
    for (size_t k = i; k < s.size(); ++k) {
        if (s[k] < '0' || s[k] > '9') throw TParseError{Format("\"%s\" is not an integer", String(s))};
        value = value * 10 + (s[k] - '0');
        if (value > Int64(INT32_MAX) + 1) throw TParseError{Format("integer %s is out of range", String(s))};
    }
    if (i) value = -value;
    if (value > INT32_MAX) throw TParseError{Format("integer %s is out of range", String(s))};
    return static_cast<std::int32_t>(value);
}

String ParseBinary(std::string_view s) {
    if (s.size() % 2) throw TParseError{"binary data has an odd number of digits"};
    String out;
    for (size_t i = 0; i < s.size(); i += 2) {
        int hi = HexValue(s[i]), lo = HexValue(s[i + 1]);
        if (hi < 0 || lo < 0) throw TParseError{"binary data holds a character that is not a hexadecimal digit"};
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

[[noreturn]] void RaiseInvalidType(const String& name) {
    throw ERegistryException(Format("Invalid data type for '%s'", name));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TRegistry

TRegistry::TRegistry() : FFileName(DefaultFileName()) {}

TRegistry::TRegistry(const String& fileName) : FFileName(fileName) {}

String TRegistry::DefaultFileName() {
    auto env = [](const char* name) -> String {
        const char* value = std::getenv(name);
        return value ? String(value) : String();
    };
    String base = env("DRAFTWELL_CONFIG_HOME");
    if (base.empty()) {
        // A relative XDG_CONFIG_HOME is invalid and is to be ignored.
        String xdg = env("XDG_CONFIG_HOME");
        if (!xdg.empty() && xdg[0] == '/') base = xdg;
    }
    if (base.empty()) {
        String home = env("HOME");
        if (home.empty())
            if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
        if (!home.empty()) base = home + "/.config";
    }
    if (base.empty())
        throw ERegistryException(
            "Cannot find a folder for the settings store: neither XDG_CONFIG_HOME nor HOME is set");
    return base + "/draftwell/registry.ini";
}

void TRegistry::Sync() {
    if (FLoaded && FileStampOf(FFileName) == FStamp) return;
    String text;
    TFileStamp stamp;
    try {
        LoadFileText(FFileName, text, stamp);
    } catch (const EStreamError& e) {
        throw ERegistryException(e.Message());
    }
    FLoaded = false;
    Parse(text);
    FStamp = stamp;
    FLoaded = true;
}

void TRegistry::Save() {
    try {
        std::filesystem::path folder = std::filesystem::path(FFileName).parent_path();
        std::error_code error;
        if (!folder.empty()) std::filesystem::create_directories(folder, error);
        if (error)
            throw EFCreateError(
                Format("Cannot create the folder %s for %s: %s", folder.string(), FFileName, error.message()));
        FStamp = SaveFile(FFileName, Compose(), 0600);
    } catch (const EStreamError& e) {
        // The change did not reach the file, so it must not stay in memory either.
        FLoaded = false;
        throw ERegistryException(e.Message());
    }
}

void TRegistry::Parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    TStringList lines;
    lines.SetText(text);
    std::map<HKEY, TRegKey> roots;
    for (const auto& r : RootNames) roots[r.Key];
    TRegKey* current = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        String line = Trim(lines.Strings(i));
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        try {
            if (line[0] == '[') {
                if (line.back() != ']') throw TParseError{"a key line must end with \"]\""};
                std::string_view inner = std::string_view(line).substr(1, line.size() - 2);
                size_t slash = inner.find('\\');
                std::string_view rootText = inner.substr(0, slash);
                auto root = std::find_if(std::begin(RootNames), std::end(RootNames),
                                         [&](const TRootName& r) { return SameText(r.Name, rootText); });
                if (root == std::end(RootNames)) throw TParseError{Format("unknown root key \"%s\"", String(rootText))};
                current = &roots[root->Key];
                while (slash != std::string_view::npos) {
                    size_t next = inner.find('\\', slash + 1);
                    String name = DecodeKeyName(
                        inner.substr(slash + 1, next == std::string_view::npos ? next : next - slash - 1));
                    auto& child = current->Keys[name];
                    if (!child) child = std::make_unique<TRegKey>();
                    current = child.get();
                    slash = next;
                }
            } else if (line[0] == '"') {
                if (!current) throw TParseError{"a value comes before any key"};
                size_t p = 0;
                String name = ReadQuoted(line, p);
                if (p >= line.size() || line[p] != '=') throw TParseError{"expected \"=\" after the value name"};
                size_t colon = line.find(':', p + 1);
                if (colon == String::npos) throw TParseError{"expected type:data after \"=\""};
                std::string_view type = std::string_view(line).substr(p + 1, colon - p - 1);
                std::string_view data = std::string_view(line).substr(colon + 1);
                TRegValue value;
                if (type == "string" || type == "expand") {
                    value.Type = type == "string" ? rdString : rdExpandString;
                    size_t q = 0;
                    value.Data = ReadQuoted(data, q);
                    if (q != data.size()) throw TParseError{"text after the closing quote"};
                } else if (type == "integer") {
                    value.Type = rdInteger;
                    value.Integer = ParseInteger(data);
                } else if (type == "binary") {
                    value.Type = rdBinary;
                    value.Data = ParseBinary(data);
                } else {
                    throw TParseError{Format("unknown value type \"%s\"", String(type))};
                }
                if (!current->Values.emplace(name, std::move(value)).second)
                    throw TParseError{Format("value \"%s\" occurs twice in one key", name)};
            } else {
                throw TParseError{"expected a [key] or a \"name\"=type:data line"};
            }
        } catch (const TParseError& e) {
            throw ERegistryException(Format("Settings file %s is corrupt at line %d: %s", FFileName, i + 1, e.Reason));
        }
    }
    FRoots = std::move(roots);
}

String TRegistry::Compose() const {
    String out = "; Draftwell settings store. Keys: [ROOT\\path]; values: \"name\"=type:data.\n";
    auto writeKey = [&out](auto& self, const String& path, const TRegKey& key, bool isRoot) -> void {
        if (!isRoot || !key.Values.empty()) {
            out += "\n[" + path + "]\n";
            for (const auto& [name, value] : key.Values) {
                out += QuoteText(name) + "=";
                switch (value.Type) {
                case rdString:
                    out += "string:" + QuoteText(value.Data);
                    break;
                case rdExpandString:
                    out += "expand:" + QuoteText(value.Data);
                    break;
                case rdInteger:
                    out += "integer:" + IntToStr(value.Integer);
                    break;
                default:
                    out += "binary:";
                    for (char c : value.Data) AppendHex(out, static_cast<unsigned char>(c));
                }
                out += '\n';
            }
        }
        for (const auto& [name, child] : key.Keys) self(self, path + "\\" + EncodeKeyName(name), *child, false);
    };
    for (const auto& [root, key] : FRoots) writeKey(writeKey, RootName(root), key, true);
    return out;
}

TRegistry::TRegKey& TRegistry::Root(HKEY root) {
    return FRoots[root];
}

void TRegistry::SetRootKey(HKEY value) {
    if (!RootName(value)) throw ERegistryException(Format("Unknown root key $%s", IntToHex(value, 8)));
    FRootKey = value;
    CloseKey();
}

TRegistry::TPath TRegistry::PathOf(const String& key) const {
    TPath path;
    bool absolute = !key.empty() && key[0] == '\\';
    if (!absolute) path = FCurrentPath;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == String::npos) end = key.size();
        // Empty parts ("a\\b", a trailing backslash) name nothing.
        if (end > start) path.push_back(key.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

TRegistry::TRegKey* TRegistry::Find(const TPath& path) {
    TRegKey* node = &Root(FRootKey);
    for (const String& name : path) {
        auto it = node->Keys.find(name);
        if (it == node->Keys.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    Sync();
    TPath path = PathOf(key);
    if (!Find(path)) {
        if (!canCreate) return false;
        TRegKey* node = &Root(FRootKey);
        for (const String& name : path) {
            auto& child = node->Keys[name];
            if (!child) child = std::make_unique<TRegKey>();
            node = child.get();
        }
        Save();
    }
    FCurrentPath = std::move(path);
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    Sync();
    TPath path = PathOf(key);
    if (!Find(path)) return false;
    FCurrentPath = std::move(path);
    FReadOnly = true;
    return true;
}

bool TRegistry::CreateKey(const String& key) {
    TPath saved = FCurrentPath;
    bool readOnly = FReadOnly;
    bool existed = KeyExists(key);
    if (!existed) OpenKey(key, true);
    FCurrentPath = std::move(saved);
    FReadOnly = readOnly;
    return !existed;
}

void TRegistry::CloseKey() {
    FCurrentPath.clear();
    FReadOnly = false;
}

String TRegistry::CurrentPath() const {
    String path;
    for (const String& name : FCurrentPath) {
        if (!path.empty()) path += '\\';
        path += name;
    }
    return path;
}

bool TRegistry::KeyExists(const String& key) {
    Sync();
    return Find(PathOf(key)) != nullptr;
}

bool TRegistry::DeleteKey(const String& key) {
    Sync();
    TPath path = PathOf(key);
    if (path.empty()) return false;
    String name = path.back();
    path.pop_back();
    TRegKey* parent = Find(path);
    if (!parent || parent->Keys.erase(name) == 0) return false;
    Save();
    return true;
}

bool TRegistry::HasSubKeys() {
    Sync();
    TRegKey* node = Current();
    return node && !node->Keys.empty();
}

void TRegistry::GetKeyNames(TStrings* strings) {
    Sync();
    TStringsUpdate update(*strings);
    strings->Clear();
    if (TRegKey* node = Current())
        for (const auto& entry : node->Keys) strings->Add(entry.first);
}

void TRegistry::GetValueNames(TStrings* strings) {
    Sync();
    TStringsUpdate update(*strings);
    strings->Clear();
    if (TRegKey* node = Current())
        for (const auto& entry : node->Values) strings->Add(entry.first);
}

bool TRegistry::ValueExists(const String& name) {
    Sync();
    TRegKey* node = Current();
    return node && node->Values.count(name) > 0;
}

bool TRegistry::DeleteValue(const String& name) {
    Sync();
    TRegKey* node = Current();
    if (!node || !node->Values.count(name)) return false;
    CurrentForWriting().Values.erase(name);
    Save();
    return true;
}

TRegDataType TRegistry::GetDataType(const String& name) {
    Sync();
    TRegKey* node = Current();
    if (!node) return rdUnknown;
    auto it = node->Values.find(name);
    return it == node->Values.end() ? rdUnknown : it->second.Type;
}

int TRegistry::GetDataSize(const String& name) {
    Sync();
    TRegKey* node = Current();
    if (!node) return -1;
    auto it = node->Values.find(name);
    if (it == node->Values.end()) return -1;
    return it->second.Type == rdInteger ? 4 : static_cast<int>(it->second.Data.size());
}

TRegistry::TRegKey& TRegistry::CurrentForWriting() {
    TRegKey* node = Current();
    if (!node) throw ERegistryException(Format("Key \\%s does not exist", CurrentPath()));
    if (FReadOnly) throw ERegistryException(Format("Key \\%s is open for reading only", CurrentPath()));
    return *node;
}

const TRegistry::TRegValue& TRegistry::ValueForReading(const String& name, TRegDataType type) {
    Sync();
    if (TRegKey* node = Current()) {
        auto it = node->Values.find(name);
        if (it != node->Values.end()) {
            if (it->second.Type != type) RaiseInvalidType(name);
            return it->second;
        }
    }
    throw ERegistryException(Format("Failed to get data for '%s'", name));
}

void TRegistry::PutValue(const String& name, TRegValue value) {
    Sync();
    CurrentForWriting().Values[name] = std::move(value);
    Save();
}

String TRegistry::ReadString(const String& name) {
    Sync();
    TRegKey* node = Current();
    if (!node) return String();
    auto it = node->Values.find(name);
    if (it == node->Values.end()) return String();
    if (it->second.Type != rdString && it->second.Type != rdExpandString) RaiseInvalidType(name);
    return it->second.Data;
}

void TRegistry::WriteString(const String& name, const String& value) {
    PutValue(name, TRegValue{rdString, value, 0});
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
    PutValue(name, TRegValue{rdExpandString, value, 0});
}

int TRegistry::ReadInteger(const String& name) {
    return ValueForReading(name, rdInteger).Integer;
}

void TRegistry::WriteInteger(const String& name, int value) {
    PutValue(name, TRegValue{rdInteger, String(), value});
}

bool TRegistry::ReadBool(const String& name) {
    return ReadInteger(name) != 0;
}

void TRegistry::WriteBool(const String& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

std::vector<Byte> TRegistry::ReadBinaryData(const String& name) {
    const String& data = ValueForReading(name, rdBinary).Data;
    return std::vector<Byte>(data.begin(), data.end());
}

int TRegistry::ReadBinaryData(const String& name, void* buffer, int bufSize) {
    const String& data = ValueForReading(name, rdBinary).Data;
    if (static_cast<Int64>(data.size()) > bufSize)
        throw ERegistryException(
            Format("Buffer of %d bytes is too small for the %d bytes of '%s'", bufSize, data.size(), name));
    if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const String& name, const void* buffer, int bufSize) {
    if (bufSize < 0 || (bufSize > 0 && !buffer))
        throw ERegistryException(Format("Cannot write %d bytes of binary data to '%s'", bufSize, name));
    PutValue(name, TRegValue{rdBinary, String(static_cast<const char*>(buffer), static_cast<size_t>(bufSize)), 0});
}

// ---------------------------------------------------------------------------------------------
// TRegistryIniFile

TRegistryIniFile::TRegistryIniFile(const String& key) : TCustomIniFile(key) {}

TRegistryIniFile::TRegistryIniFile(const String& key, const String& storeFileName)
    : TCustomIniFile(key), FRegistry(storeFileName) {}

String TRegistryIniFile::SectionKey(const String& section) const {
    String key = "\\" + FFileName;
    if (!section.empty()) key += "\\" + section;
    return key;
}

bool TRegistryIniFile::OpenSection(const String& section, bool canCreate) {
    return FRegistry.OpenKey(SectionKey(section), canCreate);
}

String TRegistryIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    if (!OpenSection(section, false)) return defaultValue;
    switch (FRegistry.GetDataType(ident)) {
    case rdString:
    case rdExpandString:
        return FRegistry.ReadString(ident);
    case rdInteger:
        return IntToStr(FRegistry.ReadInteger(ident));
    default:
        return defaultValue;
    }
}

void TRegistryIniFile::WriteString(const String& section, const String& ident, const String& value) {
    OpenSection(section, true);
    FRegistry.WriteString(ident, value);
}

int TRegistryIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) {
    if (OpenSection(section, false) && FRegistry.GetDataType(ident) == rdInteger) return FRegistry.ReadInteger(ident);
    return TCustomIniFile::ReadInteger(section, ident, defaultValue);
}

void TRegistryIniFile::WriteInteger(const String& section, const String& ident, int value) {
    OpenSection(section, true);
    FRegistry.WriteInteger(ident, value);
}

bool TRegistryIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
    if (OpenSection(section, false) && FRegistry.GetDataType(ident) == rdInteger) return FRegistry.ReadBool(ident);
    return TCustomIniFile::ReadBool(section, ident, defaultValue);
}

void TRegistryIniFile::WriteBool(const String& section, const String& ident, bool value) {
    OpenSection(section, true);
    FRegistry.WriteBool(ident, value);
}

void TRegistryIniFile::ReadSection(const String& section, TStrings* strings) {
    if (OpenSection(section, false))
        FRegistry.GetValueNames(strings);
    else
        strings->Clear();
}

void TRegistryIniFile::ReadSections(TStrings* strings) {
    if (OpenSection(String(), false))
        FRegistry.GetKeyNames(strings);
    else
        strings->Clear();
}

void TRegistryIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    TStringList names;
    ReadSection(section, &names);
    TStringsUpdate update(*strings);
    strings->Clear();
    for (int i = 0; i < names.Count(); ++i)
        strings->Add(names.Strings(i) + "=" + ReadString(section, names.Strings(i), String()));
}

void TRegistryIniFile::EraseSection(const String& section) {
    FRegistry.DeleteKey(SectionKey(section));
}

void TRegistryIniFile::DeleteKey(const String& section, const String& ident) {
    if (OpenSection(section, false)) FRegistry.DeleteValue(ident);
}

bool TRegistryIniFile::SectionExists(const String& section) {
    return FRegistry.KeyExists(SectionKey(section));
}

bool TRegistryIniFile::ValueExists(const String& section, const String& ident) {
    return OpenSection(section, false) && FRegistry.ValueExists(ident);
}

} // namespace dw
