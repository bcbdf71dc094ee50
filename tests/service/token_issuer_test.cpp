#include "service/token_issuer.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace vt::ocrd {
namespace {

using namespace std::chrono_literals;

TokenKey KeyOf(unsigned char fill) {
    TokenKey key;
    key.fill(fill);
    return key;
}

class TokenIssuerTest : public testing::Test {
  protected:
    std::chrono::system_clock::time_point now_{1700000000s};
    TokenIssuer issuer_{KeyOf(1), 60s, [this] { return now_; }};
};

TEST_F(TokenIssuerTest, IssuedTokensAreValidUntilTheyExpire) {
    IssuedToken first = issuer_.Issue(1);
    now_ += 30s;
    IssuedToken second = issuer_.Issue(2);
    EXPECT_TRUE(issuer_.IsValid(first.accessToken));
    EXPECT_TRUE(issuer_.IsValid(second.accessToken));
    now_ += 30s;
    EXPECT_FALSE(issuer_.IsValid(first.accessToken));
    EXPECT_TRUE(issuer_.IsValid(second.accessToken));
    now_ += 30s;
    EXPECT_FALSE(issuer_.IsValid(second.accessToken));
}

TEST_F(TokenIssuerTest, ATokenIssuedWithinASecondLivesAtLeastItsLifetime) {
    now_ += 999ms;
    IssuedToken token = issuer_.Issue(1);
    now_ += 59999ms;
    EXPECT_TRUE(issuer_.IsValid(token.accessToken));
    now_ += 1s;
    EXPECT_FALSE(issuer_.IsValid(token.accessToken));
}

TEST_F(TokenIssuerTest, TokensStayValidForAnotherIssuerWithTheSameKeyOnly) {
    IssuedToken token = issuer_.Issue(2);
    TokenIssuer restarted(KeyOf(1), 5s, [this] { return now_; });
    TokenIssuer otherKey(KeyOf(2), 60s, [this] { return now_; });
    now_ += 59s;
    EXPECT_TRUE(restarted.IsValid(token.accessToken));  // the token's own lifetime counts
    EXPECT_FALSE(otherKey.IsValid(token.accessToken));
    EXPECT_FALSE(issuer_.IsValid(otherKey.Issue(2).accessToken));
}

TEST_F(TokenIssuerTest, AnyChangedCharacterMakesTheTokenInvalid) {
    const std::string token = issuer_.Issue(1).accessToken;
    ASSERT_TRUE(issuer_.IsValid(token));
    for (std::size_t i = 0; i < token.size(); ++i) {
        std::string changed = token;
        changed[i] = changed[i] == '1' ? '2' : '1';
        EXPECT_FALSE(issuer_.IsValid(changed)) << changed;
    }
}

TEST_F(TokenIssuerTest, OtherTextsAreInvalid) {
    IssuedToken token = issuer_.Issue(1);
    const std::string& access = token.accessToken;
    const std::string withoutSignature = access.substr(0, access.rfind('.'));
    for (const std::string& other :
         {std::string(), std::string("."), token.refreshToken, token.sessionKey, access + "x",
          access + ".", access.substr(1), withoutSignature, withoutSignature + ".",
          access.substr(0, access.size() - 1)}) {
        EXPECT_FALSE(issuer_.IsValid(other)) << other;
    }
}

TEST_F(TokenIssuerTest, TokensAreRandomAndUrlSafe) {
    std::set<std::string> seen;
    const std::regex shape(R"(24\.[0-9a-f]{32}\.60\.1700000000-2\.[0-9a-f]{64})");
    for (int i = 0; i < 100; ++i) {
        IssuedToken token = issuer_.Issue(2);
        EXPECT_TRUE(std::regex_match(token.accessToken, shape)) << token.accessToken;
        EXPECT_EQ(token.expiresIn, 60);
        EXPECT_TRUE(seen.insert(token.accessToken).second);
    }
}

}  // namespace
}  // namespace vt::ocrd
