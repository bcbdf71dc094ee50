#include "service/token_endpoint.h"

#include <openssl/crypto.h>

#include "token/credentials.h"

namespace vt::ocrd {
namespace {

std::string_view FieldOrEmpty(const FormFields& fields, std::string_view name) {
    const std::string* value = FindField(fields, name);
    return value ? std::string_view(*value) : std::string_view();
}

bool SameSecret(std::string_view given, std::string_view expected) {
    return given.size() == expected.size() &&
           CRYPTO_memcmp(given.data(), expected.data(), given.size()) == 0;
}

}  // namespace

HttpAnswer AnswerTokenRequest(const TokenIssuer& issuer, const std::optional<FormFields>& fields) {
    if (!fields) {
        return {400, OAuthErrorAnswer("invalid_request", "malformed request parameters")};
    }
    if (FieldOrEmpty(*fields, "grant_type") != "client_credentials") {
        return {400, OAuthErrorAnswer("unsupported_grant_type",
                                      "The authorization grant type is not supported")};
    }
    std::string_view clientId = FieldOrEmpty(*fields, "client_id");
    for (std::size_t i = 0; i < kCredentialPairs.size(); ++i) {
        const CredentialPair& pair = kCredentialPairs[i];
        if (clientId != pair.clientId) continue;
        if (!SameSecret(FieldOrEmpty(*fields, "client_secret"), pair.clientSecret)) {
            return {401, OAuthErrorAnswer("invalid_client", "Client authentication failed")};
        }
        return {200, TokenAnswer(issuer.Issue(static_cast<int>(i) + 1))};
    }
    return {401, OAuthErrorAnswer("invalid_client", "unknown client id")};
}

}  // namespace vt::ocrd
