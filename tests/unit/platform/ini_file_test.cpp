#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace vt {
namespace {

struct ReadCase {
    const char* what;
    std::string content;
    std::string section;
    std::string key;
    std::string expected;
};

TEST(IniValueTest, ReadsByPrivateProfileRules) {
    const ReadCase cases[] = {
        {"empty file", "", "tem", "s", ""},
        {"CR LF lines", "[access_token]\r\nApiKey=abc\r\n[tem]\r\ns=2024115\r\n", "tem", "s",
         "2024115"},
        {"LF lines", "[access_token]\nApiKey=abc\n", "access_token", "ApiKey", "abc"},
        {"no final line end", "[tem]\r\ns=7", "tem", "s", "7"},
        {"missing key", "[tem]\r\nx=1\r\n", "tem", "s", ""},
        {"missing section", "[other]\r\ns=1\r\n", "tem", "s", ""},
        {"names ignore case", "[ACCESS_TOKEN]\r\napikey=abc\r\n", "access_token", "ApiKey", "abc"},
        {"blanks around names and value", "  [ tem ]  \r\n\t s = 2024115 \t\r\n", "tem", "s",
         "2024115"},
        {"value keeps inner equals", "[a]\r\nk=x=y\r\n", "a", "k", "x=y"},
        {"empty value", "[a]\r\nk=\r\n", "a", "k", ""},
        {"key of another section", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n", "b", "k", "2"},
        {"comment is no key", "[a]\r\n;k=1\r\nk=2\r\n", "a", "k", "2"},
        {"key before any section", "k=1\r\n[a]\r\nx=2\r\n", "a", "k", ""},
        {"first of two keys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "1"},
        {"key in a repeated section", "[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=3\r\n", "a", "k", "3"},
        {"two-byte names compare exactly", "[\x81\x41]\r\nk=1\r\n", "\x81\x61", "k", ""},
        {"two-byte name", "[\xB2\xE2]\r\nk=1\r\n", "\xB2\xE2", "k", "1"},
        {"header without bracket", "[tem\r\ns=5\r\n", "tem", "s", "5"},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(IniValue(c.content, c.section, c.key), c.expected) << c.what;
    }
}

struct WriteCase {
    const char* what;
    std::string content;
    std::string section;
    std::string key;
    std::string value;
    std::string expected;
};

TEST(IniValueTest, WritesByPrivateProfileRules) {
    const WriteCase cases[] = {
        {"creates section and key", "", "access_token", "ApiKey", "abc",
         "[access_token]\r\nApiKey=abc\r\n"},
        {"adds a section at the end", "[access_token]\r\nApiKey=abc\r\n", "tem", "s", "2024115",
         "[access_token]\r\nApiKey=abc\r\n[tem]\r\ns=2024115\r\n"},
        {"replaces the value, keeps the rest",
         "; cache\r\n[access_token]\r\nApiKey=old\r\nOther=1\r\n[tem]\r\ns=1\r\n", "access_token",
         "ApiKey", "new", "; cache\r\n[access_token]\r\nApiKey=new\r\nOther=1\r\n[tem]\r\ns=1\r\n"},
        {"adds a key at the end of its section", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        {"adds a key to an empty section", "[a]\r\n[b]\r\n", "a", "k", "v",
         "[a]\r\nk=v\r\n[b]\r\n"},
        {"names match without case", "[TEM]\r\nS=1\r\n", "tem", "s", "2", "[TEM]\r\ns=2\r\n"},
        {"LF file comes back with CR LF", "[a]\nx=1\n", "a", "x", "2", "[a]\r\nx=2\r\n"},
        {"last line gets its line end", "[a]\r\nx=1", "b", "y", "2",
         "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"empty value", "[a]\r\nx=1\r\n", "a", "x", "", "[a]\r\nx=\r\n"},
    };
    for (const WriteCase& c : cases) {
        const std::string written = WithIniValue(c.content, c.section, c.key, c.value);
        EXPECT_EQ(written, c.expected) << c.what;
        EXPECT_EQ(IniValue(written, c.section, c.key), c.value) << c.what;
    }
}

TEST(IniValueTest, RefusesEntriesThatCannotBeReadBack) {
    EXPECT_TRUE(IsStorableIniEntry("access_token", "ApiKey", "24.abc-def"));
    EXPECT_FALSE(IsStorableIniEntry("tem", "s", "1\r\n[tem]\r\ns=9"));
    EXPECT_FALSE(IsStorableIniEntry("tem", "s", "1\n"));
    EXPECT_FALSE(IsStorableIniEntry("", "s", "1"));
    EXPECT_FALSE(IsStorableIniEntry("a]", "s", "1"));
    EXPECT_FALSE(IsStorableIniEntry(" tem", "s", "1"));
    EXPECT_FALSE(IsStorableIniEntry("tem", "", "1"));
    EXPECT_FALSE(IsStorableIniEntry("tem", "s=", "1"));
    EXPECT_FALSE(IsStorableIniEntry("tem", ";s", "1"));
    EXPECT_FALSE(IsStorableIniEntry("tem", "[s", "1"));
}

class IniFileTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("ini_file_test_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        file_ = dir_ / "log.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Content() {
        std::ifstream in(file_, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    size_t EntriesInDirectory() {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                 std::filesystem::directory_iterator()));
    }

    std::filesystem::path dir_;
    std::filesystem::path file_;
};

TEST_F(IniFileTest, MissingFileReadsEmptyAndWritesCreateIt) {
    EXPECT_EQ(ReadIniValue(file_, "tem", "s"), "");
    EXPECT_TRUE(WriteIniValue(file_, "access_token", "ApiKey", "tok"));
    EXPECT_TRUE(WriteIniValue(file_, "tem", "s", "2024115"));
    EXPECT_EQ(Content(), "[access_token]\r\nApiKey=tok\r\n[tem]\r\ns=2024115\r\n");
    EXPECT_EQ(ReadIniValue(file_, "TEM", "S"), "2024115");
    EXPECT_EQ(EntriesInDirectory(), 1u) << "no temporary file is left behind";
}

TEST_F(IniFileTest, RefusedOrFailedWritesLeaveTheFileAlone) {
    ASSERT_TRUE(WriteIniValue(file_, "tem", "s", "1"));
    EXPECT_FALSE(WriteIniValue(file_, "tem", "s", "2\r\n[access_token]\r\nApiKey=x"));
    EXPECT_FALSE(WriteIniValue(dir_ / "missing" / "log.ini", "tem", "s", "1"));
    EXPECT_EQ(ReadIniValue(dir_, "tem", "s"), "") << "a directory reads as empty";
    EXPECT_FALSE(WriteIniValue(dir_, "tem", "s", "1")) << "and is not replaced";
    EXPECT_EQ(Content(), "[tem]\r\ns=1\r\n");
    EXPECT_EQ(EntriesInDirectory(), 1u);
}

// A disk that fills up in the middle of a write must not leave a cut-off log.ini.
TEST_F(IniFileTest, FullDiskKeepsTheOldFileWhole) {
    ASSERT_TRUE(WriteIniValue(file_, "access_token", "ApiKey", "old"));
    const std::string before = Content();
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = before.size() + 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteIniValue(file_, "access_token", "ApiKey", std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(Content(), before);
    EXPECT_EQ(EntriesInDirectory(), 1u);
}

TEST_F(IniFileTest, ConcurrentWritesOfDifferentKeysAllLand) {
    std::thread first([&] {
        for (int i = 0; i < 50; ++i)
            WriteIniValue(file_, "access_token", "ApiKey", std::to_string(i));
    });
    std::thread second([&] {
        for (int i = 0; i < 50; ++i) WriteIniValue(file_, "tem", "s", std::to_string(i));
    });
    first.join();
    second.join();
    EXPECT_EQ(ReadIniValue(file_, "access_token", "ApiKey"), "49");
    EXPECT_EQ(ReadIniValue(file_, "tem", "s"), "49");
}

}  // namespace
}  // namespace vt
