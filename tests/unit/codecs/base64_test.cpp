#include "codecs/base64.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <vector>

namespace vt {
namespace {

TEST(Base64, Rfc4648Vectors) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [in, out] : vectors) {
        EXPECT_EQ(Base64Encode(ToBytes(in)), out) << in;
    }
}

TEST(Base64, ZeroBytesAndHighBytesAreOrdinaryData) {
    EXPECT_EQ(Base64Encode(Bytes{0, 0, 0}), "AAAA");
    EXPECT_EQ(Base64Encode(Bytes{'a', 0, 'b', 0}), "YQBiAA==");
    EXPECT_EQ(Base64Encode(Bytes{0xFF, 0xFE, 0xFD}), "//79");
}

// OpenSSL's decoder is the independent reference for the round trip.
Bytes DecodeWithOpenSsl(const Text& text) {
    Bytes out(text.size() / 4 * 3);
    int n = EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()),
                            static_cast<int>(text.size()));
    EXPECT_GE(n, 0);
    size_t padding = 0;
    if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
    out.resize(static_cast<size_t>(n) - padding);
    return out;
}

TEST(Base64, RandomDataRoundTripsThroughAnIndependentDecoder) {
    std::mt19937 rng(42);
    // Every length up to 200 crosses each boundary of the wide encoding steps and their tails.
    std::vector<size_t> lengths = {1000, 1001, 1002, 65537};
    for (size_t length = 1; length <= 200; ++length) lengths.push_back(length);
    for (size_t length : lengths) {
        Bytes data(length);
        for (auto& b : data) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? 0 : rng());
        Text encoded = Base64Encode(data);
        EXPECT_EQ(encoded.size(), 4 * ((length + 2) / 3));
        EXPECT_EQ(encoded.find_first_of("\r\n "), Text::npos);
        EXPECT_EQ(DecodeWithOpenSsl(encoded), data) << "length " << length;
    }
}

}  // namespace
}  // namespace vt
