#pragma once
// The JSON answers of the two endpoints, byte for byte as the program expects them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "service/token_issuer.h"

namespace vt::ocrd {

struct HttpAnswer {
    int status = 200;
    std::string body;
};

// Error codes of the recognition endpoint, numbered as the cloud service numbers them.
enum class OcrError : int {
    UnsupportedMethod = 3,
    InvalidToken = 110,
    InvalidParam = 216100,
    NotEnoughParam = 216101,
    EmptyImage = 216200,
    ImageFormat = 216201,
    ImageSize = 216202,
    Internal = 282000,
};

// {"error_code":N,"error_msg":"..."} with the code's usual message, or with `message`.
std::string OcrErrorAnswer(OcrError code);
std::string OcrErrorAnswer(OcrError code, std::string_view message);

// {"log_id":N,"words_result_num":n,"words_result":[{"words":"..."},...]}
std::string WordsAnswer(std::uint64_t logId, const std::vector<std::string>& lines);

// The token answer, its members in the order the program's parser relies on: access_token is
// followed directly by scope.
std::string TokenAnswer(const IssuedToken& token);

// {"error":"...","error_description":"..."}
std::string OAuthErrorAnswer(std::string_view error, std::string_view description);

}  // namespace vt::ocrd
