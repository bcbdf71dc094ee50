// The libcurl download against a loopback HTTPS server.

#include <gtest/gtest.h>

#include "platform/curl/curl_downloader.h"
#include "unit/http/adapter_settings.h"

namespace vt {
namespace {

using test::CannedReply;
using test::HttpsFixture;

TEST(DownloaderAdapter, GivesTheBodyOfAnyAnswer) {
    HttpsFixture server;
    server.Reply("/oauth/2.0/token", {200, {}, "{\"access_token\":\"t\",\"scope\":\"s\"}"});
    server.Reply("/denied", {401, {}, "{\"error\":\"invalid_client\"}"});
    server.Reply("/moved", {302, {{"Location", "/oauth/2.0/token"}}, ""});
    CurlDownloader downloader(test::TestSettings());

    const Text url = server.Url("/oauth/2.0/token?grant_type=client_credentials&client_id=i");
    EXPECT_EQ(ToString(downloader.Download(url)), "{\"access_token\":\"t\",\"scope\":\"s\"}");
    EXPECT_EQ(ToString(downloader.Download(server.Url("/denied"))),
              "{\"error\":\"invalid_client\"}");
    EXPECT_EQ(ToString(downloader.Download(server.Url("/moved"))),
              "{\"access_token\":\"t\",\"scope\":\"s\"}");
    EXPECT_EQ(server.Requests().at(0).method, "GET");
    EXPECT_EQ(server.Requests().at(0).target,
              "/oauth/2.0/token?grant_type=client_credentials&client_id=i");
}

TEST(DownloaderAdapter, FailuresGiveEmptyBytes) {
    HttpsFixture server;
    server.Reply("/hang", {.mode = CannedReply::Mode::kHang});
    server.Reply("/huge",
                 {.mode = CannedReply::Mode::kOversize, .oversizeBytes = test::kTestBodyCap + 1});
    server.Reply("/ok", {200, {}, "ok"});
    CurlDownloader downloader(test::TestSettings());
    test::TestCertificates otherCa;
    CurlDownloader distrusting(test::TestSettings(otherCa));

    EXPECT_TRUE(downloader.Download(server.Url("/hang")).empty());
    EXPECT_TRUE(downloader.Download(server.Url("/huge")).empty());
    EXPECT_TRUE(
        downloader.Download("https://127.0.0.1:" + std::to_string(test::ClosedPort())).empty());
    EXPECT_TRUE(distrusting.Download(server.Url("/ok")).empty());
    EXPECT_TRUE(downloader.Download("not a url\r\nX: y").empty());
}

}  // namespace
}  // namespace vt
