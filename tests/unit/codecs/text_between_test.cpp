#include "codecs/text_between.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

const Text kQuote = "#\xD2\xFD\xBA\xC5";  // the placeholder for a double quote

TEST(TextBetween, Table) {
    struct Case {
        Text text, start, end;
        int startPosition;
        bool ignoreCase;
        Text expected;
    };
    const Case cases[] = {
        {"x[abc]y", "[", "]", 0, false, "abc"},
        {R"({"access_token":"tok","scope":"s"})", R"("access_token":")", R"(",")", 0, false, "tok"},
        {R"({"access_token":"tok","scope":"s"})", kQuote + "access_token" + kQuote + ":" + kQuote,
         kQuote + "," + kQuote, 0, false, "tok"},
        {"no markers", "[", "]", 0, false, ""},
        {"x[abc", "[", "]", 0, false, ""},
        {"x[]y", "[", "]", 0, false, ""},
        {"[a[b]", "[", "]", 0, false, "a[b"},
        {"]x[", "[", "]", 0, false, ""},
        {"abc[", "[", "]", 0, false, ""},
        {"a[b]c", "[", "", 0, false, ""},
        {"ab]c", "", "]", 0, false, "ab"},
        {"[a][b]", "[", "]", 3, false, "b"},
        {"[a][b]", "[", "]", 1, false, "a"},
        {"<B>x</b>", "<b>", "</B>", 0, true, "x"},
        {"<B>x</b>", "<b>", "</B>", 0, false, ""},
        // 衋 (D0 61) inside 中a (D6 D0 61) is not a match; "a" is.
        {"\xD6\xD0"
         "a|",
         "\xD0"
         "a",
         "|", 0, false, ""},
        {"\xD6\xD0"
         "a|",
         "a", "|", 0, false, ""},
        {"\xD6\xD0"
         "ab|",
         "a", "|", 0, false, "b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextBetween(c.text, c.start, c.end, c.startPosition, c.ignoreCase), c.expected)
            << c.text << " / " << c.start << " / " << c.end;
    }
}

}  // namespace
}  // namespace vt
