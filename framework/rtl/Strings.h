// TStrings, the abstract list of text lines with an object per line: name=value helpers, text,
// comma and delimited forms, files and streams, update blocks, and streaming as "Strings".
#pragma once

#include "framework/rtl/Persistent.h"

namespace dw {

class TReader;
class TStream;
class TWriter;

class TStrings : public TPersistent {
    DW_CLASS(TStrings, TPersistent)
    TStrings() = default;

    // What a descendant stores. Index errors raise EStringListError "List index out of bounds (%d)".
    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;
    virtual TObject* GetObject(int index) const { return (void)index, nullptr; }
    // The default deletes the line and inserts the new text with the same object.
    virtual void Put(int index, const String& s);
    virtual void PutObject(int index, TObject* obj) { (void)index, (void)obj; }
    virtual void Insert(int index, const String& s) = 0;
    virtual void InsertObject(int index, const String& s, TObject* obj);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Capacity() const { return Count(); }
    virtual void SetCapacity(int newCapacity) { (void)newCapacity; }

    String Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* obj);
    void Append(const String& s) { Add(s); }
    // Adds every line (and its object) of strings.
    virtual void AddStrings(const TStrings* strings);
    // Exchange and Move keep each line's object with it.
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    // The first line equal to s (as CompareStrings decides), or -1.
    virtual int IndexOf(const String& s) const;
    int IndexOfName(const String& name) const;
    int IndexOfObject(const TObject* obj) const;
    // Same count and the same lines, compared exactly.
    bool Equals(const TStrings* strings) const;

    // Name=value lines. A line without the separator has the name "".
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char value) { FNameValueSeparator = value; }
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const String& value);
    // The value of the first line named name, or "" when there is none.
    String Values(const String& name) const;
    // Replaces the value of the line named name, adds a line when there is none, and deletes the
    // line when value is empty.
    void SetValue(const String& name, const String& value);

    // Every line followed by a line feed ("\n"). SetText accepts CR LF, LF and CR line breaks;
    // a break at the very end does not start another line.
    String Text() const;
    virtual void SetText(std::string_view text);

    // Items separated by Delimiter. An item containing a space or control character, the
    // delimiter or the quote character is written between QuoteChar with that character doubled;
    // one empty line is written as two quote characters. On reading, unquoted items also end at
    // whitespace, unless StrictDelimiter is set.
    String DelimitedText() const;
    void SetDelimitedText(std::string_view text);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char value) { FDelimiter = value; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char value) { FQuoteChar = value; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool value) { FStrictDelimiter = value; }
    // DelimitedText with a comma and a double quote, whatever Delimiter and QuoteChar are.
    String CommaText() const;
    void SetCommaText(std::string_view text);

    // UTF-8 text; a UTF-8 byte order mark at the start is skipped on loading.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName) const;

    // Nested update blocks; descendants hear about the outermost one through SetUpdateState.
    void BeginUpdate();
    void EndUpdate();

    void Assign(const TPersistent* source) override;
    // Streams the lines as the non-published property "Strings".
    void DefineProperties(TFiler* filer) override;

protected:
    // Negative, zero or positive as a sorts before, equal to or after b; without regard to case.
    virtual int CompareStrings(const String& a, const String& b) const;
    // Replaces the text of a line for the name=value helpers; a sorted list re-sorts it instead
    // of refusing the change.
    virtual void ReplaceLine(int index, const String& s) { Put(index, s); }
    virtual void SetUpdateState(bool updating) { (void)updating; }
    int UpdateCount() const { return FUpdateCount; }
    [[noreturn]] static void Error(const char* message, int index);

private:
    String GetDelimitedText(char delimiter, char quoteChar, bool strict) const;
    void SetDelimitedText(std::string_view text, char delimiter, char quoteChar, bool strict);
    void ReadData(TReader* reader);
    void WriteData(TWriter* writer) const;

    int FUpdateCount = 0;
    char FNameValueSeparator = '=';
    char FDelimiter = ',';
    char FQuoteChar = '"';
    bool FStrictDelimiter = false;
};

// Runs BeginUpdate now and EndUpdate when it goes out of scope, also on an exception.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings& strings) : FStrings(strings) { FStrings.BeginUpdate(); }
    ~TStringsUpdate() { FStrings.EndUpdate(); }
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStrings& FStrings;
};

} // namespace dw
