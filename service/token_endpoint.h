#pragma once
// The OAuth client-credentials endpoint: checks the client against the program's built-in
// credential pairs and issues an access token.

#include <optional>

#include "service/answers.h"
#include "service/form.h"
#include "service/token_issuer.h"

namespace vt::ocrd {

// The answer to a token request with the parameters `fields` (nothing: they were malformed).
HttpAnswer AnswerTokenRequest(const TokenIssuer& issuer, const std::optional<FormFields>& fields);

}  // namespace vt::ocrd
