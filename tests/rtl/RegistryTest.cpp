#include "framework/rtl/Registry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StringList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

using namespace dw;

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dw-registry-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        FDir = pattern;
        FFile = FDir + "/draftwell/registry.ini";
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    void Put(const String& text) const {
        std::filesystem::create_directories(FDir + "/draftwell");
        std::ofstream(FFile, std::ios::binary) << text;
    }
    String Contents() const {
        std::ifstream in(FFile, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    String FDir;
    String FFile;
};

// Sets environment variables for one scope and puts the old values back.
class TEnvironment {
public:
    void Set(const char* name, const char* value) {
        if (!FSaved.count(name)) {
            const char* old = std::getenv(name);
            FSaved[name] = old ? std::optional<String>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TEnvironment() {
        for (auto& [name, value] : FSaved)
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
    }

private:
    std::map<String, std::optional<String>> FSaved;
};

String Joined(const TStrings& list) {
    String out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "|" : "") + list.Strings(i);
    return out;
}

String AllBytes() {
    String bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

} // namespace

TEST_F(Registry, EveryValueTypeSurvivesAReopen) {
    const String text = "quote \" backslash \\ newline \n tab \t cr \r nul " + String(1, '\0') +
                        " bell \x07 del \x7F utf8 Gr\xC3\xBC\xC3\x9F"
                        "e bad \xFF\xC3 end";
    const String oddKey = "50% [off] \"quoted\" = Gr\xC3\xBC\xC3\x9F"
                          "e \x01\xFE";
    const String oddName = "a\"b\\c=d\n]";
    {
        TRegistry reg(FFile);
        ASSERT_TRUE(reg.OpenKey("Software\\Draftwell\\" + oddKey, true));
        reg.WriteString("Text", text);
        reg.WriteString("", "the default value");
        reg.WriteString(oddName, "odd name");
        reg.WriteExpandString("Path", "$HOME/x");
        reg.WriteInteger("Min", INT32_MIN);
        reg.WriteInteger("Max", INT32_MAX);
        reg.WriteBool("Yes", true);
        reg.WriteBool("No", false);
        String bytes = AllBytes();
        reg.WriteBinaryData("Bytes", bytes.data(), static_cast<int>(bytes.size()));
        reg.WriteBinaryData("Empty", nullptr, 0);
    }
    TRegistry reg(FFile);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\draftwell\\" + oddKey, false));
    EXPECT_EQ(reg.ReadString("Text"), text);
    EXPECT_EQ(reg.ReadString(""), "the default value");
    EXPECT_EQ(reg.ReadString(oddName), "odd name");
    EXPECT_EQ(reg.ReadString("Path"), "$HOME/x");
    EXPECT_EQ(reg.GetDataType("Path"), rdExpandString);
    EXPECT_EQ(reg.GetDataType("Text"), rdString);
    EXPECT_EQ(reg.ReadInteger("Min"), INT32_MIN);
    EXPECT_EQ(reg.ReadInteger("Max"), INT32_MAX);
    EXPECT_TRUE(reg.ReadBool("Yes"));
    EXPECT_FALSE(reg.ReadBool("No"));
    EXPECT_EQ(reg.GetDataType("Yes"), rdInteger);
    std::vector<Byte> bytes = reg.ReadBinaryData("Bytes");
    EXPECT_EQ(String(bytes.begin(), bytes.end()), AllBytes());
    EXPECT_TRUE(reg.ReadBinaryData("Empty").empty());
    EXPECT_EQ(reg.GetDataType("Empty"), rdBinary);
    EXPECT_EQ(reg.GetDataSize("Bytes"), 256);
    EXPECT_EQ(reg.GetDataSize("Max"), 4);
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    TStringList names;
    reg.OpenKey("\\Software\\Draftwell", false);
    reg.GetKeyNames(&names);
    EXPECT_EQ(Joined(names), oddKey);
}

TEST_F(Registry, FileIsPlainTextWithOneLinePerKeyAndValue) {
    {
        TRegistry reg(FFile);
        reg.OpenKey("Software\\Empty", true);
        reg.OpenKey("\\Software\\Draftwell", true);
        reg.WriteInteger("Width", 320);
        reg.WriteString("Caption", "Say \"hi\"\n");
        unsigned char blob[] = {0x00, 0xAB, 0x10};
        reg.WriteBinaryData("Blob", blob, 3);
        reg.OpenKey("\\Odd]Key%", true);
    }
    EXPECT_EQ(Contents(), "; Draftwell settings store. Keys: [ROOT\\path]; values: \"name\"=type:data.\n"
                          "\n[HKEY_CURRENT_USER\\Odd%5dKey%25]\n"
                          "\n[HKEY_CURRENT_USER\\Software]\n"
                          "\n[HKEY_CURRENT_USER\\Software\\Draftwell]\n"
                          "\"Blob\"=binary:00ab10\n"
                          "\"Caption\"=string:\"Say \\\"hi\\\"\\n\"\n"
                          "\"Width\"=integer:320\n"
                          "\n[HKEY_CURRENT_USER\\Software\\Empty]\n");
}

TEST_F(Registry, KeysOpenRelativeToTheCurrentOneOrToTheRoot) {
    TRegistry reg(FFile);
    EXPECT_FALSE(reg.OpenKey("Software\\Draftwell", false));
    EXPECT_EQ(reg.CurrentPath(), "");
    ASSERT_TRUE(reg.OpenKey("Software\\Draftwell", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Draftwell");
    ASSERT_TRUE(reg.OpenKey("Editors\\", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Draftwell\\Editors");
    EXPECT_FALSE(reg.OpenKey("\\Other", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Draftwell\\Editors") << "a failed open keeps the current key";
    EXPECT_TRUE(reg.KeyExists("\\software\\DRAFTWELL"));
    EXPECT_FALSE(reg.KeyExists("Software"));
    ASSERT_TRUE(reg.OpenKey("\\Software", false));
    EXPECT_TRUE(reg.HasSubKeys());
    EXPECT_TRUE(reg.CreateKey("Zeta"));
    EXPECT_TRUE(reg.CreateKey("alpha\\deep"));
    EXPECT_FALSE(reg.CreateKey("ALPHA"));
    EXPECT_EQ(reg.CurrentPath(), "Software");
    TStringList names;
    reg.GetKeyNames(&names);
    EXPECT_EQ(Joined(names), "alpha|Draftwell|Zeta");
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.KeyExists("Software\\Zeta"));
}

TEST_F(Registry, ValuesAndKeysCanBeListedAndDeleted) {
    TRegistry reg(FFile);
    reg.OpenKey("\\A\\B", true);
    reg.WriteInteger("x", 1);
    reg.WriteString("Y", "2");
    reg.OpenKey("C\\D", true);
    reg.WriteInteger("deep", 3);
    reg.OpenKey("\\A\\B", false);
    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(Joined(names), "x|Y");
    EXPECT_TRUE(reg.ValueExists("X"));
    EXPECT_TRUE(reg.DeleteValue("x"));
    EXPECT_FALSE(reg.DeleteValue("x"));
    EXPECT_FALSE(reg.ValueExists("x"));
    EXPECT_TRUE(reg.DeleteKey("C"));
    EXPECT_FALSE(reg.KeyExists("C\\D"));
    EXPECT_FALSE(reg.DeleteKey("C"));
    EXPECT_FALSE(reg.DeleteKey("\\")) << "a root key cannot be deleted";
    TRegistry other(FFile);
    ASSERT_TRUE(other.OpenKey("\\A\\B", false));
    EXPECT_FALSE(other.HasSubKeys());
    EXPECT_EQ(other.ReadString("y"), "2");
}

TEST_F(Registry, ReadingAnotherTypeRaisesNamingTheValue) {
    TRegistry reg(FFile);
    reg.OpenKey("Settings", true);
    reg.WriteString("Width", "120");
    reg.WriteInteger("Height", 80);
    reg.WriteBinaryData("Blob", "ab", 2);
    struct Case {
        const char* what;
        std::function<void()> read;
        const char* message;
    } cases[] = {
        {"integer of a string", [&] { reg.ReadInteger("Width"); }, "Invalid data type for 'Width'"},
        {"bool of a string", [&] { reg.ReadBool("Width"); }, "Invalid data type for 'Width'"},
        {"string of an integer", [&] { reg.ReadString("Height"); }, "Invalid data type for 'Height'"},
        {"binary of an integer", [&] { reg.ReadBinaryData("Height"); }, "Invalid data type for 'Height'"},
        {"integer of binary", [&] { reg.ReadInteger("Blob"); }, "Invalid data type for 'Blob'"},
        {"missing integer", [&] { reg.ReadInteger("Depth"); }, "Failed to get data for 'Depth'"},
        {"too small a buffer",
         [&] {
             char one;
             reg.ReadBinaryData("Blob", &one, 1);
         },
         "Buffer of 1 bytes is too small for the 2 bytes of 'Blob'"},
    };
    for (auto& c : cases) {
        try {
            c.read();
            ADD_FAILURE() << c.what << " did not raise";
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
    }
    EXPECT_EQ(reg.ReadString("Missing"), "");
    char two[2];
    EXPECT_EQ(reg.ReadBinaryData("Blob", two, 2), 2);
    EXPECT_EQ(String(two, 2), "ab");
}

TEST_F(Registry, CorruptFileRaisesAClearErrorAndIsNotOverwritten) {
    struct Case {
        const char* text;
        int line;
        const char* reason;
    } cases[] = {
        {"[HKEY_NOWHERE\\a]", 1, "unknown root key \"HKEY_NOWHERE\""},
        {"; comment\n\"x\"=integer:1", 2, "a value comes before any key"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=integer:12a", 2, "\"12a\" is not an integer"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=integer:2147483648", 2, "integer 2147483648 is out of range"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=string:\"open", 2, "unterminated string"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=string:\"a\\q\"", 2, "unknown escape \\q"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=string:\"a\" tail", 2, "text after the closing quote"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=binary:abc", 2, "binary data has an odd number of digits"},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=float:1.5", 2, "unknown value type \"float\""},
        {"[HKEY_CURRENT_USER\\a]\n\"x\"=integer:1\n\"X\"=integer:2", 3, "value \"X\" occurs twice in one key"},
        {"[HKEY_CURRENT_USER\\a%zz]", 1, "bad escape in key name \"a%zz\""},
        {"[HKEY_CURRENT_USER\\a\\\\b]", 1, "empty key name"},
        {"[HKEY_CURRENT_USER\\a", 1, "a key line must end with \"]\""},
        {"[HKEY_CURRENT_USER]\nWidth=3", 2, "expected a [key] or a \"name\"=type:data line"},
        {"[HKEY_CURRENT_USER]\n\"x\"integer:1", 2, "expected \"=\" after the value name"},
    };
    for (auto& c : cases) {
        Put(c.text);
        TRegistry reg(FFile);
        try {
            reg.OpenKey("a", false);
            ADD_FAILURE() << c.text << " was read";
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), Format("Settings file %s is corrupt at line %d: %s", FFile, c.line, c.reason));
        }
        EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
        EXPECT_EQ(Contents(), c.text) << "a corrupt file is left for the user to repair";
    }
}

TEST_F(Registry, RootKeysHoldSeparateTrees) {
    TRegistry reg(FFile);
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    reg.OpenKey("Software", true);
    reg.WriteInteger("Where", 1);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_FALSE(reg.KeyExists("Software"));
    reg.OpenKey("Software", true);
    reg.WriteInteger("Where", 2);
    TRegistry other(FFile);
    other.OpenKey("Software", false);
    EXPECT_EQ(other.ReadInteger("Where"), 1);
    other.SetRootKey(HKEY_LOCAL_MACHINE);
    other.OpenKey("Software", false);
    EXPECT_EQ(other.ReadInteger("Where"), 2);
    EXPECT_THROW(other.SetRootKey(0x12345678), ERegistryException);
}

TEST_F(Registry, ObjectsSharingTheFileSeeEachOthersChanges) {
    TRegistry first(FFile), second(FFile);
    first.OpenKey("Shared", true);
    second.OpenKey("Shared", true);
    first.WriteInteger("a", 1);
    EXPECT_EQ(second.ReadInteger("a"), 1);
    second.WriteInteger("b", 2);
    first.WriteInteger("c", 3);
    TRegistry third(FFile);
    third.OpenKey("Shared", false);
    TStringList names;
    third.GetValueNames(&names);
    EXPECT_EQ(Joined(names), "a|b|c");
    // A key deleted under another object's feet is gone for it too.
    third.DeleteKey("\\Shared");
    EXPECT_FALSE(first.ValueExists("a"));
    EXPECT_EQ(first.ReadString("a"), "");
    EXPECT_THROW(first.WriteInteger("d", 4), ERegistryException);
}

TEST_F(Registry, ReadOnlyKeyRefusesWrites) {
    TRegistry reg(FFile);
    reg.OpenKey("Key", true);
    reg.WriteInteger("x", 1);
    EXPECT_FALSE(reg.OpenKeyReadOnly("\\Missing"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Key"));
    EXPECT_EQ(reg.ReadInteger("x"), 1);
    EXPECT_THROW(reg.WriteInteger("x", 2), ERegistryException);
    EXPECT_THROW(reg.DeleteValue("x"), ERegistryException);
    EXPECT_EQ(reg.ReadInteger("x"), 1);
}

TEST_F(Registry, StoreThatCannotBeWrittenRaisesNamingTheFile) {
    Put("; fine\n");
    String file = FFile + "/registry.ini"; // a path through a file
    TRegistry reg(file);
    try {
        reg.OpenKey("Key", true);
        ADD_FAILURE() << "creating a key in an unwritable store did not raise";
    } catch (const ERegistryException& e) {
        EXPECT_NE(e.Message().find(file), String::npos) << e.Message();
    }
    EXPECT_FALSE(reg.KeyExists("Key")) << "what failed to reach the file is not kept either";
}

TEST_F(Registry, DefaultLocationFollowsTheEnvironment) {
    struct Case {
        const char* draftwellHome;
        const char* xdgHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/dw", "/xdg", "/home/u", "/dw/draftwell/registry.ini"},
        {nullptr, "/xdg", "/home/u", "/xdg/draftwell/registry.ini"},
        {"", "relative/xdg", "/home/u", "/home/u/.config/draftwell/registry.ini"},
        {nullptr, nullptr, "/home/u", "/home/u/.config/draftwell/registry.ini"},
    };
    for (auto& c : cases) {
        TEnvironment env;
        env.Set("DRAFTWELL_CONFIG_HOME", c.draftwellHome);
        env.Set("XDG_CONFIG_HOME", c.xdgHome);
        env.Set("HOME", c.home);
        EXPECT_EQ(TRegistry::DefaultFileName(), c.expected);
    }
    TEnvironment env;
    env.Set("DRAFTWELL_CONFIG_HOME", FDir.c_str());
    TRegistry reg;
    EXPECT_EQ(reg.FileName(), FFile);
    reg.OpenKey("Key", true);
    EXPECT_TRUE(std::filesystem::exists(FFile));
}

TEST_F(Registry, IniFileViewOfAKey) {
    TRegistryIniFile ini("\\Property Editors\\Collection Editor", FFile);
    ini.WriteInteger("TStatusPanels", "Width", 420);
    ini.WriteBool("TStatusPanels", "Toolbar", false);
    ini.WriteString("TStatusPanels", "Column0", "75");
    ini.WriteString("THeaderSections", "Note", "text");
    EXPECT_EQ(ini.ReadInteger("TStatusPanels", "Width", 0), 420);
    EXPECT_FALSE(ini.ReadBool("TStatusPanels", "Toolbar", true));
    EXPECT_TRUE(ini.ReadBool("TStatusPanels", "LargeButtons", true));
    EXPECT_EQ(ini.ReadInteger("TStatusPanels", "Column0", 0), 75) << "an integer stored as text reads as one";
    EXPECT_EQ(ini.ReadString("TStatusPanels", "Width", ""), "420");
    EXPECT_EQ(ini.ReadInteger("THeaderSections", "Note", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Missing", "Width", -1), -1);
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Joined(list), "THeaderSections|TStatusPanels");
    ini.ReadSectionValues("TStatusPanels", &list);
    EXPECT_EQ(Joined(list), "Column0=75|Toolbar=0|Width=420");
    EXPECT_TRUE(ini.ValueExists("TStatusPanels", "width"));
    ini.DeleteKey("TStatusPanels", "Width");
    EXPECT_FALSE(ini.ValueExists("TStatusPanels", "Width"));
    ini.EraseSection("THeaderSections");
    EXPECT_FALSE(ini.SectionExists("THeaderSections"));
    // The same store, seen as a registry: integers stay integers.
    TRegistry reg(FFile);
    ASSERT_TRUE(reg.OpenKey("\\Property Editors\\Collection Editor\\TStatusPanels", false));
    EXPECT_EQ(reg.GetDataType("Toolbar"), rdInteger);
}
