// RequestObjectClient over the libcurl request object, against a loopback HTTPS server.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "http/request_object_client.h"
#include "platform/curl/curl_request_object.h"
#include "text/codepage.h"
#include "unit/http/adapter_settings.h"

namespace vt {
namespace {

using test::CannedReply;
using test::HttpsFixture;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RequestObjectAdapter : public ::testing::Test {
  protected:
    HttpsFixture server;
    CurlRequestObjectFactory platform{test::TestSettings()};
};

TEST_F(RequestObjectAdapter, FormPostArrivesAsSentAndTheAnswerComesBack) {
    server.Reply("/rest/2.0/ocr/v1/accurate_basic", {200,
                                                     {{"Content-Type", "application/json"},
                                                      {"Set-Cookie", "sid=abc; Path=/; HttpOnly"},
                                                      {"set-cookie", "lang=zh"}},
                                                     "{\"words_result\":[]}"});
    const Text url = server.Url("/rest/2.0/ocr/v1/accurate_basic?access_token=t&deviceId=d");
    Text cookies = "old=1; sid=stale";
    Text responseCookies;
    Text headers;
    Text responseHeaders;
    int status = 0;

    const Bytes result = RequestObjectClient(platform, url, 1, "image=a%2Bb", cookies,
                                             responseCookies, headers, responseHeaders, status);

    EXPECT_EQ(ToString(result), "{\"words_result\":[]}");
    EXPECT_EQ(status, 200);
    EXPECT_THAT(responseHeaders, ::testing::HasSubstr("Set-Cookie: sid=abc; Path=/; HttpOnly"));
    EXPECT_THAT(responseHeaders, ::testing::HasSubstr("Set-Cookie: lang=zh"));
    EXPECT_THAT(responseHeaders, ::testing::Not(::testing::HasSubstr("HTTP/1.1")));
    EXPECT_EQ(responseCookies, "sid=abc;lang=zh");
    EXPECT_EQ(cookies, "sid=abc; lang=zh; old=1");

    ASSERT_EQ(server.Requests().size(), 1u);
    const test::ReceivedRequest request = server.Requests()[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/rest/2.0/ocr/v1/accurate_basic?access_token=t&deviceId=d");
    EXPECT_EQ(request.body, "image=a%2Bb");
    EXPECT_EQ(request.Value("Accept"), "*/*");
    EXPECT_EQ(request.Value("Referer"), url);
    EXPECT_EQ(request.Value("Accept-Language"), "zh-cn");
    EXPECT_EQ(request.Value("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    EXPECT_THAT(request.Values("Content-Type"), ElementsAre("application/x-www-form-urlencoded"));
    EXPECT_THAT(request.Values("Cookie"), ElementsAre("old=1; sid=stale"));
    EXPECT_THAT(request.Values("Expect"), IsEmpty());
}

TEST_F(RequestObjectAdapter, CallerHeadersGoOutBesideTheCookieHeader) {
    server.Reply("/h", {200, {}, "ok"});
    Text cookies = "a=1";
    Text headers = "Cookie: own=2\r\nUser-Agent: Mine/1.0";

    RequestObjectClient(platform, server.Url("/h"), 0, {}, cookies, {}, headers);

    const test::ReceivedRequest request = server.Requests().at(0);
    EXPECT_EQ(request.method, "GET");
    EXPECT_THAT(request.Values("Cookie"), ElementsAre("a=1", "own=2"));
    EXPECT_THAT(request.Values("User-Agent"), ElementsAre("Mine/1.0"));
}

TEST_F(RequestObjectAdapter, TextBodyGoesOutAsUtf8AndBytesUnchanged) {
    server.Reply("/b", {200, {}, "ok"});
    RequestObjectClient(platform, server.Url("/b"), 1, Utf8ToCp936("文字=1"));
    const std::string binary = test::BinaryBody(3000);
    RequestObjectClient(platform, server.Url("/b"), 1, "ignored", {}, {}, {}, {}, {}, false,
                        ToBytes(binary));

    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[0].body, "文字=1");
    EXPECT_EQ(server.Requests()[1].body, binary);
}

TEST_F(RequestObjectAdapter, EmptyPostBodyIsSentAsEmpty) {
    server.Reply("/empty", {200, {}, "ok"});
    EXPECT_EQ(ToString(RequestObjectClient(platform, server.Url("/empty"), 1)), "ok");
    const test::ReceivedRequest request = server.Requests().at(0);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body, "");
    EXPECT_EQ(request.Value("Content-Length"), "0");
}

TEST_F(RequestObjectAdapter, LongBinaryBodyAndErrorStatus) {
    const std::string big = test::BinaryBody(200 * 1024);
    server.Reply("/big", {200, {{"Content-Type", "application/octet-stream"}}, big});
    server.Reply("/broken", {500, {}, "{\"error\":\"internal\"}"});
    int status = 0;

    EXPECT_EQ(ToString(RequestObjectClient(platform, server.Url("/big"))), big);
    EXPECT_EQ(ToString(RequestObjectClient(platform, server.Url("/broken"), 0, {}, {}, {}, {}, {},
                                           status)),
              "{\"error\":\"internal\"}");
    EXPECT_EQ(status, 500);
}

TEST_F(RequestObjectAdapter, RedirectsFollowUnlessSwitchedOff) {
    server.Reply("/old", {302, {{"Location", "/new"}, {"X-Hop", "1"}}, "moved"});
    server.Reply("/new", {200, {{"X-Final", "1"}}, "arrived"});
    int status = 0;
    Text responseHeaders;

    EXPECT_EQ(ToString(RequestObjectClient(platform, server.Url("/old"), 0, {}, {}, {}, {},
                                           responseHeaders, status)),
              "arrived");
    EXPECT_EQ(status, 200);
    EXPECT_THAT(responseHeaders, ::testing::HasSubstr("X-Final: 1"));
    EXPECT_THAT(responseHeaders, ::testing::Not(::testing::HasSubstr("X-Hop")));

    EXPECT_EQ(ToString(RequestObjectClient(platform, server.Url("/old"), 0, {}, {}, {}, {},
                                           responseHeaders, status, true)),
              "moved");
    EXPECT_EQ(status, 302);
    EXPECT_THAT(responseHeaders, ::testing::HasSubstr("Location: /new"));
}

TEST_F(RequestObjectAdapter, RedirectToAnotherSchemeIsRefused) {
    server.Reply("/elsewhere", {302, {{"Location", "file:///etc/passwd"}}, "moved"});
    int status = 0;
    EXPECT_TRUE(
        RequestObjectClient(platform, server.Url("/elsewhere"), 0, {}, {}, {}, {}, {}, status)
            .empty());
    EXPECT_EQ(status, 0);
}

TEST_F(RequestObjectAdapter, StalledServerRunsIntoTheTimeout) {
    server.Reply("/hang", {.mode = CannedReply::Mode::kHang});
    int status = -1;
    Text responseHeaders = "old";

    const Bytes result = RequestObjectClient(platform, server.Url("/hang"), 0, {}, {}, {}, {},
                                             responseHeaders, status, false, {}, {}, 1);

    EXPECT_TRUE(result.empty());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(responseHeaders, "");
}

TEST_F(RequestObjectAdapter, SlowButSteadyBodyOutlastsTheTimeout) {
    const std::string body = test::BinaryBody(5000);
    server.Reply("/slow", {.body = body,
                           .mode = CannedReply::Mode::kSlowStream,
                           .chunks = 5,
                           .chunkDelay = std::chrono::milliseconds(400)});
    EXPECT_EQ(ToString(RequestObjectClient(platform, server.Url("/slow"), 0, {}, {}, {}, {}, {}, {},
                                           false, {}, {}, 1)),
              body);
}

TEST_F(RequestObjectAdapter, BodyBeyondTheCapFailsTheExchange) {
    server.Reply("/huge",
                 {.mode = CannedReply::Mode::kOversize, .oversizeBytes = test::kTestBodyCap + 1});
    server.Reply("/full",
                 {.mode = CannedReply::Mode::kOversize, .oversizeBytes = test::kTestBodyCap});
    int status = -1;

    EXPECT_TRUE(
        RequestObjectClient(platform, server.Url("/huge"), 0, {}, {}, {}, {}, {}, status).empty());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RequestObjectClient(platform, server.Url("/full")).size(), test::kTestBodyCap);
}

TEST_F(RequestObjectAdapter, UnreachableAndUntrustedServersGiveNothing) {
    int status = -1;
    EXPECT_TRUE(RequestObjectClient(platform,
                                    "https://127.0.0.1:" + std::to_string(test::ClosedPort()) + "/",
                                    0, {}, {}, {}, {}, {}, status)
                    .empty());
    EXPECT_EQ(status, 0);

    server.Reply("/secret", {200, {}, "secret"});
    const Text deadProxy = "127.0.0.1:" + std::to_string(test::ClosedPort());
    EXPECT_TRUE(RequestObjectClient(platform, server.Url("/secret"), 0, {}, {}, {}, {}, {}, status,
                                    false, {}, deadProxy)
                    .empty());

    test::TestCertificates otherCa;
    CurlRequestObjectFactory distrusting(test::TestSettings(otherCa));
    Text cookies = "a=1";
    EXPECT_TRUE(RequestObjectClient(distrusting, server.Url("/secret"), 1, "token", cookies, {}, {},
                                    {}, status)
                    .empty());
    EXPECT_EQ(status, 0);
    EXPECT_THAT(server.Requests(), IsEmpty());  // nothing was sent over the untrusted link
}

}  // namespace
}  // namespace vt
