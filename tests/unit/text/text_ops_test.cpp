#include "text/text_ops.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// "中" is D6 D0 in code page 936; "衋" is D0 61; the full-width space is A1 A1.
const Text kZhongA =
    "\xD6\xD0"
    "a";
const Text kFullSpace = "\xA1\xA1";

struct FindCase {
    Text text;
    Text needle;
    int start;
    bool ignoreCase;
    int expected;
};

TEST(TextOps, FindFollowsPositionAndTwoByteRules) {
    const FindCase cases[] = {
        {"abcabc", "bc", 1, false, 2},
        {"abcabc", "bc", 3, false, 5},
        {"abcabc", "bc", 0, false, 2},
        {"abcabc", "bc", -7, false, 2},
        {"abcabc", "x", 1, false, -1},
        {"abc", "abcd", 1, false, -1},
        {"abc", "", 1, false, 1},
        {"abc", "", 3, false, 1},
        {"abc", "", 4, false, -1},
        {"", "", 1, false, -1},
        {"", "a", 1, false, -1},
        {"ABC", "bc", 1, false, -1},
        {"ABC", "bc", 1, true, 2},
        {kZhongA,
         "\xD0"
         "a",
         1, false, -1},
        {kZhongA,
         "\xD0"
         "a",
         1, true, -1},
        {kZhongA, "a", 1, false, 3},
        {kZhongA, "A", 1, true, 3},
        {kZhongA + kZhongA, "\xD6\xD0", 2, false, 4},
        // A start inside a character still only tries character starts.
        {"\xD0"
         "a"
         "a",
         "a", 2, false, 3},
        // The second byte of a two-byte character never folds with an ASCII letter.
        {"\xB0"
         "A",
         "\xB0"
         "a",
         1, true, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(c.text, c.needle, c.start, c.ignoreCase), c.expected)
            << "text=" << c.text << " needle=" << c.needle << " start=" << c.start;
    }
}

TEST(TextOps, ReplaceAllRespectsCharacterStarts) {
    EXPECT_EQ(ReplaceAll("set-cookie: a; SET-COOKIE: b", "Set-Cookie", "Set-Cookie", true),
              "Set-Cookie: a; Set-Cookie: b");
    EXPECT_EQ(ReplaceAll(kZhongA + "a",
                         "\xD0"
                         "a",
                         "X"),
              kZhongA + "a");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(TextOps, TrimAndRemoveSpaces) {
    struct Case {
        Text in, trimmed, noSpaces;
    };
    const Case cases[] = {
        {"  a b  ", "a b", "ab"},
        {kFullSpace + " a" + kFullSpace, "a", "a"},
        {"\ta\r\n", "\ta\r\n", "\ta\r\n"},
        {"   ", "", ""},
        {"", "", ""},
        // B0 A1 is one character followed by A1: no full-width space at the end.
        {"\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
        {"a" + kFullSpace + "b", "a" + kFullSpace + "b", "ab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Trim(c.in), c.trimmed) << c.in;
        EXPECT_EQ(RemoveAllSpaces(c.in), c.noSpaces) << c.in;
    }
}

TEST(TextOps, SplitKeepsInnerEmptyPiecesButNoTrailingOne) {
    using Pieces = std::vector<Text>;
    EXPECT_EQ(Split("a;b", ";"), (Pieces{"a", "b"}));
    EXPECT_EQ(Split(";a;;b;", ";"), (Pieces{"", "a", "", "b"}));
    EXPECT_EQ(Split("", ";"), Pieces{});
    EXPECT_EQ(Split(";", ";"), Pieces{""});
    EXPECT_EQ(Split("a\r\nb\r\n", "\r\n"), (Pieces{"a", "b"}));
    EXPECT_EQ(Split(kZhongA + ";x", "a"), (Pieces{"\xD6\xD0", ";x"}));
}

TEST(TextOps, LeftAndRight) {
    EXPECT_EQ(Left("abc", 2), "ab");
    EXPECT_EQ(Left("abc", 0), "");
    EXPECT_EQ(Left("abc", -1), "");
    EXPECT_EQ(Left("abc", 9), "abc");
    EXPECT_EQ(Right("abc", 2), "bc");
    EXPECT_EQ(Right("abc", -3), "");
    EXPECT_EQ(Right("abc", 99), "abc");
}

}  // namespace
}  // namespace vt
