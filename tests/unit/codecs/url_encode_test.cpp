#include "codecs/url_encode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "text/codepage.h"

namespace vt {
namespace {

TEST(UrlEncode, Switches) {
    struct Case {
        Text in;
        bool keep, utf8;
        Text out;
    };
    const Case cases[] = {
        {"", true, true, ""},
        {"", false, false, ""},
        {"a b-c.d_e", true, true, "a%20b-c.d%5Fe"},
        {"~+/=", true, true, "%7E%2B%2F%3D"},
        {"AB", false, false, "%41%42"},
        {"AB", false, true, "%41%42"},
        {"\xD6\xD0", true, true, "%E4%B8%AD"},
        {"\xD6\xD0", true, false, "%D6%D0"},
        {"\xFF\n", true, false, "%FF%0A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlEncode(c.in, c.keep, c.utf8), c.out) << c.in;
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Reference: every byte of the hand-made UTF-8 form, letters/digits/-/. kept.
std::string ReferenceEncode(const std::string& utf8) {
    std::string out;
    for (unsigned char c : utf8) {
        if (isalnum(c) || c == '-' || c == '.') {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

TEST(UrlEncode, RandomChineseTextMatchesReference) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        std::string utf8;
        for (int i = 0; i < 200; ++i) {
            switch (rng() % 3) {
                case 0:
                    AppendUtf8(utf8, 0x4E00 + rng() % (0x9FA5 - 0x4E00));
                    break;
                case 1:
                    AppendUtf8(utf8, 0x20 + rng() % 0x5F);
                    break;
                default:
                    AppendUtf8(utf8, 0x3000 + rng() % 3);
                    break;
            }
        }
        Text local = Utf8ToCp936(utf8);
        ASSERT_EQ(Cp936ToUtf8(local), utf8);
        EXPECT_EQ(UrlEncode(local, true, true), ReferenceEncode(utf8));
    }
}

}  // namespace
}  // namespace vt
