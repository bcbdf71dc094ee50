#include "http/header_rules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(HeaderRules, NameAndValueOfALine) {
    struct Case {
        Text line, name, value;
    };
    const Case cases[] = {
        {"Referer: a:b", "Referer", "a:b"},
        {"X-Test:   v   ", "X-Test", "v"},
        {"NoColonHere", "", ""},
        {" Name :", "Name", ""},
        {":v", "", "v"},
        {"Tab:\tv", "Tab", "\tv"},  // only spaces are trimmed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HeaderName(c.line), c.name) << c.line;
        EXPECT_EQ(HeaderValue(c.line), c.value) << c.line;
    }
}

constexpr const char* kUrl = "https://h.example/p?q=1&access_token=t";

TEST(HeaderRules, CompletesBlocksForEachClient) {
    const Text ua = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
    const Text accept = "Accept: */*";
    const Text referer = Text("Referer: ") + kUrl;
    const Text language = "Accept-Language: zh-cn";
    const Text type = "Content-Type: application/x-www-form-urlencoded";
    struct Case {
        const char* what;
        Text block;
        Text cookies;
        HeaderClient client;
        Text completed;
    };
    const Case cases[] = {
        {"empty block, request object", "", "c=1", HeaderClient::kRequestObject,
         accept + "\r\n" + referer + "\r\n" + language + "\r\n" + ua + "\r\n" + type},
        {"empty block, handle API", "", "", HeaderClient::kInet,
         accept + "\r\n" + referer + "\r\n" + language + "\r\n" + type},
        {"handle API adds the Cookie line last", "", "a=1; b=2", HeaderClient::kInet,
         accept + "\r\n" + referer + "\r\n" + language + "\r\n" + type + "\r\nCookie: a=1; b=2"},
        {"own User-Agent stays first", "User-Agent: Mine", "", HeaderClient::kRequestObject,
         "User-Agent: Mine\r\n" + accept + "\r\n" + referer + "\r\n" + language + "\r\n" + type},
        {"lower-case name is not the same header", "user-agent: mine", "",
         HeaderClient::kRequestObject,
         "user-agent: mine\r\n" + accept + "\r\n" + referer + "\r\n" + language + "\r\n" + ua +
             "\r\n" + type},
        {"own Referer wins", "Referer: r", "", HeaderClient::kInet,
         "Referer: r\r\n" + accept + "\r\n" + language + "\r\n" + type},
        {"a name that merely ends with the default counts", "X-Accept: 1", "", HeaderClient::kInet,
         "X-Accept: 1\r\n" + referer + "\r\n" + language + "\r\n" + type},
        {"own Cookie line stays beside the cookies", "Cookie: x=1", "y=2", HeaderClient::kInet,
         "Cookie: x=1\r\n" + accept + "\r\n" + referer + "\r\n" + language + "\r\n" + type +
             "\r\nCookie: y=2"},
    };
    for (const Case& c : cases) {
        Text block = c.block;
        CompleteRequestHeaders(block, kUrl, c.cookies, c.client);
        EXPECT_EQ(block, c.completed) << c.what;
    }
}

TEST(HeaderRules, NormalisesSetCookieInAnyCase) {
    EXPECT_EQ(NormaliseSetCookie("HTTP/1.1 200 OK\r\nset-cookie: a=1\r\nSET-COOKIE: b=2\r\nX: "
                                 "sEt-CoOkIe"),
              "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSet-Cookie: b=2\r\nX: Set-Cookie");
}

}  // namespace
}  // namespace vt
