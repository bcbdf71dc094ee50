#include "service/answers.h"

#include <gtest/gtest.h>

#include "codecs/text_between.h"
#include "service/json_text.h"

namespace vt::ocrd {
namespace {

TEST(AppendJsonString, EscapesWhatJsonRequires) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", "\"\""},
        {"plain 中文", "\"plain 中文\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\n\r\t", "\"\\n\\r\\t\""},
        {std::string_view("\x01\x1F\0", 3), "\"\\u0001\\u001f\\u0000\""},
        {"/\x7F", "\"/\x7F\""},
    };
    for (const auto& [text, json] : cases) {
        std::string out;
        AppendJsonString(out, text);
        EXPECT_EQ(out, json);
    }
}

TEST(Answers, InvalidTokenAnswerIsTheExactTextTheProgramCompares) {
    EXPECT_EQ(OcrErrorAnswer(OcrError::InvalidToken),
              "{\"error_code\":110,\"error_msg\":\"Access token invalid or no longer valid\"}");
    EXPECT_EQ(OcrErrorAnswer(OcrError::ImageSize, "too \"big\""),
              "{\"error_code\":216202,\"error_msg\":\"too \\\"big\\\"\"}");
}

TEST(Answers, WordsAnswerHoldsOneElementPerLine) {
    EXPECT_EQ(WordsAnswer(42, {}), "{\"log_id\":42,\"words_result_num\":0,\"words_result\":[]}");
    EXPECT_EQ(WordsAnswer(7, {"第一行", "say \"hi\""}),
              "{\"log_id\":7,\"words_result_num\":2,\"words_result\":[{\"words\":\"第一行\"},"
              "{\"words\":\"say \\\"hi\\\"\"}]}");
}

TEST(Answers, TokenAnswerLetsTheProgramCutOutTheToken) {
    IssuedToken token{"24.abc.2592000.1700000000-1", "25.def", "key", "secret", 2592000};
    std::string answer = TokenAnswer(token);
    EXPECT_EQ(TextBetween(answer, "\"access_token\":\"", "\",\"scope\":\""), token.accessToken);
    EXPECT_EQ(answer.find("{\"refresh_token\":\"25.def\",\"expires_in\":2592000,"
                          "\"session_key\":\"key\",\"access_token\":"),
              0u);
    EXPECT_TRUE(answer.ends_with(",\"session_secret\":\"secret\"}"));
}

}  // namespace
}  // namespace vt::ocrd
