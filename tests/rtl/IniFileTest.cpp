#include "framework/rtl/Exceptions.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace dw;

namespace {

class IniFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dw-ini-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        FDir = pattern;
        FFile = FDir + "/settings.ini";
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    void Put(const String& text) const { std::ofstream(FFile, std::ios::binary) << text; }
    String Contents() const {
        std::ifstream in(FFile, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    String FDir;
    String FFile;
};

String Joined(const TStrings& list) {
    String out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "|" : "") + list.Strings(i);
    return out;
}

} // namespace

TEST_F(IniFile, UpdateKeepsCommentsBlankLinesOrderAndOddLines) {
    Put("; written by hand\n"
        "\n"
        "[Window]\n"
        "; size in pixels\n"
        "Width = 640\n"
        "Height=480\n"
        "this line is not a key\n"
        "\n"
        "[Editor]\n"
        "Font=Courier\n");
    TMemIniFile ini(FFile);
    ini.WriteInteger("window", "WIDTH", 800);
    ini.WriteString("Window", "Left", "10");
    ini.WriteString("Recent", "File1", "a.dfm");
    ini.DeleteKey("Editor", "Font");
    ini.WriteBool("Editor", "Wrap", true);
    ini.UpdateFile();
    EXPECT_EQ(Contents(), "; written by hand\n"
                          "\n"
                          "[Window]\n"
                          "; size in pixels\n"
                          "Width=800\n"
                          "Height=480\n"
                          "Left=10\n"
                          "this line is not a key\n"
                          "\n"
                          "[Editor]\n"
                          "Wrap=1\n"
                          "\n"
                          "[Recent]\n"
                          "File1=a.dfm\n");
    // An unchanged file reads and writes back byte for byte.
    String before = Contents();
    TMemIniFile again(FFile);
    again.UpdateFile();
    EXPECT_EQ(Contents(), before);
}

TEST_F(IniFile, TypedValuesAndDefaults) {
    Put("[S]\n"
        "Int=-42\nHex=0x1F\nDollar=$10\nBad=12a\n"
        "One=1\nZero=0\nTrue=TRUE\nFalse=false\nTwo=2\nYes=yes\n"
        "Float=1.5\nNotFloat=x\n");
    TMemIniFile ini(FFile);
    struct IntCase {
        const char* key;
        int expected;
    } ints[] = {{"Int", -42}, {"Hex", 31}, {"Dollar", 16}, {"Bad", 7}, {"Missing", 7}};
    for (auto& c : ints) EXPECT_EQ(ini.ReadInteger("S", c.key, 7), c.expected) << c.key;
    struct BoolCase {
        const char* key;
        bool defaultValue;
        bool expected;
    } bools[] = {{"One", false, true}, {"Zero", true, false}, {"True", false, true}, {"False", true, false},
                 {"Two", false, true}, {"Yes", false, false}, {"Yes", true, true},   {"Missing", true, true}};
    for (auto& c : bools) EXPECT_EQ(ini.ReadBool("S", c.key, c.defaultValue), c.expected) << c.key;
    EXPECT_EQ(ini.ReadFloat("S", "Float", 0), 1.5);
    EXPECT_EQ(ini.ReadFloat("S", "NotFloat", 2.5), 2.5);
    EXPECT_EQ(ini.ReadString("S", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Nowhere", "Int", "dflt"), "dflt");

    ini.WriteBool("T", "On", true);
    ini.WriteBool("T", "Off", false);
    ini.WriteFloat("T", "Ratio", 0.1);
    ini.WriteInteger("T", "Neg", -5);
    EXPECT_EQ(ini.ReadString("T", "On", ""), "1");
    EXPECT_EQ(ini.ReadString("T", "Off", ""), "0");
    EXPECT_EQ(ini.ReadFloat("T", "Ratio", 0), 0.1);
    EXPECT_EQ(ini.ReadInteger("T", "Neg", 0), -5);
}

TEST_F(IniFile, ValuesRoundTripThroughTheFile) {
    const char* values[] = {" padded ",
                            "\"quoted\"",
                            "",
                            "a=b=c",
                            "; not a comment",
                            "[not a section]",
                            "Gr\xC3\xBC\xC3\x9F"
                            "e",
                            "\"",
                            "tab\tinside"};
    {
        TMemIniFile ini(FFile);
        for (size_t i = 0; i < std::size(values); ++i) ini.WriteString("Values", "Key" + IntToStr(i), values[i]);
        ini.UpdateFile();
    }
    TMemIniFile ini(FFile);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(ini.ReadString("Values", "Key" + IntToStr(i), "?"), values[i]) << values[i];
}

TEST_F(IniFile, SectionsAndKeysIgnoreCase) {
    Put("[Main]\nName=first\n[Other]\nx=1\n[MAIN]\nname=second\nExtra=yes\n");
    TMemIniFile ini(FFile);
    // A section that appears twice reads as one; the first of two equal keys counts.
    EXPECT_EQ(ini.ReadString("main", "NAME", ""), "first");
    EXPECT_EQ(ini.ReadString("Main", "extra", ""), "yes");
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Joined(list), "Main|Other");
    ini.ReadSection("main", &list);
    EXPECT_EQ(Joined(list), "Name|Extra");
    ini.ReadSectionValues("MAIN", &list);
    EXPECT_EQ(Joined(list), "Name=first|Extra=yes");
    EXPECT_TRUE(ini.SectionExists("other"));
    EXPECT_TRUE(ini.ValueExists("OTHER", "X"));
    EXPECT_FALSE(ini.ValueExists("Other", "y"));
    EXPECT_FALSE(ini.SectionExists("none"));
    ini.EraseSection("other");
    EXPECT_FALSE(ini.SectionExists("Other"));
    ini.ReadSections(&list);
    EXPECT_EQ(Joined(list), "Main");
    ini.ReadSection("Other", &list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFile, ByteOrderMarkAndAnyLineBreakAreRead) {
    Put("\xEF\xBB\xBF[A]\r\nx=1\r\ny=2\r[B]\rz=3");
    TMemIniFile ini(FFile);
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    EXPECT_EQ(ini.ReadInteger("B", "z", 0), 3);
}

TEST_F(IniFile, NamesAndValuesThatWouldNotReadBackRaise) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"S", "a=b", "v"}, {"S", "line\nbreak", "v"}, {"S", "k", "two\nlines"}, {"S", "k", "cr\r"},
        {"S", "", "v"},    {"S", " padded", "v"},     {"S", ";comment", "v"},   {"S", "[x]", "v"},
        {"", "k", "v"},    {"a\nb", "k", "v"},        {" S", "k", "v"},
    };
    TMemIniFile ini(FFile);
    for (auto& c : cases) {
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException) << c.section << "/" << c.key;
    }
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Count(), 0) << "a refused write leaves nothing behind";
}

TEST_F(IniFile, FileThatCannotBeWrittenRaisesNamingIt) {
    Put("not a folder");
    String path = FFile + "/inside.ini";
    TMemIniFile ini(path);
    ini.WriteString("S", "k", "v");
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "UpdateFile did not raise";
    } catch (const EIniFileException& e) {
        EXPECT_NE(e.Message().find(path), String::npos) << e.Message();
    }
    TIniFile writeThrough(path);
    EXPECT_THROW(writeThrough.WriteString("S", "k", "v"), EIniFileException);
    EXPECT_FALSE(writeThrough.ValueExists("S", "k")) << "what failed to reach the file is not kept either";
}

TEST_F(IniFile, MemoryOnlyFileAndStrings) {
    TMemIniFile ini("");
    TStringList lines;
    lines.SetText("[A]\nx=1\n; note\n[B]\n; only a comment\n\n");
    ini.SetStrings(&lines);
    ini.WriteString("A", "y", "2");
    ini.WriteString("B", "z", "3");
    ini.UpdateFile(); // nothing to write to, and no error
    TStringList out;
    ini.GetStrings(&out);
    EXPECT_EQ(out.Text(), "[A]\nx=1\ny=2\n; note\n[B]\n; only a comment\nz=3\n\n");
}

TEST_F(IniFile, IniFileWritesThroughAndSharesTheFile) {
    TIniFile first(FFile);
    TIniFile second(FFile);
    first.WriteString("S", "a", "1");
    EXPECT_EQ(Contents(), "[S]\na=1\n");
    EXPECT_EQ(second.ReadString("S", "a", ""), "1");
    // Neither object undoes what the other wrote.
    second.WriteString("S", "b", "2");
    first.WriteString("S", "c", "3");
    EXPECT_EQ(Contents(), "[S]\na=1\nb=2\nc=3\n");
    first.DeleteKey("S", "a");
    EXPECT_FALSE(second.ValueExists("S", "a"));
    second.EraseSection("S");
    EXPECT_EQ(Contents(), "");
    EXPECT_FALSE(first.SectionExists("S"));
}
