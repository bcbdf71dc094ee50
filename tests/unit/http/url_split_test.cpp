#include "http/url_split.h"

#include <gtest/gtest.h>

#include "text/codepage.h"

namespace vt {
namespace {

TEST(UrlSplit, HostPortAndPath) {
    struct Case {
        Text url, host;
        int port;
        Text path;
    };
    const Case cases[] = {
        {"http://X.y/a/B?q=1", "x.y", 80, "/a/B?q=1"},
        {"https://x.y", "x.y", 443, "/"},
        {"x.y/img.png", "x.y", 80, "/img.png"},
        {"HTTPS://X.y:81/p", "x.y", 81, "/p"},
        {"http://x.y:abc/", "x.y", 0, "/"},
        {"http://x.y:99999999999/", "x.y", 2147483647, "/"},
        {"https://x.y:8443/A#F", "x.y", 8443, "/A#F"},
        {"", "", 80, "/"},
        {"https:///p", "", 443, "///p"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
        EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
        EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
    }
}

TEST(UrlSplit, HostOptions) {
    struct Case {
        Text url;
        bool mainDomainOnly, keepPort;
        std::optional<int> extraLevels;
        Text host;
    };
    const Case cases[] = {
        {"http://w.x.y:82/p", false, true, {}, "w.x.y:82"},
        {"http://w.x.y:82/p", true, false, {}, "x.y"},
        {"http://solo/", true, false, {}, "solo"},
        {"http://a.b.c.x.y/", false, false, 0, "x.y"},
        {"http://a.b.c.x.y/", false, false, 1, "c.x.y"},
        {"http://a.b.c.x.y/", true, false, 0, "y"},
        {"http://x.y/", false, false, 1, "x.y"},
        {"https://a.b.x.y:8080/p", false, true, 0, "x.y:8080"},
        {"a.b.x.y", false, false, 2147483647, "a.b.x.y"},
        {"x", true, false, 0, "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UrlHost(c.url, c.mainDomainOnly, c.keepPort, c.extraLevels), c.host) << c.url;
    }
}

TEST(UrlSplit, TwoByteCharactersAreNotLowerCasedOrSplit) {
    // The second byte of 丄 (81 41) looks like "A".
    const Text url = Utf8ToCp936("http://丄.X.y/丄B.png");
    EXPECT_EQ(UrlHost(url), Utf8ToCp936("丄.x.y"));
    EXPECT_EQ(UrlPath(url), Utf8ToCp936("/丄B.png"));
    EXPECT_TRUE(IsSecureUrl("hTtPs://x"));
    EXPECT_FALSE(IsSecureUrl("http://x"));
}

}  // namespace
}  // namespace vt
