#include "service/form.h"

#include <gtest/gtest.h>

namespace vt::ocrd {
namespace {

TEST(ParseForm, DecodesFieldsInOrder) {
    const std::pair<std::string_view, FormFields> cases[] = {
        {"", {}},
        {"a=1", {{"a", "1"}}},
        {"detect_direction=true&image=iVBO%2Bw%2F%3D",
         {{"detect_direction", "true"}, {"image", "iVBO+w/="}}},
        {"a=x+y&b=%E4%B8%AD", {{"a", "x y"}, {"b", "\xE4\xB8\xAD"}}},
        {"&&a=1&&b=&c", {{"a", "1"}, {"b", ""}, {"c", ""}}},  // empty fields skipped
        {"a=1=2&%61%3D=%7e", {{"a", "1=2"}, {"a=", "~"}}},    // first "=" splits
        {"a=1&a=2", {{"a", "1"}, {"a", "2"}}},
        {"a=%00", {{"a", std::string(1, '\0')}}},
    };
    for (const auto& [text, expected] : cases) {
        auto fields = ParseForm(text);
        ASSERT_TRUE(fields) << text;
        EXPECT_EQ(*fields, expected) << text;
    }
}

TEST(ParseForm, RefusesMalformedEscapesAndTooManyFields) {
    for (std::string_view text : {"a=%", "a=%4", "a=%G1", "a=%1G", "%zz=1", "a=1&b=%%31"}) {
        EXPECT_FALSE(ParseForm(text)) << text;
    }
    std::string many;
    for (std::size_t i = 0; i < kMaxFormFields; ++i) many += "f=" + std::to_string(i) + "&";
    EXPECT_TRUE(ParseForm(many));
    EXPECT_FALSE(ParseForm(many + "one=more"));
}

TEST(FindField, GivesTheFirstValueOrNull) {
    FormFields fields = {{"a", "1"}, {"b", ""}, {"a", "2"}};
    ASSERT_NE(FindField(fields, "a"), nullptr);
    EXPECT_EQ(*FindField(fields, "a"), "1");
    ASSERT_NE(FindField(fields, "b"), nullptr);
    EXPECT_EQ(*FindField(fields, "b"), "");
    EXPECT_EQ(FindField(fields, "c"), nullptr);
}

}  // namespace
}  // namespace vt::ocrd
