#include "service/token_issuer.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <charconv>
#include <optional>
#include <stdexcept>

#include "service/hex_text.h"
#include "service/random_text.h"

namespace vt::ocrd {
namespace {

using std::chrono::seconds;

// Refresh tokens are never redeemed here; they only keep the answer's usual shape.
constexpr std::int64_t kRefreshLifetimeSeconds = 315360000;
constexpr std::string_view kAccessKind = "24";
// Enough for any lifetime or issue time the service gives, and small enough that their sum
// cannot overflow.
constexpr std::size_t kMaxDigits = 12;

// "<kind>.<hex>.<lifetime>.<issue time>-<client>", the shape of the cloud service's tokens.
std::string TokenText(std::string_view kind, std::int64_t lifetime, std::int64_t issuedAt,
                      int clientNumber) {
    return std::string(kind) + "." + RandomHex(16) + "." + std::to_string(lifetime) + "." +
           std::to_string(issuedAt) + "-" + std::to_string(clientNumber);
}

std::optional<std::int64_t> Number(std::string_view digits) {
    if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// The moment an access token's text (without its signature) stops being valid.
std::optional<std::chrono::system_clock::time_point> ExpiryOf(std::string_view text) {
    // "24.<hex>.<lifetime>.<issue time>-<client>"
    std::size_t first = text.find('.');
    std::size_t second = text.find('.', first + 1);
    std::size_t third = text.find('.', second + 1);
    std::size_t dash = text.find('-', third + 1);
    if (first == std::string_view::npos || second == std::string_view::npos ||
        third == std::string_view::npos || dash == std::string_view::npos ||
        text.substr(0, first) != kAccessKind) {
        return std::nullopt;
    }
    auto lifetime = Number(text.substr(second + 1, third - second - 1));
    auto issuedAt = Number(text.substr(third + 1, dash - third - 1));
    if (!lifetime || !issuedAt) return std::nullopt;
    return std::chrono::system_clock::time_point(seconds(*issuedAt + *lifetime));
}

}  // namespace

TokenIssuer::TokenIssuer(const TokenKey& key, seconds lifetime, Clock clock)
    : key_(key), lifetime_(lifetime), clock_(std::move(clock)) {}

IssuedToken TokenIssuer::Issue(int clientNumber) const {
    // Rounded up to the second, so that a token lives at least its lifetime.
    std::int64_t issuedAt = std::chrono::ceil<seconds>(clock_().time_since_epoch()).count();
    std::string text = TokenText(kAccessKind, lifetime_.count(), issuedAt, clientNumber);
    std::string accessToken = text + '.' + Signature(text);
    return {std::move(accessToken),
            TokenText("25", kRefreshLifetimeSeconds, issuedAt, clientNumber), RandomHex(16),
            RandomHex(16), lifetime_.count()};
}

bool TokenIssuer::IsValid(std::string_view accessToken) const {
    std::size_t dot = accessToken.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string_view text = accessToken.substr(0, dot);
    std::string_view given = accessToken.substr(dot + 1);
    std::string expected = Signature(text);
    if (given.size() != expected.size() ||
        CRYPTO_memcmp(given.data(), expected.data(), expected.size()) != 0) {
        return false;
    }
    auto expiry = ExpiryOf(text);
    return expiry && clock_() < *expiry;
}

std::string TokenIssuer::Signature(std::string_view signedPart) const {
    unsigned char mac[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (HMAC(EVP_sha256(), key_.data(), static_cast<int>(key_.size()),
             reinterpret_cast<const unsigned char*>(signedPart.data()), signedPart.size(), mac,
             &size) == nullptr) {
        throw std::runtime_error("cannot sign a token");
    }
    return HexText({mac, size});
}

}  // namespace vt::ocrd
