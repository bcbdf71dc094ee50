#include "http/inet_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/recording_inet_api.h"

namespace vt {
namespace {

using test::RecordingInetApi;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
const std::string kDefaults =
    "Accept: */*\r\nReferer: http://img.example/a.png\r\nAccept-Language: zh-cn\r\nContent-Type: "
    "application/x-www-form-urlencoded";

std::string CallNamed(const std::vector<std::string>& calls, const std::string& name) {
    for (const std::string& call : calls) {
        if (call.starts_with(name + "(")) return call;
    }
    return "(none)";
}

TEST(InetClient, PlainGetMakesTheseCallsInThisOrder) {
    RecordingInetApi api;
    api.responseBody = ToBytes("GIF89a");
    api.responseHeaders = "HTTP/1.1 200 OK\r\nContent-Type: image/gif";

    const Bytes result = InetClient(api, "http://img.example/a.png");

    EXPECT_EQ(ToString(result), "GIF89a");
    EXPECT_THAT(
        api.calls,
        ElementsAre(std::string("InternetOpen(") + kAgent + ", 1, , , 0x00000000)",
                    "InternetConnect(1, img.example, 80, 3)",
                    "HttpOpenRequest(2, GET, /a.png, HTTP/1.1, 0x80004010)",
                    "HttpSendRequest(3, " + kDefaults + ", )", "InternetReadFile(3, 1024) -> 6",
                    "InternetReadFile(3, 1024) -> 0", "HttpQueryInfo(3, 22, 5000)",
                    "InternetCloseHandle(3)", "InternetCloseHandle(2)", "InternetCloseHandle(1)"));
}

TEST(InetClient, RequestFlagsAndAddress) {
    struct Case {
        const char* what;
        Text url;
        bool giveCookies, noRedirect;
        std::string connect, open;
    };
    const Case cases[] = {
        {"secure in capitals", "HTTPS://X.example/p?q=1", false, false,
         "InternetConnect(1, x.example, 443, 3)",
         "HttpOpenRequest(2, GET, /p?q=1, HTTP/1.1, 0x80800010)"},
        {"no scheme", "x.example/img.png", false, false, "InternetConnect(1, x.example, 80, 3)",
         "HttpOpenRequest(2, GET, /img.png, HTTP/1.1, 0x80004010)"},
        {"own cookies, no redirects", "http://x.example:8080", true, true,
         "InternetConnect(1, x.example, 8080, 3)",
         "HttpOpenRequest(2, GET, /, HTTP/1.1, 0x80284010)"},
    };
    for (const Case& c : cases) {
        RecordingInetApi api;
        Text cookies;
        if (c.giveCookies) {
            InetClient(api, c.url, 0, {}, cookies, {}, {}, {}, c.noRedirect);
        } else {
            InetClient(api, c.url, 0, {}, {}, {}, {}, {}, c.noRedirect);
        }
        EXPECT_EQ(CallNamed(api.calls, "InternetConnect"), c.connect) << c.what;
        EXPECT_EQ(CallNamed(api.calls, "HttpOpenRequest"), c.open) << c.what;
    }
}

TEST(InetClient, ProxyListDependsOnTheScheme) {
    RecordingInetApi secure;
    InetClient(secure, "https://x/", 0, {}, {}, {}, {}, {}, false, {}, "p:3128");
    EXPECT_EQ(CallNamed(secure.calls, "InternetOpen"),
              std::string("InternetOpen(") + kAgent + ", 3, p:3128, , 0x00000000)");

    RecordingInetApi plain;
    InetClient(plain, "http://x/", 0, {}, {}, {}, {}, {}, false, {}, "p:3128");
    EXPECT_EQ(CallNamed(plain.calls, "InternetOpen"),
              std::string("InternetOpen(") + kAgent + ", 3, http=p:3128, , 0x00000000)");
}

TEST(InetClient, MethodsAndBodies) {
    struct Case {
        int method;
        const char* sentMethod;
        const char* sentBody;
        const char* callerBytesAfter;
    };
    const Case cases[] = {
        {5, "GET", "", ""},  // clamped to GET, which sends no body
        {1, "POST", "a=1", "a=1"},
        {2, "HEAD", "a=1", "a=1"},
    };
    for (const Case& c : cases) {
        RecordingInetApi api;
        Bytes bodyBytes;
        InetClient(api, "http://img.example/a.png", c.method, "a=1", {}, {}, {}, {}, false,
                   bodyBytes);
        EXPECT_EQ(
            CallNamed(api.calls, "HttpOpenRequest"),
            std::string("HttpOpenRequest(2, ") + c.sentMethod + ", /a.png, HTTP/1.1, 0x80004010)");
        EXPECT_EQ(CallNamed(api.calls, "HttpSendRequest"),
                  "HttpSendRequest(3, " + kDefaults + ", " + c.sentBody + ")");
        EXPECT_EQ(ToString(bodyBytes), c.callerBytesAfter);
    }

    RecordingInetApi api;
    Bytes bodyBytes = ToBytes("bytes");
    InetClient(api, "http://img.example/a.png", 1, "text", {}, {}, {}, {}, false, bodyBytes);
    EXPECT_EQ(CallNamed(api.calls, "HttpSendRequest"),
              "HttpSendRequest(3, " + kDefaults + ", bytes)");
}

TEST(InetClient, AgentNameFromTheCallersBlock) {
    struct Case {
        Text headers, agent;
    };
    const Case cases[] = {
        {"User-Agent: Mine/1\r\nX-Other: 1", "Mine/1"},
        {"User-Agent: Mine/2", "Mine/2"},
        {"X-Other: 1\r\nuser-agent: low", "low"},
        {"User-Agent:\r\nX: a:b", kAgent},  // a blank agent never takes another line's text
        {"X-Other: 1", kAgent},
    };
    for (const Case& c : cases) {
        RecordingInetApi api;
        Text headers = c.headers;
        InetClient(api, "http://img.example/a.png", 0, {}, {}, {}, headers);
        EXPECT_EQ(CallNamed(api.calls, "InternetOpen"),
                  "InternetOpen(" + c.agent + ", 1, , , 0x00000000)")
            << c.headers;
        // The User-Agent line also stays in the block that goes out.
        EXPECT_EQ(CallNamed(api.calls, "HttpSendRequest"),
                  "HttpSendRequest(3, " + c.headers + "\r\n" + kDefaults + ", )");
    }
}

TEST(InetClient, LongBodyIsAssembledFromChunks) {
    RecordingInetApi api;
    Bytes body(2500);
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 7);
    api.responseBody = body;

    EXPECT_EQ(InetClient(api, "http://x/"), body);
    EXPECT_EQ(CallNamed(api.calls, "InternetReadFile"), "InternetReadFile(3, 1024) -> 1024");
    EXPECT_EQ(std::count_if(api.calls.begin(), api.calls.end(),
                            [](const std::string& c) { return c.starts_with("InternetReadFile"); }),
              4);
}

TEST(InetClient, GivenCookiesAreSentAndMerged) {
    RecordingInetApi api;
    api.responseHeaders = "HTTP/1.1 200 OK\r\nSET-COOKIE: s=9; path=/\r\nX: 1";
    Text cookies = "a=1; s=1";
    Text responseCookies;
    Text responseHeaders;

    InetClient(api, "http://img.example/a.png", 0, {}, cookies, responseCookies, {},
               responseHeaders);

    EXPECT_EQ(CallNamed(api.calls, "HttpSendRequest"),
              "HttpSendRequest(3, " + kDefaults + "\r\nCookie: a=1; s=1, )");
    EXPECT_EQ(responseHeaders, "HTTP/1.1 200 OK\r\nSet-Cookie: s=9; path=/\r\nX: 1");
    EXPECT_EQ(responseCookies, "s=9");
    EXPECT_EQ(cookies, "s=9; a=1");
}

TEST(InetClient, EmptyGivenCookiesStillMeanOwnCookieHandling) {
    RecordingInetApi api;
    api.responseHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: b = 2";
    Text cookies;
    Text responseCookies;

    InetClient(api, "http://x/", 0, {}, cookies, responseCookies);

    EXPECT_EQ(CallNamed(api.calls, "HttpOpenRequest"),
              "HttpOpenRequest(2, GET, /, HTTP/1.1, 0x80084010)");
    EXPECT_EQ(CallNamed(api.calls, "HttpSendRequest").find("Cookie:"), std::string::npos);
    EXPECT_EQ(cookies, "b=2");
    EXPECT_EQ(responseCookies, "b=2");
}

TEST(InetClient, LeftOutCookiesAreReportedButNotMerged) {
    RecordingInetApi api;
    api.responseHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: b = 2";
    Text responseCookies;

    InetClient(api, "http://x/", 0, {}, {}, responseCookies);

    EXPECT_EQ(responseCookies, "b = 2");  // no merge, so the spaces stay
}

TEST(InetClient, MissingHeaderBlockGivesEmptyHeaders) {
    RecordingInetApi api;  // no header block, as after a failed send
    Text responseHeaders = "old";
    Text responseCookies = "old";
    EXPECT_TRUE(
        InetClient(api, "http://x/", 0, {}, {}, responseCookies, {}, responseHeaders).empty());
    EXPECT_EQ(responseHeaders, "");
    EXPECT_EQ(responseCookies, "");
}

TEST(InetClient, FailedHandlesCloseWhatWasOpenedAndTouchNothing) {
    const std::pair<int, std::vector<std::string>> cases[] = {
        {0, {"InternetOpen"}},
        {1, {"InternetOpen", "InternetConnect", "InternetCloseHandle(1)"}},
        {2,
         {"InternetOpen", "InternetConnect", "HttpOpenRequest", "InternetCloseHandle(2)",
          "InternetCloseHandle(1)"}},
    };
    for (const auto& [failing, expected] : cases) {
        RecordingInetApi api;
        api.failOpen = failing == 0;
        api.failConnect = failing == 1;
        api.failRequest = failing == 2;
        Text cookies = "a=1";
        Text headers = "X: 1";
        Bytes bodyBytes;
        Text responseHeaders = "rh";

        EXPECT_TRUE(InetClient(api, "http://x/", 1, "body", cookies, {}, headers, responseHeaders,
                               false, bodyBytes)
                        .empty());

        std::vector<std::string> names;
        for (const std::string& call : api.calls) {
            names.push_back(call.starts_with("InternetClose") ? call
                                                              : call.substr(0, call.find('(')));
        }
        EXPECT_THAT(names, ElementsAreArray(expected)) << failing;
        EXPECT_EQ(cookies, "a=1");
        EXPECT_EQ(headers, "X: 1");
        EXPECT_TRUE(bodyBytes.empty());
        EXPECT_EQ(responseHeaders, "rh");
    }
}

}  // namespace
}  // namespace vt
