#pragma once
// Settings of the libcurl adapters under test: the fixture's CA, a small body cap and short
// time-outs, so that the limits can be reached quickly.

#include "platform/curl/curl_settings.h"
#include "support/https_fixture.h"

namespace vt::test {

inline constexpr size_t kTestBodyCap = 256 * 1024;

inline CurlSettings TestSettings(const TestCertificates& trusted = SharedTestCertificates()) {
    CurlSettings settings;
    settings.extraCaFile = trusted.CaFile();
    settings.maxBodyBytes = kTestBodyCap;
    settings.connectTimeout = std::chrono::seconds(5);
    settings.stallTimeout = std::chrono::seconds(1);
    return settings;
}

// A body of `size` bytes with every byte value, zeros included.
inline std::string BinaryBody(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 31 + i / 256) & 0xFF);
    return body;
}

// A loopback port on which nothing listens.
inline int ClosedPort() {
    HttpsFixture gone;
    return gone.Port();
}

}  // namespace vt::test
