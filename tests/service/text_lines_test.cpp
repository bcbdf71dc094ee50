#include "service/text_lines.h"

#include <gtest/gtest.h>

namespace vt::ocrd {
namespace {

TEST(CleanLine, TrimsAndJoinsCjkCharacters) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {"  \t\n", ""},
        {"  hello world \n", "hello world"},
        {"识 别 屏 幕", "识别屏幕"},
        {"识别  ，  文字 。", "识别，文字。"},       // CJK punctuation is CJK
        {"中文 English 中文", "中文 English 中文"},  // spaces next to Latin stay
        {"Tesseract 引 擎 v5 版 本", "Tesseract 引擎 v5 版本"},
        {"ひら がな カタ カナ", "ひらがなカタカナ"},
        {"한국어 문장", "한국어 문장"},  // Korean keeps its spaces
        {"１２ ３", "１２３"},           // full-width forms
        {"a  b", "a  b"},
        {"中 \xFF 文", "中 \xFF 文"},    // a broken byte is not CJK
        {"中 \xE4\xB8", "中 \xE4\xB8"},  // nor a cut-off sequence
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(CleanLine(line), expected) << line;
    }
}

}  // namespace
}  // namespace vt::ocrd
