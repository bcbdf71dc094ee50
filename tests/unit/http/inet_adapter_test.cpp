// InetClient over the libcurl handle API, against a loopback HTTPS server.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "http/inet_client.h"
#include "platform/curl/curl_inet_api.h"
#include "unit/http/adapter_settings.h"

namespace vt {
namespace {

using test::CannedReply;
using test::HttpsFixture;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class InetAdapter : public ::testing::Test {
  protected:
    HttpsFixture server;
    CurlInetApi api{test::TestSettings()};
};

TEST_F(InetAdapter, ImageFetchArrivesAsSentAndTheWholeBodyComesBack) {
    const std::string image = test::BinaryBody(5000);
    server.Reply("/img/a.png", {200, {{"Content-Type", "image/png"}}, image});
    const Text url = server.Url("/img/a.png?size=2");
    Text responseHeaders;

    EXPECT_EQ(ToString(InetClient(api, url, 0, {}, {}, {}, {}, responseHeaders)), image);

    EXPECT_THAT(responseHeaders, StartsWith("HTTP/1.1 200 OK\r\n"));
    EXPECT_THAT(responseHeaders, HasSubstr("\r\nContent-Type: image/png"));
    const test::ReceivedRequest request = server.Requests().at(0);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/img/a.png?size=2");
    EXPECT_EQ(request.Value("Accept"), "*/*");
    EXPECT_EQ(request.Value("Referer"), url);
    EXPECT_EQ(request.Value("Accept-Language"), "zh-cn");
    EXPECT_EQ(request.Value("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(request.Value("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    EXPECT_THAT(request.Values("Cookie"), IsEmpty());
}

TEST_F(InetAdapter, PostWithOwnCookiesAndAgent) {
    server.Reply("/form", {404, {{"Set-Cookie", "b=2; path=/"}}, "not here"});
    Text cookies = "a=1";
    Text responseCookies;
    Text headers = "User-Agent: Agent/7\r\nX-Trace: 9";

    const Bytes result =
        InetClient(api, server.Url("/form"), 1, "q=1&r=2", cookies, responseCookies, headers);

    EXPECT_EQ(ToString(result), "not here");
    EXPECT_EQ(responseCookies, "b=2");
    EXPECT_EQ(cookies, "b=2; a=1");
    const test::ReceivedRequest request = server.Requests().at(0);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body, "q=1&r=2");
    EXPECT_THAT(request.Values("Cookie"), ElementsAre("a=1"));
    EXPECT_THAT(request.Values("User-Agent"), ElementsAre("Agent/7"));
    EXPECT_EQ(request.Value("X-Trace"), "9");
}

TEST_F(InetAdapter, LeftOutCookiesUseTheProcessCookieStore) {
    server.Reply("/set", {200, {{"Set-Cookie", "store_test=42; Path=/"}}, "set"});
    server.Reply("/get", {200, {}, "got"});

    InetClient(api, server.Url("/set"));
    InetClient(api, server.Url("/get"));  // the store sends the cookie back
    Text ownCookies;
    InetClient(api, server.Url("/get"), 0, {}, ownCookies);  // own cookies: the store stays out

    ASSERT_EQ(server.Requests().size(), 3u);
    EXPECT_THAT(server.Requests()[1].Values("Cookie"), ElementsAre("store_test=42"));
    EXPECT_THAT(server.Requests()[2].Values("Cookie"), IsEmpty());
}

TEST_F(InetAdapter, RedirectsFollowUnlessSwitchedOff) {
    server.Reply("/old", {301, {{"Location", "/new"}}, "moved"});
    server.Reply("/new", {200, {}, "arrived"});
    Text responseHeaders;

    EXPECT_EQ(ToString(InetClient(api, server.Url("/old"), 0, {}, {}, {}, {}, responseHeaders)),
              "arrived");
    EXPECT_THAT(responseHeaders, StartsWith("HTTP/1.1 200"));
    EXPECT_EQ(
        ToString(InetClient(api, server.Url("/old"), 0, {}, {}, {}, {}, responseHeaders, true)),
        "moved");
    EXPECT_THAT(responseHeaders, StartsWith("HTTP/1.1 301"));
}

TEST_F(InetAdapter, ConcurrentCallsKeepTheirAnswersApart) {
    constexpr int kThreads = 4;
    constexpr int kCallsEach = 5;
    for (int t = 0; t < kThreads; ++t) {
        server.Reply("/t" + std::to_string(t),
                     {200,
                      {{"Set-Cookie", "thread" + std::to_string(t) + "=1"}},
                      test::BinaryBody(3000 + t)});
    }
    std::atomic<int> right = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kCallsEach; ++i) {
                if (ToString(InetClient(api, server.Url("/t" + std::to_string(t)))) ==
                    test::BinaryBody(3000 + t)) {
                    ++right;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(right, kThreads * kCallsEach);
}

TEST_F(InetAdapter, ProxyListEntriesApplyByScheme) {
    server.Reply("/ok", {200, {}, "ok"});
    const std::string deadProxy = "127.0.0.1:" + std::to_string(test::ClosedPort());

    // InetClient names the proxy for every scheme of a secure address: the dead proxy is used.
    EXPECT_TRUE(
        InetClient(api, server.Url("/ok"), 0, {}, {}, {}, {}, {}, false, {}, deadProxy).empty());

    // An entry for plain http only leaves a secure request direct.
    const InetHandle internet =
        api.InternetOpen("t", inet::kOpenTypeProxy, "ftp=x:1; http=" + deadProxy, "", 0);
    const InetHandle connection =
        api.InternetConnect(internet, "127.0.0.1", server.Port(), inet::kServiceHttp);
    const InetHandle request =
        api.HttpOpenRequest(connection, "GET", "/ok", "HTTP/1.1", inet::kFlagSecure);
    EXPECT_TRUE(api.HttpSendRequest(request, "", {}));
    std::uint8_t buffer[16];
    EXPECT_EQ(api.InternetReadFile(request, buffer), 2u);
    for (InetHandle handle : {request, connection, internet}) api.InternetCloseHandle(handle);
}

TEST_F(InetAdapter, FailedExchangesGiveNothing) {
    server.Reply("/hang", {.mode = CannedReply::Mode::kHang});
    server.Reply("/huge",
                 {.mode = CannedReply::Mode::kOversize, .oversizeBytes = test::kTestBodyCap + 1});
    server.Reply("/ok", {200, {}, "ok"});
    test::TestCertificates otherCa;
    CurlInetApi distrusting(test::TestSettings(otherCa));

    struct Case {
        const char* what;
        InetApi& api;
        Text url;
    };
    const Case cases[] = {
        {"stalled server", api, server.Url("/hang")},
        {"body beyond the cap", api, server.Url("/huge")},
        {"nothing listening", api, "https://127.0.0.1:" + std::to_string(test::ClosedPort())},
        {"untrusted certificate", distrusting, server.Url("/ok")},
    };
    for (const Case& c : cases) {
        Text responseHeaders = "old";
        Text responseCookies = "old";
        EXPECT_TRUE(
            InetClient(c.api, c.url, 0, {}, {}, responseCookies, {}, responseHeaders).empty())
            << c.what;
        EXPECT_EQ(responseHeaders, "") << c.what;
        EXPECT_EQ(responseCookies, "") << c.what;
    }
    for (const test::ReceivedRequest& request : server.Requests()) {
        EXPECT_NE(request.target, "/ok");  // nothing went over the untrusted link
    }
}

}  // namespace
}  // namespace vt
