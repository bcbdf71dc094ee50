#include "http/cookie_rules.h"

#include "codecs/text_between.h"
#include "text/text_ops.h"

namespace vt {
namespace {

// Drops the last `count` bytes (all of them when there are fewer).
void DropTail(Text& text, size_t count) {
    text.resize(text.size() > count ? text.size() - count : 0);
}

}  // namespace

Text CollectSetCookies(const Text& responseHeaders) {
    Text result;
    for (const Text& line : Split(responseHeaders, "\r\n")) {
        if (!Contains(line, "Set-Cookie")) continue;
        const Text item = Contains(line, ";") ? TextBetween(line, "Set-Cookie:", ";")
                                              : ReplaceAll(line, "Set-Cookie:", "", true);
        result += Trim(item) + "; ";
    }
    DropTail(result, 2);
    return result;
}

Text CookieName(const Text& item) {
    int equals = Find(item, "=");
    return Trim(equals == -1 ? item : Left(item, equals - 1));
}

bool HasCookieNamed(const std::vector<Text>& items, const Text& name) {
    for (const Text& item : items) {
        if (CookieName(item) == name) return true;
    }
    return false;
}

int IndexOfItem(const std::vector<Text>& items, const Text& text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i) + 1;
    }
    return -1;
}

Text RemoveDuplicateItems(const Text& text, const Text& separator) {
    std::vector<Text> seen;
    Text result;
    for (const Text& piece : Split(text, separator)) {
        if (IndexOfItem(seen, piece) != -1) continue;
        seen.push_back(piece);
        result += piece + separator;
    }
    DropTail(result, separator.size());
    return result;
}

Text MergeCookies(Text& cookies, Text& newCookies) {
    cookies = RemoveAllSpaces(cookies);
    newCookies = RemoveAllSpaces(newCookies);
    std::vector<Text> merged = Split(newCookies, ";");
    for (const Text& old : Split(cookies, ";")) {
        if (!HasCookieNamed(merged, CookieName(old))) merged.push_back(old);
    }
    Text result;
    for (const Text& item : merged) {
        if (Right(item, 8) != "=deleted") result += item + "; ";
    }
    DropTail(result, 2);
    cookies = RemoveDuplicateItems(result, "; ");
    return cookies;
}

}  // namespace vt
