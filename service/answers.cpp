#include "service/answers.h"

#include "service/json_text.h"

namespace vt::ocrd {
namespace {

constexpr std::string_view kScope =
    "public brain_all_scope vis-ocr_ocr brain_ocr_accurate_basic brain_ocr_general";

std::string_view UsualMessage(OcrError code) {
    switch (code) {
        case OcrError::UnsupportedMethod:
            return "Unsupported openapi method";
        case OcrError::InvalidToken:
            return "Access token invalid or no longer valid";
        case OcrError::InvalidParam:
            return "invalid param";
        case OcrError::NotEnoughParam:
            return "not enough param";
        case OcrError::EmptyImage:
            return "empty image";
        case OcrError::ImageFormat:
            return "image format error";
        case OcrError::ImageSize:
            return "image size error";
        case OcrError::Internal:
            return "internal error";
    }
    return "internal error";
}

void AppendMember(std::string& out, std::string_view name, std::string_view value) {
    AppendJsonString(out, name);
    out.push_back(':');
    AppendJsonString(out, value);
}

}  // namespace

std::string OcrErrorAnswer(OcrError code) {
    return OcrErrorAnswer(code, UsualMessage(code));
}

std::string OcrErrorAnswer(OcrError code, std::string_view message) {
    std::string out = "{\"error_code\":" + std::to_string(static_cast<int>(code)) + ",";
    AppendMember(out, "error_msg", message);
    out.push_back('}');
    return out;
}

std::string WordsAnswer(std::uint64_t logId, const std::vector<std::string>& lines) {
    std::string out = "{\"log_id\":" + std::to_string(logId) +
                      ",\"words_result_num\":" + std::to_string(lines.size()) +
                      ",\"words_result\":[";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out.push_back(',');
        out.push_back('{');
        AppendMember(out, "words", lines[i]);
        out.push_back('}');
    }
    out += "]}";
    return out;
}

std::string TokenAnswer(const IssuedToken& token) {
    std::string out = "{";
    AppendMember(out, "refresh_token", token.refreshToken);
    out += ",\"expires_in\":" + std::to_string(token.expiresIn) + ",";
    AppendMember(out, "session_key", token.sessionKey);
    out.push_back(',');
    AppendMember(out, "access_token", token.accessToken);
    out.push_back(',');
    AppendMember(out, "scope", kScope);
    out.push_back(',');
    AppendMember(out, "session_secret", token.sessionSecret);
    out.push_back('}');
    return out;
}

std::string OAuthErrorAnswer(std::string_view error, std::string_view description) {
    std::string out = "{";
    AppendMember(out, "error", error);
    out.push_back(',');
    AppendMember(out, "error_description", description);
    out.push_back('}');
    return out;
}

}  // namespace vt::ocrd
