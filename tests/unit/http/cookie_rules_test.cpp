#include "http/cookie_rules.h"

#include <gtest/gtest.h>

#include "http/header_rules.h"
#include "text/codepage.h"

namespace vt {
namespace {

TEST(CookieRules, MergeTable) {
    struct Case {
        Text old, fresh, merged;
    };
    const Case cases[] = {
        {"a=1; b=2", "b=3", "b=3; a=1"},
        {"a=1; b=2", "a=deleted", "b=2"},
        {"x=1", "", "x=1"},
        {"", "", ""},
        {"a=1; a=2", "", "a=1"},
        {"", "a=1;a=2", "a=1; a=2"},
        {"", "a=1;a=1", "a=1"},
        {"a=hello world", "", "a=helloworld"},
        {";a=1", "b=2", "b=2; ; a=1"},
        {"a=1", "b=2; c=deleted", "b=2; a=1"},
        {"k=v=w; t=1", "t=2", "t=2; k=v=w"},
        {"flag; a=1", "flag", "flag; a=1"},
    };
    for (const Case& c : cases) {
        Text cookies = c.old;
        Text fresh = c.fresh;
        EXPECT_EQ(MergeCookies(cookies, fresh), c.merged) << c.old << " + " << c.fresh;
        EXPECT_EQ(cookies, c.merged) << c.old << " + " << c.fresh;
    }
}

TEST(CookieRules, MergeRemovesSpacesFromBothTexts) {
    Text cookies = Utf8ToCp936("z=1;\u3000y=2");  // a full-width space counts too
    Text fresh = "a=1; b=2";
    MergeCookies(cookies, fresh);
    EXPECT_EQ(fresh, "a=1;b=2");
    EXPECT_EQ(cookies, "a=1; b=2; z=1; y=2");
}

TEST(CookieRules, CollectTable) {
    struct Case {
        Text headers, collected;
    };
    const Case cases[] = {
        {"Set-Cookie: a=1; path=/", "a=1"},
        {"Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2", "a=1; b=2"},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/plain", ""},
        {"Set-Cookie : s=9; path=/", ""},
        {"Set-Cookie: a=1\r\nSet-Cookie : s=9; path=/", "a=1; "},
        {"HTTP/1.1 302 Found\r\nSet-Cookie: sid=x==; HttpOnly\r\nLocation: /", "sid=x=="},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CollectSetCookies(c.headers), c.collected) << c.headers;
    }
    EXPECT_EQ(CollectSetCookies(NormaliseSetCookie("set-cookie: s=9")), "s=9");
}

TEST(CookieRules, ItemsAndNames) {
    EXPECT_EQ(CookieName(" a =1=2"), "a");
    EXPECT_EQ(CookieName(" flag "), "flag");
    EXPECT_TRUE(HasCookieNamed({"x=1", " a=2"}, "a"));
    EXPECT_FALSE(HasCookieNamed({"x=1", "ab=2"}, "a"));
    EXPECT_EQ(IndexOfItem({"a", "b", "b"}, "b"), 2);
    EXPECT_EQ(IndexOfItem({"a"}, "A"), -1);
    EXPECT_EQ(RemoveDuplicateItems("a; b; a; ; c; ; b", "; "), "a; b; ; c");
    EXPECT_EQ(RemoveDuplicateItems("a, b, ", ", "), "a, b");
    EXPECT_EQ(RemoveDuplicateItems("", "; "), "");
}

}  // namespace
}  // namespace vt
