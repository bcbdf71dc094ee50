#include "text/codepage.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

const Text kZhongWen = "\xD6\xD0\xCE\xC4";  // 中文

TEST(Codepage, RoundTripsChineseAndAscii) {
    EXPECT_EQ(Cp936ToUtf8(kZhongWen), "中文");
    EXPECT_EQ(Utf8ToCp936("中文 ok"), kZhongWen + " ok");
    EXPECT_EQ(Cp936ToUtf16(kZhongWen), u"中文");
    EXPECT_EQ(Utf16ToCp936(u"中文!"), kZhongWen + "!");
    EXPECT_EQ(Cp936ToUtf8(""), "");
    EXPECT_EQ(Utf16ToCp936(u""), "");
}

TEST(Codepage, UnconvertibleInputBecomesQuestionMarksWithoutTruncation) {
    // A Korean syllable and an emoji have no code-page-936 form.
    EXPECT_EQ(Utf8ToCp936("a한b😀c"), "a?b?c");
    // Malformed UTF-8: a stray continuation byte and a truncated sequence.
    EXPECT_EQ(Utf8ToCp936("x\x80y\xE4\xB8"), "x?y?");
    // A lead byte at the very end of code-page-936 text.
    EXPECT_EQ(Cp936ToUtf8("ab\xD6"), "ab?");
    // An unpaired UTF-16 surrogate.
    EXPECT_EQ(Utf16ToCp936(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a?b");
}

TEST(Codepage, ZeroBytesAndLongTextsSurvive) {
    Text withZero(
        "a\0"
        "\xD6\xD0",
        4);
    EXPECT_EQ(Cp936ToUtf8(withZero), std::string("a\0中", 5));
    Text big;
    for (int i = 0; i < 100000; ++i) big += kZhongWen;
    EXPECT_EQ(Utf8ToCp936(Cp936ToUtf8(big)), big);
}

}  // namespace
}  // namespace vt
