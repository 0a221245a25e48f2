#include "framework/rtl/Strings.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Stream.h"

#include <vector>

namespace dw {

DW_DEFINE_CLASS(TStrings) {}

void TStrings::Error(const char* message, int index) {
    throw EStringListError(Format(message, index));
}

int TStrings::CompareStrings(const String& a, const String& b) const {
    return CompareText(a, b);
}

void TStrings::Put(int index, const String& s) {
    TObject* obj = GetObject(index);
    TStringsUpdate update(*this);
    Delete(index);
    InsertObject(index, s, obj);
}

void TStrings::InsertObject(int index, const String& s, TObject* obj) {
    TStringsUpdate update(*this);
    Insert(index, s);
    PutObject(index, obj);
}

int TStrings::Add(const String& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* obj) {
    TStringsUpdate update(*this);
    int index = Add(s);
    PutObject(index, obj);
    return index;
}

void TStrings::AddStrings(const TStrings* strings) {
    if (!strings) return;
    // A copy first, so that adding a list to itself (or to a sorted list) sees each line once.
    std::vector<std::pair<String, TObject*>> lines;
    lines.reserve(static_cast<size_t>(strings->Count()));
    for (int i = 0; i < strings->Count(); ++i) lines.emplace_back(strings->Get(i), strings->GetObject(i));
    TStringsUpdate update(*this);
    for (auto& [s, obj] : lines) AddObject(s, obj);
}

void TStrings::Exchange(int index1, int index2) {
    TStringsUpdate update(*this);
    String s1 = Get(index1);
    TObject* obj1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, s1);
    PutObject(index2, obj1);
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    TStringsUpdate update(*this);
    String s = Get(curIndex);
    TObject* obj = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, obj);
}

int TStrings::IndexOf(const String& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& name) const {
    for (int i = 0; i < Count(); ++i) {
        String line = Get(i);
        size_t pos = line.find(FNameValueSeparator);
        if (pos != String::npos && CompareStrings(line.substr(0, pos), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

bool TStrings::Equals(const TStrings* strings) const {
    if (!strings || strings->Count() != Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != strings->Get(i)) return false;
    return true;
}

String TStrings::Names(int index) const {
    String line = Get(index);
    size_t pos = line.find(FNameValueSeparator);
    return pos == String::npos ? String() : line.substr(0, pos);
}

String TStrings::ValueFromIndex(int index) const {
    String line = Get(index);
    size_t pos = line.find(FNameValueSeparator);
    return pos == String::npos ? String() : line.substr(pos + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
    if (value.empty())
        Delete(index);
    else
        ReplaceLine(index, Names(index) + FNameValueSeparator + value);
}

String TStrings::Values(const String& name) const {
    int index = IndexOfName(name);
    return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValue(const String& name, const String& value) {
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(name + FNameValueSeparator + value);
    } else {
        ReplaceLine(index, name + FNameValueSeparator + value);
    }
}

String TStrings::Text() const {
    String text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += '\n';
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    TStringsUpdate update(*this);
    Clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') continue;
        Add(String(text.substr(start, i - start)));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) Add(String(text.substr(start)));
}

namespace {
bool IsBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}
} // namespace

String TStrings::GetDelimitedText(char delimiter, char quoteChar, bool strict) const {
    if (Count() == 1 && Get(0).empty() && quoteChar) return String(2, quoteChar);
    String result;
    for (int i = 0; i < Count(); ++i) {
        String s = Get(i);
        bool quote = false;
        for (char c : s)
            if (c == delimiter || (quoteChar && c == quoteChar) || (!strict && static_cast<unsigned char>(c) <= ' ')) {
                quote = quoteChar != '\0';
                break;
            }
        if (i > 0) result += delimiter;
        if (!quote) {
            result += s;
            continue;
        }
        result += quoteChar;
        for (char c : s) {
            result += c;
            if (c == quoteChar) result += c;
        }
        result += quoteChar;
    }
    return result;
}

void TStrings::SetDelimitedText(std::string_view text, char delimiter, char quoteChar, bool strict) {
    TStringsUpdate update(*this);
    Clear();
    size_t n = text.size();
    size_t p = 0;
    auto skipBlanks = [&] {
        if (!strict)
            while (p < n && IsBlank(text[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
        String item;
        if (quoteChar && text[p] == quoteChar) {
            // A doubled quote stands for one; an unterminated quote runs to the end.
            for (++p; p < n; ++p) {
                if (text[p] != quoteChar) {
                    item += text[p];
                } else if (p + 1 < n && text[p + 1] == quoteChar) {
                    item += quoteChar;
                    ++p;
                } else {
                    ++p;
                    break;
                }
            }
        } else {
            size_t start = p;
            while (p < n && text[p] != delimiter && (strict || !IsBlank(text[p]))) ++p;
            item = String(text.substr(start, p - start));
        }
        Add(item);
        skipBlanks();
        if (p < n && text[p] == delimiter) {
            // A delimiter at the very end ends with an empty item.
            if (p + 1 == n) Add(String());
            ++p;
            skipBlanks();
        }
    }
}

String TStrings::DelimitedText() const {
    return GetDelimitedText(FDelimiter, FQuoteChar, FStrictDelimiter);
}
void TStrings::SetDelimitedText(std::string_view text) {
    SetDelimitedText(text, FDelimiter, FQuoteChar, FStrictDelimiter);
}
String TStrings::CommaText() const {
    return GetDelimitedText(',', '"', false);
}
void TStrings::SetCommaText(std::string_view text) {
    SetDelimitedText(text, ',', '"', false);
}

void TStrings::LoadFromStream(TStream& stream) {
    std::vector<Byte> bytes = stream.ReadRemaining();
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    String text = Text();
    stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void TStrings::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const String& fileName) const {
    TMemoryStream memory;
    SaveToStream(memory);
    memory.SaveToFile(fileName);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    // An unmatched EndUpdate must not leave the count below zero and silence every later change.
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* source) {
    if (const TStrings* strings = As<TStrings>(source)) {
        if (strings == this) return;
        TStringsUpdate update(*this);
        Clear();
        AddStrings(strings);
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler* filer) {
    // Against an ancestor list, only lines that differ from the ancestor's are worth writing.
    const TStrings* ancestor = As<TStrings>(filer->Ancestor());
    bool hasData = ancestor ? !Equals(ancestor) : Count() > 0;
    filer->DefineProperty(
        "Strings", [this](TReader* reader) { ReadData(reader); }, [this](TWriter* writer) { WriteData(writer); },
        hasData);
}

void TStrings::ReadData(TReader* reader) {
    reader->ReadListBegin();
    {
        TStringsUpdate update(*this);
        Clear();
        while (!reader->EndOfList()) Add(reader->ReadString());
    }
    reader->ReadListEnd();
}

void TStrings::WriteData(TWriter* writer) const {
    writer->WriteListBegin();
    for (int i = 0; i < Count(); ++i) writer->WriteString(Get(i));
    writer->WriteListEnd();
}

} // namespace dw
