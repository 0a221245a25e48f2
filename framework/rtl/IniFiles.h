// INI files: TCustomIniFile, the typed reading and writing of sections and keys; TMemIniFile, the
// whole file in memory, written back by UpdateFile; TIniFile, which writes through on every change.
// Also reading a whole file with its stamp, which settings stores share (SaveFile writes one).
#pragma once

#include "framework/rtl/FileSave.h"
#include "framework/rtl/Object.h"

#include <sys/types.h>
#include <unordered_map>
#include <vector>

namespace dw {

class TStrings;

// Reads a whole file; false when it does not exist. Raises EFOpenError naming the file when it
// exists but cannot be read.
bool LoadFileText(const String& fileName, String& text, TFileStamp& stamp);

class TCustomIniFile : public TObject {
    DW_CLASS(TCustomIniFile, TObject)
    explicit TCustomIniFile(String fileName) : FFileName(std::move(fileName)) {}
    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& section, const String& ident, const String& defaultValue) = 0;
    virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
    // Decimal, or hexadecimal written "0x..." or "$..."; anything else gives defaultValue.
    virtual int ReadInteger(const String& section, const String& ident, int defaultValue);
    virtual void WriteInteger(const String& section, const String& ident, int value);
    // "1" or "true" (any case) is true, "0" or "false" false, another integer true when not 0;
    // anything else gives defaultValue. Written as "1" or "0".
    virtual bool ReadBool(const String& section, const String& ident, bool defaultValue);
    virtual void WriteBool(const String& section, const String& ident, bool value);
    virtual double ReadFloat(const String& section, const String& ident, double defaultValue);
    virtual void WriteFloat(const String& section, const String& ident, double value);

    // Fill strings (cleared first) with the key names of a section, the section names, or the
    // name=value lines of a section.
    virtual void ReadSection(const String& section, TStrings* strings) = 0;
    virtual void ReadSections(TStrings* strings) = 0;
    virtual void ReadSectionValues(const String& section, TStrings* strings) = 0;
    virtual void EraseSection(const String& section) = 0;
    virtual void DeleteKey(const String& section, const String& ident) = 0;
    virtual bool SectionExists(const String& section);
    virtual bool ValueExists(const String& section, const String& ident);
    // Makes sure everything written so far is in the file.
    virtual void UpdateFile() = 0;

protected:
    String FFileName;
};

// Sections and keys compare without regard to case and keep the order of the file. Comments
// (";" lines), blank lines and lines that are neither a section, a key nor a comment are kept
// where they are; a line only changes when its key is written. A value with blanks at either end
// is written in double quotes, which reading removes. A section that occurs twice in a file is
// read as one, and the first of two equal keys in a section is the one that counts.
// Names and values that would not read back (line breaks, "=" in a key, ...) raise
// EIniFileException, as does a file that cannot be read or written; an empty file name keeps
// the file in memory only.
class TMemIniFile : public TCustomIniFile {
    DW_CLASS(TMemIniFile, TCustomIniFile)
    // Loads the file when it exists.
    explicit TMemIniFile(const String& fileName);

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void ReadSectionValues(const String& section, TStrings* strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    bool SectionExists(const String& section) override;
    bool ValueExists(const String& section, const String& ident) override;
    // Writes the whole file.
    void UpdateFile() override;

    void Clear();
    // The file's lines as they would be written, and the content taken from lines.
    void GetStrings(TStrings* strings) const;
    void SetStrings(const TStrings* strings);
    // Uses another file from now on, loading it when reload is set.
    void Rename(const String& fileName, bool reload);

protected:
    // Reads the file again (or empties the content when it does not exist).
    void LoadValues();
    // The file's stamp as of the last load or save.
    TFileStamp FStamp;

private:
    struct TIniLine {
        String Text; // as read; written back unless the value changed
        String Key;
        String Value;
        bool IsValue = false;
        bool Modified = false;
    };
    struct TIniSection {
        String Name;
        String Header;
        std::vector<TIniLine> Lines;
        std::unordered_map<String, size_t> Keys; // upper-case key to its first line
    };
    TIniSection* FindSection(const String& name);
    const TIniSection* FindSection(const String& name) const;
    TIniSection& AddSection(const String& name);
    static void IndexKeys(TIniSection& section);
    void IndexSections();
    void Parse(std::string_view text);
    String Compose() const;

    std::vector<TIniLine> FPreamble; // lines before the first section
    std::vector<TIniSection> FSections;
    std::unordered_map<String, size_t> FSectionIndex; // upper-case name to its place
};

// A TMemIniFile that reads the file again whenever it changed on disk and writes it after every
// change, so that several objects (and programs) working on one file do not undo each other.
class TIniFile : public TMemIniFile {
    DW_CLASS(TIniFile, TMemIniFile)
    explicit TIniFile(const String& fileName) : TMemIniFile(fileName) {}

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void ReadSectionValues(const String& section, TStrings* strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    bool SectionExists(const String& section) override;
    bool ValueExists(const String& section, const String& ident) override;

private:
    void Refresh();
    template <class F> void Change(F change);
};

} // namespace dw
