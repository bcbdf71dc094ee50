#include "service/token_registry.h"

#include <algorithm>

#include "service/random_text.h"

namespace vt::ocrd {
namespace {

// Refresh tokens are never redeemed here; they only keep the answer's usual shape.
constexpr std::int64_t kRefreshLifetimeSeconds = 315360000;

// "24.<hex>.<lifetime>.<issue time>-<client>", the shape of the cloud service's tokens.
std::string TokenText(std::string_view kind, std::int64_t lifetime, std::int64_t issuedAt,
                      int clientNumber) {
    return std::string(kind) + "." + RandomHex(16) + "." + std::to_string(lifetime) + "." +
           std::to_string(issuedAt) + "-" + std::to_string(clientNumber);
}

}  // namespace

TokenRegistry::TokenRegistry(std::chrono::seconds lifetime, Clock clock)
    : lifetime_(lifetime), clock_(std::move(clock)) {}

IssuedToken TokenRegistry::Issue(int clientNumber) {
    std::int64_t issuedAt = std::chrono::duration_cast<std::chrono::seconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
    IssuedToken token{
        TokenText("24", lifetime_.count(), issuedAt, clientNumber),
        TokenText("25", kRefreshLifetimeSeconds, issuedAt, clientNumber),
        RandomHex(16),
        RandomHex(16),
        lifetime_.count(),
    };
    std::lock_guard lock(mutex_);
    auto now = clock_();
    DropExpired(now);
    if (expiries_.size() >= kMaxTokens) {
        auto soonest =
            std::min_element(expiries_.begin(), expiries_.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        expiries_.erase(soonest);
    }
    expiries_.emplace(token.accessToken, now + lifetime_);
    return token;
}

bool TokenRegistry::IsValid(std::string_view accessToken) const {
    std::lock_guard lock(mutex_);
    auto found = expiries_.find(std::string(accessToken));
    return found != expiries_.end() && clock_() < found->second;
}

void TokenRegistry::DropExpired(std::chrono::steady_clock::time_point now) {
    std::erase_if(expiries_, [now](const auto& entry) { return entry.second <= now; });
}

}  // namespace vt::ocrd
