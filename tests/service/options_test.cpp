#include "service/options.h"

#include <gtest/gtest.h>

#include "veltrace_config.h"

namespace vt::ocrd {
namespace {

using Args = std::vector<std::string_view>;

TEST(ParseOptions, DefaultsComeFromTheBuildSettings) {
    std::string error;
    auto options = ParseOptions({}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->port, config::kServicePort);
    EXPECT_EQ(options->certFile, std::string(config::kCertDirectory) + "/server.pem");
    EXPECT_EQ(options->keyFile, std::string(config::kCertDirectory) + "/server.key");
    EXPECT_EQ(options->tokenKeyFile, std::string(config::kCertDirectory) + "/token.key");
    EXPECT_GE(options->threads, 1u);
    EXPECT_EQ(options->languages, "chi_sim+eng");
    EXPECT_EQ(options->tokenLifetime, std::chrono::hours(24 * 30));
    EXPECT_FALSE(options->quiet);
}

TEST(ParseOptions, TakesValuesAfterTheNameOrAnEqualsSign) {
    std::string error;
    auto options = ParseOptions(
        {"--port", "0", "--cert=/c.pem", "--key", "/k.pem", "--token-key=/t.key", "--threads=3",
         "--langs", "eng", "--token-ttl", "1", "--max-body=1024", "--io-timeout", "2", "--quiet"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->port, 0);
    EXPECT_EQ(options->certFile, "/c.pem");
    EXPECT_EQ(options->keyFile, "/k.pem");
    EXPECT_EQ(options->tokenKeyFile, "/t.key");
    EXPECT_EQ(options->threads, 3u);
    EXPECT_EQ(options->languages, "eng");
    EXPECT_EQ(options->tokenLifetime, std::chrono::seconds(1));
    EXPECT_EQ(options->maxBody, 1024u);
    EXPECT_EQ(options->ioTimeout, std::chrono::seconds(2));
    EXPECT_TRUE(options->quiet);
}

TEST(ParseOptions, TheTokenKeyIsBesideTheCertificateUnlessGiven) {
    const std::pair<Args, std::string> cases[] = {
        {{"--cert", "/etc/ocrd/server.pem"}, "/etc/ocrd/token.key"},
        {{"--token-key", "k", "--cert", "/etc/ocrd/server.pem"}, "k"},
        {{"--cert", "server.pem"}, "token.key"},
    };
    for (const auto& [args, tokenKey] : cases) {
        std::string error;
        auto options = ParseOptions(args, error);
        ASSERT_TRUE(options) << error;
        EXPECT_EQ(options->tokenKeyFile, tokenKey);
    }
}

TEST(ParseOptions, RefusesBadArguments) {
    const Args cases[] = {
        {"--port"},         {"--port", "65536"},  {"--port", "-1"},   {"--port", "12x"},
        {"--threads", "0"}, {"--token-ttl", "0"}, {"--max-body", ""}, {"--cert="},
        {"--token-key="},   {"--langs", ""},      {"--verbose"},      {"port"},
        {"--quiet=yes"},
    };
    for (const Args& args : cases) {
        std::string error;
        EXPECT_FALSE(ParseOptions(args, error)) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace vt::ocrd
