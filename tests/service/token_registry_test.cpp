#include "service/token_registry.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace vt::ocrd {
namespace {

using namespace std::chrono_literals;

class TokenRegistryTest : public testing::Test {
  protected:
    std::chrono::steady_clock::time_point now_{};
    TokenRegistry registry_{60s, [this] { return now_; }};
};

TEST_F(TokenRegistryTest, IssuedTokensAreValidUntilTheyExpire) {
    IssuedToken first = registry_.Issue(1);
    now_ += 30s;
    IssuedToken second = registry_.Issue(2);
    EXPECT_TRUE(registry_.IsValid(first.accessToken));
    EXPECT_TRUE(registry_.IsValid(second.accessToken));
    now_ += 30s;
    EXPECT_FALSE(registry_.IsValid(first.accessToken));
    EXPECT_TRUE(registry_.IsValid(second.accessToken));
    now_ += 30s;
    EXPECT_FALSE(registry_.IsValid(second.accessToken));
}

TEST_F(TokenRegistryTest, UnknownTokensAreInvalid) {
    IssuedToken token = registry_.Issue(1);
    for (const std::string& other : {std::string(), token.refreshToken, token.sessionKey,
                                     token.accessToken + "x", token.accessToken.substr(1)}) {
        EXPECT_FALSE(registry_.IsValid(other)) << other;
    }
}

TEST_F(TokenRegistryTest, TokensAreRandomAndUrlSafe) {
    std::set<std::string> seen;
    const std::regex shape(R"(24\.[0-9a-f]{32}\.60\.[0-9]+-2)");
    for (int i = 0; i < 100; ++i) {
        IssuedToken token = registry_.Issue(2);
        EXPECT_TRUE(std::regex_match(token.accessToken, shape)) << token.accessToken;
        EXPECT_EQ(token.expiresIn, 60);
        EXPECT_TRUE(seen.insert(token.accessToken).second);
    }
}

TEST_F(TokenRegistryTest, HoldsABoundedNumberOfTokens) {
    IssuedToken oldest = registry_.Issue(1);
    now_ += 1s;
    IssuedToken kept = registry_.Issue(1);
    for (std::size_t i = 2; i < TokenRegistry::kMaxTokens; ++i) registry_.Issue(1);
    EXPECT_TRUE(registry_.IsValid(oldest.accessToken));
    IssuedToken newest = registry_.Issue(1);  // one over: the one closest to expiry goes
    EXPECT_FALSE(registry_.IsValid(oldest.accessToken));
    EXPECT_TRUE(registry_.IsValid(kept.accessToken));
    EXPECT_TRUE(registry_.IsValid(newest.accessToken));
}

}  // namespace
}  // namespace vt::ocrd
