#include "http/request_object_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/recording_request_object.h"

namespace vt {
namespace {

using test::RecordingRequestObject;
using test::RecordingRequestObjectFactory;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

constexpr const char* kUrl = "https://ocr.example/rest?access_token=t&x=1";
constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The calls of the log that start with `prefix`.
std::vector<std::string> CallsStartingWith(const std::vector<std::string>& calls,
                                           const std::string& prefix) {
    std::vector<std::string> picked;
    for (const std::string& call : calls) {
        if (call.starts_with(prefix)) picked.push_back(call);
    }
    return picked;
}

TEST(RequestObjectClient, FormPostMakesTheseCallsInThisOrder) {
    RecordingRequestObjectFactory platform;
    platform.answer = {ToBytes("{\"words_result\":[]}"), "Server: x", 200};

    const Bytes result = RequestObjectClient(platform, kUrl, 1, "image=abc%2B");

    EXPECT_EQ(ToString(result), "{\"words_result\":[]}");
    EXPECT_THAT(
        platform.calls,
        ElementsAre("Create", "SetTimeouts(15000, 15000, 15000, 15000)",
                    std::string("Open(POST, ") + kUrl + ", false)", "SetRequestHeader(Accept, */*)",
                    std::string("SetRequestHeader(Referer, ") + kUrl + ")",
                    "SetRequestHeader(Accept-Language, zh-cn)",
                    std::string("SetRequestHeader(User-Agent, ") + kUserAgent + ")",
                    "SetRequestHeader(Content-Type, application/x-www-form-urlencoded)",
                    "Send(image=abc%2B)", "ResponseBody()", "GetAllResponseHeaders()", "Status()",
                    "Release"));
}

TEST(RequestObjectClient, MethodNumbers) {
    const std::pair<int, const char*> cases[] = {{0, "GET"}, {1, "POST"}, {2, "HEAD"},
                                                 {7, "GET"}, {-1, "GET"}, {3, "GET"}};
    for (const auto& [method, name] : cases) {
        RecordingRequestObjectFactory platform;
        RequestObjectClient(platform, "http://h/", method);
        EXPECT_THAT(platform.calls, Contains(std::string("Open(") + name + ", http://h/, false)"))
            << method;
    }
}

TEST(RequestObjectClient, TimeoutSeconds) {
    const std::pair<int, const char*> cases[] = {
        {0, "SetTimeouts(15000, 15000, 15000, 15000)"},
        {30, "SetTimeouts(30000, 30000, 30000, 30000)"},
        {-5, "SetTimeouts(15000, 15000, 15000, 15000)"},
        {1, "SetTimeouts(1000, 1000, 1000, 1000)"},
        {2147483647, "SetTimeouts(2147483647, 2147483647, 2147483647, 2147483647)"},
    };
    for (const auto& [seconds, call] : cases) {
        RecordingRequestObjectFactory platform;
        RequestObjectClient(platform, "http://h/", 0, {}, {}, {}, {}, {}, {}, false, {}, {},
                            seconds);
        EXPECT_THAT(CallsStartingWith(platform.calls, "SetTimeouts"), ElementsAre(call)) << seconds;
    }
    RecordingRequestObjectFactory platform;
    RequestObjectClient(platform, "http://h/", 0, {}, {}, {}, {}, {}, {}, false, {}, {}, -1);
    EXPECT_THAT(CallsStartingWith(platform.calls, "SetTimeouts"), IsEmpty());
}

TEST(RequestObjectClient, ProxyAndCredentials) {
    struct Case {
        const char* what;
        Text proxy, user;
        std::optional<int> flag;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"user without proxy", "", "u", 1, {}},
        {"proxy without user", "p:8080", "", 1, {"SetProxy(2, p:8080)"}},
        {"flag left out",
         "p:8080",
         "u",
         {},
         {"SetProxy(2, p:8080)", "SetProxyCredentials(u, pw, 1)"}},
        {"flag given as 0",
         "p:8080",
         "u",
         0,
         {"SetProxy(2, p:8080)", "SetProxyCredentials(u, pw, 0)"}},
    };
    for (const Case& c : cases) {
        RecordingRequestObjectFactory platform;
        RequestObjectClient(platform, "http://h/", 0, {}, {}, {}, {}, {}, {}, false, {}, c.proxy, 0,
                            c.user, "pw", c.flag);
        std::vector<std::string> proxyCalls = CallsStartingWith(platform.calls, "SetProxy");
        EXPECT_EQ(proxyCalls, c.calls) << c.what;
        if (!proxyCalls.empty()) {
            // Proxy settings come before the request is opened.
            EXPECT_THAT(platform.calls[2], StartsWith("SetProxy")) << c.what;
        }
    }
}

TEST(RequestObjectClient, RedirectOptionOnlyWhenSwitchedOff) {
    RecordingRequestObjectFactory following;
    RequestObjectClient(following, "http://h/");
    EXPECT_THAT(CallsStartingWith(following.calls, "SetOption"), IsEmpty());

    RecordingRequestObjectFactory notFollowing;
    RequestObjectClient(notFollowing, "http://h/", 0, {}, {}, {}, {}, {}, {}, true);
    EXPECT_THAT(CallsStartingWith(notFollowing.calls, "SetOption"), ElementsAre("SetOption(6, 0)"));
    EXPECT_EQ(notFollowing.calls[3], "SetOption(6, 0)");  // right after Open
}

TEST(RequestObjectClient, CallerHeadersKeepTheirPlaceAndCookiesGoFirst) {
    RecordingRequestObjectFactory platform;
    Text cookies = "a=1";
    Text headers = "User-Agent: Mine\r\n\r\nCookie: own=2\r\n\r\nX-Empty:";

    RequestObjectClient(platform, "http://h/", 0, {}, cookies, {}, headers);

    EXPECT_EQ(headers,
              "User-Agent: Mine\r\n\r\nCookie: own=2\r\n\r\nX-Empty:\r\nAccept: */*\r\nReferer: "
              "http://h/\r\nAccept-Language: zh-cn\r\nContent-Type: "
              "application/x-www-form-urlencoded");
    EXPECT_THAT(CallsStartingWith(platform.calls, "SetRequestHeader"),
                ElementsAre("SetRequestHeader(Cookie, a=1)", "SetRequestHeader(User-Agent, Mine)",
                            "SetRequestHeader(Cookie, own=2)", "SetRequestHeader(X-Empty, )",
                            "SetRequestHeader(Accept, */*)", "SetRequestHeader(Referer, http://h/)",
                            "SetRequestHeader(Accept-Language, zh-cn)",
                            "SetRequestHeader(Content-Type, application/x-www-form-urlencoded)"));
}

TEST(RequestObjectClient, BytesGoOutInsteadOfText) {
    RecordingRequestObjectFactory platform;
    RequestObjectClient(platform, "http://h/", 1, "text", {}, {}, {}, {}, {}, false,
                        ToBytes("bytes"));
    EXPECT_THAT(platform.calls, AllOf(Contains("SendBytes(bytes)"), Not(Contains("Send(text)"))));
}

TEST(RequestObjectClient, HandsBackResponseAndMergedCookies) {
    RecordingRequestObjectFactory platform;
    platform.answer = {ToBytes("not found"),
                       "Content-Type: text/plain\r\nset-cookie: b=2; path=/\r\nX: y", 404};
    Text cookies = "a=1";
    Text responseCookies = "old";
    Text responseHeaders = "old";
    int status = -7;

    const Bytes result = RequestObjectClient(platform, "http://h/", 0, {}, cookies, responseCookies,
                                             {}, responseHeaders, status);

    EXPECT_EQ(ToString(result), "not found");
    EXPECT_EQ(status, 404);
    EXPECT_EQ(responseHeaders, "Content-Type: text/plain\r\nSet-Cookie: b=2; path=/\r\nX: y");
    EXPECT_EQ(responseCookies, "b=2");
    EXPECT_EQ(cookies, "b=2; a=1");
}

TEST(RequestObjectClient, FailedSendLeavesEmptyOutputsAndStillMerges) {
    RecordingRequestObjectFactory platform;  // answers nothing, as after a failed send
    Text cookies = "a = 1";
    Text responseHeaders = "old";
    int status = 200;

    const Bytes result = RequestObjectClient(platform, "http://unreachable/", 0, {}, cookies, {},
                                             {}, responseHeaders, status);

    EXPECT_TRUE(result.empty());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(responseHeaders, "");
    EXPECT_EQ(cookies, "a=1");
}

TEST(RequestObjectClient, NothingIsTouchedWhenNoObjectCanBeMade) {
    RecordingRequestObjectFactory platform;
    platform.fails = true;
    Text cookies = "a=1";
    Text responseCookies = "rc";
    Text headers = "X: 1";
    Text responseHeaders = "rh";
    int status = 5;

    const Bytes result = RequestObjectClient(platform, "http://h/", 1, "b", cookies,
                                             responseCookies, headers, responseHeaders, status);

    EXPECT_TRUE(result.empty());
    EXPECT_THAT(platform.calls, ElementsAre("Create"));
    EXPECT_EQ(cookies, "a=1");
    EXPECT_EQ(responseCookies, "rc");
    EXPECT_EQ(headers, "X: 1");
    EXPECT_EQ(responseHeaders, "rh");
    EXPECT_EQ(status, 5);
}

TEST(RequestObjectClient, LentObjectIsUsedAndStaysWithTheCaller) {
    RecordingRequestObjectFactory platform;
    std::vector<std::string> lentCalls;
    {
        RecordingRequestObject lent(lentCalls, {ToBytes("lent"), "", 200});
        const Bytes result = RequestObjectClient(platform, "http://h/", 0, {}, {}, {}, {}, {}, {},
                                                 false, {}, {}, -1, {}, {}, std::nullopt, &lent);
        EXPECT_EQ(ToString(result), "lent");
        EXPECT_THAT(platform.calls, IsEmpty());
        EXPECT_THAT(lentCalls, Not(Contains("Release")));
    }
    EXPECT_EQ(lentCalls.back(), "Release");
}

}  // namespace
}  // namespace vt
