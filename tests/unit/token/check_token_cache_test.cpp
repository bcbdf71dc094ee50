// CheckToken on an existing cache, where it makes no token request: the age table decides
// between using the cached token and discarding the cache.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/ini_file.h"
#include "support/recording_main_window.h"
#include "token/token_store.h"

namespace vt {
namespace {

// Fails the test when a token request is made.
class NoRequests : public Downloader {
  public:
    Bytes Download(const Text& url) override {
        ADD_FAILURE() << "unexpected token request " << url;
        return {};
    }
};

class CheckTokenCacheTest : public testing::Test {
  protected:
    void SetUp() override {
        context_.programDirectory = std::filesystem::temp_directory_path() /
                                    ("check_token_cache_" + std::to_string(::getpid()));
        std::filesystem::remove_all(context_.programDirectory);
        std::filesystem::create_directories(context_.programDirectory);
        context_.window = &window_;
        context_.values = &values_;
        context_.downloader = &noRequests_;
    }
    void TearDown() override { std::filesystem::remove_all(context_.programDirectory); }

    std::filesystem::path Cache() const { return TokenCachePath(context_); }

    test::RecordingMainWindow window_;
    ProcessValues values_;
    NoRequests noRequests_;
    WorkerContext context_;
};

struct AgeRow {
    const char* stored;  // nullptr: no key s
    LocalDate today;
    const char* age;
    bool fresh;
};

TEST_F(CheckTokenCacheTest, UsesAFreshCacheAndDiscardsAnOldOne) {
    const AgeRow rows[] = {
        {"2024115", {2024, 1, 15}, "0", true},
        {"2024115", {2024, 1, 17}, "2", true},
        {"2024115", {2024, 1, 18}, "3", false},
        {"2024131", {2024, 2, 1}, "-1821710", true},
        {"202421", {2024, 2, 2}, "1", true},
        {"202421", {2024, 2, 10}, "1821789", false},
        {"202499", {2024, 9, 10}, "1822411", false},
        {"20241231", {2025, 1, 1}, "-20038720", true},
        {"", {2024, 1, 18}, "2024118", false},
        {nullptr, {2024, 1, 18}, "2024118", false},
        {"x2024118", {2024, 1, 18}, "2024118", false},
    };
    for (const AgeRow& row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "no stamp");
        test::RecordingMainWindow window;
        context_.window = &window;
        values_.accessToken.Set("");
        std::filesystem::remove(Cache());
        ASSERT_TRUE(WriteIniValue(Cache(), "access_token", "ApiKey", "cached-token"));
        if (row.stored) {
            ASSERT_TRUE(WriteIniValue(Cache(), "tem", "s", row.stored));
        }
        context_.today = [&row] { return row.today; };

        CheckToken(context_);

        EXPECT_EQ(window.ControlText(control::kTodayStamp), DateStamp(row.today));
        EXPECT_EQ(window.ControlText(control::kStoredStamp), row.stored ? row.stored : "");
        EXPECT_EQ(window.ControlText(control::kCacheAge), row.age);
        if (row.fresh) {
            EXPECT_EQ(values_.accessToken.Get(), "cached-token");
            EXPECT_TRUE(window.Messages().empty());
            EXPECT_FALSE(window.Destroyed());
            EXPECT_EQ(ReadIniValue(Cache(), "tem", "s"), row.stored) << "the stamp stays";
        } else {
            EXPECT_EQ(values_.accessToken.Get(), "");
            EXPECT_EQ(
                window.Events(),
                (std::vector<std::string>{"message Key以更新，程序将退出后自动更新！", "destroy"}));
            EXPECT_EQ(window.Messages().at(0),
                      (test::RecordedMessage{"Key以更新，程序将退出后自动更新！",
                                             MessageIcon::kStop, "执行Key更新后策略"}));
            EXPECT_FALSE(std::filesystem::exists(Cache()));
        }
    }
}

// A cache that cannot be deleted (here a directory of that name with a file in it) gets the
// warning, and the program ends all the same.
TEST_F(CheckTokenCacheTest, WarnsWhenTheOldCacheCannotBeDeleted) {
    std::filesystem::create_directories(Cache());
    std::ofstream(Cache() / "keep") << "x";
    context_.today = [] { return LocalDate{2024, 1, 18}; };

    CheckToken(context_);

    const std::vector<test::RecordedMessage> messages = window_.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1],
              (test::RecordedMessage{"执行更新命令失败，请尝试手动删除运行目录下log.ini文件",
                                     MessageIcon::kStop, "警告："}));
    EXPECT_EQ(window_.Events().back(), "destroy");
}

}  // namespace
}  // namespace vt
