#include "service/base64_decode.h"

#include <gtest/gtest.h>

#include <random>

#include "codecs/base64.h"

namespace vt::ocrd {
namespace {

TEST(DecodeBase64, Rfc4648Vectors) {
    const std::pair<std::string_view, std::string_view> vectors[] = {
        {"", ""},
        {"Zg==", "f"},
        {"Zm8=", "fo"},
        {"Zm9v", "foo"},
        {"Zm9vYg==", "foob"},
        {"Zm9vYmE=", "fooba"},
        {"Zm9vYmFy", "foobar"},
        {"//79", "\xFF\xFE\xFD"},
    };
    for (const auto& [text, bytes] : vectors) {
        auto decoded = DecodeBase64(text);
        ASSERT_TRUE(decoded) << text;
        EXPECT_EQ(ToString(*decoded), bytes) << text;
    }
}

TEST(DecodeBase64, RefusesAnythingButTheCanonicalForm) {
    for (std::string_view text : {
             "Zg=",           // length not a multiple of four
             "Zm9vY",         //
             "Zm9v\r\nYmFy",  // line break
             "Zm9v YmFy",     // space
             "Zm-v",          // URL-safe alphabet
             "Zm_v",          //
             "Z===",          // too much padding
             "Zg=a",          // padding in the middle
             "=Zm9",          //
             "Zm9v=Zm9",      //
             "Zh==",          // leftover bits not zero
             "Zm9=",          //
             "Zm9vYg%3D",     // still URL-encoded
         }) {
        EXPECT_FALSE(DecodeBase64(text)) << text;
    }
}

TEST(DecodeBase64, RoundTripsTheProgramsEncoder) {
    std::mt19937 random(7);
    for (std::size_t size : {0u, 1u, 2u, 3u, 4u, 5u, 63u, 64u, 65u, 4097u}) {
        Bytes data(size);
        for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
        auto decoded = DecodeBase64(Base64Encode(data));
        ASSERT_TRUE(decoded) << size;
        EXPECT_EQ(*decoded, data) << size;
    }
}

}  // namespace
}  // namespace vt::ocrd
