#include "framework/rtl/IniFiles.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/StringList.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dw {

DW_DEFINE_CLASS(TCustomIniFile) {}
DW_DEFINE_CLASS(TMemIniFile) {}
DW_DEFINE_CLASS(TIniFile) {}

// ---------------------------------------------------------------------------------------------
// Files

bool LoadFileText(const String& fileName, String& text, TFileStamp& stamp) {
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Also a path through something that is not a folder: such a file cannot exist.
        if (errno == ENOENT || errno == ENOTDIR) {
            text.clear();
            stamp = TFileStamp{};
            return false;
        }
        throw EFOpenError(Format("Cannot open file %s: %s", fileName, std::strerror(errno)));
    }
    struct stat st;
    String data;
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
    } else {
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                data.append(buffer, static_cast<size_t>(n));
            } else if (n == 0) {
                break;
            } else if (errno != EINTR) {
                error = errno;
                break;
            }
        }
    }
    ::close(fd);
    if (error) throw EFOpenError(Format("Cannot read file %s: %s", fileName, std::strerror(error)));
    text = std::move(data);
    stamp = FileStampOf(st);
    return true;
}

// ---------------------------------------------------------------------------------------------
// TCustomIniFile

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) {
    String text = Trim(ReadString(section, ident, String()));
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
    return StrToIntDef(text, defaultValue);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
    String text = Trim(ReadString(section, ident, String()));
    if (SameText(text, "true")) return true;
    if (SameText(text, "false")) return false;
    Int64 number;
    return TryStrToInt64(text, number) ? number != 0 : defaultValue;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const String& section, const String& ident, double defaultValue) {
    double value;
    return TryStrToFloat(Trim(ReadString(section, ident, String())), value) ? value : defaultValue;
}

void TCustomIniFile::WriteFloat(const String& section, const String& ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(const String& section) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.IndexOf(ident) >= 0;
}

// ---------------------------------------------------------------------------------------------
// TMemIniFile

namespace {
bool IsBlankChar(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
bool HasOuterBlanks(const String& s) {
    return !s.empty() && (IsBlankChar(s.front()) || IsBlankChar(s.back()));
}
bool HasLineBreak(const String& s) {
    return s.find_first_of("\r\n") != String::npos;
}

// Blanks at either end would be lost to trimming, and quotes at both ends to unquoting, so
// such values travel in quotes.
String EncodeValue(const String& value) {
    bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    return HasOuterBlanks(value) || quoted ? "\"" + value + "\"" : value;
}

String DecodeValue(const String& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

[[noreturn]] void RaiseBadName(const String& fileName, const char* what, const String& name, const char* reason) {
    throw EIniFileException(Format("Cannot write %s \"%s\" to %s: %s", what, name,
                                   fileName.empty() ? String("an INI file") : fileName, reason));
}

void CheckWritable(const String& fileName, const String& section, const String& ident, const String& value) {
    if (section.empty()) RaiseBadName(fileName, "section", section, "the name is empty");
    if (HasLineBreak(section)) RaiseBadName(fileName, "section", section, "the name contains a line break");
    if (HasOuterBlanks(section)) RaiseBadName(fileName, "section", section, "the name starts or ends with a blank");
    if (ident.empty()) RaiseBadName(fileName, "key", ident, "the name is empty");
    if (HasLineBreak(ident)) RaiseBadName(fileName, "key", ident, "the name contains a line break");
    if (HasOuterBlanks(ident)) RaiseBadName(fileName, "key", ident, "the name starts or ends with a blank");
    if (ident.find('=') != String::npos) RaiseBadName(fileName, "key", ident, "the name contains \"=\"");
    if (ident[0] == ';' || ident[0] == '[')
        RaiseBadName(fileName, "key", ident, "a name starting with \";\" or \"[\" would not read back as a key");
    if (HasLineBreak(value)) RaiseBadName(fileName, "the value of key", ident, "the value contains a line break");
}
} // namespace

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) {
    LoadValues();
}

void TMemIniFile::LoadValues() {
    String text;
    TFileStamp stamp;
    if (!FFileName.empty()) {
        try {
            LoadFileText(FFileName, text, stamp);
        } catch (const EStreamError& e) {
            throw EIniFileException(e.Message());
        }
    }
    Parse(text);
    FStamp = stamp;
}

void TMemIniFile::Parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    TStringList lines;
    lines.SetText(text);
    FPreamble.clear();
    FSections.clear();
    FSectionIndex.clear();
    std::vector<TIniLine>* target = &FPreamble;
    TIniSection* section = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        String raw = lines.Strings(i);
        String trimmed = Trim(raw);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            String name = Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
            section = FindSection(name);
            if (!section) {
                FSections.push_back(TIniSection{name, raw, {}, {}});
                section = &FSections.back();
                FSectionIndex.emplace(UpperCase(name), FSections.size() - 1);
            }
            target = &section->Lines;
            continue;
        }
        TIniLine line;
        line.Text = raw;
        size_t eq = trimmed.find('=');
        if (section && !trimmed.empty() && trimmed[0] != ';' && eq != String::npos && eq > 0) {
            line.IsValue = true;
            line.Key = TrimRight(std::string_view(trimmed).substr(0, eq));
            line.Value = DecodeValue(TrimLeft(std::string_view(trimmed).substr(eq + 1)));
        }
        target->push_back(std::move(line));
    }
    for (auto& s : FSections) IndexKeys(s);
}

String TMemIniFile::Compose() const {
    String text;
    auto put = [&text](const TIniLine& line) {
        text += line.IsValue && line.Modified ? line.Key + "=" + EncodeValue(line.Value) : line.Text;
        text += '\n';
    };
    for (const auto& line : FPreamble) put(line);
    for (const auto& section : FSections) {
        text += section.Header;
        text += '\n';
        for (const auto& line : section.Lines) put(line);
    }
    return text;
}

void TMemIniFile::IndexKeys(TIniSection& section) {
    section.Keys.clear();
    for (size_t i = 0; i < section.Lines.size(); ++i)
        if (section.Lines[i].IsValue) section.Keys.emplace(UpperCase(section.Lines[i].Key), i);
}

void TMemIniFile::IndexSections() {
    FSectionIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i) FSectionIndex.emplace(UpperCase(FSections[i].Name), i);
}

TMemIniFile::TIniSection* TMemIniFile::FindSection(const String& name) {
    auto it = FSectionIndex.find(UpperCase(name));
    return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

const TMemIniFile::TIniSection* TMemIniFile::FindSection(const String& name) const {
    auto it = FSectionIndex.find(UpperCase(name));
    return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

TMemIniFile::TIniSection& TMemIniFile::AddSection(const String& name) {
    // A blank line between the last line so far and the new section, as people write them.
    bool nothingYet = FSections.empty() && FPreamble.empty();
    std::vector<TIniLine>& last = FSections.empty() ? FPreamble : FSections.back().Lines;
    bool endsBlank = !last.empty() && !last.back().IsValue && Trim(last.back().Text).empty();
    if (!nothingYet && !endsBlank) last.push_back(TIniLine{});
    FSections.push_back(TIniSection{name, "[" + name + "]", {}, {}});
    FSectionIndex.emplace(UpperCase(name), FSections.size() - 1);
    return FSections.back();
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    const TIniSection* s = FindSection(section);
    if (!s) return defaultValue;
    auto it = s->Keys.find(UpperCase(ident));
    return it == s->Keys.end() ? defaultValue : s->Lines[it->second].Value;
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
    CheckWritable(FFileName, section, ident, value);
    TIniSection* s = FindSection(section);
    if (!s) s = &AddSection(section);
    auto it = s->Keys.find(UpperCase(ident));
    if (it != s->Keys.end()) {
        TIniLine& line = s->Lines[it->second];
        if (line.Value == value) return;
        line.Value = value;
        line.Modified = true;
        return;
    }
    // After the section's last key, so that a comment closing the section (often about the next
    // one) and the blank lines stay at its end; in a section without keys, after its last text.
    size_t place = s->Lines.size();
    while (place > 0 && !s->Lines[place - 1].IsValue) --place;
    if (place == 0) {
        place = s->Lines.size();
        while (place > 0 && Trim(s->Lines[place - 1].Text).empty()) --place;
    }
    TIniLine line;
    line.IsValue = true;
    line.Modified = true;
    line.Key = ident;
    line.Value = value;
    s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(place), std::move(line));
    IndexKeys(*s);
}

void TMemIniFile::ReadSection(const String& section, TStrings* strings) {
    TStringsUpdate update(*strings);
    strings->Clear();
    const TIniSection* s = FindSection(section);
    if (!s) return;
    for (size_t i = 0; i < s->Lines.size(); ++i) {
        const TIniLine& line = s->Lines[i];
        if (line.IsValue && s->Keys.at(UpperCase(line.Key)) == i) strings->Add(line.Key);
    }
}

void TMemIniFile::ReadSections(TStrings* strings) {
    TStringsUpdate update(*strings);
    strings->Clear();
    for (const auto& s : FSections) strings->Add(s.Name);
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    TStringsUpdate update(*strings);
    strings->Clear();
    const TIniSection* s = FindSection(section);
    if (!s) return;
    for (size_t i = 0; i < s->Lines.size(); ++i) {
        const TIniLine& line = s->Lines[i];
        if (line.IsValue && s->Keys.at(UpperCase(line.Key)) == i) strings->Add(line.Key + "=" + line.Value);
    }
}

void TMemIniFile::EraseSection(const String& section) {
    auto it = FSectionIndex.find(UpperCase(section));
    if (it == FSectionIndex.end()) return;
    FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexSections();
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
    TIniSection* s = FindSection(section);
    if (!s) return;
    auto it = s->Keys.find(UpperCase(ident));
    if (it == s->Keys.end()) return;
    s->Lines.erase(s->Lines.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexKeys(*s);
}

bool TMemIniFile::SectionExists(const String& section) {
    return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(const String& section, const String& ident) {
    const TIniSection* s = FindSection(section);
    return s && s->Keys.count(UpperCase(ident)) > 0;
}

void TMemIniFile::UpdateFile() {
    if (FFileName.empty()) return;
    try {
        FStamp = SaveFile(FFileName, Compose(), 0644);
    } catch (const EStreamError& e) {
        throw EIniFileException(e.Message());
    }
}

void TMemIniFile::Clear() {
    FPreamble.clear();
    FSections.clear();
    FSectionIndex.clear();
}

void TMemIniFile::GetStrings(TStrings* strings) const {
    strings->SetText(Compose());
}

void TMemIniFile::SetStrings(const TStrings* strings) {
    Parse(strings->Text());
}

void TMemIniFile::Rename(const String& fileName, bool reload) {
    FFileName = fileName;
    FStamp = TFileStamp{};
    if (reload) LoadValues();
}

// ---------------------------------------------------------------------------------------------
// TIniFile

void TIniFile::Refresh() {
    if (!FFileName.empty() && FileStampOf(FFileName) != FStamp) LoadValues();
}

template <class F> void TIniFile::Change(F change) {
    Refresh();
    change();
    {
        // What is in memory must not drift from the file: the next call reads the file again.
        auto undo = ScopeFail([&] {
            FStamp = TFileStamp{};
            FStamp.Size = -1;
        });
        UpdateFile();
    }
}

String TIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    Refresh();
    return TMemIniFile::ReadString(section, ident, defaultValue);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
    Change([&] { TMemIniFile::WriteString(section, ident, value); });
}

void TIniFile::ReadSection(const String& section, TStrings* strings) {
    Refresh();
    TMemIniFile::ReadSection(section, strings);
}

void TIniFile::ReadSections(TStrings* strings) {
    Refresh();
    TMemIniFile::ReadSections(strings);
}

void TIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    Refresh();
    TMemIniFile::ReadSectionValues(section, strings);
}

void TIniFile::EraseSection(const String& section) {
    Change([&] { TMemIniFile::EraseSection(section); });
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
    Change([&] { TMemIniFile::DeleteKey(section, ident); });
}

bool TIniFile::SectionExists(const String& section) {
    Refresh();
    return TMemIniFile::SectionExists(section);
}

bool TIniFile::ValueExists(const String& section, const String& ident) {
    Refresh();
    return TMemIniFile::ValueExists(section, ident);
}

} // namespace dw
