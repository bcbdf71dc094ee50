#pragma once
// Access tokens that verify themselves: each carries its lifetime, issue time and client, signed
// with the service's token key, so that a token stays valid across restarts of the service and
// nothing about issued tokens is kept in memory.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "service/token_key.h"

namespace vt::ocrd {

struct IssuedToken {
    std::string accessToken;
    std::string refreshToken;
    std::string sessionKey;
    std::string sessionSecret;
    std::int64_t expiresIn = 0;  // seconds
};

class TokenIssuer {
  public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    TokenIssuer(const TokenKey& key, std::chrono::seconds lifetime,
                Clock clock = std::chrono::system_clock::now);

    // A new token for the client with number `clientNumber` (1 or 2), valid from now for the
    // lifetime: "24.<random hex>.<lifetime>.<issue time>-<client>.<HMAC-SHA256 hex>", the issue
    // time in seconds since 1970. Letters, digits, "." and "-" only, so it needs no encoding in
    // a query.
    IssuedToken Issue(int clientNumber) const;

    // True for an access token signed with this key whose lifetime has not run out.
    bool IsValid(std::string_view accessToken) const;

  private:
    std::string Signature(std::string_view signedPart) const;

    TokenKey key_;
    std::chrono::seconds lifetime_;
    Clock clock_;
};

}  // namespace vt::ocrd
