// Saving replaces a file whole or not at all, whoever saves: the routine itself, memory streams,
// string lists and pictures. A file-size limit stands in for a full disk.
#include "framework/controls/graphics/Bitmap.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FileSave.h"
#include "framework/rtl/StringList.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace dw::test {
namespace {

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = std::filesystem::temp_directory_path() / ("draftwell-savefile-" + std::to_string(getpid()));
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    String PathOf(const char* name) const { return (Dir / name).string(); }
    static String Read(const String& fileName) {
        std::ifstream in(fileName, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Write(const String& fileName, const String& text) { std::ofstream(fileName, std::ios::binary) << text; }
    // Everything in the folder: a failed save leaves no temporary file behind.
    std::vector<String> Files() const {
        std::vector<String> names;
        for (const auto& e : std::filesystem::directory_iterator(Dir)) names.push_back(e.path().filename().string());
        return names;
    }

    std::filesystem::path Dir;
};

// Files may grow to `bytes` while this lives: writing beyond fails as on a full disk.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &FSaved);
        FOldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = FSaved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FSaved);
        signal(SIGXFSZ, FOldHandler);
    }

private:
    rlimit FSaved{};
    sighandler_t FOldHandler;
};

TEST_F(SaveFileTest, AFailedSaveLeavesTheOldFileWholeWhoeverSaves) {
    TObjectPtr<TBitmap> picture(New<TBitmap>());
    picture->SetSize(64, 64);
    TStringList lines;
    for (int i = 0; i < 200; ++i) lines.Add("A line that makes the list longer than the disk allows");
    TMemoryStream stream;
    String big(8192, 'x');
    stream.WriteBuffer(big.data(), static_cast<Int64>(big.size()));
    struct TCase {
        const char* Saver;
        std::function<void(const String&)> Save;
    };
    const TCase cases[] = {
        {"SaveFile", [&](const String& f) { SaveFile(f, big); }},
        {"TMemoryStream::SaveToFile", [&](const String& f) { stream.SaveToFile(f); }},
        {"TStrings::SaveToFile", [&](const String& f) { lines.SaveToFile(f); }},
        {"TGraphic::SaveToFile", [&](const String& f) { picture->SaveToFile(f); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Saver);
        String fileName = PathOf("kept.txt");
        Write(fileName, "object Old: TForm\nend\n");
        {
            TFileSizeLimit fullDisk(1024);
            try {
                c.Save(fileName);
                ADD_FAILURE() << "saving past a full disk reported success";
            } catch (const EFCreateError& e) {
                EXPECT_NE(e.Message().find(fileName), String::npos) << e.Message();
            }
        }
        EXPECT_EQ(Read(fileName), "object Old: TForm\nend\n");
        EXPECT_EQ(Files(), std::vector<String>{"kept.txt"});
        // With room on the disk the same save replaces the file.
        c.Save(fileName);
        EXPECT_NE(Read(fileName), "object Old: TForm\nend\n");
        EXPECT_EQ(Files(), std::vector<String>{"kept.txt"});
    }
}

TEST_F(SaveFileTest, AReplacedFileKeepsItsPermissionsAndItsLinks) {
    String real = PathOf("real.dfm");
    String link = PathOf("link.dfm");
    Write(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    SaveFile(link, "new");
    EXPECT_EQ(Read(real), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link still points at the file";
    struct stat st;
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // A folder in the file's place cannot be replaced.
    EXPECT_THROW(SaveFile(Dir.string(), "x"), EFCreateError);
}

} // namespace
} // namespace dw::test
