#include "service/token_key.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <stdexcept>
#include <vector>

namespace vt::ocrd {
namespace {

namespace fs = std::filesystem;

class TokenKeyTest : public testing::Test {
  protected:
    TokenKeyTest() {
        char pattern[] = "/tmp/ocrd-token-key-XXXXXX";
        directory_ = mkdtemp(pattern);
        file_ = (directory_ / "token.key").string();
    }
    ~TokenKeyTest() override { fs::remove_all(directory_); }

    fs::path directory_;
    std::string file_;
};

TEST_F(TokenKeyTest, AMissingKeyIsCreatedPrivatelyAndLoadedAgainLater) {
    TokenKey created = LoadOrCreateTokenKey(file_);
    EXPECT_NE(created, TokenKey{});
    struct stat status {};
    ASSERT_EQ(stat(file_.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(status.st_size, 32);
    EXPECT_EQ(LoadOrCreateTokenKey(file_), created);
    EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1)
        << "the temporary file is left behind";
    EXPECT_NE(LoadOrCreateTokenKey((directory_ / "other.key").string()), created);
}

TEST_F(TokenKeyTest, ServicesStartingAtOnceShareTheFirstKey) {
    std::vector<std::future<TokenKey>> keys;
    for (int i = 0; i < 8; ++i) {
        keys.push_back(std::async(std::launch::async, [&] { return LoadOrCreateTokenKey(file_); }));
    }
    TokenKey first = keys.front().get();
    for (std::size_t i = 1; i < keys.size(); ++i) EXPECT_EQ(keys[i].get(), first);
    EXPECT_EQ(LoadOrCreateTokenKey(file_), first);
}

TEST_F(TokenKeyTest, RefusesFilesThatCannotHoldTheKey) {
    for (std::size_t size : {0, 31, 33}) {
        std::ofstream(file_, std::ios::binary | std::ios::trunc) << std::string(size, 'k');
        EXPECT_THROW(LoadOrCreateTokenKey(file_), std::runtime_error) << size;
    }
    fs::remove(file_);
    fs::create_directory(file_);
    EXPECT_THROW(LoadOrCreateTokenKey(file_), std::runtime_error) << "a directory";
    EXPECT_THROW(LoadOrCreateTokenKey((directory_ / "missing" / "token.key").string()),
                 std::runtime_error);
}

}  // namespace
}  // namespace vt::ocrd
