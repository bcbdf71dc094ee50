#pragma once
// The access tokens the service has issued, each with its expiry, kept in memory.

#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vt::ocrd {

struct IssuedToken {
    std::string accessToken;
    std::string refreshToken;
    std::string sessionKey;
    std::string sessionSecret;
    std::int64_t expiresIn = 0;  // seconds
};

class TokenRegistry {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Beyond this many live tokens the one closest to expiry is dropped, so that a client
    // asking for tokens in a loop cannot make the service grow without end.
    static constexpr std::size_t kMaxTokens = 4096;

    explicit TokenRegistry(std::chrono::seconds lifetime,
                           Clock clock = std::chrono::steady_clock::now);

    // A new random token for the client with number `clientNumber` (1 or 2), valid from now
    // for the lifetime. Tokens are made of letters, digits, "." and "-" only.
    IssuedToken Issue(int clientNumber);

    // True for a token issued here that has not expired.
    bool IsValid(std::string_view accessToken) const;

  private:
    void DropExpired(std::chrono::steady_clock::time_point now);

    std::chrono::seconds lifetime_;
    Clock clock_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, std::chrono::steady_clock::time_point> expiries_;
};

}  // namespace vt::ocrd
