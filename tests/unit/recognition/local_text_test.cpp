#include <gtest/gtest.h>

#include "recognition/ocr_client.h"

namespace vt {
namespace {

TEST(Utf8ToLocalTextTest, ConvertsTheServiceAnswer) {
    const struct {
        const char* what;
        std::string utf8;
        Text expected;
    } cases[] = {
        {"empty", "", ""},
        {"ASCII", R"({"words":"abc"})", R"({"words":"abc"})"},
        {"Chinese", "识别结果", "\xCA\xB6\xB1\xF0\xBD\xE1\xB9\xFB"},
        {"cut at a zero byte", std::string("ab\0cd", 5), "ab"},
        {"not in code page 936", "a\xF0\x9F\x98\x80z", "a?z"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToLocalText(ToBytes(c.utf8)), c.expected) << c.what;
}

}  // namespace
}  // namespace vt
